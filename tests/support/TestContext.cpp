#include "TestContext.h"

#include <QDir>

namespace quellin::test {

TestContext::TestContext()
{
    settings = std::make_unique<SettingsStore>(iniPath(), msg);
    ctx = std::make_unique<Context>(services, *settings, data.dataSet, data.graphWindow,
                                    data.listPage);
    ctx->app.AppFolder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    ctx->dataSet().setFolder(ctx->app.AppFolder);
    ctx->app.FilePath = ctx->app.AppFolder + QStringLiteral("Data") + QDir::separator();
    ctx->app.LogingPath = ctx->app.FilePath;
}

TestContext::~TestContext() = default;

} // namespace quellin::test
