#include "store/CsvText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quellin::csv {

namespace {

const char* const kShiftJisName = "Shift_JIS";

// Unicode characters that CP932 holds under another code point.
char16_t cp932Form(char16_t c)
{
    switch (c) {
    case u'\u301C':
        return u'\uFF5E'; // wave dash → fullwidth tilde
    case u'\u2212':
        return u'\uFF0D'; // minus sign → fullwidth hyphen-minus
    case u'\u2016':
        return u'\u2225'; // double vertical line → parallel to
    case u'\u2014':
        return u'\u2015'; // em dash → horizontal bar
    case u'\u00A2':
        return u'\uFFE0'; // cent sign
    case u'\u00A3':
        return u'\uFFE1'; // pound sign
    case u'\u00AC':
        return u'\uFFE2'; // not sign
    default:
        return c;
    }
}

} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned int cp = 0;
        unsigned int min = 0;
        if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
            min = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        if (cp < min || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += extra + 1;
    }
    return true;
}

TextEncoding detectEncoding(const QList<QByteArray>& headLines)
{
    if (!headLines.isEmpty() && headLines.front().startsWith(kUtf8Bom))
        return TextEncoding::Utf8;
    bool nonAscii = false;
    for (const QByteArray& line : headLines) {
        for (char c : line)
            if (static_cast<unsigned char>(c) >= 0x80) {
                nonAscii = true;
                break;
            }
        if (!isValidUtf8(line))
            return TextEncoding::ShiftJis;
    }
    return nonAscii ? TextEncoding::Utf8 : TextEncoding::ShiftJis;
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Utf8) {
        if (bytes.startsWith(kUtf8Bom))
            bytes = bytes.sliced(kUtf8Bom.size());
        return QString::fromUtf8(bytes);
    }
    QStringDecoder decoder(kShiftJisName);
    return decoder.decode(bytes);
}

QByteArray encodeShiftJis(const QString& text)
{
    QString mapped = text;
    for (QChar& c : mapped)
        c = QChar(cp932Form(c.unicode()));
    {
        QStringEncoder encoder(kShiftJisName);
        QByteArray whole = encoder.encode(mapped);
        if (!encoder.hasError())
            return whole;
    }
    // Some character is missing from the code page: encode one character (or
    // surrogate pair) at a time and write "?" for those that fail.
    QByteArray out;
    for (qsizetype i = 0; i < mapped.size();) {
        const qsizetype len =
            (mapped[i].isHighSurrogate() && i + 1 < mapped.size() && mapped[i + 1].isLowSurrogate())
                ? 2
                : 1;
        QStringEncoder encoder(kShiftJisName);
        const QByteArray one = encoder.encode(QStringView(mapped).sliced(i, len));
        if (encoder.hasError() || one.isEmpty())
            out.append('?');
        else
            out.append(one);
        i += len;
    }
    return out;
}

} // namespace quellin::csv
