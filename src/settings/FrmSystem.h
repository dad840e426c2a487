#pragma once
// "通信条件設定": the serial port and its settings, stored and applied at once,
// and the language the program speaks from its next start.

#include "base/Context.h"
#include "settings/PresentPort.h"

#include <QDialog>
#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QGroupBox;

namespace quellin {

// List positions of the five lists for a port and settings string; -1 where the
// value is not in the list (the list then keeps no selection).
struct CommSelection {
    int port = -1;     // COM1..COM8
    int speed = -1;    // 4800, 9600, 19200, 38400
    int dataBits = -1; // 7, 8
    int parity = -1;   // NONE, ODD, EVEN
    int stopBits = -1; // 1, 2
};

CommSelection commSelectionFor(const QString& commPort, const QString& commParam);
// The settings string the lists spell: speed, parity letter, data bits, stop bits.
QString commParamFor(const CommSelection& sel);

struct FrmSystemLinks {
    // Reopens the port with the settings in ctx; shows its own message and
    // returns false when the port cannot be opened.
    std::function<bool()> reopenPort;
    // The device a port number maps to and where that mapping comes from.
    std::function<QString(int port)> deviceForPort;
    // True when the device of a port is fixed by the environment (QUELLIN_COM<n>).
    std::function<bool(int port)> deviceFixedByEnvironment;
    // The serial ports present now, offered as devices for the selected port.
    std::function<QList<PresentPort>()> presentPorts;
};

class FrmSystem : public QDialog {
public:
    FrmSystem(Context& ctx, FrmSystemLinks links, QWidget* parent = nullptr);

private:
    void cmdOK_Click();
    void Command1_Click();
    void showDeviceOfSelectedPort();
    void fillPresentPorts();
    void takePresentPort(int index);
    void editDevice(const QString& text);

    Context& ctx_;
    FrmSystemLinks links_;
    std::array<QString, 8> editedDevices_; // device texts the user typed, per port
    QList<PresentPort> presentPorts_;

    QTabWidget* TabsOption = nullptr;
    QGroupBox* FramOptions = nullptr;
    std::array<QComboBox*, 5> CmbOptions1{};
    std::array<QLabel*, 5> LblOptions1{};
    QLabel* LblDevice = nullptr;
    QLineEdit* TxtDevice = nullptr;
    QLabel* LblPorts = nullptr;
    QComboBox* CmbPorts = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* LblLanguage = nullptr;
    QComboBox* CmbLanguage = nullptr;
};

} // namespace quellin
