#include "TestContext.h"

#include <QDir>

namespace quellin::test {

TestContext::TestContext()
{
    settings = std::make_unique<SettingsStore>(iniPath(), msg);
    ctx = std::make_unique<Context>(services, *settings);
    ctx->app.AppFolder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    ctx->app.FilePath = ctx->app.AppFolder + QStringLiteral("Data") + QDir::separator();
    ctx->app.LogingPath = ctx->app.FilePath;
}

TestContext::~TestContext() = default;

} // namespace quellin::test
