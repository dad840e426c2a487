#include "about/FrmHelp.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

// The help pages live in the windows library; a static library's resources are
// registered by name.
static void registerHelpPages()
{
    Q_INIT_RESOURCE(help);
}

namespace quellin {

QString helpContentsUrl()
{
    return QStringLiteral("qrc:/help/index.html");
}

FrmHelp::FrmHelp(QWidget* parent) : QWidget(parent, Qt::Window)
{
    registerHelpPages();
    setObjectName(QStringLiteral("FrmHelp"));
    setWindowTitle(QStringLiteral("Quellin ヘルプ"));

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    contents_ =
        bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("目次"));
    back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("戻る"));
    forward_ =
        bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("進む"));
    contents_->setObjectName(QStringLiteral("HelpContents"));
    back_->setObjectName(QStringLiteral("HelpBack"));
    forward_->setObjectName(QStringLiteral("HelpForward"));
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    connect(contents_, &QAction::triggered, this, [this] { showContents(); });
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Quellin ヘルプ")
                                       : QStringLiteral("Quellin ヘルプ － ") + title);
    });
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);

    QSize size(900, 760);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
}

void FrmHelp::showContents()
{
    browser_->setSource(QUrl(helpContentsUrl()));
}

} // namespace quellin
