#include "ProgramFixture.h"

#include "app/ModMain.h"

namespace quellin::test {

void ProgramFixture::SetUp()
{
    ASSERT_TRUE(home.isValid());
    qputenv("QUELLIN_HOME", home.path().toLocal8Bit());
}

void ProgramFixture::TearDown()
{
    if (program && program->mainWindow()) {
        msg.defaultAnswer = MsgAnswer::Yes;
        program->mainWindow()->close();
    }
    program.reset();
    qunsetenv("QUELLIN_COM1");
}

void ProgramFixture::startMeter(const QStringList& args)
{
    ASSERT_TRUE(sim.start(args)) << sim.errorText().toStdString();
    qputenv("QUELLIN_COM1", sim.device().toLocal8Bit());
}

void ProgramFixture::startHere(const QStringList& commandLine, PointerService* pointer)
{
    program = startProgram(commandLine,
                           ServiceOverrides{&msg, &files, &sleep, pointer, installLanguage});
}

void ProgramFixture::start(const QStringList& meterArgs, const QStringList& commandLine)
{
    startMeter(meterArgs);
    if (::testing::Test::HasFatalFailure())
        return;
    startHere(commandLine);
    ASSERT_NE(program->mainWindow(), nullptr);
}

} // namespace quellin::test
