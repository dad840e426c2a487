#pragma once
// A small tmpfs mounted in a temporary folder and filled up, for what the program
// does when the disk is full. Mounting needs root (CI runs as root); elsewhere
// the tests that need it skip with a message, and under CI they fail instead, so
// that these checks never silently go missing there.

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace quellin::test {

class FullDisk {
public:
    // A tmpfs of `bytes` bytes; null when it cannot be mounted (why() tells).
    static std::unique_ptr<FullDisk> mount(qint64 bytes = 256 * 1024);
    static QString why();
    ~FullDisk();

    QString path(const QString& name) const;
    // Writes a filler file until the disk refuses more.
    void fill();

private:
    FullDisk() = default;
    QTemporaryDir dir_;
    bool mounted_ = false;
};

} // namespace quellin::test

// In a test body: gives `disk` or skips (fails under CI) when no tmpfs can be had.
#define QUELLIN_FULL_DISK(disk)                                                                    \
    auto disk = ::quellin::test::FullDisk::mount();                                                \
    if (!disk) {                                                                                   \
        if (qEnvironmentVariableIsSet("CI"))                                                       \
            FAIL() << ::quellin::test::FullDisk::why().toStdString();                              \
        GTEST_SKIP() << ::quellin::test::FullDisk::why().toStdString();                            \
    }
