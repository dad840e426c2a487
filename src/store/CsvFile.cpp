#include "store/CsvFile.h"

#include "base/DataRecord.h"

namespace quellin {

namespace {

// The titles a version-2 catalogue gives the columns (a version-1 one has the
// first 13 of them).
const char16_t* const kVersion2Titles[kMaxColumns] = {
    u"番号",          u"時刻",          u"電圧Ｒ(V)",      u"電圧Ｔ(V)",     u"電流Ｒ(A)",
    u"電流Ｔ(A)",     u"有効電力(W)",   u"無効電力(Var)",  u"皮相電力(VA)",  u"力率(%)",
    u"周波数(Hz)",    u"積算電力(kWh)", u"積算時間(時間)", u"漏電電流1(mA)", u"漏電電流2(mA)",
    u"漏電電流3(mA)", u"温度1(℃)",      u"温度2(℃)"};

} // namespace

QString wiringLineText(int wiring)
{
    switch (wiring) {
    case 0:
        return QStringLiteral("測定条件　結線＝単相２線式");
    case 1:
        return QStringLiteral("測定条件　結線＝単相３線式");
    case 2:
        return QStringLiteral("測定条件　結線＝三相３線式");
    default:
        return {};
    }
}

QString fileColumnTitle(const Catalog& cat, int c)
{
    if (c < 0 || c >= kMaxColumns)
        return {};
    if (c <= cat.ColumnLast && c < cat.ColumnTitles.size())
        return cat.ColumnTitles[c];
    return QString::fromUtf16(kVersion2Titles[c]);
}

int SplitLine(QStringView line, QStringList& fields, int maxFields)
{
    fields.clear();
    if (maxFields <= 0)
        return 0;
    qsizetype start = 0;
    while (true) {
        const qsizetype comma = line.indexOf(QLatin1Char(','), start);
        if (comma < 0 || fields.size() + 1 == maxFields) {
            fields.append(comma < 0 ? line.mid(start).toString()
                                    : line.mid(start, comma - start).toString());
            return static_cast<int>(fields.size());
        }
        fields.append(line.mid(start, comma - start).toString());
        start = comma + 1;
    }
}

} // namespace quellin
