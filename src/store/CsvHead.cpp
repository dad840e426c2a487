#include "store/CsvHead.h"

#include "base/DataRecord.h"
#include "base/MeasuredItems.h"
#include "platform/Tx.h"
#include "store/CsvFile.h"
#include "store/CsvLineReader.h"
#include "store/CsvParse.h"

#include <array>

namespace quellin::csv {

bool FileHead::has(int column) const
{
    for (const TitleField& t : titles)
        if (t.column == column)
            return true;
    return false;
}

std::vector<TitleField> matchTitles(QByteArrayView line, TextEncoding encoding)
{
    std::array<QString, kMaxColumns> known;
    for (int c = 0; c < kMaxColumns; ++c)
        known[static_cast<size_t>(c)] = columnTitle(c);
    std::vector<QByteArrayView> fields;
    splitFields(line, fields, static_cast<int>(kMaxLineBytes));
    std::array<bool, kMaxColumns> taken{};
    std::vector<TitleField> out;
    for (size_t f = 0; f < fields.size(); ++f) {
        // No title is longer than this; a longer field is the user's own.
        if (fields[f].isEmpty() || fields[f].size() > 64)
            continue;
        const QString text = decodeText(fields[f], encoding);
        for (int c = 0; c < kMaxColumns; ++c) {
            if (text != known[static_cast<size_t>(c)])
                continue;
            if (!taken[static_cast<size_t>(c)])
                out.push_back({static_cast<int>(f), c});
            taken[static_cast<size_t>(c)] = true;
            break;
        }
    }
    return out;
}

std::optional<int> wiringOf(const QString& line)
{
    const QString mark = QStringLiteral("結線＝");
    const qsizetype at = line.indexOf(mark);
    if (at < 0)
        return std::nullopt;
    const QString kind = line.mid(at + mark.size(), 5);
    for (int w = 0; w <= 2 && kind.size() == 5; ++w)
        if (wiringLineText(w).endsWith(kind))
            return w;
    return std::nullopt;
}

FileHead readFileHead(const QList<QByteArray>& lines, TextEncoding encoding)
{
    FileHead head;
    const int n = std::min(static_cast<int>(lines.size()), kHeadLines);
    for (int i = 0; i < n && head.titleLine < 0; ++i) {
        head.titles = matchTitles(lines[i], encoding);
        if (!head.titles.empty())
            head.titleLine = i;
    }
    if (head.titleLine < 0)
        return head;
    for (int i = 0; i < head.titleLine && !head.wiring; ++i)
        head.wiring = wiringOf(decodeText(lines[i], encoding));
    head.fieldsNeeded = head.titles.back().field + 1;
    return head;
}

} // namespace quellin::csv
