// The main window's side of downloads: the commands appear once the memory
// exchanges are attached, the clear-data question guards the data set, and a
// download's end shows the data set or leaves none.

#include "main/FrmMDIMain.h"

#include "Catalogue.h"
#include "TestContext.h"
#include "dialogs/FrmDownload.h"
#include "dialogs/MemoryCommands.h"
#include "link/LinkDoubles.h"
#include "link/LogingExchange.h"
#include "link/MemoryExchange.h"
#include "platform/StatusBarProxy.h"
#include "store/ModFile.h"
#include "views/FrmSpread.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace quellin {
namespace {

struct DownloadMain : ::testing::Test {
    DownloadMain()
    {
        test::giveTestCatalogue(*t.ctx, 2);
        ResetStore(*t.ctx);
        main = std::make_unique<FrmMDIMain>(*t.ctx, status, seq, MainWindowLinks{});
        clients.main = main.get();
        main->showChildWindows();
    }
    ~DownloadMain() override
    {
        t.msg.defaultAnswer = MsgAnswer::Yes;
        main->close();
    }
    void attach() { main->attachMemoryDialogs(seq, memory, loging); }
    // A download of one hourly block, n lines of 1 kW received.
    void receive(int n)
    {
        const DownloadPlanResult r = planDownload({{2, 5, "2002/06/01 00:00", 50, 24}}, 0);
        prepareDownload(*t.ctx, *r.plan);
        for (int i = 0; i < n; ++i)
            main->Download_Recv(QStringLiteral("0000") +
                                QStringLiteral("43480000,").repeated(4) + // 200.0
                                QStringLiteral("447A0000,42B40000,") +    // 1000.0, 90.0
                                QStringLiteral("00000000,").repeated(4) + "00000000");
    }

    test::TestContext t;
    test::FakeTransport transport;
    test::FakeTimer timer;
    LinkClients clients;
    Sequencer seq{*t.ctx, transport, timer, clients};
    MemoryExchange memory{clients};
    LogingExchange loging{clients};
    StatusBarProxy status;
    std::unique_ptr<FrmMDIMain> main;
};

TEST_F(DownloadMain, TheMemoryCommandsAppearOnceTheirExchangesAreThere)
{
    const auto shown = [&] {
        return std::vector<bool>{main->MnuFile_Download->isVisible(),
                                 main->MnuManu_Memori->isVisible(),
                                 main->MnuManu->menuAction()->isVisible(),
                                 main->toolButton(ToolButton::Download)->isVisible()};
    };
    EXPECT_EQ(shown(), std::vector<bool>(4, false));
    attach();
    EXPECT_EQ(shown(), std::vector<bool>(4, true));
    EXPECT_TRUE(main->toolButton(ToolButton::Download)->isEnabled());
    EXPECT_FALSE(main->MnuManu_Keisoku->isVisible());
    EXPECT_EQ(main->toolButton(ToolButton::Download)->toolTip(), "ダウンロード");
}

TEST_F(DownloadMain, DownloadWithDataAsksFirstAndNoKeepsTheData)
{
    attach();
    t.ctx->app.DataPresent = true;
    t.msg.answers = {MsgAnswer::No};
    main->toolButton(ToolButton::Download)->trigger();
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.shown.back().text, "内部メモリをクリアします。\r\nよろしいですか？");
    EXPECT_TRUE(t.ctx->app.DataPresent);
    EXPECT_TRUE(transport.writes.empty());

    // Yes clears the data set and opens the dialog, which asks for the status.
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = dynamic_cast<FrmDownload*>(QApplication::activeModalWidget());
        opened = dlg != nullptr;
        if (dlg)
            dlg->unload();
    });
    main->MnuFile_Download->trigger();
    EXPECT_TRUE(opened);
    EXPECT_FALSE(t.ctx->app.DataPresent);
    EXPECT_EQ(transport.commands(), QStringList{"CMD"});
    EXPECT_EQ(t.ctx->link.LinkState, link::State::Idle);
}

TEST_F(DownloadMain, AFinishedDownloadIsShownAsADataSet)
{
    receive(24);
    EXPECT_EQ(t.status.panels[2], "ダウンロード中です。 24 / 24 件（100%）");
    CloseTmp(*t.ctx);
    main->DispDownload();
    EXPECT_TRUE(t.ctx->app.DataPresent);
    EXPECT_TRUE(main->MnuFile_Save->isEnabled());
    EXPECT_TRUE(main->toolButton(ToolButton::Clear)->isEnabled());
    EXPECT_EQ(t.status.panels[2], QString());
    // Hourly records: a day's window.
    EXPECT_EQ(t.ctx->app.GraphXHani, 3);
    EXPECT_EQ(t.ctx->store.GraphPoints, 24);
    const QTableWidget* grid = main->spreadWindow()->VSprd;
    EXPECT_EQ(grid->item(1, 0)->text(), "0");
    EXPECT_EQ(grid->item(14, 0)->text(), "13");
}

TEST_F(DownloadMain, ADownloadThatEndsWithoutRecordsOrIsAbandonedLeavesNoDataSet)
{
    receive(0);
    CloseTmp(*t.ctx);
    main->DispDownload();
    EXPECT_FALSE(t.ctx->app.DataPresent);
    EXPECT_EQ(t.status.panels[2], "ダウンロードした記録はありません。");

    receive(5);
    main->downloadAbandoned();
    EXPECT_FALSE(t.ctx->app.DataPresent);
    EXPECT_EQ(t.ctx->store.RecordCount, 0);
    EXPECT_FALSE(main->MnuFile_Save->isEnabled());
    EXPECT_EQ(main->spreadWindow()->VSprd->item(1, 0)->text(), QString());
    EXPECT_EQ(t.status.panels[2],
              "ダウンロードは完了していません。受信した5 / 24 件は破棄しました。");
}

} // namespace
} // namespace quellin
