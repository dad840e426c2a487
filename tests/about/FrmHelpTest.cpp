// The help window and the help pages shipped in the program: it opens at the
// contents, and every link and picture of every page leads somewhere.

#include "about/FrmHelp.h"

#include "Controls.h"
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

QString readResource(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST(FrmHelp, OpensAtTheContentsAndFollowsLinks)
{
    FrmHelp help(Language::Ja);
    help.showContents();
    EXPECT_EQ(control<QTextBrowser>(help, "HelpBrowser")->source(),
              QUrl(QStringLiteral("qrc:/help/index.html")));
    EXPECT_EQ(control<QTextBrowser>(help, "HelpBrowser")->documentTitle(),
              QStringLiteral("Quellin ヘルプ 目次"));
    EXPECT_TRUE(help.windowTitle().contains(QStringLiteral("目次")));
    EXPECT_FALSE(control<QAction>(help, "HelpBack")->isEnabled());

    // As a click on the contents page's link does.
    control<QTextBrowser>(help, "HelpBrowser")
        ->setSource(control<QTextBrowser>(help, "HelpBrowser")
                        ->source()
                        .resolved(QUrl(QStringLiteral("print.html"))));
    EXPECT_EQ(control<QTextBrowser>(help, "HelpBrowser")->source(),
              QUrl(QStringLiteral("qrc:/help/print.html")));
    EXPECT_TRUE(control<QTextBrowser>(help, "HelpBrowser")
                    ->toPlainText()
                    .contains(QStringLiteral("データ一覧の印刷")));
    // With QUELLIN_SCREENSHOT_DIR set, the page is kept there as a picture.
    if (const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR"); !dir.isEmpty()) {
        help.show();
        QDir().mkpath(dir);
        help.grab().save(QDir(dir).filePath(QStringLiteral("help-print.png")));
    }
    EXPECT_TRUE(control<QAction>(help, "HelpBack")->isEnabled());
    control<QAction>(help, "HelpBack")->trigger();
    EXPECT_EQ(control<QTextBrowser>(help, "HelpBrowser")->source(),
              QUrl(QStringLiteral("qrc:/help/index.html")));
    control<QAction>(help, "HelpContents")->trigger();
    EXPECT_EQ(control<QTextBrowser>(help, "HelpBrowser")->documentTitle(),
              QStringLiteral("Quellin ヘルプ 目次"));
}

// A search lists the pages beside the page and opens the first; Escape closes
// the window.
TEST(FrmHelp, SearchesThePagesAndClosesWithEscape)
{
    FrmHelp help(Language::Ja);
    help.showContents();
    help.show();
    auto* field = control<QLineEdit>(help, "HelpSearch");
    auto* hits = control<QListWidget>(help, "HelpHits");
    auto* browser = control<QTextBrowser>(help, "HelpBrowser");
    EXPECT_FALSE(hits->isVisible());
    field->setText(QStringLiteral("quellin-cli"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    ASSERT_TRUE(hits->isVisible());
    ASSERT_GE(hits->count(), 1);
    EXPECT_TRUE(hits->item(0)->text().startsWith(QStringLiteral("12. quellin-cli")));
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/help/cli.html")));
    EXPECT_EQ(browser->textCursor().selectedText(), QStringLiteral("quellin-cli"));

    field->setText(QStringLiteral("ありえない語"));
    QApplication::sendEvent(field, &enter);
    ASSERT_EQ(hits->count(), 1);
    EXPECT_EQ(hits->item(0)->text(), QStringLiteral("「ありえない語」は見つかりません。"));
    EXPECT_EQ(browser->source(), QUrl(QStringLiteral("qrc:/help/cli.html")));

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(browser, &escape);
    EXPECT_FALSE(help.isVisible());
}

// Each language's window opens its own contents page and searches only the
// pages of its language.
TEST(FrmHelp, ShowsAndSearchesThePagesOfItsLanguage)
{
    const std::pair<Language, QString> cases[] = {
        {Language::Ja, QStringLiteral("qrc:/help/")}, {Language::En, QStringLiteral("qrc:/help/en/")}};
    for (const auto& [language, folder] : cases) {
        SCOPED_TRACE(folder.toStdString());
        FrmHelp help(language);
        help.showContents();
        auto* browser = control<QTextBrowser>(help, "HelpBrowser");
        EXPECT_EQ(browser->source(), QUrl(folder + QStringLiteral("index.html")));
        help.search(QStringLiteral("Quellin"));
        auto* hits = control<QListWidget>(help, "HelpHits");
        ASSERT_GE(hits->count(), 3);
        for (int row = hits->count() - 1; row >= 0; --row) {
            hits->setCurrentRow(row);
            EXPECT_EQ(browser->source().adjusted(QUrl::RemoveFilename).toString(), folder);
        }
    }
}

TEST(HelpPages, EveryLinkAndPictureLeadsToAShippedFile)
{
    FrmHelp help(Language::Ja); // registers the pages
    QStringList pages;
    for (const Language language : {Language::Ja, Language::En})
        for (QDirIterator it(helpFolder(language), {QStringLiteral("*.html")}); it.hasNext();)
            pages << it.next();
    ASSERT_GE(pages.size(), 10);
    static const QRegularExpression ref(
        QStringLiteral(R"re((?:href|src)="([^"#:]*)(?:#([^"]*))?")re"));
    static const QRegularExpression anchor(QStringLiteral(R"re(\bid="([^"]+)")re"));
    for (const QString& page : pages) {
        const QString html = readResource(page);
        ASSERT_FALSE(html.isEmpty()) << page.toStdString();
        for (auto it = ref.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            // Links are relative to the page's own folder.
            const QString target =
                m.captured(1).isEmpty()
                    ? page
                    : QDir::cleanPath(QFileInfo(page).path() + QLatin1Char('/') + m.captured(1));
            EXPECT_TRUE(QFile::exists(target))
                << page.toStdString() << " links to missing " << m.captured(1).toStdString();
            if (!m.captured(2).isEmpty() && target.endsWith(QStringLiteral(".html"))) {
                QStringList ids;
                for (auto a = anchor.globalMatch(readResource(target)); a.hasNext();)
                    ids << a.next().captured(1);
                EXPECT_TRUE(ids.contains(m.captured(2)))
                    << page.toStdString() << " links to missing anchor "
                    << m.captured(1).toStdString() << "#" << m.captured(2).toStdString();
            }
        }
    }
}

} // namespace
} // namespace quellin
