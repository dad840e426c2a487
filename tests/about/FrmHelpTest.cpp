// The help window and the help pages shipped in the program: it opens at the
// contents, and every link and picture of every page leads somewhere.

#include "about/FrmHelp.h"

#include "Controls.h"
#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
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
    FrmHelp help;
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

TEST(HelpPages, EveryLinkAndPictureLeadsToAShippedFile)
{
    FrmHelp help; // registers the pages
    QStringList pages;
    for (QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}); it.hasNext();)
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
            const QString target =
                m.captured(1).isEmpty() ? page : QStringLiteral(":/help/") + m.captured(1);
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
