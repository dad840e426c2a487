#include "publish/RecordJson.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "store/DataSet.h"

#include <cmath>

namespace quellin {

namespace {

QString jsonNumber(double v)
{
    return std::isfinite(v) ? QString::number(v, 'g', 9) : QStringLiteral("null");
}

} // namespace

QString recordJson(const Context& ctx, const DataRecord& record)
{
    QString json = QStringLiteral("{\"number\":") + QString::number(record.number) +
                   QStringLiteral(",\"time\":\"") +
                   Format(record.time(), QStringLiteral("yyyy/mm/dd hh:mm:ss")) + QLatin1Char('"');
    const int last = std::min(ctx.cat.ColumnLast, kMaxColumns - 1);
    for (int c = column::kVoltR; c <= last; ++c) {
        if (!ctx.dataSet().columnPresent(c))
            continue;
        const std::string_view key = measuredItem(c).key;
        json += QStringLiteral(",\"") +
                QLatin1String(key.data(), static_cast<qsizetype>(key.size())) +
                QStringLiteral("\":") + jsonNumber(record.column(c));
    }
    return json + QLatin1Char('}');
}

} // namespace quellin
