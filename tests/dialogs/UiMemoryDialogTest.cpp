// The two memory dialogs as a user sees them, filled as the virtual meter's preset
// memory fills them: the list lines, the states of their buttons, nothing clipped
// or overlapping. With QUELLIN_SCREENSHOT_DIR set they are also written there as
// PNG files to be looked at (run under xvfb-run with QT_QPA_PLATFORM=xcb).

#include "../link/LinkDoubles.h"
#include "dialogs/FrmDownload.h"
#include "dialogs/FrmLogingMem.h"
#include "link/LogingExchange.h"
#include "link/MemoryExchange.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace quellin {
namespace {

// The answers the preset memory gives: three measurements in five blocks.
void presetMemoryAnswers(Context& ctx)
{
    const QStringList answers = {"1", "1", "2024/05/13 09:00", "4247EB85", "96",   //
                                 "2", "0", "2024/05/14 08:30", "4248147B", "9999", //
                                 "8", "0", "2024/05/21 11:09", "4248147B", "9999", //
                                 "8", "0", "2024/05/28 13:48", "4248147B", "4802", //
                                 "0", "3", "2024/06/03 13:15", "42700A3D", "672"};
    ctx.link.ExchangeList.assign(static_cast<size_t>(answers.size()), ExchangeStep{});
    for (qsizetype i = 0; i < answers.size(); ++i)
        ctx.link.ExchangeList[static_cast<size_t>(i)].ReplyData = answers[i];
    ctx.link.ExchangeLast = static_cast<int>(answers.size()) - 1;
}

const QStringList kPresetLines = {"0： 単相３線式 ・  5 ・ 2024/05/13 09:00 ・   50.0 ・ 96",
                                  "1： 三相３線式 ・  1 ・ 2024/05/14 08:30 ・   50.0 ・ 24800",
                                  "2： 単相２線式 ・ 15 ・ 2024/06/03 13:15 ・   60.0 ・ 672"};

QStringList listTexts(const QListWidget& list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

void expectNothingClippedOrOverlapping(QWidget& dlg)
{
    const QRect inside = dlg.rect();
    QList<QWidget*> controls;
    for (QWidget* w : dlg.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&dlg))
            continue;
        const QRect r(w->mapTo(&dlg, QPoint(0, 0)), w->size());
        EXPECT_TRUE(inside.contains(r)) << w->objectName().toStdString();
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
            qobject_cast<QListWidget*>(w))
            controls << w;
    }
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(
                QRect(controls[i]->mapTo(&dlg, QPoint()), controls[i]->size())
                    .intersects(QRect(controls[j]->mapTo(&dlg, QPoint()), controls[j]->size())))
                << controls[i]->objectName().toStdString() << " / "
                << controls[j]->objectName().toStdString();
    // Every list line is shown whole.
    for (QListWidget* list : dlg.findChildren<QListWidget*>())
        for (int i = 0; i < list->count(); ++i)
            EXPECT_LE(list->visualItemRect(list->item(i)).right(), list->viewport()->width())
                << list->item(i)->text().toStdString();
}

void maybeSave(QWidget& w, const QString& name)
{
    const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        w.grab().save(QDir(dir).filePath(name));
}

struct DialogFixture : test::LinkFixture {
    DialogFixture() { detachAll(); }
    MemoryExchange memory{clients};
    LogingExchange loging{clients};
};

TEST(DownloadDialog, ListsThePresetMemoryAndDownloadsOnlyASelectedLine)
{
    DialogFixture f;
    FrmDownload dlg(f.ctx(), f.seq, f.memory);
    EXPECT_EQ(f.sent(), QStringList{"CMD"});
    EXPECT_FALSE(dlg.isEnabled());
    EXPECT_EQ(f.clients.download, &dlg);
    presetMemoryAnswers(f.ctx());
    dlg.DispMemory();
    dlg.show();
    EXPECT_TRUE(dlg.isEnabled());
    EXPECT_EQ(dlg.windowTitle(), "ダウンロード");
    EXPECT_EQ(dlg.LblMemory->text(), kMemoryListHeader);
    EXPECT_EQ(listTexts(*dlg.LstMemory), kPresetLines);
    EXPECT_EQ(dlg.memoryCount(), 4);
    EXPECT_FALSE(dlg.CmdDownLoad->isEnabled());
    dlg.LstMemory->setCurrentRow(1);
    EXPECT_TRUE(dlg.CmdDownLoad->isEnabled());
    expectNothingClippedOrOverlapping(dlg);
    maybeSave(dlg, "download-dialog.png");

    dlg.CmdDownLoad_Click();
    EXPECT_EQ(f.sent(), (QStringList{"CMD", "CMD"}));
    EXPECT_EQ(f.ctx().link.ExchangeList.size(), 4u);
    EXPECT_EQ(f.ctx().link.ExchangeList[3].Command, "CMM300004802");
    EXPECT_FALSE(dlg.isEnabled());
    EXPECT_EQ(f.tc.status.panels[2], "ダウンロード中です。しばらくお待ちください。");
    dlg.unload();
    EXPECT_EQ(f.ctx().link.LinkState, link::State::Idle);
    EXPECT_EQ(f.clients.download, nullptr);
}

TEST(LogingMemDialog, ShowsTheStateTheMemoryAndClearsTheSelectedMeasurement)
{
    DialogFixture f;
    FrmLogingMem dlg(f.ctx(), f.seq, f.loging);
    EXPECT_EQ(f.sent(), QStringList{"CMD"});
    f.ctx().link.ExchangeList[0].ReplyData = "210";
    dlg.DataDisp();
    EXPECT_EQ(f.sent(), (QStringList{"CMD", "CBN"}));
    EXPECT_EQ(dlg.LblLoging->text(), "ロギングなし");
    EXPECT_EQ(dlg.CmbData->currentText(), "ロギング開始");
    // A selection enables the send button (shown once the dialog is given back).
    EXPECT_TRUE(dlg.CmdSend->isEnabledTo(&dlg));
    presetMemoryAnswers(f.ctx());
    f.tc.status.panels[2] = "処理中です。しばらくお待ちください。";
    dlg.DispMemory();
    dlg.show();
    EXPECT_EQ(f.tc.status.panels[2], QString());
    EXPECT_EQ(dlg.windowTitle(), "ロギング・メモリ操作");
    EXPECT_EQ(listTexts(*dlg.LstMemory), kPresetLines);
    EXPECT_FALSE(dlg.CmdClear[0]->isEnabled());
    EXPECT_TRUE(dlg.CmdClear[1]->isEnabled());
    dlg.LstMemory->setCurrentRow(1);
    EXPECT_TRUE(dlg.CmdClear[0]->isEnabled());
    expectNothingClippedOrOverlapping(dlg);
    maybeSave(dlg, "logingmem-dialog.png");

    // No: nothing is sent. Yes: the measurement's three blocks.
    f.tc.msg.answers = {MsgAnswer::No, MsgAnswer::Yes};
    dlg.CmdClear_Click(0);
    EXPECT_EQ(f.sent().size(), 2);
    dlg.CmdClear_Click(0);
    EXPECT_EQ(f.tc.msg.shown.back().text, "ロギングメモリをクリアします。\r\nよろしいですか？");
    EXPECT_EQ(f.sent().back(), "SCB1");
    EXPECT_EQ(f.ctx().link.ExchangeList.size(), 3u);
    EXPECT_EQ(f.ctx().link.ExchangeList[2].Command, "SCB3");
    EXPECT_EQ(f.tc.status.panels[2], "処理中です。しばらくお待ちください。");
    EXPECT_FALSE(dlg.isEnabled());

    // A meter that holds nothing: one disabled line, no clear buttons.
    dlg.showSingleLine("有効なメモリはありません。");
    dlg.setEnabled(true);
    EXPECT_EQ(listTexts(*dlg.LstMemory), QStringList{"有効なメモリはありません。"});
    EXPECT_FALSE(dlg.LstMemory->isEnabled());
    EXPECT_FALSE(dlg.CmdClear[0]->isEnabled());
    EXPECT_FALSE(dlg.CmdClear[1]->isEnabled());
    EXPECT_EQ(dlg.memoryCount(), -1);
    maybeSave(dlg, "logingmem-dialog-empty.png");
}

} // namespace
} // namespace quellin
