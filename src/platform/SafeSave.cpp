#include "platform/SafeSave.h"

#include "platform/Tx.h"

#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>

namespace quellin {

namespace {

// Below this many bytes free a folder's disk counts as full: a write that failed
// there failed for want of space, whatever else the system said.
constexpr qint64 kFullDiskBytes = 64 * 1024;

bool diskIsFull(const QString& folder)
{
    const QStorageInfo storage(folder);
    return storage.isValid() && storage.isReady() && storage.bytesAvailable() < kFullDiskBytes;
}

} // namespace

QString writeFailureReason(int errorNumber, const QString& folder, const QString& fallback)
{
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return TX("ディスクの空き容量が足りません。");
    case EROFS:
        return TX("書き込みのできないディスクです。");
    case EACCES:
    case EPERM:
        return TX("書き込みが許可されていません。");
    case EIO:
        return TX("ディスクの読み書きでエラーが発生しました。");
    default:
        break;
    }
    if (diskIsFull(folder))
        return TX("ディスクの空き容量が足りません。");
    if (fallback.isEmpty() || fallback == QLatin1String("Unknown error"))
        return TX("書き込みに失敗しました。");
    return fallback;
}

CheckedSaveFile::CheckedSaveFile(const QString& path) : path_(path), file_(path)
{
}

CheckedSaveFile::~CheckedSaveFile()
{
    if (file_.isOpen())
        file_.cancelWriting();
}

bool CheckedSaveFile::fail(int errorNumber)
{
    failed_ = true;
    reason_ = writeFailureReason(errorNumber, QFileInfo(path_).absolutePath(), file_.errorString());
    if (file_.isOpen())
        file_.cancelWriting();
    return false;
}

bool CheckedSaveFile::open()
{
    reason_.clear();
    failed_ = false;
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly))
        return fail(errno);
    return true;
}

bool CheckedSaveFile::write(const QByteArray& bytes)
{
    if (failed_ || !file_.isOpen())
        return false;
    errno = 0;
    if (file_.write(bytes) != bytes.size() || file_.error() != QFileDevice::NoError)
        return fail(errno);
    return true;
}

bool CheckedSaveFile::commit()
{
    if (failed_ || !file_.isOpen())
        return false;
    // A writer given device() may have failed already; its errno is gone.
    if (file_.error() != QFileDevice::NoError)
        return fail(0);
    errno = 0;
    if (!file_.flush() || file_.error() != QFileDevice::NoError)
        return fail(errno);
    errno = 0;
    if (!file_.commit()) {
        const int cause = errno;
        failed_ = true;
        reason_ = writeFailureReason(cause, QFileInfo(path_).absolutePath(), file_.errorString());
        return false;
    }
    reason_.clear();
    return true;
}

void CheckedSaveFile::cancel()
{
    if (file_.isOpen())
        file_.cancelWriting();
}

} // namespace quellin
