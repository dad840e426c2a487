#pragma once
// A stored record as one JSON object: quellin-cli's --jsonl line and the MQTT
// state message are this one text.

#include "base/Context.h"

#include <QString>

namespace quellin {

// {"number":0,"time":"2002/06/01 12:00:00","voltR":100.1,…}: the columns the data
// set has, under the measured items' keys; a value that is not a finite number
// is null.
QString recordJson(const Context& ctx, const DataRecord& record);

} // namespace quellin
