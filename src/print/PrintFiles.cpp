#include "print/PrintFiles.h"

#include "platform/SafeSave.h"
#include "platform/Tx.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace quellin {

namespace {

// Qt's PDF writer compresses every page through two fresh buffers of ten
// megabytes. glibc gives such memory back to the kernel when it is freed and
// faults it in again for the next page, which costs a document of a thousand
// pages a third of its time. So blocks of that size come from the heap, and the
// heap keeps what is freed (the few tens of megabytes of one page's work) for
// the next page.
void keepFreedMemoryForReuse()
{
#ifdef __GLIBC__
    constexpr int kLargestFromHeap = 32 * 1024 * 1024; // glibc's upper limit
    constexpr int kKeptWhenFreed = 256 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargestFromHeap);
    mallopt(M_TRIM_THRESHOLD, kKeptWhenFreed);
#endif
}

} // namespace

FileWriteResult writePdfFile(const QString& path, const std::vector<PrintSection*>& sections,
                             const QString& title, const std::optional<QPageLayout>& layout,
                             const PageProgress& progress)
{
    CheckedSaveFile file(path);
    if (!file.open())
        return {file.reason()};
    keepFreedMemoryForReuse();
    {
        QPdfWriter pdf(&file.device());
        pdf.setResolution(kPdfResolution);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Quellin"));
        if (layout && !pdf.setPageLayout(*layout))
            return {TX("用紙の設定が使えません。")};
        const PaintOutcome painted = paintSections(pdf, sections, !layout, progress);
        if (painted == PaintOutcome::Stopped) {
            file.cancel();
            return {QString(), true};
        }
        if (painted == PaintOutcome::Failed) {
            file.cancel();
            return {writeFailureReason(0, QFileInfo(path).absolutePath(), QString())};
        }
    }
    if (!file.commit())
        return {file.reason()};
    return {};
}

FileWriteResult writePngFile(const QString& path, const QImage& image)
{
    if (image.isNull())
        return {TX("グラフが描かれていません。")};
    CheckedSaveFile file(path);
    if (!file.open())
        return {file.reason()};
    if (!image.save(&file.device(), "PNG")) {
        file.cancel();
        return {writeFailureReason(0, QFileInfo(path).absolutePath(), QString())};
    }
    if (!file.commit())
        return {file.reason()};
    return {};
}

QString fileWriteMessage(const QString& path, const FileWriteResult& result)
{
    return TX("ファイルに書き込めませんでした。\r\n") + QDir::toNativeSeparators(path) +
           QStringLiteral("\r\n") + result.error +
           TX("\r\n保存先のフォルダと空き容量を確認して下さい。");
}

} // namespace quellin
