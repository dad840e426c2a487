#pragma once
// What quellin-cli writes about the measured records: the progress line on
// standard error (the JSON line is publish/RecordJson, shared with MQTT).

#include "base/Context.h"
#include "cli/CliOptions.h"

#include <QString>

namespace quellin {

// "記録 120 件　有効電力 1.234E+3 W　積算電力量 0.0412 kWh" (English: "records 120
// active power 1.234E+3 W energy 0.0412 kWh"); before the first line only the count.
QString measureProgressText(CliLang lang, int records, const DataRecord* last, double energyKWh);

} // namespace quellin
