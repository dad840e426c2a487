#include "print/PrintFiles.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

namespace quellin {

namespace {

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
