#pragma once
// One program per data folder: the window program and quellin-cli both write
// TMP.DAT there, so whichever starts second leaves it alone. The lock is
// Quellin.lock in the folder; a lock whose program is gone (a crash, a power
// cut) is taken over.

#include <QLockFile>
#include <QString>
#include <memory>

namespace quellin {

struct DataFolderLock {
    std::unique_ptr<QLockFile> file; // held while it lives
    bool inUse = false;              // another running program holds the folder
};

// Takes the folder's lock. A folder where nothing can be written has nothing to
// protect: the result is then neither held nor in use.
DataFolderLock lockDataFolder(const QString& appFolder);

// Another running program holds the data folder.
QString dataFolderInUseText(const QString& folder);

} // namespace quellin
