#pragma once
// Reads back what a test needs from a PDF written by Qt: the size of every page
// in points, in page order, and the document's title.

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <vector>

namespace quellin::test {

class PdfProbe {
public:
    explicit PdfProbe(const QString& path)
    {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            data_ = f.readAll();
    }

    bool isPdf() const { return data_.startsWith("%PDF-"); }

    // Each page object's media box; Qt writes the page objects in page order.
    std::vector<QSizeF> pageSizes() const
    {
        std::vector<QSizeF> out;
        static const QRegularExpression page(
            QStringLiteral(
                R"(/Type\s*/Page\b(?!s)[^>]*?/MediaBox\s*\[\s*([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s*\])"),
            QRegularExpression::DotMatchesEverythingOption);
        const QString text = QString::fromLatin1(data_);
        for (auto it = page.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            out.emplace_back(m.captured(3).toDouble() - m.captured(1).toDouble(),
                             m.captured(4).toDouble() - m.captured(2).toDouble());
        }
        return out;
    }

    // The title as Qt stores it: UTF-16 big-endian with a byte-order mark, in hex.
    bool hasTitle(const QString& title) const
    {
        QByteArray utf16("\xFE\xFF", 2);
        for (const QChar c : title) {
            utf16.append(static_cast<char>(c.unicode() >> 8));
            utf16.append(static_cast<char>(c.unicode() & 0xFF));
        }
        return data_.contains("/Title <" + utf16.toHex() + ">") ||
               data_.contains("/Title <" + utf16.toHex().toUpper() + ">") ||
               data_.contains("/Title (" + utf16 + ")");
    }

private:
    QByteArray data_;
};

} // namespace quellin::test
