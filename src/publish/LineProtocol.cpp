#include "publish/LineProtocol.h"

#include "base/MeasuredItems.h"
#include "platform/VbDate.h"
#include "store/DataSet.h"

#include <QDateTime>
#include <cmath>

namespace quellin {

QByteArray influxTagValue(const QString& value)
{
    QByteArray out;
    for (const char ch : value.toUtf8()) {
        if (ch == ',' || ch == '=' || ch == ' ' || ch == '\\')
            out += '\\';
        // A line break would end the point in the middle.
        out += (ch == '\n' || ch == '\r') ? ' ' : ch;
    }
    return out;
}

QByteArray influxLine(const Context& ctx, const DataRecord& record, const QString& meterTag)
{
    QByteArray fields;
    const int last = std::min(ctx.cat.ColumnLast, kMaxColumns - 1);
    for (int c = column::kVoltR; c <= last; ++c) {
        const double v = record.column(c);
        if (!ctx.dataSet().columnPresent(c) || !std::isfinite(v))
            continue;
        const std::string_view key = measuredItem(c).key;
        if (!fields.isEmpty())
            fields += ',';
        fields.append(key.data(), static_cast<qsizetype>(key.size()));
        fields += '=';
        fields += QByteArray::number(v, 'g', 9);
    }
    const double t = record.time();
    if (fields.isEmpty() || !std::isfinite(t))
        return {};
    const QDateTime when = vbdate::toQDateTime(t);
    if (!when.isValid())
        return {};
    fields += ",number=" + QByteArray::number(record.number) + 'i';
    return "quellin,meter=" + influxTagValue(meterTag) + ' ' + fields + ' ' +
           QByteArray::number(when.toMSecsSinceEpoch()) + "000000";
}

} // namespace quellin
