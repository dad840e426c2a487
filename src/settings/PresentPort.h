#pragma once
// A serial port the system has now, as the communication settings offer it: a
// USB adapter plugged in again may come back under another device name, so the
// dialog names each port by its stable link when there is one, and shows what
// tells two adapters apart (their description and serial number).

#include "platform/Tx.h"

#include <QString>

namespace quellin {

struct PresentPort {
    QString device;       // the system's name now, /dev/ttyUSB0
    QString stableName;   // the link that keeps naming this adapter, or empty
    QString description;  // the adapter's own words, or empty
    QString serialNumber; // empty when the adapter has none

    // The name to store for the port: the stable one where there is one.
    QString preferredName() const { return stableName.isEmpty() ? device : stableName; }

    // Its line in the list: the name to store, then the description and the
    // serial number where the adapter gives them.
    QString listText() const
    {
        QString text = preferredName();
        if (!description.isEmpty())
            text += QStringLiteral("  ") + description;
        if (!serialNumber.isEmpty())
            text = TX("%1（シリアル番号 %2）").arg(text, serialNumber);
        return text;
    }
};

} // namespace quellin
