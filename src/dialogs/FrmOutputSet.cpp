#include "dialogs/FrmOutputSet.h"

#include "platform/SettingButtons.h"
#include "platform/Tx.h"

#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quellin {

namespace {

QLineEdit* field(const char* name, const QString& text, const QString& placeholder)
{
    auto* edit = new QLineEdit(text);
    edit->setObjectName(QLatin1String(name));
    edit->setPlaceholderText(placeholder);
    edit->setMinimumWidth(380);
    return edit;
}

} // namespace

FrmOutputSet::FrmOutputSet(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("FrmOutputSet"));
    setWindowTitle(TX("外部出力"));
    setModal(true);

    const OutputSettings s = readOutputSettings(ctx_.settings);
    TxtMqttUrl = field("TxtMqttUrl", s.mqttUrl, TX("mqtt://ユーザー:パスワード@ホスト:1883/接頭辞"));
    TxtMqttCa = field("TxtMqttCa", s.mqttCa, TX("mqtts:// の CA ファイル（空欄：システムのもの）"));
    TxtMqttId = field("TxtMqttId", s.mqttId,
                      TX("空欄：%1").arg(topicSafeId(QDir(ctx_.app.AppFolder).dirName())));
    TxtInfluxUrl = field("TxtInfluxUrl", s.influxUrl, TX("http://ホスト:8086/write?db=名前"));
    TxtInfluxToken = field("TxtInfluxToken", s.influxToken, TX("2.x の API トークン"));
    TxtInfluxToken->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    TxtMetrics = field("TxtMetrics", s.metrics, TX("9100 または ホスト:9100（空欄：提供しない）"));

    auto* mqtt = new QGroupBox(TX("MQTT（Home Assistant）"));
    auto* mqttForm = new QFormLayout(mqtt);
    mqttForm->addRow(QStringLiteral("URL"), TxtMqttUrl);
    mqttForm->addRow(TX("CA ファイル"), TxtMqttCa);
    mqttForm->addRow(QStringLiteral("ID"), TxtMqttId);
    auto* influx = new QGroupBox(QStringLiteral("InfluxDB"));
    auto* influxForm = new QFormLayout(influx);
    influxForm->addRow(QStringLiteral("URL"), TxtInfluxUrl);
    influxForm->addRow(TX("トークン"), TxtInfluxToken);
    auto* metrics = new QGroupBox(QStringLiteral("Prometheus"));
    auto* metricsForm = new QFormLayout(metrics);
    metricsForm->addRow(TX("ポート"), TxtMetrics);

    const SettingButtons bar = settingButtons();
    cmdOK = bar.ok;
    cmdCancel = bar.cancel;
    QHBoxLayout* buttons = bar.row;

    auto* body = new QVBoxLayout(this);
    body->addWidget(mqtt);
    body->addWidget(influx);
    body->addWidget(metrics);
    body->addWidget(new QLabel(TX("空欄の出力は使いません。変更は次の計測開始から有効です。")));
    body->addWidget(new QLabel(TX("相手につながらない間も計測は続きます（状態はステータスバーに表示）。")));
    body->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

OutputSettings FrmOutputSet::fields() const
{
    return {TxtMqttUrl->text().trimmed(),   TxtMqttCa->text().trimmed(),      TxtMqttId->text().trimmed(),
            TxtInfluxUrl->text().trimmed(), TxtInfluxToken->text().trimmed(), TxtMetrics->text().trimmed()};
}

bool FrmOutputSet::cmdOK_Click()
{
    const OutputSettings s = fields();
    const OutputCheck check = checkOutputSettings(s, QDir(ctx_.app.AppFolder).dirName());
    if (!check.failures.empty()) {
        const OutputFailure& f = check.failures.front();
        ctx_.svc.msg.show({f.message, {}, MsgButtons::Ok, MsgIcon::Exclamation, false});
        QLineEdit* failed = f.field == OutputField::MqttUrl   ? TxtMqttUrl
                            : f.field == OutputField::MqttId  ? TxtMqttId
                            : f.field == OutputField::InfluxUrl ? TxtInfluxUrl
                                                                : TxtMetrics;
        failed->setFocus();
        failed->selectAll();
        return false;
    }
    if (!storeOutputSettings(ctx_.settings, s))
        return false;
    accept();
    return true;
}

} // namespace quellin
