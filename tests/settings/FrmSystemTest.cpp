#include "settings/FrmSystem.h"

#include "platform/Language.h"

#include "Controls.h"
#include "TestContext.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quellin {
namespace {

using test::control;

struct SelectionCase {
    const char* port;
    const char* param;
    int expected[5]; // port, speed, data bits, parity, stop bits
};

class CommSelectionFor : public ::testing::TestWithParam<SelectionCase> {};

TEST_P(CommSelectionFor, FindsEachListEntry)
{
    const SelectionCase& c = GetParam();
    const CommSelection s = commSelectionFor(QString::fromUtf8(c.port), QString::fromUtf8(c.param));
    EXPECT_EQ(s.port, c.expected[0]);
    EXPECT_EQ(s.speed, c.expected[1]);
    EXPECT_EQ(s.dataBits, c.expected[2]);
    EXPECT_EQ(s.parity, c.expected[3]);
    EXPECT_EQ(s.stopBits, c.expected[4]);
}

INSTANTIATE_TEST_SUITE_P(Settings, CommSelectionFor,
                         ::testing::Values(SelectionCase{"1", "9600,N,8,1", {0, 1, 1, 0, 0}},
                                           SelectionCase{"3", "19200,E,7,2", {2, 2, 0, 2, 1}},
                                           SelectionCase{"8", "38400,O,8,1", {7, 3, 1, 1, 0}},
                                           SelectionCase{"9", "2400,X,6,3", {-1, -1, -1, -1, -1}},
                                           SelectionCase{"", "", {-1, -1, -1, -1, -1}},
                                           SelectionCase{"2", "9600", {1, 1, -1, -1, -1}}));

TEST(CommParamFor, SpellsSpeedParityDataStop)
{
    EXPECT_EQ(commParamFor({0, 1, 1, 0, 0}), QStringLiteral("9600,N,8,1"));
    EXPECT_EQ(commParamFor({2, 2, 0, 2, 1}), QStringLiteral("19200,E,7,2"));
    EXPECT_EQ(commParamFor({0, -1, 1, 0, 0}), QStringLiteral(",N,8,1"));
}

TEST(FrmSystem, StandardValuesAreStoredAndThePortReopened)
{
    test::TestContext t;
    t.ctx->app.CommPort = QStringLiteral("4");
    t.ctx->app.CommParam = QStringLiteral("19200,E,7,2");
    int reopened = 0;
    FrmSystemLinks links;
    links.reopenPort = [&] {
        ++reopened;
        return true;
    };
    links.deviceForPort = [](int n) { return QStringLiteral("/dev/ttyS%1").arg(n - 1); };
    FrmSystem dlg(*t.ctx, links);
    EXPECT_EQ(control<QComboBox>(dlg, "CmbOptions1", 0)->currentText(), QStringLiteral("COM4"));
    EXPECT_EQ(control<QComboBox>(dlg, "CmbOptions1", 1)->currentText(), QStringLiteral("19200"));
    EXPECT_EQ(control<QComboBox>(dlg, "CmbOptions1", 3)->currentText(), QStringLiteral("EVEN"));
    EXPECT_EQ(control<QLineEdit>(dlg, "TxtDevice")->text(), QStringLiteral("/dev/ttyS3"));

    control<QPushButton>(dlg, "Command1")->click();
    control<QPushButton>(dlg, "cmdOK")->click();
    EXPECT_EQ(reopened, 1);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), {}), QStringLiteral("1"));
    EXPECT_EQ(t.settings->read(QStringLiteral("CommParam"), {}), QStringLiteral("9600,N,8,1"));
}

TEST(FrmSystem, AFailedReopenKeepsTheDialogOpenWithTheSettingsStored)
{
    test::TestContext t;
    FrmSystemLinks links;
    links.reopenPort = [] { return false; };
    FrmSystem dlg(*t.ctx, links);
    control<QComboBox>(dlg, "CmbOptions1", 0)->setCurrentIndex(2);
    control<QPushButton>(dlg, "cmdOK")->click();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), {}), QStringLiteral("3"));
}

TEST(FrmSystem, TheDeviceOfAPortCanBeSetForAnAdapter)
{
    test::TestContext t;
    FrmSystemLinks links;
    links.reopenPort = [] { return true; };
    links.deviceForPort = [](int) { return QStringLiteral("/dev/ttyS0"); };
    FrmSystem dlg(*t.ctx, links);
    control<QLineEdit>(dlg, "TxtDevice")->setText(QStringLiteral("/dev/ttyUSB0"));
    Q_EMIT control<QLineEdit>(dlg, "TxtDevice")->textEdited(QStringLiteral("/dev/ttyUSB0"));
    control<QPushButton>(dlg, "cmdOK")->click();
    EXPECT_EQ(t.settings->read(QStringLiteral("CommDevice1"), {}), QStringLiteral("/dev/ttyUSB0"));
}

// The ports present are offered with what tells them apart; choosing one puts
// its stable name into the selected port's device, and the port keeps its number.
TEST(FrmSystem, OffersThePresentPortsByTheirStableNames)
{
    const QList<PresentPort> present = {{"/dev/ttyS0", {}, {}, {}},
                                        {"/dev/ttyUSB1",
                                         "/dev/serial/by-id/usb-FTDI_FT232R_A1B2-if00-port0",
                                         "FT232R USB UART", "A1B2"}};
    const struct {
        const char* name;
        QList<PresentPort> ports;
        QStringList lines;
        int chosen; // -1: none
        QString stored;
    } cases[] = {
        {"adapter chosen",
         present,
         {"/dev/ttyS0", "/dev/serial/by-id/usb-FTDI_FT232R_A1B2-if00-port0  FT232R USB "
                        "UART（シリアル番号 A1B2）"},
         1,
         "/dev/serial/by-id/usb-FTDI_FT232R_A1B2-if00-port0"},
        {"plain port chosen", present, {}, 0, "/dev/ttyS0"},
        {"nothing present", {}, {}, -1, {}},
    };
    for (const auto& c : cases) {
        test::TestContext t;
        t.ctx->app.CommPort = QStringLiteral("3");
        FrmSystemLinks links;
        links.reopenPort = [] { return true; };
        links.deviceForPort = [](int) { return QStringLiteral("/dev/ttyS2"); };
        links.presentPorts = [&] { return c.ports; };
        FrmSystem dlg(*t.ctx, links);
        auto* list = control<QComboBox>(dlg, "CmbPorts");
        EXPECT_EQ(list->count(), c.ports.size()) << c.name;
        EXPECT_EQ(list->isEnabled(), !c.ports.isEmpty()) << c.name;
        for (int i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(list->itemText(i), c.lines[i]) << c.name;
        if (c.chosen >= 0) {
            list->setCurrentIndex(c.chosen);
            Q_EMIT list->activated(c.chosen);
        }
        control<QPushButton>(dlg, "cmdOK")->click();
        EXPECT_EQ(t.settings->read(QStringLiteral("CommPort"), {}), QStringLiteral("3")) << c.name;
        EXPECT_EQ(t.settings->read(QStringLiteral("CommDevice3"), {}), c.stored) << c.name;
    }
}

// The stored language shows as its entry (a text naming no language as the
// system's), and the entry chosen is stored as the program reads it at start.
TEST(FrmSystem, TheLanguageIsReadBackAndStored)
{
    const struct {
        const char* stored;
        int shown;
        int chosen;
        const char* written;
    } cases[] = {
        {"", 0, 2, "en"},    {"ja", 1, 1, "ja"}, {" EN ", 2, 0, ""},
        {"fr", 0, 1, "ja"}, {"en", 2, 2, "en"}, {"ja-JP", 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        test::TestContext t;
        t.settings->write(QStringLiteral("Language"), QString::fromUtf8(c.stored));
        FrmSystemLinks links;
        links.reopenPort = [] { return true; };
        FrmSystem dlg(*t.ctx, links);
        auto* list = control<QComboBox>(dlg, "CmbLanguage");
        EXPECT_EQ(list->currentIndex(), c.shown);
        list->setCurrentIndex(c.chosen);
        control<QPushButton>(dlg, "cmdOK")->click();
        const QString written = t.settings->read(QStringLiteral("Language"), QStringLiteral("?"));
        EXPECT_EQ(written, QString::fromUtf8(c.written));
        EXPECT_EQ(chooseLanguage(written, {QStringLiteral("ja-JP")}) == Language::En,
                  c.chosen == 2);
    }
}

} // namespace
} // namespace quellin
