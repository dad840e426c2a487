#pragma once
// A complete context for one test: its own temporary application folder
// (QUELLIN_HOME), settings file and scripted services.

#include "DataSetAccess.h"
#include "Doubles.h"
#include "base/Context.h"
#include "settings/ModRegistry.h"
#include "store/DataSet.h"

#include <QTemporaryDir>
#include <memory>

namespace quellin::test {

struct TestContext {
    TestContext();
    ~TestContext();

    QTemporaryDir dir;
    ScriptedMessageBox msg;
    ScriptedFileDialog files;
    FakeSleep sleep;
    FakePointer pointer;
    FakeClock clock;
    FakeStatus status;
    Services services{msg, files, sleep, pointer, clock, status};
    std::unique_ptr<SettingsStore> settings;
    CurrentData data;
    std::unique_ptr<Context> ctx;

    QString path(const QString& name) const { return dir.filePath(name); }
    QString iniPath() const { return dir.filePath(QStringLiteral("Quellin.ini")); }
};

} // namespace quellin::test
