#include "store/DataFileFlow.h"

#include "platform/AppPaths.h"
#include "settings/ModRegistry.h"
#include "store/CsvFile.h"
#include "store/CsvLoad.h"
#include "store/CsvSave.h"
#include "store/ModFile.h"

namespace quellin {

namespace {

// The hourglass while a file is read or written, back to the default however
// the work ends.
class Hourglass {
public:
    explicit Hourglass(PointerService& pointer) : pointer_(pointer)
    {
        pointer_.setPointer(MousePointer::Hourglass);
    }
    ~Hourglass() { pointer_.setPointer(MousePointer::Default); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    PointerService& pointer_;
};

void rememberFolder(Context& ctx, const QString& path)
{
    ctx.app.FilePath = folderOf(path);
    ctx.settings.write(QStringLiteral("FilePath"), ctx.app.FilePath);
}

} // namespace

bool chooseAndLoadDataFile(Context& ctx, QWidget* owner)
{
    const QString path = chooseDataFileToLoad(ctx, owner);
    return !path.isEmpty() && loadChosenDataFile(ctx, path);
}

QString chooseDataFileToLoad(Context& ctx, QWidget* owner)
{
    if (ctx.app.Measuring)
        return {};
    FileDialogRequest request;
    request.owner = owner;
    request.filter = csvFilterText();
    request.pattern = kCsvPattern;
    request.initialFolder = ctx.app.FilePath;
    return ctx.svc.files.openFile(request);
}

bool loadChosenDataFile(Context& ctx, const QString& path)
{
    if (ctx.app.Measuring || path.isEmpty())
        return false;
    Hourglass hourglass(ctx.svc.pointer);
    const int columns = std::max(ctx.cat.ColumnLast + 1, 0);
    ctx.cat.ColumnOn.assign(static_cast<size_t>(columns), true);
    rememberFolder(ctx, path);
    ctx.dataSet().DeleteTmpFile();
    ResetStore(ctx);
    ctx.app.DataPresent = false;
    if (LoadDataFile(ctx, path)) {
        ctx.app.DataPresent = true;
        return true;
    }
    ctx.dataSet().DeleteTmpFile();
    ResetStore(ctx);
    ctx.app.DataPresent = false;
    return false;
}

bool chooseAndSaveDataFile(Context& ctx, QWidget* owner)
{
    FileDialogRequest request;
    request.owner = owner;
    request.filter = csvFilterText();
    request.pattern = kCsvPattern;
    request.initialFolder = ctx.app.FilePath;
    request.defaultExtension = kCsvDefaultExtension;
    const QString path = ctx.svc.files.saveFile(request);
    if (path.isEmpty())
        return false;

    Hourglass hourglass(ctx.svc.pointer);
    rememberFolder(ctx, path);
    return SaveDataFile(ctx, path);
}

} // namespace quellin
