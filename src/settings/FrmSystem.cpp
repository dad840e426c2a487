#include "settings/FrmSystem.h"

#include "platform/Language.h"
#include "platform/SettingButtons.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "settings/ModRegistry.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quellin {

namespace {

const QStringList kSpeeds = {QStringLiteral("4800"), QStringLiteral("9600"),
                             QStringLiteral("19200"), QStringLiteral("38400")};
const QStringList kDataBits = {QStringLiteral("7"), QStringLiteral("8")};
const QStringList kParities = {QStringLiteral("NONE"), QStringLiteral("ODD"),
                               QStringLiteral("EVEN")};
const QStringList kStopBits = {QStringLiteral("1"), QStringLiteral("2")};

// The language list: the system's first, then the two the program speaks. Each
// entry's settings text; empty lets the system decide.
constexpr int kLanguageEntries = 3;

QString languageSettingOf(int entry)
{
    if (entry == 1)
        return languageSettingText(Language::Ja);
    if (entry == 2)
        return languageSettingText(Language::En);
    return {};
}

int languageEntryOf(const QString& stored)
{
    // A text that names no language is not set: the system's.
    if (!isLanguageSettingText(stored))
        return 0;
    return chooseLanguage(stored, {}) == Language::Ja ? 1 : 2;
}

int intOf(const QString& text)
{
    const auto v = vbdate::parseNumber(text);
    return v ? static_cast<int>(*v) : -1;
}

int firstWithValue(const QStringList& entries, int value)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].toInt() == value)
            return i;
    return -1;
}

int firstWithLetter(const QStringList& entries, QChar letter)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].at(0) == letter)
            return i;
    return -1;
}

} // namespace

CommSelection commSelectionFor(const QString& commPort, const QString& commParam)
{
    CommSelection sel;
    const int port = intOf(commPort);
    sel.port = (port >= 1 && port <= 8) ? port - 1 : -1;
    // A four-digit speed gets a leading "0" so the fields always stand at 1-5, 7, 9, 11.
    QString p = commParam;
    if (p.size() >= 5 && p[4] == QLatin1Char(','))
        p.prepend(QLatin1Char('0'));
    sel.speed = firstWithValue(kSpeeds, intOf(p.mid(0, 5)));
    sel.dataBits = firstWithValue(kDataBits, intOf(p.mid(8, 1)));
    sel.parity = p.size() > 6 ? firstWithLetter(kParities, p[6]) : -1;
    sel.stopBits = p.size() > 10 ? firstWithLetter(kStopBits, p[10]) : -1;
    return sel;
}

QString commParamFor(const CommSelection& sel)
{
    const auto at = [](const QStringList& l, int i) {
        return i >= 0 && i < l.size() ? l[i] : QString();
    };
    return at(kSpeeds, sel.speed) + QLatin1Char(',') + at(kParities, sel.parity).left(1) +
           QLatin1Char(',') + at(kDataBits, sel.dataBits) + QLatin1Char(',') +
           at(kStopBits, sel.stopBits);
}

FrmSystem::FrmSystem(Context& ctx, FrmSystemLinks links, QWidget* parent)
    : QDialog(parent), ctx_(ctx), links_(std::move(links))
{
    setObjectName(QStringLiteral("FrmSystem"));
    setWindowTitle(TX("通信条件設定"));
    setModal(true);

    TabsOption = new QTabWidget(this);
    FramOptions = new QGroupBox(TX("通信ポート"));
    TabsOption->setObjectName(QStringLiteral("TabsOption"));
    FramOptions->setObjectName(QStringLiteral("FramOptions"));
    TabsOption->addTab(FramOptions, TX("シリアル通信"));

    const QStringList captions = {TX("ポート："), TX("ビット/秒："),
                                  TX("データビット："), TX("パリティ："),
                                  TX("ストップビット：")};
    QStringList ports;
    for (int n = 1; n <= 8; ++n)
        ports << QStringLiteral("COM%1").arg(n);
    const std::array<QStringList, 5> entries = {ports, kSpeeds, kDataBits, kParities, kStopBits};

    auto* form = new QFormLayout(FramOptions);
    for (size_t i = 0; i < 5; ++i) {
        CmbOptions1[i] = new QComboBox;
        CmbOptions1[i]->addItems(entries[i]);
        CmbOptions1[i]->setMinimumWidth(140);
        LblOptions1[i] = new QLabel(captions[static_cast<int>(i)]);
        CmbOptions1[i]->setObjectName(QStringLiteral("CmbOptions1%1").arg(i));
        LblOptions1[i]->setObjectName(QStringLiteral("LblOptions1%1").arg(i));
        form->addRow(LblOptions1[i], CmbOptions1[i]);
        if (i == 0) {
            // The device behind the port, so a USB adapter can be chosen.
            LblDevice = new QLabel(TX("デバイス："));
            TxtDevice = new QLineEdit;
            TxtDevice->setMinimumWidth(220);
            LblDevice->setObjectName(QStringLiteral("LblDevice"));
            TxtDevice->setObjectName(QStringLiteral("TxtDevice"));
            form->addRow(LblDevice, TxtDevice);
            LblPorts = new QLabel(TX("接続中のポート："));
            CmbPorts = new QComboBox;
            // Stable names are long: the list opens wide, the field stays put.
            CmbPorts->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            CmbPorts->setMinimumContentsLength(32);
            CmbPorts->view()->setMinimumWidth(480);
            LblPorts->setObjectName(QStringLiteral("LblPorts"));
            CmbPorts->setObjectName(QStringLiteral("CmbPorts"));
            form->addRow(LblPorts, CmbPorts);
        }
    }

    const SettingButtons bar = settingButtons();
    cmdOK = bar.ok;
    cmdCancel = bar.cancel;
    Command1 = new QPushButton(TX("標準に戻す"));
    Command1->setObjectName(QStringLiteral("Command1"));
    QHBoxLayout* buttons = bar.row;
    buttons->insertWidget(0, Command1);

    // A language's own name reads the same in either language.
    LblLanguage = new QLabel(TX("言語："));
    CmbLanguage = new QComboBox;
    CmbLanguage->addItems({TX("システムに従う"), TX("日本語"), QStringLiteral("English")});
    CmbLanguage->setCurrentIndex(languageEntryOf(ctx_.settings.read(kLanguageSetting, QString())));
    LblLanguage->setObjectName(QStringLiteral("LblLanguage"));
    CmbLanguage->setObjectName(QStringLiteral("CmbLanguage"));
    LblLanguage->setBuddy(CmbLanguage);
    auto* language = new QHBoxLayout;
    language->addWidget(LblLanguage);
    language->addWidget(CmbLanguage);
    language->addWidget(new QLabel(TX("次回の起動から有効になります。")));
    language->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TabsOption);
    layout->addLayout(language);
    layout->addLayout(buttons);

    const CommSelection sel = commSelectionFor(ctx_.app.CommPort, ctx_.app.CommParam);
    const std::array<int, 5> positions = {sel.port, sel.speed, sel.dataBits, sel.parity,
                                          sel.stopBits};
    for (size_t i = 0; i < 5; ++i)
        CmbOptions1[i]->setCurrentIndex(positions[i]);
    fillPresentPorts();
    showDeviceOfSelectedPort();

    connect(CmbOptions1[0], &QComboBox::currentIndexChanged, this,
            [this] { showDeviceOfSelectedPort(); });
    connect(TxtDevice, &QLineEdit::textEdited, this,
            [this](const QString& text) { editDevice(text); });
    connect(CmbPorts, &QComboBox::activated, this, [this](int index) { takePresentPort(index); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void FrmSystem::editDevice(const QString& text)
{
    const int port = CmbOptions1[0]->currentIndex();
    if (port >= 0)
        editedDevices_[static_cast<size_t>(port)] = text.isEmpty() ? QStringLiteral(" ") : text;
}

void FrmSystem::fillPresentPorts()
{
    presentPorts_ = links_.presentPorts ? links_.presentPorts() : QList<PresentPort>{};
    CmbPorts->clear();
    for (const PresentPort& port : presentPorts_) {
        CmbPorts->addItem(port.listText());
        CmbPorts->setItemData(CmbPorts->count() - 1, port.device, Qt::ToolTipRole);
    }
    CmbPorts->setPlaceholderText(presentPorts_.isEmpty()
                                     ? TX("（見つかりません）")
                                     : TX("選ぶとデバイスに入ります"));
    CmbPorts->setCurrentIndex(-1);
    CmbPorts->setEnabled(!presentPorts_.isEmpty());
}

void FrmSystem::takePresentPort(int index)
{
    if (index < 0 || index >= presentPorts_.size() || !TxtDevice->isEnabled())
        return;
    // The stable name keeps finding the adapter after it was plugged in again.
    const QString name = presentPorts_[index].preferredName();
    TxtDevice->setText(name);
    editDevice(name);
}

void FrmSystem::showDeviceOfSelectedPort()
{
    const int index = CmbOptions1[0]->currentIndex();
    if (index < 0) {
        TxtDevice->clear();
        TxtDevice->setEnabled(false);
        return;
    }
    const int port = index + 1;
    const QString& edited = editedDevices_[static_cast<size_t>(index)];
    TxtDevice->setText(!edited.isEmpty()
                           ? edited.trimmed()
                           : (links_.deviceForPort ? links_.deviceForPort(port) : QString()));
    const bool fixed = links_.deviceFixedByEnvironment && links_.deviceFixedByEnvironment(port);
    TxtDevice->setEnabled(!fixed);
    TxtDevice->setToolTip(
        fixed ? TX("環境変数 QUELLIN_COM%1 で指定されています。").arg(port)
              : TX("このポートで開くデバイス（USB アダプタなど）"));
}

void FrmSystem::Command1_Click()
{
    const std::array<int, 5> standard = {0, 1, 1, 0, 0};
    for (size_t i = 0; i < 5; ++i)
        CmbOptions1[i]->setCurrentIndex(standard[i]);
}

void FrmSystem::cmdOK_Click()
{
    CommSelection sel;
    sel.port = CmbOptions1[0]->currentIndex();
    sel.speed = CmbOptions1[1]->currentIndex();
    sel.dataBits = CmbOptions1[2]->currentIndex();
    sel.parity = CmbOptions1[3]->currentIndex();
    sel.stopBits = CmbOptions1[4]->currentIndex();

    ctx_.app.CommPort = QString::number(sel.port + 1);
    ctx_.app.CommParam = commParamFor(sel);
    ctx_.settings.write(QStringLiteral("CommPort"), ctx_.app.CommPort);
    ctx_.settings.write(QStringLiteral("CommParam"), ctx_.app.CommParam);
    const int entry = CmbLanguage->currentIndex();
    if (entry >= 0 && entry < kLanguageEntries)
        ctx_.settings.write(kLanguageSetting, languageSettingOf(entry));
    for (size_t i = 0; i < editedDevices_.size(); ++i) {
        if (!editedDevices_[i].isEmpty())
            ctx_.settings.write(QStringLiteral("CommDevice%1").arg(i + 1),
                                editedDevices_[i].trimmed());
    }
    // A port that cannot be opened keeps the dialog open; the settings stay stored.
    if (links_.reopenPort && !links_.reopenPort())
        return;
    accept();
}

} // namespace quellin
