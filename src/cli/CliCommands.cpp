#include "cli/CliCommands.h"

#include "cli/CliConsole.h"
#include "cli/CliMeasure.h"
#include "cli/CliMemory.h"
#include "cli/CliReport.h"
#include "cli/CliSession.h"
#include "cli/CliSettings.h"
#include "platform/Tx.h"


namespace quellin {

namespace {

CliExit runCommand(const CliOptions& options, std::FILE* out, std::FILE* err)
{
    CliSession session(options, out, err);
    // A report reads a data file: no meter, no data folder of its own.
    if (options.command == CliCommand::Report)
        return CliReport(session).run();
    if (const CliExit e = session.open(); e != CliExit::Done)
        return e;
    switch (options.command) {
    case CliCommand::Measure:
        return CliMeasure(session).run();
    case CliCommand::Memory:
        return CliMemory(session).list();
    case CliCommand::Download:
        return CliMemory(session).download();
    case CliCommand::Settings:
        return CliSettings(session).run();
    case CliCommand::Report:
        break;
    }
    return CliExit::Usage;
}

} // namespace

int runCli(const QStringList& args, Language language, std::FILE* out, std::FILE* err)
{
    const CliParse parsed = parseCliArguments(args, language);
    if (!parsed.options) {
        writeLine(err, QStringLiteral("quellin-cli: ") + parsed.error);
        writeLine(err, TX("使い方は quellin-cli --help で表示します。"));
        return static_cast<int>(CliExit::Usage);
    }
    if (parsed.options->help) {
        const QByteArray text = cliHelpText(parsed.options->lang).toUtf8();
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), out);
        std::fflush(out);
        return static_cast<int>(CliExit::Done);
    }
    return static_cast<int>(runCommand(*parsed.options, out, err));
}

} // namespace quellin
