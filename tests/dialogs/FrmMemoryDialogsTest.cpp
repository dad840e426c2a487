// The two memory dialogs with the link's real handlers and recorded lines: which
// buttons the meter's answers enable, where the focus goes once the list is
// there, and what the clear buttons send.

#include "Controls.h"
#include "dialogs/FrmDownload.h"
#include "dialogs/FrmLogingMem.h"
#include "link/LinkDoubles.h"
#include "link/LogingExchange.h"
#include "link/MemoryExchange.h"
#include "link/MemoryTexts.h"

#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quellin::test {
namespace {

// Two measurements, one block each.
const QStringList kTwoBlocks = {
    "RBN002",    "RMI000", "RMI012", "RMI022002/06/01 10:00", "RMI0342480000",
    "RMI041234", "RMI100", "RMI112", "RMI122002/06/02 10:00", "RMI1342480000",
    "RMI1412"};

struct MemoryWindows : LinkFixture {
    MemoryWindows()
    {
        clients.memoryExchange = &memory;
        clients.logingExchange = &loging;
    }
    void answer(const QStringList& lines)
    {
        for (const QString& l : lines)
            line(l);
    }
    QListWidget* list(QWidget& dlg) { return control<QListWidget>(dlg, "LstMemory"); }
    void select(QWidget& dlg, int row) { list(dlg)->setCurrentRow(row); }

    MemoryExchange memory{clients};
    LogingExchange loging{clients};
    DownloadCounts counts;
};

TEST(MemoryDialogs, TheListArrivesWithTheFocusOnItAndNothingSelected)
{
    for (const bool download : {true, false}) {
        MemoryWindows w;
        std::unique_ptr<QDialog> dlg;
        if (download)
            dlg = std::make_unique<FrmDownload>(w.ctx(), w.counts, w.seq, w.memory);
        else
            dlg = std::make_unique<FrmLogingMem>(w.ctx(), w.seq, w.loging);
        dlg->show();
        // Both read the meter's status first, then the memory list.
        w.answer(QStringList{"RMD200"} + kTwoBlocks);
        ASSERT_EQ(w.list(*dlg)->count(), 2) << download;
        EXPECT_TRUE(dlg->isEnabled());
        EXPECT_EQ(dlg->focusWidget(), w.list(*dlg)) << download;
        EXPECT_TRUE(w.list(*dlg)->selectedItems().isEmpty());
    }
}

// The download dialog's button: only a selected line enables it, and neither a
// refused list (states 7 and 8) nor a refused download (state 19) leaves it on.
TEST(MemoryDialogs, TheDownloadButtonFollowsTheMetersAnswers)
{
    const struct {
        const char* name;
        QStringList answers; // after the dialog's first "CMD"
        QString (*singleLine)();
    } cases[] = {
        {"measuring meter, no list", {"RMD210"}, &memory_text::measuringNoList},
        {"no blocks", {"RMD200", "RBN000"}, &memory_text::noMemory},
        {"a list", QStringList{"RMD200"} + kTwoBlocks, nullptr},
    };
    for (const auto& c : cases) {
        MemoryWindows w;
        FrmDownload dlg(w.ctx(), w.counts, w.seq, w.memory);
        dlg.show();
        auto* button = control<QPushButton>(dlg, "CmdDownLoad");
        w.answer(c.answers);
        EXPECT_TRUE(dlg.isEnabled()) << c.name;
        EXPECT_FALSE(button->isEnabled()) << c.name;
        if (c.singleLine) {
            EXPECT_EQ(w.list(dlg)->count(), 1) << c.name;
            EXPECT_EQ(w.list(dlg)->item(0)->text(), c.singleLine()) << c.name;
            EXPECT_FALSE(w.list(dlg)->isEnabled()) << c.name;
            continue;
        }
        w.select(dlg, 1);
        EXPECT_TRUE(button->isEnabled()) << c.name;
        // The meter began measuring meanwhile: the download is refused at its status.
        button->click();
        EXPECT_EQ(w.lastSent(), "CMD") << c.name;
        w.line("RMD210");
        EXPECT_TRUE(w.tc.msg.sawText(memory_text::measuringNoDownload() + "\r\n" +
                                     memory_text::endMeasurement()))
            << c.name;
        EXPECT_TRUE(dlg.isEnabled()) << c.name;
        EXPECT_FALSE(button->isEnabled()) << c.name;
    }
}

// The logging dialog's clear buttons: "メモリクリア" needs a selected line and is
// off again after the list is read anew; "全クリア" sends "SCB7"; a No to the
// question sends nothing.
TEST(MemoryDialogs, TheClearButtonsAskFirstAndFollowTheList)
{
    const struct {
        const char* name;
        int button;
        MsgAnswer reply;
        QStringList sent; // after the list was read
    } cases[] = {
        {"measurement, yes", 0, MsgAnswer::Yes, {"SCB1"}},
        {"measurement, no", 0, MsgAnswer::No, {}},
        {"all, yes", 1, MsgAnswer::Yes, {"SCB7"}},
        {"all, no", 1, MsgAnswer::No, {}},
    };
    for (const auto& c : cases) {
        MemoryWindows w;
        FrmLogingMem dlg(w.ctx(), w.seq, w.loging);
        dlg.show();
        std::array<QPushButton*, 2> clear = {control<QPushButton>(dlg, "CmdClear", 0),
                                             control<QPushButton>(dlg, "CmdClear", 1)};
        EXPECT_FALSE(clear[0]->isEnabled() || clear[1]->isEnabled()) << c.name;
        w.answer(QStringList{"RMD200"} + kTwoBlocks);
        EXPECT_FALSE(clear[0]->isEnabled()) << c.name;
        EXPECT_TRUE(clear[1]->isEnabled()) << c.name;
        w.select(dlg, 1);
        EXPECT_TRUE(clear[0]->isEnabled()) << c.name;

        const auto before = w.sent().size();
        w.tc.msg.answers.push_back(c.reply);
        clear[static_cast<size_t>(c.button)]->click();
        EXPECT_EQ(w.sent().mid(before), c.sent) << c.name;
        if (c.sent.isEmpty()) {
            EXPECT_TRUE(dlg.isEnabled()) << c.name;
            continue;
        }
        EXPECT_FALSE(dlg.isEnabled()) << c.name;
        w.answer(QStringList{"OK"} + kTwoBlocks);
        EXPECT_EQ(w.sent().mid(before + 1).value(0), "CBN") << c.name;
        EXPECT_TRUE(dlg.isEnabled()) << c.name;
        EXPECT_FALSE(clear[0]->isEnabled()) << c.name;
        EXPECT_TRUE(clear[1]->isEnabled()) << c.name;
    }
}

} // namespace
} // namespace quellin::test
