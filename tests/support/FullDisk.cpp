#include "FullDisk.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <sys/mount.h>
#include <unistd.h>

namespace quellin::test {

std::unique_ptr<FullDisk> FullDisk::mount(qint64 bytes)
{
    if (::geteuid() != 0)
        return nullptr;
    std::unique_ptr<FullDisk> disk(new FullDisk);
    if (!disk->dir_.isValid())
        return nullptr;
    const QByteArray where = QFile::encodeName(disk->dir_.path());
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) != 0)
        return nullptr;
    disk->mounted_ = true;
    return disk;
}

QString FullDisk::why()
{
    return QStringLiteral("the full-disk checks need root to mount a small tmpfs; skipped");
}

FullDisk::~FullDisk()
{
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

QString FullDisk::path(const QString& name) const
{
    return QDir(dir_.path()).filePath(name);
}

void FullDisk::fill()
{
    QFile filler(path(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    // Whatever still fits in part of a block.
    const QByteArray byte(1, 'f');
    while (filler.write(byte) == 1) {
    }
}

} // namespace quellin::test
