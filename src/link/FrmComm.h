#pragma once
// FrmComm, the hidden communications window ("通信用フォーム"): it owns the serial
// port and the time-out timer TmrTimeOut, adapts them to the link's transport and
// timer, and owns the receive path (framer, queue) and the sequencer. It is never
// shown and needs no widgets, so it lives in the core library.

#include "base/Context.h"
#include "base/LinkClients.h"
#include "link/LinkInput.h"
#include "link/PresentPorts.h"
#include "link/Sequencer.h"
#include "platform/Tx.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>
#include <functional>
#include <optional>

namespace quellin {

// The fields of CommParam ("9600,N,8,1": speed, parity letter, data bits, stop bits).
struct PortSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Why a device could not be opened, as far as the user can act on it.
enum class PortFailure { Unknown, NotFound, Busy, NotPermitted };
PortFailure portFailure(const QString& device, QSerialPort::SerialPortError error);

// "通信ポート<n> を初期化してオープンできません。", then the device and why: it is not
// there, another program holds it, this user may not use it (the remedy: the
// dialout group), or the system's own words (detail).
QString portNotOpenedText(const QString& commPort, const QString& device, PortFailure failure,
                          const QString& detail = {});

// Reads CommParam; nullopt when any field cannot be applied to a port.
std::optional<PortSettings> parseCommParam(const QString& commParam);

// No Q_OBJECT: it declares no signals or slots of its own.
class FrmComm : public QObject, public LinkTransport {
public:
    static constexpr int kTimeOutMs = 10000;

    FrmComm(Context& ctx, LinkClients& clients, QObject* parent = nullptr);
    ~FrmComm() override;

    static QString caption() { return TX("通信用フォーム"); }

    // The device of port n: $QUELLIN_COM<n>, else the setting CommDevice<n>, else
    // /dev/ttyS<n-1> (COM<n> on Windows).
    static QString deviceForPort(Context& ctx, int n);

    // A device named on the command line: opened instead of deviceForPort's.
    void setFixedDevice(const QString& device) { fixedDevice_ = device; }

    // The load: opens CommPort with CommParam. A port that cannot be opened tells
    // the user and offers the communication settings (showSystemDialog); a CommParam
    // that cannot be applied shows the error's own description. True when open.
    bool openPort();
    // OK of the communication settings: close, drop what was received, apply the
    // current CommPort and CommParam, open. The same messages, but no dialog.
    bool reopenPort();
    // The unload.
    void closePort();

    // LinkTransport
    bool isOpen() const override;
    void write(const QByteArray& bytes) override;

    Sequencer& sequencer() { return seq_; }
    LinkInput& input() { return input_; }
    QTimer& timeOutTimer() { return TmrTimeOut; }
    // The CommPort text the port was last opened with.
    const QString& openedPort() const { return openedPort_; }

    // Shows the communication settings dialog modally (set by the program).
    std::function<void()> showSystemDialog;

    // After the port was lost: the same device is looked for every second and
    // opened again as soon as it is back (a USB adapter plugged in again). An
    // adapter that comes back under another name is found by its serial number.
    static constexpr int kReopenIntervalMs = 1000;
    // While the port is lost, status panel 1 says so (the message box alone is
    // gone once answered); the note that it was opened again clears after a while.
    static constexpr int kReopenedNoteMs = 5000;
    bool reopening() const { return reopenTimer_.isActive(); }
    // One look for the lost device (the timer's work; public for tests).
    void tryReopen();
    // The ports present now (QSerialPortInfo unless a test sets its own).
    void setPortLister(std::function<QList<PresentPort>()> lister)
    {
        listPorts_ = std::move(lister);
    }
    // The device the port is open on (after a reopen, the adapter's new name).
    const QString& openedDevice() const { return openedDevice_; }

private:
    class TimerAdapter : public LinkTimer {
    public:
        explicit TimerAdapter(QTimer& timer) : timer_(timer) {}
        void start() override { timer_.start(kTimeOutMs); }
        void startFor(int ms) override { timer_.start(ms); }
        void stop() override { timer_.stop(); }
        bool isActive() const override { return timer_.isActive(); }

    private:
        QTimer& timer_;
    };

    // Throws VbError: 8002 for a port that cannot be opened, 380 for a bad CommParam.
    // device: the one to open instead of the port's own (its adapter's new name).
    void configureAndOpen(bool clearBuffers, const QString& device = {});
    // The device to reopen after a loss: the port's own while it is there, else
    // the one the opened adapter's serial number is found at; empty when neither.
    QString deviceToReopen(int n) const;
    bool open(bool clearBuffers, bool offerSettings);
    void onReadyRead();
    void onErrorOccurred(QSerialPort::SerialPortError error);
    bool deviceHungUp();
    QString deviceOf(int n) const;

    Context& ctx_;
    QSerialPort Mscomm;
    QTimer TmrTimeOut;
    TimerAdapter timerAdapter_{TmrTimeOut};
    Sequencer seq_;
    LinkInput input_{seq_};
    QString openedPort_;
    QString fixedDevice_;
    bool lossReported_ = false;
    QString openedDevice_;
    QString openedSerialNumber_; // of the adapter last opened, empty when unknown
    std::function<QList<PresentPort>()> listPorts_ = [] { return presentPorts(); };
    QTimer reopenTimer_;
};

} // namespace quellin
