#include "about/FrmHelp.h"

#include "platform/Tx.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

// The help pages live in the windows library; a static library's resources are
// registered by name.
static void registerHelpPages()
{
    Q_INIT_RESOURCE(help);
}

namespace quellin {

QString helpContentsUrl(Language language)
{
    return QStringLiteral("qrc") + helpFolder(language) + QStringLiteral("/index.html");
}

namespace {

// Only the folder's own pages: the English ones are a folder below the Japanese.
std::vector<HelpPage> readHelpPages(Language language)
{
    std::vector<HelpPage> pages;
    QStringList paths;
    QDirIterator it(helpFolder(language), {QStringLiteral("*.html")});
    while (it.hasNext())
        paths << it.next();
    paths.sort(); // the pages' file names follow the contents only loosely; titles are numbered
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(file.readAll()));
        pages.push_back({QStringLiteral("qrc") + path, doc.metaInformation(QTextDocument::DocumentTitle),
                         doc.toPlainText()});
    }
    return pages;
}

} // namespace

FrmHelp::FrmHelp(Language language, QWidget* parent)
    : QWidget(parent, Qt::Window), language_(language)
{
    registerHelpPages();
    setObjectName(QStringLiteral("FrmHelp"));
    setWindowTitle(TX("Quellin ヘルプ"));

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    contents_ =
        bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), TX("目次"));
    back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), TX("戻る"));
    forward_ =
        bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), TX("進む"));
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
        setWindowTitle(title.isEmpty() ? TX("Quellin ヘルプ")
                                       : TX("Quellin ヘルプ － ") + title);
    });
    back_->setEnabled(false);
    forward_->setEnabled(false);

    bar->addSeparator();
    searchField_ = new QLineEdit(bar);
    searchField_->setObjectName(QStringLiteral("HelpSearch"));
    searchField_->setPlaceholderText(TX("ヘルプを検索"));
    searchField_->setClearButtonEnabled(true);
    searchField_->setMaximumWidth(260);
    bar->addWidget(searchField_);
    connect(searchField_, &QLineEdit::returnPressed, this,
            [this] { search(searchField_->text()); });
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        searchField_->setFocus(Qt::ShortcutFocusReason);
        searchField_->selectAll();
    });

    hitList_ = new QListWidget(this);
    hitList_->setObjectName(QStringLiteral("HelpHits"));
    hitList_->setMaximumWidth(260);
    hitList_->hide();
    connect(hitList_, &QListWidget::currentRowChanged, this, [this](int row) { openHit(row); });

    auto* pane = new QHBoxLayout;
    pane->setSpacing(0);
    pane->addWidget(hitList_);
    pane->addWidget(browser_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addLayout(pane, 1);

    QSize size(900, 760);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
}

void FrmHelp::showContents()
{
    browser_->setSource(QUrl(helpContentsUrl(language_)));
}

void FrmHelp::keyPressEvent(QKeyEvent* event)
{
    // Escape closes the window, as it does a dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmHelp::search(const QString& query)
{
    if (pages_.empty())
        pages_ = readHelpPages(language_);
    query_ = query.simplified();
    hits_ = searchHelp(pages_, query_);
    const QSignalBlocker quiet(hitList_);
    hitList_->clear();
    if (query_.isEmpty()) {
        hitList_->hide();
        return;
    }
    hitList_->show();
    if (hits_.empty()) {
        hitList_->addItem(TX("「%1」は見つかりません。").arg(query_));
        return;
    }
    for (const HelpHit& hit : hits_)
        hitList_->addItem(TX("%1（%2）").arg(hit.title).arg(hit.count));
    hitList_->setCurrentRow(0);
    openHit(0);
}

void FrmHelp::openHit(int row)
{
    if (row < 0 || row >= static_cast<int>(hits_.size()))
        return;
    browser_->setSource(QUrl(hits_[static_cast<size_t>(row)].url));
    // The first place of the first word, marked.
    browser_->moveCursor(QTextCursor::Start);
    browser_->find(query_.split(QLatin1Char(' ')).value(0));
}

} // namespace quellin
