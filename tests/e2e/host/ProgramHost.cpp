// The whole program in a process of its own, for tests and soak runs that need
// a second instance or must kill one. It starts against the meter named by
// QUELLIN_COM1 with the data folder QUELLIN_HOME and answers every question Yes.
//
//   (no option)      says "ready" on standard output once the main window shows
//                    ("refused" when another program holds the data folder)
//   --measure N      starts a measurement and says "ready" once N records are stored
//   --log FILE       with --measure: PC logging into FILE from the start
//   --until-full     with --measure: when the measurement ends by itself (a full
//                    store), prints "done handled=H stored=S" and exits
//
// Otherwise it runs until it is killed.

#include "Doubles.h"
#include "app/ModMain.h"
#include "app/Program.h"
#include "main/FrmMDIMain.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

QString optionValue(const QStringList& args, const char* name)
{
    const qsizetype at = args.indexOf(QString::fromLatin1(name));
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : QString();
}

void say(const QByteArray& text)
{
    std::puts(text.constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const int records = optionValue(args, "--measure").toInt();
    const QString logPath = optionValue(args, "--log");
    const bool untilFull = args.contains(QStringLiteral("--until-full"));

    quellin::test::ScriptedMessageBox msg;
    msg.defaultAnswer = quellin::MsgAnswer::Yes;
    quellin::test::ScriptedFileDialog files;
    if (!logPath.isEmpty())
        files.answers = {logPath};
    quellin::test::FakeSleep sleep;
    auto program = quellin::startProgram({QStringLiteral("quellin")},
                                         quellin::ServiceOverrides{&msg, &files, &sleep});
    if (program->refused()) {
        say("refused");
        return 1;
    }
    quellin::Context& ctx = program->context();
    if (records <= 0) {
        say("ready");
        return QApplication::exec();
    }
    quellin::MeasurementRun& run = program->mainWindow()->measurementRun();
    run.keisokuCommand();
    bool said = false;
    bool logging = logPath.isEmpty();
    bool measured = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (ctx.app.Measuring && !logging) {
            run.logingCommand();
            logging = true;
        }
        measured = measured || ctx.app.Measuring;
        if (!said && ctx.dataSet().RecordCount() >= records) {
            said = true;
            say("ready");
        }
        if (untilFull && measured && !ctx.app.Measuring) {
            say(QStringLiteral("done handled=%1 stored=%2")
                    .arg(run.measureState().LinesHandled)
                    .arg(ctx.dataSet().RecordCount())
                    .toLatin1());
            QApplication::exit(0);
        }
    });
    poll.start(20);
    return QApplication::exec();
}
