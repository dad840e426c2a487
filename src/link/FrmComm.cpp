// FrmComm: the serial port, TmrTimeOut and the receive path.

#include "link/FrmComm.h"

#include "link/LinkTexts.h"
#include "platform/Tx.h"

#include "platform/VbError.h"
#include "settings/ModRegistry.h"
#include "settings/SettingsValues.h"

#include <QFileInfo>
#include <QStringList>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

#include <QFile>
#include <unistd.h>

namespace quellin {

namespace {

constexpr int kLowestPort = 1;
constexpr int kHighestPort = 8;

QString invalidPropertyText()
{
    return TX("プロパティの値が不正です。");
}

} // namespace

PortFailure portFailure(const QString& device, QSerialPort::SerialPortError error)
{
    if (device.isEmpty())
        return PortFailure::Unknown;
    const QByteArray path = QFile::encodeName(device);
    if (error == QSerialPort::DeviceNotFoundError || ::access(path.constData(), F_OK) != 0)
        return PortFailure::NotFound;
    if (error != QSerialPort::PermissionError)
        return PortFailure::Unknown;
    // Qt reports a port held by another program (its lock, or the exclusive
    // mode of the terminal) in the same words as a refused permission; the
    // system's own access check tells the two apart.
    return ::access(path.constData(), R_OK | W_OK) == 0 ? PortFailure::Busy
                                                        : PortFailure::NotPermitted;
}

QString portNotOpenedText(const QString& commPort, const QString& device, PortFailure failure,
                          const QString& detail)
{
    QString text = TX("通信ポート%1 を初期化してオープンできません。").arg(commPort);
    if (device.isEmpty())
        return text;
    text += TX("\r\nデバイス ") + device;
    switch (failure) {
    case PortFailure::NotFound:
        return text + TX(" がありません。ケーブルを確認するか、通信設定で使える"
                         "ポートを選んで下さい。");
    case PortFailure::Busy:
        return text + TX(" は他のプログラムが使っています。そのプログラムを終了"
                         "してから、もう一度開いて下さい。");
    case PortFailure::NotPermitted:
        return text + TX(" を使う権限がありません。このユーザーを dialout グループに加えて"
                         "（sudo usermod -aG dialout ユーザー名）、ログインし直して下さい。");
    case PortFailure::Unknown:
        break;
    }
    if (detail.isEmpty() || detail == QLatin1String("Unknown error"))
        return text + TX(" を開けません。");
    return text + TX(" を開けません（") + detail + TX("）。");
}

std::optional<PortSettings> parseCommParam(const QString& commParam)
{
    const QStringList fields = commParam.split(QLatin1Char(','));
    if (fields.size() != 4)
        return std::nullopt;
    PortSettings s;

    bool ok = false;
    const int speed = fields[0].trimmed().toInt(&ok);
    if (!ok || speed <= 0)
        return std::nullopt;
    s.baudRate = speed;

    const QString parity = fields[1].trimmed().toUpper();
    if (parity == QLatin1String("N"))
        s.parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("O"))
        s.parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("E"))
        s.parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("M"))
        s.parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("S"))
        s.parity = QSerialPort::SpaceParity;
    else
        return std::nullopt;

    const int bits = fields[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return std::nullopt;
    s.dataBits = static_cast<QSerialPort::DataBits>(bits);

    const QString stop = fields[3].trimmed();
    if (stop == QLatin1String("1"))
        s.stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5"))
        s.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2"))
        s.stopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return s;
}

FrmComm::FrmComm(Context& ctx, LinkClients& clients, QObject* parent)
    : QObject(parent), ctx_(ctx), Mscomm(this), TmrTimeOut(this),
      seq_(ctx, *this, timerAdapter_, clients)
{
    TmrTimeOut.setInterval(kTimeOutMs);
    TmrTimeOut.setSingleShot(true);
    connect(&TmrTimeOut, &QTimer::timeout, this, [this] { input_.timerFired(); });
    connect(&Mscomm, &QSerialPort::readyRead, this, &FrmComm::onReadyRead);
    connect(&Mscomm, &QSerialPort::errorOccurred, this, &FrmComm::onErrorOccurred);
    reopenTimer_.setInterval(kReopenIntervalMs);
    connect(&reopenTimer_, &QTimer::timeout, this, [this] { tryReopen(); });
}

FrmComm::~FrmComm()
{
    // The port's signals must not reach a half-destroyed window.
    Mscomm.disconnect(this);
    TmrTimeOut.disconnect(this);
    reopenTimer_.stop();
    if (Mscomm.isOpen())
        Mscomm.close();
}

QString FrmComm::deviceForPort(Context& ctx, int n)
{
    const QString number = QString::number(n);
    const QString fromEnv = qEnvironmentVariable(("QUELLIN_COM" + number).toLatin1().constData());
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString fromSettings = ctx.settings.read(QStringLiteral("CommDevice") + number, {});
    if (!fromSettings.isEmpty())
        return fromSettings;
#ifdef Q_OS_WIN
    return QStringLiteral("COM") + number;
#else
    return QStringLiteral("/dev/ttyS") + QString::number(n - 1);
#endif
}

QString FrmComm::deviceOf(int n) const
{
    return fixedDevice_.isEmpty() ? deviceForPort(ctx_, n) : fixedDevice_;
}

bool FrmComm::openPort()
{
    return open(false, true);
}

bool FrmComm::reopenPort()
{
    return open(true, false);
}

void FrmComm::closePort()
{
    TmrTimeOut.stop();
    reopenTimer_.stop();
    if (Mscomm.isOpen())
        Mscomm.close();
}

bool FrmComm::isOpen() const
{
    return Mscomm.isOpen();
}

void FrmComm::write(const QByteArray& bytes)
{
    if (Mscomm.isOpen())
        Mscomm.write(bytes);
}

bool FrmComm::open(bool clearBuffers, bool offerSettings)
{
    try {
        configureAndOpen(clearBuffers);
        return true;
    } catch (const VbError& e) {
        const bool invalidPort = e.code() == ErrorNumber::InvalidPort;
        ctx_.svc.msg.show({e.description(), {}, MsgButtons::Ok, MsgIcon::Exclamation, true});
        if (invalidPort && offerSettings) {
            ctx_.svc.pointer.setPointer(MousePointer::Default);
            if (showSystemDialog)
                showSystemDialog();
            ctx_.svc.pointer.setPointer(MousePointer::Hourglass);
        }
        return Mscomm.isOpen();
    }
}

void FrmComm::configureAndOpen(bool clearBuffers, const QString& deviceInstead)
{
    if (Mscomm.isOpen())
        Mscomm.close();
    input_.reset();

    const QString commPort = ctx_.app.CommPort;
    const std::optional<int> port = commPortNumber(commPort);
    if (!port || *port < kLowestPort || *port > kHighestPort)
        throw VbError(ErrorNumber::InvalidPort,
                      portNotOpenedText(commPort, {}, PortFailure::Unknown));
    const int n = *port;
    const std::optional<PortSettings> settings = parseCommParam(ctx_.app.CommParam);
    if (!settings)
        throw VbError(ErrorNumber::InvalidPropertyValue, invalidPropertyText());

    const QString device = deviceInstead.isEmpty() ? deviceOf(n) : deviceInstead;
    Mscomm.setPortName(device);
    Mscomm.setBaudRate(settings->baudRate);
    Mscomm.setParity(settings->parity);
    Mscomm.setDataBits(settings->dataBits);
    Mscomm.setStopBits(settings->stopBits);
    Mscomm.setFlowControl(QSerialPort::NoFlowControl);
    if (!Mscomm.open(QIODevice::ReadWrite))
        throw VbError(ErrorNumber::InvalidPort,
                      portNotOpenedText(commPort, device, portFailure(device, Mscomm.error()),
                                        Mscomm.errorString()));
    if (clearBuffers)
        Mscomm.clear(QSerialPort::AllDirections);
    openedPort_ = commPort;
    openedDevice_ = device;
    openedSerialNumber_ = serialNumberOf(listPorts_(), device);
    lossReported_ = false;
    reopenTimer_.stop();
}

QString FrmComm::deviceToReopen(int n) const
{
    const QString own = deviceOf(n);
    if (QFileInfo::exists(own))
        return own;
    const std::optional<PresentPort> moved =
        portWithSerialNumber(listPorts_(), openedSerialNumber_);
    return moved ? moved->device : QString();
}

void FrmComm::tryReopen()
{
    if (Mscomm.isOpen()) {
        reopenTimer_.stop();
        return;
    }
    const std::optional<int> n = commPortNumber(openedPort_);
    // Only the device that went away; a port changed in the settings meanwhile is
    // the settings dialog's to open.
    if (!n || openedPort_ != ctx_.app.CommPort)
        return;
    const QString device = deviceToReopen(*n);
    if (device.isEmpty())
        return;
    const QString serialNumber = openedSerialNumber_;
    try {
        configureAndOpen(true, device);
    } catch (const VbError&) {
        return; // not usable yet: the next look tries again
    }
    // The adapter is the same whatever its name now, even where the system
    // lists it without its serial number for a moment.
    if (openedSerialNumber_.isEmpty())
        openedSerialNumber_ = serialNumber;
    const QString moved =
        device != deviceOf(*n) ? TX("（デバイス %1）").arg(device) : QString();
    if (ctx_.svc.status.panelText(1) == link_text::portLostPanel())
        ctx_.svc.status.setPanelText(1, QString());
    const QString note = TX("通信ポート%1 を開き直しました%2。").arg(openedPort_, moved);
    ctx_.svc.status.setPanelText(2, note);
    QTimer::singleShot(kReopenedNoteMs, this, [this, note] {
        if (ctx_.svc.status.panelText(2) == note)
            ctx_.svc.status.setPanelText(2, QString());
    });
}

void FrmComm::onReadyRead()
{
    const QByteArray bytes = Mscomm.readAll();
    if (!bytes.isEmpty())
        input_.bytesReceived(bytes);
}

void FrmComm::onErrorOccurred(QSerialPort::SerialPortError error)
{
    // Line errors (framing, parity, overrun …) are left to the answer tests; only a
    // port that went away needs the user. A device that hung up (a pseudo-terminal
    // whose other side closed) reports read errors instead of a resource error.
    if (lossReported_)
        return;
    const bool lost =
        error == QSerialPort::ResourceError || (error == QSerialPort::ReadError && deviceHungUp());
    if (!lost)
        return;
    lossReported_ = true;
    // Closed at once, or the port keeps reporting; the user is told from the event
    // loop, not from inside the port's own notification.
    Mscomm.close();
    QTimer::singleShot(0, this, [this] {
        input_.portLost(openedPort_);
        // After the message and the measurement's end, which clears the panel.
        if (!Mscomm.isOpen())
            ctx_.svc.status.setPanelText(1, link_text::portLostPanel());
    });
    reopenTimer_.start();
}

bool FrmComm::deviceHungUp()
{
#ifdef Q_OS_UNIX
    pollfd p{static_cast<int>(Mscomm.handle()), POLLIN, 0};
    if (::poll(&p, 1, 0) > 0)
        return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#endif
    return false;
}

} // namespace quellin
