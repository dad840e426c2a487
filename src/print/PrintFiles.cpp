#include "print/PrintFiles.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

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

FileWriteResult failed(QSaveFile& file, const QString& reason)
{
    file.cancelWriting();
    return {reason.isEmpty() ? QStringLiteral("書き込みに失敗しました。") : reason};
}

} // namespace

FileWriteResult writePdfFile(const QString& path, const std::vector<PrintSection*>& sections,
                             const QString& title, const std::optional<QPageLayout>& layout)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {file.errorString()};
    keepFreedMemoryForReuse();
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(kPdfResolution);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Quellin"));
        if (layout && !pdf.setPageLayout(*layout))
            return failed(file, QStringLiteral("用紙の設定が使えません。"));
        if (!paintSections(pdf, sections, !layout))
            return failed(file, file.errorString());
    }
    if (file.error() != QFileDevice::NoError)
        return failed(file, file.errorString());
    if (!file.commit())
        return {file.errorString()};
    return {};
}

FileWriteResult writePngFile(const QString& path, const QImage& image)
{
    if (image.isNull())
        return {QStringLiteral("グラフが描かれていません。")};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {file.errorString()};
    if (!image.save(&file, "PNG"))
        return failed(file, file.errorString());
    if (!file.commit())
        return {file.errorString()};
    return {};
}

QString fileWriteMessage(const QString& path, const FileWriteResult& result)
{
    return QStringLiteral("ファイルに書き込めませんでした。\r\n") + QDir::toNativeSeparators(path) +
           QStringLiteral("\r\n") + result.error +
           QStringLiteral("\r\n保存先のフォルダと空き容量を確認して下さい。");
}

} // namespace quellin
