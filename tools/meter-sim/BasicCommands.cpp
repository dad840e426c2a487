// The commands every meter knows: its version, its status, measuring on and
// off, and the periodic measured-data lines.

#include "Meter.h"

namespace quellin::sim {

namespace {

constexpr QLatin1String kOk("OK");
constexpr QLatin1String kNg("NG");

} // namespace

void registerBasicCommands(Meter& meter)
{
    meter.addCommand(QStringLiteral("SLE"), [](Meter& m, const QString&) {
        m.stopStreaming();
        m.reply(kOk);
    });
    meter.addCommand(QStringLiteral("VER"), [](Meter& m, const QString&) {
        m.reply(QStringLiteral("VER") + m.options().versionText);
    });
    meter.addCommand(QStringLiteral("CMD"), [](Meter& m, const QString&) {
        m.reply(QStringLiteral("RMD%1%2%3")
                    .arg(m.wiring())
                    .arg(m.measuring() ? 1 : 0)
                    .arg(m.logging() ? 1 : 0));
    });
    meter.addCommand(QStringLiteral("SMD10"), [](Meter& m, const QString&) {
        // Logging runs on the meter's own measurement: it keeps measuring
        // until its logging is stopped.
        if (m.logging()) {
            m.reply(kNg);
            return;
        }
        // A meter that stops measuring has nothing left to send.
        m.setMeasuring(false);
        m.stopStreaming();
        m.reply(kOk);
    });
    meter.addCommand(QStringLiteral("SMD11"), [](Meter& m, const QString&) {
        m.setMeasuring(true);
        m.reply(kOk);
    });
    meter.addCommand(QStringLiteral("SLG"), [](Meter& m, const QString&) {
        m.reply(kOk);
        m.startStreaming();
    });
}

} // namespace quellin::sim
