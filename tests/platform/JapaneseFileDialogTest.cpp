// The file dialogs as a Japanese user sees them: Qt's own dialog with the file
// list's dates written "2024/06/03 13:05" whatever the system's language.

#include "platform/JapaneseFileDialog.h"

#include "EnglishTexts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeView>
#include <gtest/gtest.h>
#include <optional>

namespace quellin {
namespace {

TEST(FileListDate, IsWrittenYearFirstWithA24HourClock)
{
    EXPECT_EQ(fileListDate(QDateTime(QDate(2024, 6, 3), QTime(13, 5, 59))),
              QStringLiteral("2024/06/03 13:05"));
    EXPECT_EQ(fileListDate(QDateTime(QDate(2002, 12, 31), QTime(0, 0))),
              QStringLiteral("2002/12/31 00:00"));
    EXPECT_EQ(fileListDate(QDateTime()), QString());
}

// Sizes are written in the language the program speaks, dates the one way.
TEST(FileListSize, FollowsTheProgramsLanguage)
{
    const struct {
        bool english;
        qint64 bytes;
        const char* shown;
    } cases[] = {
        {false, 10, "10 バイト"}, {true, 10, "10 bytes"}, {true, 2048, "2.00 KiB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        std::optional<test::EnglishTexts> english;
        if (c.english) {
            english.emplace();
            ASSERT_TRUE(english->loaded());
        }
        EXPECT_EQ(fileListSize(c.bytes), QString::fromUtf8(c.shown));
        EXPECT_EQ(fileListDate(QDateTime(QDate(2024, 6, 3), QTime(13, 5))),
                  QStringLiteral("2024/06/03 13:05"));
    }
}

TEST(JapaneseFileDialog, TheListShowsJapaneseDatesInQtsOwnDialog)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("data.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0123456789");
    file.flush();
    const QDateTime modified(QDate(2024, 6, 3), QTime(13, 5));
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();

    // Qt's Japanese texts, as the program loads them at start.
    QTranslator qtbase;
    const bool translated = qtbase.load(QStringLiteral("qtbase_ja"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (translated)
        QApplication::installTranslator(&qtbase);

    QFileDialog dialog(nullptr, QString(), dir.path(), QStringLiteral("CSVﾌｧｲﾙ(*.csv)"));
    makeJapaneseFileDialog(dialog);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(760, 420);
    dialog.show();

    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(tree, nullptr);
    QAbstractItemModel* model = tree->model();
    QModelIndex row;
    for (int i = 0; i < 200 && !row.isValid(); ++i) { // the directory is read in the background
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        const QModelIndex root = tree->rootIndex();
        for (int r = 0; r < model->rowCount(root); ++r)
            if (model->index(r, 0, root).data().toString() == QStringLiteral("data.csv"))
                row = model->index(r, 0, root);
    }
    ASSERT_TRUE(row.isValid());
    EXPECT_EQ(row.siblingAtColumn(3).data().toString(), QStringLiteral("2024/06/03 13:05"));
    EXPECT_EQ(row.siblingAtColumn(1).data().toString(),
              QLocale(QLocale::Japanese, QLocale::Japan).formattedDataSize(10));
    if (translated) { // the column headings come from Qt's Japanese texts
        EXPECT_NE(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Date Modified"));
    }

    if (const QString shots = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !shots.isEmpty())
        dialog.grab().save(QDir(shots).filePath(QStringLiteral("file-dialog.png")));
    if (translated)
        QApplication::removeTranslator(&qtbase);
}

} // namespace
} // namespace quellin
