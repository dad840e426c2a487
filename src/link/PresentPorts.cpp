#include "link/PresentPorts.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace quellin {

namespace {

QString resolved(const QString& path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? path : target;
}

} // namespace

QList<PresentPort> presentPorts(const QString& stableFolder)
{
    QList<PresentPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PresentPort port;
        port.device = info.systemLocation();
        port.stableName = stableNameOf(port.device, stableFolder);
        port.description = info.description();
        port.serialNumber = info.serialNumber();
        ports.append(port);
    }
    return ports;
}

QString stableNameOf(const QString& device, const QString& folder)
{
    const QString target = resolved(device);
    const QDir dir(folder);
    for (const QFileInfo& link :
         dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (link.isSymLink() && resolved(link.absoluteFilePath()) == target)
            return link.absoluteFilePath();
    }
    return {};
}

QString serialNumberOf(const QList<PresentPort>& ports, const QString& device)
{
    const QString target = resolved(device);
    for (const PresentPort& port : ports)
        if (resolved(port.device) == target)
            return port.serialNumber;
    return {};
}

std::optional<PresentPort> portWithSerialNumber(const QList<PresentPort>& ports,
                                                const QString& serialNumber)
{
    if (serialNumber.isEmpty())
        return std::nullopt;
    for (const PresentPort& port : ports)
        if (port.serialNumber == serialNumber)
            return port;
    return std::nullopt;
}

} // namespace quellin
