#pragma once
// The serial ports present now (QSerialPortInfo) with their stable names, and
// finding an adapter again by its serial number.

#include "settings/PresentPort.h"

#include <QList>
#include <optional>

namespace quellin {

inline const QString kStablePortFolder = QStringLiteral("/dev/serial/by-id");

// The ports the system lists, in its order, each with its link in stableFolder.
QList<PresentPort> presentPorts(const QString& stableFolder = kStablePortFolder);

// The link in folder that leads to device; empty when none does.
QString stableNameOf(const QString& device, const QString& folder);

// The serial number of the port that device names (the device itself or a link
// to it); empty when it is not among ports or has none.
QString serialNumberOf(const QList<PresentPort>& ports, const QString& device);

// The port whose adapter has serialNumber; nothing for an empty serial number.
std::optional<PresentPort> portWithSerialNumber(const QList<PresentPort>& ports,
                                                const QString& serialNumber);

} // namespace quellin
