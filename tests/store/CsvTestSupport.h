#pragma once
// Shared pieces of the data-file tests: the catalogue of a hardware version, the
// known data sets behind the fixtures in tests/data/csv, and file helpers.

#include "Catalogue.h"
#include "TestContext.h"
#include "base/DataRecord.h"
#include "platform/Format.h"
#include "platform/VbDate.h"
#include "store/ModFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace quellin::test::csvdata {

inline QString fixturePath(const QString& name)
{
    return QStringLiteral(QUELLIN_TEST_DATA "/csv/") + name;
}

inline QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline QByteArray fixture(const QString& name)
{
    return readBytes(fixturePath(name));
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// The catalogue as the version check builds it (titles, sizes, every column on).
inline void useVersion(Context& ctx, int version)
{
    ctx.app.HardVersion = version;
    buildCatalogue(ctx, version);
    ctx.cat.LogColumns.assign(ctx.cat.LogColumns.size(), true);
    ctx.cat.SeriesShown.assign(ctx.cat.SeriesShown.size(), true);
    ResetStore(ctx);
}

inline double at(int hour, int minute, int second)
{
    return *vbdate::fromCivil({2002, 6, 1, hour, minute, second});
}

// The three records of the fixtures (columns 2..17), in the order of the files.
inline std::vector<DataRecord> knownRecords()
{
    const double values[3][16] = {
        {100.2, 99.85, 5.5, 5.25, 1000, -250.5, 1030.9, 97, 60, 0, 0, 1.25, 0, 12.34, 25.5, -3.5},
        {100.4, 100, 5.6, 5.3, 1200.5, -260, 1228.3, 97.7, 59.99, 0.0015, 0.002778, 0.05, 99.95,
         -0.04, -0.5, 100},
        {0.5, 12345.678, 0.001, 0, 900, 0, 900, 100, 60.01, 0.004, 0.005556, 1000, 2.25, 0, 0,
         0.4}};
    std::vector<DataRecord> out;
    for (int r = 0; r < 3; ++r) {
        DataRecord rec;
        rec.number = r;
        rec.setTime(at(10, 0, 10 * r));
        for (int c = 2; c < kMaxColumns; ++c)
            rec.setColumn(c, values[r][c - 2]);
        out.push_back(rec);
    }
    return out;
}

// Puts records into an emptied store as a finished measurement leaves them.
inline void storeRecords(Context& ctx, const std::vector<DataRecord>& records, int wiring,
                         std::initializer_list<int> absentColumns = {})
{
    ctx.dataSet().DeleteTmpFile();
    ResetStore(ctx);
    test::props(ctx).DataWiring = wiring;
    test::props(ctx).ColumnPresent.assign(static_cast<size_t>(ctx.cat.ColumnLast) + 1, true);
    for (int c : absentColumns)
        test::props(ctx).ColumnPresent[static_cast<size_t>(c)] = false;
    ctx.dataSet().OpenTmpForAppend();
    for (const DataRecord& rec : records)
        ctx.dataSet().AppendRecord(rec);
    ctx.dataSet().CloseTmp();
    test::props(ctx).FirstTime = records.front().time();
    test::props(ctx).LastTime = records.back().time();
    ctx.app.DataPresent = true;
}

inline std::vector<DataRecord> recordsOf(const Context& ctx)
{
    return ctx.dataSet().ReadRecords(1, ctx.dataSet().RecordCount());
}

inline qint64 tmpDatSize(const Context& ctx)
{
    const QFileInfo info(ctx.tmpDatPath());
    return info.exists() ? info.size() : -1;
}

// The value a field's text reads back as: the nearest single, widened.
inline double single(double v)
{
    return static_cast<double>(static_cast<float>(v));
}

// A data file of a version-1 (or -2) meter: records every interval seconds from
// start, the active power counting up from 1000 W.
inline QByteArray generatedDataFile(double start, int records, int interval, const char* wiring,
                                    bool version2)
{
    QByteArray text = "\xef\xbb\xbf"
                      "ファイル名=\"x.csv\"\r\n\"測定条件　結線＝";
    text += wiring;
    text += "\"\r\n\"番号\",\"時刻\",\"電圧Ｒ(V)\",\"電圧Ｔ(V)\",\"電流Ｒ(A)\",\"電流Ｔ(A)\","
            "\"有効電力(W)\",\"無効電力(Var)\",\"皮相電力(VA)\",\"力率(%)\",\"周波数(Hz)\","
            "\"積算電力(kWh)\",\"積算時間(時間)\"";
    if (version2)
        text += ",\"漏電電流1(mA)\",\"漏電電流2(mA)\",\"漏電電流3(mA)\",\"温度1(℃)\",\"温度2(℃)\"";
    text += "\r\n";
    for (int i = 0; i < records; ++i) {
        text += QStringLiteral("%1,\"%2\",1.000E+2,1.000E+2,5.000E+0,5.000E+0,%3E+3,0.000E+0,"
                               "1.000E+3,1.000E+2,6.000E+1,1.000E-3,1.000E-3")
                    .arg(i, 4, 10, QLatin1Char('0'))
                    .arg(Format(vbdate::addSeconds(start, static_cast<long long>(i) * interval),
                                QStringLiteral("yyyy/mm/dd hh:mm:ss")))
                    .arg(1.0 + (i % 9) * 0.001, 0, 'f', 3)
                    .toUtf8();
        if (version2)
            text += ",1.0,1.0,1.0,20,20";
        text += "\r\n";
    }
    return text;
}

} // namespace quellin::test::csvdata
