#pragma once
// "外部出力": where a measurement's records go besides the windows: an MQTT
// broker (with Home Assistant discovery and the alarms), InfluxDB and a
// Prometheus metrics page. Stored in the settings file, used from the next
// measurement on.

#include "base/Context.h"
#include "publish/OutputSettings.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quellin {

class FrmOutputSet : public QDialog {
public:
    explicit FrmOutputSet(Context& ctx, QWidget* parent = nullptr);

private:
    // Checks, stores and closes; false (the dialog stays open) after a message.
    bool cmdOK_Click();
    OutputSettings fields() const;

    Context& ctx_;
    QLineEdit* TxtMqttUrl = nullptr;
    QLineEdit* TxtMqttCa = nullptr;
    QLineEdit* TxtMqttId = nullptr;
    QLineEdit* TxtInfluxUrl = nullptr;
    QLineEdit* TxtInfluxToken = nullptr;
    QLineEdit* TxtMetrics = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace quellin
