#pragma once
// The pseudo-terminal the meter sits on, and the optional symbolic link to it.

#include <QString>

namespace quellin::sim {

class Pty {
public:
    Pty() = default;
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // Opens the master (non-blocking) and the slave in raw mode. False with error.
    bool open(QString& error);
    int master() const { return master_; }
    QString slavePath() const { return slavePath_; }

    // Our own slave descriptor keeps the master usable (reads give EIO while no
    // slave is open). Closing it lets a hang-up of the program be seen.
    bool holdsSlave() const { return slave_ >= 0; }
    void releaseSlave();
    bool holdSlave();

    // Bytes written to the master that the program has not read yet (-1: unknown).
    int unreadBytes() const;

    void closeMaster();

private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
};

// A symbolic link that is removed again when it still points where we made it point.
class DeviceLink {
public:
    DeviceLink() = default;
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Makes path a link to target, atomically replacing an old symbolic link.
    // Refuses (false, error) when path exists and is not a symbolic link.
    bool create(const QString& path, const QString& target, QString& error);
    void remove();

private:
    QString path_;
    QString target_;
};

} // namespace quellin::sim
