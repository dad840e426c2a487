// The environment settings and the measuring line: "CCFnn", "CCM", "SCFnn",
// "STM", "SCFW" and "SMD0n". The meter takes no settings while it measures:
// its inputs and outputs are in use.

#include "Meter.h"

namespace quellin::sim {

namespace {

constexpr QLatin1String kOk("OK");
constexpr QLatin1String kNg("NG");

} // namespace

void registerSettingsCommands(Meter& meter)
{
    // "CCFnn" reads item nn: "RCFnn" + its value; an item this version lacks is refused.
    meter.addCommand(QStringLiteral("CCF*"), [](Meter& m, const QString& command) {
        const QString item = command.mid(3);
        const std::optional<QString> value = m.settings().value(item);
        m.reply(value ? QStringLiteral("RCF") + item + *value : QString(kNg));
    });
    meter.addCommand(QStringLiteral("CCM"), [](Meter& m, const QString&) {
        m.reply(QStringLiteral("RCM") + m.settings().serialParameters());
    });
    // "SCFnn" + value: kept when within the meter's limits (SettingsTable).
    meter.addCommand(QStringLiteral("SCF*"), [](Meter& m, const QString& command) {
        const bool taken = !m.measuring() && command.size() >= 5 &&
                           m.settings().set(command.mid(3, 2), command.mid(5));
        m.reply(taken ? kOk : kNg);
    });
    // Writing the settings into flash memory takes a moment before the "OK".
    meter.addCommand(QStringLiteral("SCFW"), [](Meter& m, const QString&) {
        if (m.measuring()) {
            m.reply(kNg);
            return;
        }
        auto answer = std::make_unique<LineSequence>();
        answer->add(m.options().flashMs, kOk);
        m.startOutput(std::move(answer));
    });
    // "STM" + "yyyy/mm/dd hh:mm:ss" (one blank after "STM" is allowed): the
    // time the next measured-data line carries.
    meter.addCommand(QStringLiteral("STM*"), [](Meter& m, const QString& command) {
        QString text = command.mid(3);
        if (text.startsWith(QLatin1Char(' ')))
            text.remove(0, 1);
        const QDateTime time = SettingsTable::parseClock(text);
        if (m.measuring() || !time.isValid()) {
            m.reply(kNg);
            return;
        }
        m.setClock(time);
        m.reply(kOk);
    });
    // "SMD0n": measuring line n (0 single-phase two-wire, 1 single-phase
    // three-wire, 2 three-phase three-wire), reported by "CMD" and used by the
    // measured-data lines and new logging.
    for (int wiring = 0; wiring <= 2; ++wiring) {
        meter.addCommand(QStringLiteral("SMD0%1").arg(wiring), [wiring](Meter& m, const QString&) {
            if (m.measuring()) {
                m.reply(kNg);
                return;
            }
            m.setWiring(wiring);
            m.reply(kOk);
        });
    }
}

} // namespace quellin::sim
