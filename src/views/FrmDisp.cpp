#include "views/FrmDisp.h"

#include "base/MeasuredItems.h"
#include "base/VersionLayout.h"
#include "platform/Tx.h"
#include "settings/ModRegistry.h"
#include "views/FrmChildPlacement.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>

namespace quellin {

const std::array<QString, 15>& valueDesignTexts()
{
    static const std::array<QString, 15> texts = {
        QStringLiteral("0.000"), QStringLiteral("00/00 00:00:00"),
        QStringLiteral("0.000"), QStringLiteral("0.00"),
        QStringLiteral("0.000"), QStringLiteral("0.00"),
        QStringLiteral("0.000"), QStringLiteral("0.000"),
        QStringLiteral("0.000"), QStringLiteral("0.000"),
        QStringLiteral("0.0"),   QStringLiteral("0.0"),
        QStringLiteral("0.0"),   QStringLiteral("0"),
        QStringLiteral("0")};
    return texts;
}

std::array<QString, 15> unitDesignTexts()
{
    return {
        QStringLiteral("Hz"), TX("時間"), QStringLiteral("V"),  QStringLiteral("A"),
        QStringLiteral("V"),  QStringLiteral("A"),    QStringLiteral("W"),  QStringLiteral("Var"),
        QStringLiteral("VA"), QStringLiteral("%"),    QStringLiteral("mA"), QStringLiteral("mA"),
        QStringLiteral("mA"), TX("℃"),    TX("℃")};
}

namespace {

// One cell of the panel: a title label index, the value/unit item it pairs with.
struct Cell {
    int title;
    int item;
    int row; // 0-based
    bool right;
};

constexpr Cell kCells[] = {
    {0, 0, 0, false},   {5, 1, 0, true},   {1, 2, 1, false},   {6, 3, 1, true},
    {2, 4, 2, false},   {7, 5, 2, true},   {3, 6, 3, false},   {8, 7, 3, true},
    {4, 8, 4, false},   {9, 9, 4, true},   {10, 10, 5, false}, {13, 13, 5, true},
    {11, 11, 6, false}, {14, 14, 6, true}, {12, 12, 7, false},
};

// The caption of a panel item: the name of the measured item shown there.
QString captionOf(int panelItem)
{
    for (int c = 0; c < kMaxColumns; ++c)
        if (measuredItem(c).panelItem == panelItem)
            return txText(toQString(measuredItem(c).name));
    return {};
}

constexpr int kValueTop[8] = {210, 480, 750, 1020, 1290, 1575, 1860, 2145};

QString captionText(bool stale)
{
    return stale ? TX("測定値表示（受信待ち：最後に受信した値）") : TX("測定値表示");
}

QString valueStyle(bool stale, bool alarmed = false)
{
    if (alarmed)
        return stale ? QStringLiteral("QLabel { background: #5a2a2a; color: #e0b0b0; padding-right: 2px; }")
                     : QStringLiteral("QLabel { background: #b01818; color: #ffffff; padding-right: 2px; }");
    return stale ? QStringLiteral("QLabel { background: #2a2d31; color: #8d949c; padding-right: 2px; }")
                 : QStringLiteral("QLabel { background: #10202e; color: #7cf29a; padding-right: 2px; }");
}

} // namespace

FrmDisp::FrmDisp(Context& ctx, ChildWindowHost& host, QPoint firstRunPosition, QWidget* parent)
    : QMdiSubWindow(parent), ctx_(ctx), host_(host)
{
    setObjectName(QStringLiteral("FrmDisp"));
    setWindowTitle(captionText(false));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);

    const DispLayout layout = dispLayout(ctx_.app.HardVersion);
    auto* body = new QWidget;
    FramWK = new QGroupBox(body);
    FramWK->setObjectName(QStringLiteral("FramWK"));
    FramWK->setGeometry(twipsToPixels(layout.frameLeft), twipsToPixels(layout.frameTop),
                        twipsToPixels(layout.frameWidth), twipsToPixels(layout.frameHeight));

    // A compact face, so that "00/00 00:00:00" fits the designed rows.
    QFont panelFont = font();
    panelFont.setPointSizeF(8);
    body->setFont(panelFont);
    QFont valueFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    valueFont.setPointSizeF(8);
    valueFont.setBold(true);
    // The time needs the width of "00/00 00:00:00": it starts right after its
    // short title and ends where the other values end.
    const auto designedValueLeft = [](const Cell& cell) {
        return twipsToPixels(cell.item == 1 ? 2825 : cell.right ? 3225 : 1020);
    };
    const auto designedTitleX = [](const Cell& cell) { return twipsToPixels(cell.right ? 2460 : 180); };
    // A title longer than the room designed for it (an English one) moves the
    // columns after it to the right, and the frame and the window grow as much.
    const QFontMetrics titleMetrics(panelFont);
    int growLeft = 0;
    int growRight = 0;
    for (const Cell& cell : kCells) {
        if (cell.item >= 10 && !layout.showVersion2Rows)
            continue;
        const int room = designedValueLeft(cell) - designedTitleX(cell) - 2;
        int& grow = cell.right ? growRight : growLeft;
        grow = std::max(grow, titleMetrics.horizontalAdvance(captionOf(cell.item)) - room);
    }
    const int grown = growLeft + growRight;
    grownWidth_ = grown;
    for (const Cell& cell : kCells) {
        const int shift = cell.right ? grown : growLeft;
        const int valueY = twipsToPixels(kValueTop[cell.row]);
        const int titleX = designedTitleX(cell) + (cell.right ? growLeft : 0);
        const int valueX = twipsToPixels(cell.right ? 3225 : 1020) + shift;
        const int unitX = twipsToPixels(cell.right ? 4200 : 2010) + shift;
        const int rowHeight = twipsToPixels(270);
        const int valueLeft = designedValueLeft(cell) + shift;
        auto* title = new QLabel(captionOf(cell.item), FramWK);
        title->setGeometry(titleX, valueY - 2, valueLeft - titleX - 2, rowHeight);
        auto* value = new QLabel(valueDesignTexts()[static_cast<size_t>(cell.item)], FramWK);
        value->setFont(valueFont);
        if (cell.item == 1) {
            QFont timeFont = valueFont;
            timeFont.setPointSizeF(7.5);
            value->setFont(timeFont);
        }
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setStyleSheet(valueStyle(false));
        const int valueRight = cell.item == 1 ? twipsToPixels(4190) + shift : valueX + twipsToPixels(900);
        value->setGeometry(valueLeft, valueY - 3, valueRight - valueLeft, rowHeight);
        auto* unit = new QLabel(unitDesignTexts()[static_cast<size_t>(cell.item)], FramWK);
        unit->setGeometry(unitX + 3, valueY - 2, twipsToPixels(cell.right ? 600 : 440), rowHeight);
        title->setObjectName(QStringLiteral("LblTitle%1").arg(cell.title));
        value->setObjectName(QStringLiteral("LblValue%1").arg(cell.item));
        unit->setObjectName(QStringLiteral("LblTani%1").arg(cell.item));
        LblTitle[static_cast<size_t>(cell.title)] = title;
        LblValue[static_cast<size_t>(cell.item)] = value;
        LblTani[static_cast<size_t>(cell.item)] = unit;
        // Leakage currents and temperatures belong to version 2 only.
        const bool version2Item = cell.item >= 10;
        for (QLabel* l : {title, value, unit})
            l->setVisible(!version2Item || layout.showVersion2Rows);
    }
    FramWK->resize(FramWK->width() + grown, FramWK->height());
    setWidget(body);
    body->setMinimumSize(twipsToPixels(layout.windowWidth) - 8 + grown,
                         twipsToPixels(layout.frameHeight) + 4);
    resize(twipsToPixels(layout.windowWidth) + grown, twipsToPixels(layout.windowHeight));

    restoreChildPosition(*this, ctx_.settings, QStringLiteral("FrmDisp"), firstRunPosition);
    host_.setViewMark(ViewItem::Denryoku, true);
}

void FrmDisp::setValue(int item, const QString& text)
{
    if (item >= 0 && item < 15 && LblValue[static_cast<size_t>(item)]->text() != text)
        LblValue[static_cast<size_t>(item)]->setText(text);
}

void FrmDisp::setUnit(int item, const QString& text)
{
    if (item >= 0 && item < 15 && LblTani[static_cast<size_t>(item)]->text() != text)
        LblTani[static_cast<size_t>(item)]->setText(text);
}

void FrmDisp::showStale(bool stale)
{
    if (stale == stale_)
        return;
    stale_ = stale;
    setWindowTitle(captionText(stale));
    for (int i = 0; i < 15; ++i)
        restyle(i);
}

void FrmDisp::showAlarm(int item, bool raised)
{
    if (item < 0 || item >= 15 || alarmed_[static_cast<size_t>(item)] == raised)
        return;
    alarmed_[static_cast<size_t>(item)] = raised;
    restyle(item);
}

void FrmDisp::restyle(int item)
{
    LblValue[static_cast<size_t>(item)]->setStyleSheet(valueStyle(stale_, alarmed_[static_cast<size_t>(item)]));
}

void FrmDisp::resetValues()
{
    for (int i = 0; i < 15; ++i)
        setValue(i, valueDesignTexts()[static_cast<size_t>(i)]);
}

void FrmDisp::closeEvent(QCloseEvent* event)
{
    saveChildPosition(*this, ctx_.settings, QStringLiteral("FrmDisp"));
    host_.setViewMark(ViewItem::Denryoku, false);
    QMdiSubWindow::closeEvent(event);
}

} // namespace quellin
