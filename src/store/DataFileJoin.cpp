#include "store/DataFileJoin.h"

#include "base/ErrorReport.h"
#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "store/CsvLoad.h"
#include "store/DataSetInfo.h"
#include "store/ModFile.h"
#include "store/ModFileGraph.h"

namespace quellin {

namespace {

QString timeText(double t)
{
    return Format(t, QStringLiteral("yyyy/mm/dd hh:mm:ss"));
}

// The items a meter of version 2 adds (leakage currents, temperatures).
bool hasVersion2Items(const DataSet& data)
{
    for (int c = column::kFirstVersion2; c < kMaxColumns; ++c)
        if (data.columnPresent(c))
            return true;
    return false;
}

} // namespace

std::optional<QString> joinRefusal(const DataSet& data, const DataSet& joined)
{
    if (data.RecordCount() < 1)
        return TX("追加する先のデータがありません。先にファイルを読み込んで下さい。");
    if (hasVersion2Items(data) != hasVersion2Items(joined) ||
        data.ColumnPresent() != joined.ColumnPresent())
        return TX("測定項目（電力計のバージョン）が読み込み済みのデータと異なります。");
    if (data.DataWiring() != joined.DataWiring())
        return TX("結線が読み込み済みのデータと異なります。");
    if (data.SampleInterval() != joined.SampleInterval())
        return TX("記録周期（%1秒）が読み込み済みのデータ（%2秒）と異なります。")
            .arg(joined.SampleInterval())
            .arg(data.SampleInterval());
    if (vbdate::secondsBetween(data.LastTime(), joined.FirstTime()) <= 0)
        return TX("ファイルの最初の時刻（%1）が読み込み済みのデータの最後（%"
                              "2）より後ではありません。")
            .arg(timeText(joined.FirstTime()), timeText(data.LastTime()));
    if (static_cast<long long>(data.RecordCount()) + joined.RecordCount() > kMaxStoredRecords)
        return TX("読み込めるデータは%1件までです。（読み込み済み%2件、追加%3件）")
            .arg(kMaxStoredRecords)
            .arg(data.RecordCount())
            .arg(joined.RecordCount());
    return std::nullopt;
}

bool JoinDataFile(Context& ctx, const QString& path)
{
    std::optional<DataSet> joined = LoadDataFileAside(ctx, path);
    if (!joined)
        return false; // the refusal was shown
    DataSet& data = ctx.dataSet();
    if (const auto why = joinRefusal(data, *joined)) {
        ctx.svc.msg.info(cannotJoinText() + QStringLiteral("\r\n") + *why, MsgIcon::Critical);
        return false;
    }
    return trapped(ctx, "JoinDataFile", false, [&] {
        data.appendDataSet(*joined);
        writeDataSetInfo(ctx, DataSetKind::File);
        LoadListPage(ctx, ctx.listPage().ListTop);
        SetGraphWindow(ctx, 0);
        LoadGraphWindow(ctx);
        return true;
    });
}

} // namespace quellin
