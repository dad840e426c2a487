#include "platform/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

using quellin::fileNameOf;
using quellin::folderOf;

namespace {

struct PathCase {
    const char* path;
    const char* folder;
    const char* name;
};

class PathParts : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathParts, SplitAtTheLastSeparator)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(folderOf(QString::fromUtf8(c.path)), QString::fromUtf8(c.folder)) << c.path;
    EXPECT_EQ(fileNameOf(QString::fromUtf8(c.path)), QString::fromUtf8(c.name)) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathParts,
    ::testing::Values(PathCase{"C:\\x.csv", "C:\\", "x.csv"}, PathCase{"/x", "/", "x"},
                      PathCase{"/x.csv", "/", "x.csv"}, PathCase{"x.csv", "", "x.csv"},
                      PathCase{"", "", ""}, PathCase{"C:x.csv", "", "C:x.csv"},
                      PathCase{"C:\\Data\\a.csv", "C:\\Data", "a.csv"},
                      PathCase{"/home/u/Data/a.csv", "/home/u/Data", "a.csv"},
                      PathCase{"/home/u/Data/", "/home/u/Data", ""}, PathCase{"/", "/", ""},
                      PathCase{"C:\\", "C:\\", ""}, PathCase{"a/b\\c.csv", "a/b", "c.csv"},
                      PathCase{"a\\b/c.csv", "a\\b", "c.csv"},
                      PathCase{"\\\\server\\share\\x.csv", "\\\\server\\share", "x.csv"},
                      PathCase{"/データ/記録.csv", "/データ", "記録.csv"}));

// Sets QUELLIN_HOME for one test and puts the previous value back.
class HomeVariable {
public:
    explicit HomeVariable(const QByteArray& value)
    {
        if (qEnvironmentVariableIsSet("QUELLIN_HOME"))
            previous_ = qgetenv("QUELLIN_HOME");
        qputenv("QUELLIN_HOME", value);
    }
    ~HomeVariable()
    {
        if (previous_)
            qputenv("QUELLIN_HOME", *previous_);
        else
            qunsetenv("QUELLIN_HOME");
    }

private:
    std::optional<QByteArray> previous_;
};

TEST(ResolveAppFolder, UsesQuellinHomeWithOneTrailingSeparator)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString expected = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    for (const QString& home : {dir.path(), dir.path() + QLatin1Char('/')}) {
        HomeVariable env(home.toLocal8Bit());
        EXPECT_EQ(quellin::resolveAppFolder(), expected) << home.toStdString();
    }
}

TEST(ResolveAppFolder, CreatesAMissingFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString home = dir.filePath(QStringLiteral("new/home"));
    HomeVariable env(home.toLocal8Bit());
    const QString folder = quellin::resolveAppFolder();
    EXPECT_EQ(folder, QDir::toNativeSeparators(home) + QDir::separator());
    EXPECT_TRUE(QFileInfo(home).isDir());
}

TEST(ResolveAppFolder, MakesARelativeHomeAbsolute)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    {
        HomeVariable env("rel");
        EXPECT_EQ(quellin::resolveAppFolder(),
                  QDir::toNativeSeparators(dir.filePath(QStringLiteral("rel"))) +
                      QDir::separator());
    }
    QDir::setCurrent(previous);
}

TEST(ResolveAppFolder, WithoutHomeUsesThePerUserDataFolder)
{
    QTemporaryDir dataHome;
    ASSERT_TRUE(dataHome.isValid());
    const QByteArray previousXdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    HomeVariable env("");
    qunsetenv("QUELLIN_HOME");
    const QString folder = quellin::resolveAppFolder();
    EXPECT_EQ(folder, QDir::toNativeSeparators(dataHome.filePath(QStringLiteral("Quellin"))) +
                          QDir::separator());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    if (previousXdg.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousXdg);
}

} // namespace
