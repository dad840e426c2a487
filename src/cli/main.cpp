// quellin-cli: the power meter from a terminal or a service, without windows.

#include "cli/CliCommands.h"
#include "cli/CliSignals.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    // Before the application exists, so that no thread it starts takes them.
    quellin::blockStopSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quellin-cli"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return quellin::runCli(args, stdout, stderr);
}
