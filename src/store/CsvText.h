#pragma once
// The text encoding of data files. The program writes Shift_JIS (CP932), the
// code page of the meter's own environment; it reads Shift_JIS and also UTF-8,
// which other tools write (with or without a byte-order mark).

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace quellin::csv {

enum class TextEncoding { ShiftJis, Utf8 };

inline constexpr QByteArrayView kUtf8Bom{"\xEF\xBB\xBF"};

bool isValidUtf8(QByteArrayView bytes);

// The encoding of a file from its first lines (the only ones that hold anything
// but ASCII in a data file): a byte-order mark means UTF-8; else text that is
// valid UTF-8 and contains non-ASCII bytes is UTF-8; anything else Shift_JIS.
TextEncoding detectEncoding(const QList<QByteArray>& headLines);

QString decodeText(QByteArrayView bytes, TextEncoding encoding);

// Text → Shift_JIS. Characters that the code page lacks become "?" instead of
// the converter's substitution bytes; the few characters that Unicode spells
// differently from the code page (wave dash, minus sign …) take their CP932 form.
QByteArray encodeShiftJis(const QString& text);

} // namespace quellin::csv
