#pragma once
// Files written whole or not at all. QSaveFile alone is not enough: when the disk
// fills up, the part still in its buffer fails to reach the disk in commit(),
// which renames the cut file over the old one and reports success all the same.
// CheckedSaveFile flushes first and checks every write, the flush and the close;
// on any failure the temporary file is dropped and the old file stays as it was.
// The reason names what the user can act on ("the disk is full"), not Qt's
// "Unknown error".

#include <QSaveFile>
#include <QString>

namespace quellin {

// The user's words for why a file could not be written: errorNumber is errno
// right after the failing call (0 when unknown), folder the file's folder (a
// full disk is recognised there when errno says nothing), fallback Qt's text.
QString writeFailureReason(int errorNumber, const QString& folder, const QString& fallback);

class CheckedSaveFile {
public:
    explicit CheckedSaveFile(const QString& path);
    ~CheckedSaveFile();
    CheckedSaveFile(const CheckedSaveFile&) = delete;
    CheckedSaveFile& operator=(const CheckedSaveFile&) = delete;

    // An existing file in a folder that allows no new files is then replaced in
    // place (a failure can cut it); off by default.
    void setDirectWriteFallback(bool enabled) { file_.setDirectWriteFallback(enabled); }

    bool open();
    // False once any write has failed; later writes are not attempted.
    bool write(const QByteArray& bytes);
    // Flush, then commit: true only when every byte reached the file.
    bool commit();
    // Drops what was written; the old file stays.
    void cancel();

    // For writers that take a device (PDF, images). commit() checks what they did.
    QIODevice& device() { return file_; }
    QString path() const { return path_; }
    // Why the last call failed; empty after success.
    QString reason() const { return reason_; }

private:
    bool fail(int errorNumber);

    QString path_;
    QSaveFile file_;
    QString reason_;
    bool failed_ = false;
};

} // namespace quellin
