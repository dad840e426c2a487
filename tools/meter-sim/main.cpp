// quellin-meter-sim: a virtual portable power meter on a pseudo-terminal.
// Prints the device path as the first line on stdout; see --help.

#include "Meter.h"
#include "Pty.h"
#include "SimLoop.h"
#include "SimOptions.h"

#include <QStringList>
#include <cstdio>

using namespace quellin::sim;

namespace {

int fail(const QString& message, int code)
{
    std::fprintf(stderr, "quellin-meter-sim: %s\n", message.toLocal8Bit().constData());
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    SimOptions options;
    QString error;
    switch (parseOptions(args, options, error)) {
    case ParseResult::Help:
        std::fputs(helpText().toLocal8Bit().constData(), stdout);
        return 0;
    case ParseResult::Error:
        return fail(error, 2);
    case ParseResult::Run:
        break;
    }

    // Signals first, so that a SIGTERM right after the path is printed still
    // leaves through the loop (and removes the link).
    SignalSource signals;
    if (!signals.open(error))
        return fail(error, 1);
    Pty pty;
    if (!pty.open(error))
        return fail(error, 1);
    DeviceLink link;
    if (!options.link.isEmpty() && !link.create(options.link, pty.slavePath(), error))
        return fail(error, 1);

    Meter meter(options);
    SimLoop loop(options, meter, pty, signals);
    if (!loop.openLog(error))
        return fail(error, 1);

    std::printf("%s\n", pty.slavePath().toLocal8Bit().constData());
    std::fflush(stdout);
    return loop.run();
}
