#include "dialogs/FrmDispSet.h"

#include "base/VersionLayout.h"
#include "dialogs/DispSetCheck.h"
#include "dialogs/KeyGate.h"
#include "link/Sequencer.h"
#include "link/SettingsExchange.h"
#include "platform/Tx.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace quellin {

namespace {

constexpr int kLineHeight = 22;

QLineEdit* textField(QWidget* parent, KeyFilter filter, int width)
{
    auto* edit = new QLineEdit(parent);
    edit->setFixedSize(width, kLineHeight);
    edit->setAlignment(Qt::AlignRight);
    if (filter != KeyFilter::Any)
        guardKeys(edit, filter);
    return edit;
}

QComboBox* listField(QWidget* parent, const QStringList& entries, int width)
{
    auto* combo = new QComboBox(parent);
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    // Room for the widest entry beside the arrow, never narrower than designed.
    int widest = 0;
    for (const QString& entry : entries)
        widest = std::max(widest, combo->fontMetrics().horizontalAdvance(entry));
    combo->setFixedSize(std::max(width, widest + 34), kLineHeight);
    return combo;
}

QLabel* caption(const QString& text)
{
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QString outputCaption(OutputKind kind)
{
    switch (kind) {
    case OutputKind::PowerUnit:
        return TX("単位：");
    case OutputKind::LeakageChannel:
    case OutputKind::TemperatureChannel:
        return TX("入力ＣＨ：");
    case OutputKind::OnTime:
        return TX("ＯＮ時間：");
    case OutputKind::OffLevel:
        return TX("ＯＦＦレベル：");
    case OutputKind::OffTime:
        return TX("ＯＦＦ時間：");
    default:
        return TX("レベル：");
    }
}

// The frames of the tabs 1-3 and their two outputs each.
const char* const kPageCaptions[4] = {TXN("環境設定"), TXN("電力制御"), TXN("漏電電流"), TXN("温度")};
const char* const kSelectorCaptions[4] = {TXN("環境"), TXN("電力"), TXN("漏電電流"), TXN("温度")};
const char* const kOutputCaptions[3][2] = {{TXN("電力制御出力１"), TXN("電力制御出力２")},
                                           {TXN("漏電電流制御出力１"), TXN("漏電電流制御出力２")},
                                           {TXN("温度制御出力１"), TXN("温度制御出力２")}};

} // namespace

FrmDispSet::FrmDispSet(Context& ctx, Sequencer& link, QWidget* parent)
    : QDialog(parent), ctx_(ctx), link_(link)
{
    setObjectName(QStringLiteral("FrmDispSet"));
    setWindowTitle(TX("電力計の環境設定"));
    setModal(true);
    const DispSetLayout lay = dispSetLayout(ctx_.app.HardVersion);
    const auto tw = [](int twips) { return twipsToPixels(twips); };
    // The designed height counts the caption bar.
    setFixedSize(tw(lay.windowWidth), tw(lay.windowHeight) - tw(400));

    const int pageTop = lay.showSelectors ? 36 : 6;
    const int pageHeight = tw(lay.sendTop) - 8 - pageTop;
    // A selector is as wide as its caption needs, never narrower than designed.
    int selectorLeft = tw(lay.pageLeft);
    for (int i = 0; i < 4; ++i) {
        auto* selector = new QPushButton(tx(kSelectorCaptions[i]), this);
        const int selectorWidth =
            std::max(80, selector->fontMetrics().horizontalAdvance(selector->text()) + 12);
        selector->setCheckable(true);
        selector->setAutoExclusive(true);
        selector->setAutoDefault(false);
        selector->setGeometry(selectorLeft, 6, selectorWidth, 26);
        selectorLeft += selectorWidth + 4;
        selector->setVisible(lay.showSelectors);
        selector->setObjectName(QStringLiteral("OptionSet%1").arg(i));
        connect(selector, &QPushButton::clicked, this, [this, i] { OptionSet_Click(i); });
        OptionSet[static_cast<size_t>(i)] = selector;

        auto* page = new QGroupBox(tx(kPageCaptions[i]), this);
        page->setGeometry(tw(lay.pageLeft), pageTop, width() - 2 * tw(lay.pageLeft), pageHeight);
        page->setVisible(false);
        page->setObjectName(QStringLiteral("FrameSb%1").arg(i));
        FrameSb[static_cast<size_t>(i)] = page;
    }
    buildEnvironmentPage();
    for (int tab = kTabPower; tab <= kTabTemperature; ++tab)
        buildOutputPage(tab);
    OptionSet[0]->setChecked(true);
    FrameSb[0]->setVisible(true);

    CmdSend = new QPushButton(TX("送信(FLASH書込み)"), this);
    CmdClose = new QPushButton(TX("閉じる"), this);
    // A longer caption widens a button to the left: its right edge stays.
    const auto widthFor = [](QPushButton* b, int designed) {
        return std::max(designed, b->fontMetrics().horizontalAdvance(b->text()) + 12);
    };
    const int closeWidth = widthFor(CmdClose, 66);
    const int sendWidth = widthFor(CmdSend, 120);
    const int closeLeft = tw(lay.closeLeft) + 66 - closeWidth;
    CmdClose->setGeometry(closeLeft, tw(lay.closeTop), closeWidth, 26);
    CmdSend->setGeometry(std::min(tw(lay.sendLeft) + 120, closeLeft - 4) - sendWidth,
                         tw(lay.sendTop), sendWidth, 26);
    CmdSend->setObjectName(QStringLiteral("CmdSend"));
    CmdClose->setObjectName(QStringLiteral("CmdClose"));
    // Enter in a field sends nothing: no button is the default.
    for (QPushButton* b : {CmdSend, CmdClose})
        b->setAutoDefault(false);
    connect(CmdSend, &QPushButton::clicked, this, [this] { CmdSend_Click(); });
    connect(CmdClose, &QPushButton::clicked, this, [this] { CmdClose_Click(); });

    Tmr1Sec = new QTimer(this);
    Tmr1Sec->setInterval(1000);
    Tmr1Sec->setObjectName(QStringLiteral("Tmr1Sec"));
    connect(Tmr1Sec, &QTimer::timeout, this, [this] { Tmr1Sec_Timer(); });

    link_.clients().dispSet = &linkSide_;
    setEnabled(false);
    repaint();
    startSettingsRead(link_);
}

FrmDispSet::~FrmDispSet()
{
    if (link_.clients().dispSet == &linkSide_)
        link_.clients().dispSet = nullptr;
}

void FrmDispSet::buildEnvironmentPage()
{
    QGroupBox* page = FrameSb[kTabEnvironment];
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    CmbDenatu = listField(page, denatuEntries(), 76);
    for (int i = 0; i < 6; ++i) {
        const int width = i == 5 ? 132 : i >= 3 ? 116 : 64;
        TxtData[static_cast<size_t>(i)] = textField(page, txtDataFilter(i), width);
        TxtData[static_cast<size_t>(i)]->setObjectName(QStringLiteral("TxtData%1").arg(i));
    }
    // The clock shows the PC's time until the settings are sent. It can be
    // clicked (to copy it) but is no Tab stop.
    TxtData[5]->setReadOnly(true);
    TxtData[5]->setFocusPolicy(Qt::ClickFocus);
    CmbJikan = listField(page, jikanEntries(), 80);
    CmbRenge = listField(page, rengeEntries(), 80);
    CmbTimer = listField(page, timerEntries(), 100);
    CmbDenatu->setObjectName(QStringLiteral("CmbDenatu"));
    CmbJikan->setObjectName(QStringLiteral("CmbJikan"));
    CmbRenge->setObjectName(QStringLiteral("CmbRenge"));
    CmbTimer->setObjectName(QStringLiteral("CmbTimer"));
    connect(CmbDenatu, &QComboBox::currentIndexChanged, this, [this] { CmbDenatu_Click(); });

    auto* voltage = new QHBoxLayout;
    voltage->setSpacing(6);
    voltage->addWidget(CmbDenatu);
    voltage->addWidget(TxtData[0]);
    voltage->addStretch();
    grid->addWidget(caption(TX("電圧の接触／非接触：")), 0, 0, 1, 2);
    grid->addLayout(voltage, 0, 2, 1, 3);

    // The meter's own values on the left, the logging on the right.
    const auto row = [&](int r, int column, const QString& text, QWidget* field) {
        grid->addWidget(caption(text), r, column);
        grid->addWidget(field, r, column + 1, Qt::AlignLeft);
    };
    row(1, 0, TX("ＰＴ比数値："), TxtData[1]);
    row(2, 0, TX("ＣＴ比数値："), TxtData[2]);
    row(3, 0, TX("レンジ選択："), CmbRenge);
    row(4, 0, TX("時刻："), TxtData[5]);
    row(1, 3, TX("ロギング　時間間隔："), CmbJikan);
    row(2, 3, TX("ロギング　開始時間："), TxtData[3]);
    row(3, 3, TX("ロギング　終了時間："), TxtData[4]);
    row(4, 3, TX("ロギングタイマ："), CmbTimer);
    grid->setColumnStretch(2, 1);
    // Tab goes as the eye does: the voltage row, down the meter's column, then
    // down the logging's column.
    QWidget* const order[] = {CmbDenatu, TxtData[0], TxtData[1], TxtData[2], CmbRenge,
                              CmbJikan,  TxtData[3], TxtData[4], CmbTimer};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto* comm = new QGroupBox(TX("通信パラメータ（参照のみ）"), page);
    auto* commRow = new QHBoxLayout(comm);
    commRow->setContentsMargins(8, 2, 8, 4);
    commRow->setSpacing(4);
    const QString commCaptions[4] = {TX("通信速度："), TX("パリティ："), TX("データビット："),
                                     TX("ストップビット：")};
    const int valueWidths[4] = {40, 36, 12, 12};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(comm);
        label->setMinimumWidth(valueWidths[i]);
        commRow->addWidget(new QLabel(commCaptions[i], comm));
        commRow->addWidget(label);
        if (i < 3)
            commRow->addSpacing(4);
        label->setObjectName(QStringLiteral("LblComm%1").arg(i));
        LblComm[static_cast<size_t>(i)] = label;
    }
    commRow->addStretch();
    grid->addWidget(comm, 5, 0, 1, 5);
    grid->setRowStretch(6, 1);
}

void FrmDispSet::buildOutputPage(int tab)
{
    QGroupBox* page = FrameSb[static_cast<size_t>(tab)];
    auto* pair = new QHBoxLayout(page);
    pair->setContentsMargins(8, 6, 8, 6);
    pair->setSpacing(10);
    std::array<QGridLayout*, 2> grids{};
    for (int output = 0; output < 2; ++output) {
        auto* box = new QGroupBox(tx(kOutputCaptions[tab - 1][output]), page);
        grids[static_cast<size_t>(output)] = new QGridLayout(box);
        grids[static_cast<size_t>(output)]->setVerticalSpacing(4);
        grids[static_cast<size_t>(output)]->setColumnStretch(2, 1);
        pair->addWidget(box);
    }
    for (const OutputParam& p : outputParams()) {
        if (p.tab != tab)
            continue;
        const int output = (p.number - 10) / 5 % 2;
        const int r = (p.number - 10) % 5;
        QWidget* field = nullptr;
        QWidget* box = grids[static_cast<size_t>(output)]->parentWidget();
        if (p.isList) {
            auto* combo = listField(box, outputListEntries(p.control), 64);
            combo->setObjectName(QStringLiteral("CmbSb%1").arg(p.control));
            CmbSb[static_cast<size_t>(p.control)] = combo;
            field = combo;
        } else {
            QLineEdit* edit = textField(box, txtDataSbFilter(p.control), 64);
            edit->setObjectName(QStringLiteral("TxtDataSb%1").arg(p.control));
            TxtDataSb[static_cast<size_t>(p.control)] = edit;
            field = edit;
        }
        grids[static_cast<size_t>(output)]->addWidget(caption(outputCaption(p.kind)), r, 0);
        grids[static_cast<size_t>(output)]->addWidget(field, r, 1);
    }
}

// ---------------------------------------------------------------------------------
// The fields

DispSetFields FrmDispSet::fields() const
{
    DispSetFields f;
    f.denatu = CmbDenatu->currentIndex();
    for (size_t i = 0; i < TxtData.size(); ++i)
        f.data[i] = TxtData[i]->text();
    f.jikan = CmbJikan->currentIndex();
    f.renge = CmbRenge->currentIndex();
    f.timer = CmbTimer->currentIndex();
    for (size_t i = 0; i < LblComm.size(); ++i)
        f.comm[i] = LblComm[i]->text();
    for (size_t i = 0; i < CmbSb.size(); ++i)
        f.sb[i] = CmbSb[i]->currentIndex();
    for (size_t i = 0; i < TxtDataSb.size(); ++i)
        f.sbText[i] = TxtDataSb[i]->text();
    return f;
}

void FrmDispSet::showFields(const DispSetFields& f)
{
    CmbDenatu->setCurrentIndex(f.denatu);
    CmbDenatu_Click();
    for (size_t i = 0; i < TxtData.size(); ++i)
        TxtData[i]->setText(f.data[i]);
    CmbJikan->setCurrentIndex(f.jikan);
    CmbRenge->setCurrentIndex(f.renge);
    CmbTimer->setCurrentIndex(f.timer);
    for (size_t i = 0; i < LblComm.size(); ++i)
        LblComm[i]->setText(f.comm[i]);
    for (size_t i = 0; i < CmbSb.size(); ++i)
        CmbSb[i]->setCurrentIndex(f.sb[i]);
    for (size_t i = 0; i < TxtDataSb.size(); ++i)
        TxtDataSb[i]->setText(f.sbText[i]);
}

int FrmDispSet::currentTab() const
{
    for (int i = 0; i < 4; ++i)
        if (FrameSb[static_cast<size_t>(i)]->isVisibleTo(this))
            return i;
    return -1;
}

// ---------------------------------------------------------------------------------
// Events

void FrmDispSet::DataDisp(const ExchangeReplies& replies)
{
    const int version = ctx_.app.HardVersion;
    DispSetFields f = fieldsFromReplies(replies, version);
    f.data[5] = clockText(ctx_.svc.clock.now());
    showFields(f);
    Tmr1Sec->start();
    setEnabled(true);
    ctx_.svc.pointer.setPointer(MousePointer::Default);
}

void FrmDispSet::Tmr1Sec_Timer()
{
    TxtData[5]->setText(clockText(ctx_.svc.clock.now()));
}

void FrmDispSet::CmbDenatu_Click()
{
    // The value counts only for a non-contact connection.
    const bool nonContact = CmbDenatu->currentIndex() == 1;
    QLineEdit* edit = TxtData[0];
    edit->setEnabled(nonContact);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Disabled, QPalette::Base, pal.color(QPalette::Button));
    edit->setPalette(pal);
}

void FrmDispSet::OptionSet_Click(int index)
{
    for (int i = 0; i < 4; ++i) {
        FrameSb[static_cast<size_t>(i)]->setVisible(i == index);
        OptionSet[static_cast<size_t>(i)]->setChecked(i == index);
    }
}

void FrmDispSet::focusError(int tab, QWidget* control)
{
    if (ctx_.app.HardVersion > 1)
        OptionSet_Click(tab);
    control->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

bool FrmDispSet::CmdSend_Click()
{
    const int version = ctx_.app.HardVersion;
    const DispSetFields f = fields();
    if (const auto error = checkDispSet(f, version)) {
        ctx_.svc.msg.show({error->message, {}, MsgButtons::Ok, MsgIcon::Critical, false});
        const size_t i = static_cast<size_t>(error->index);
        QWidget* control = nullptr;
        if (error->control == DispSetControl::TxtData)
            control = TxtData[i];
        else if (error->control == DispSetControl::TxtDataSb)
            control = TxtDataSb[i];
        else
            control = CmbSb[i];
        focusError(error->tab, control);
        return false;
    }
    Tmr1Sec->stop();
    setEnabled(false);
    startSettingsWrite(link_, dispSetCommands(f, version));
    return true;
}

void FrmDispSet::CmdClose_Click()
{
    done(QDialog::Rejected);
}

bool FrmDispSet::exchangeRunning() const
{
    const int state = link::number(link_.LinkState());
    return state >= link::number(link::State::SettingsStatus) &&
           state <= link::number(link::State::SettingsWrite);
}

void FrmDispSet::done(int result)
{
    // Form_Unload: the clock stops and the link forgets the dialog's exchange.
    Tmr1Sec->stop();
    if (exchangeRunning())
        link_.endExchange();
    QDialog::done(result);
}

void FrmDispSet::reject()
{
    // Escape and the close box wait while the dialog's exchange runs: its answer
    // or time-out gives the dialog back. An exchange that another one replaced
    // (the meter's "STP" starts the stop) gives nothing back, so then it closes.
    if (isEnabled() || !exchangeRunning())
        QDialog::reject();
}

void FrmDispSet::LinkSide::setEnabled(bool enabled)
{
    dlg_.setEnabled(enabled);
}

void FrmDispSet::LinkSide::unload()
{
    dlg_.done(QDialog::Rejected);
}

void FrmDispSet::LinkSide::startSecondTimer()
{
    dlg_.Tmr1Sec->start();
}

} // namespace quellin
