#pragma once
// What quellin-cli writes about the measured records: the progress line on
// standard error (the JSON line is publish/RecordJson, shared with MQTT).

#include "base/Context.h"
#include "cli/CliOptions.h"

#include <QString>
#include <QStringList>

namespace quellin {

// "記録 120 件　有効電力 1.234E+3 W　積算電力量 0.0412 kWh" (English: "records 120
// active power 1.234E+3 W energy 0.0412 kWh"); before the first line only the count.
QString measureProgressText(int records, const DataRecord* last, double energyKWh);

// The last line of a measurement: "計測を終了しました。記録 120 件、計測時間
// 0:02:00、書いたファイル：log.csv、data.csv" (English: "measurement ended: 120
// records in 0:02:00, files written: log.csv, data.csv"); no file: "なし", "none".
QString measureSummaryText(int records, qint64 seconds, const QStringList& files);

} // namespace quellin
