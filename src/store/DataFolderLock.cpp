#include "store/DataFolderLock.h"

#include "platform/Tx.h"

#include <QDir>

namespace quellin {

DataFolderLock lockDataFolder(const QString& appFolder)
{
    DataFolderLock lock;
    lock.file = std::make_unique<QLockFile>(appFolder + QStringLiteral("Quellin.lock"));
    // Stale only when the program that took it is gone: QLockFile then takes it over.
    lock.file->setStaleLockTime(0);
    if (!lock.file->tryLock(0))
        lock.inUse = lock.file->error() == QLockFile::LockFailedError;
    return lock;
}

QString dataFolderInUseText(const QString& folder)
{
    return TX("データフォルダ %1 は、別の Quellin が使用中です。\r\n"
                          "同じデータフォルダで二つ目の Quellin は起動できません。"
                          "先に起動している Quellin を使用して下さい。")
        .arg(QDir::toNativeSeparators(folder));
}

} // namespace quellin
