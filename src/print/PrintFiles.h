#pragma once
// Pages and pictures written to files: the PDF of the printed sections and the
// PNG of the graph. Both go through a temporary file that takes the chosen name
// only once it is complete, so a failed write never leaves a broken file there.

#include "print/PrintPages.h"

#include <QImage>
#include <QString>
#include <optional>
#include <vector>

namespace quellin {

// The result of a write: empty when the file is complete, else the reason.
struct FileWriteResult {
    QString error;
    bool stopped = false; // the user stopped it: no file, nothing to say
    bool ok() const { return error.isEmpty() && !stopped; }
};

// The PDF's resolution: that of a good office printer.
constexpr int kPdfResolution = 600;

// Each section on pages of its own layout, or all on pages of layout when given
// (the paper the user chose in the print dialog).
FileWriteResult writePdfFile(const QString& path, const std::vector<PrintSection*>& sections,
                             const QString& title,
                             const std::optional<QPageLayout>& layout = std::nullopt,
                             const PageProgress& progress = {});
FileWriteResult writePngFile(const QString& path, const QImage& image);

// The message for a file that could not be written: what, where, and what to do.
QString fileWriteMessage(const QString& path, const FileWriteResult& result);

} // namespace quellin
