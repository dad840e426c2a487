#include "Pty.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace quellin::sim {

namespace {

QString errnoText(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

Pty::~Pty()
{
    releaseSlave();
    closeMaster();
}

bool Pty::open(QString& error)
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        error = errnoText("posix_openpt");
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = errnoText("grantpt/unlockpt");
        closeMaster();
        return false;
    }
    char name[256];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        error = errnoText("ptsname_r");
        closeMaster();
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    if (!holdSlave()) {
        error = errnoText("open slave");
        closeMaster();
        return false;
    }
    // Raw 8-bit line at the meter's 9600 baud: no echo, no CR/LF translation.
    termios tio{};
    if (::tcgetattr(slave_, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(slave_, TCSANOW, &tio);
    }
    const int flags = ::fcntl(master_, F_GETFL);
    ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    return true;
}

bool Pty::holdSlave()
{
    if (slave_ >= 0)
        return true;
    slave_ = ::open(slavePath_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    return slave_ >= 0;
}

void Pty::releaseSlave()
{
    if (slave_ >= 0)
        ::close(slave_);
    slave_ = -1;
}

int Pty::unreadBytes() const
{
    int n = 0;
    if (slave_ < 0 || ::ioctl(slave_, FIONREAD, &n) != 0)
        return -1;
    return n;
}

void Pty::closeMaster()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}

DeviceLink::~DeviceLink()
{
    remove();
}

bool DeviceLink::create(const QString& path, const QString& target, QString& error)
{
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(p.constData(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        error = QStringLiteral("%1 exists and is not a symbolic link; not replaced").arg(path);
        return false;
    }
    const QByteArray temp = p + ".meter-sim-" + QByteArray::number(qint64(::getpid()));
    ::unlink(temp.constData());
    if (::symlink(QFile::encodeName(target).constData(), temp.constData()) != 0) {
        error = errnoText("symlink");
        return false;
    }
    if (::rename(temp.constData(), p.constData()) != 0) {
        error = errnoText("rename link");
        ::unlink(temp.constData());
        return false;
    }
    path_ = path;
    target_ = target;
    return true;
}

void DeviceLink::remove()
{
    if (path_.isEmpty())
        return;
    // Another simulator may have taken the name over since: leave its link alone.
    const QByteArray p = QFile::encodeName(path_);
    char buf[4096];
    const ssize_t n = ::readlink(p.constData(), buf, sizeof buf - 1);
    if (n > 0 && QByteArray(buf, n) == QFile::encodeName(target_))
        ::unlink(p.constData());
    path_.clear();
}

} // namespace quellin::sim
