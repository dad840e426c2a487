#include "dialogs/MemoryCommands.h"

#include "link/MemoryInfo.h"
#include "link/Sequencer.h"
#include "platform/Format.h"
#include "platform/Tx.h"
#include "platform/VbDate.h"
#include "store/DataSet.h"

namespace quellin {

namespace {

constexpr int kClearAllBlock = 7;

QString cannotDownload()
{
    return TX("ダウンロードできません。\r\n");
}

ExchangeStep okStep(const QString& command)
{
    return makeStep(command, 2, QStringLiteral("OK"), 2);
}

} // namespace

QString clearMemoryQuestion()
{
    return TX("ロギングメモリをクリアします。\r\nよろしいですか？");
}

QString clearingText()
{
    return TX("処理中です。しばらくお待ちください。");
}

QString downloadingText()
{
    return TX("ダウンロード中です。しばらくお待ちください。");
}

void startDownloadList(Sequencer& seq)
{
    seq.startExchange(link::State::DownloadListStatus, {statusStep()});
}

void startLogingStatus(Sequencer& seq)
{
    seq.startExchange(link::State::LogingStatus, {statusStep()});
}

void startMemoryCount(Sequencer& seq)
{
    seq.startExchange(link::State::MemoryCount, {blockCountStep()});
}

LogingStateText logingStateOf(const QString& statusReply)
{
    const QChar flag = statusReply.size() >= 3 ? statusReply.at(2) : QChar();
    if (flag == QLatin1Char('0'))
        return {TX("ロギングなし"), 1};
    if (flag == QLatin1Char('1'))
        return {TX("ロギング中"), 0};
    return {};
}

std::vector<ExchangeStep> logingSendSteps(int newState)
{
    return {statusStep(), makeStep(QStringLiteral("SMD2%1").arg(newState), 2)};
}

void startLogingSend(Sequencer& seq, int newState)
{
    seq.startExchange(link::State::LogingSendStatus, logingSendSteps(newState));
}

std::vector<ExchangeStep> clearMeasurementSteps(const std::vector<MemoryBlockInfo>& blocks,
                                                int first)
{
    std::vector<ExchangeStep> steps;
    for (const int b : measurementBlocks(blocks, first))
        steps.push_back(okStep(QStringLiteral("SCB") + Format(double(b), QStringLiteral("0"))));
    return steps;
}

std::vector<ExchangeStep> clearAllSteps()
{
    return {okStep(QStringLiteral("SCB%1").arg(kClearAllBlock))};
}

void startClear(Context& ctx, Sequencer& seq, std::vector<ExchangeStep> steps)
{
    ctx.svc.status.setPanelText(2, clearingText());
    seq.startExchange(link::State::MemoryClear, std::move(steps));
}

DownloadPlanResult planDownload(const std::vector<MemoryBlockInfo>& blocks, int first,
                                int recordLimit)
{
    DownloadPlanResult result;
    if (first < 0 || static_cast<size_t>(first) >= blocks.size() ||
        blocks[static_cast<size_t>(first)].lineCode == kContinuationBlock) {
        result.error = cannotDownload() + TX("測定の先頭のブロックではありません。");
        return result;
    }
    const MemoryBlockInfo& head = blocks[static_cast<size_t>(first)];
    DownloadPlan plan;
    plan.firstBlock = first;
    plan.wiring = head.lineCode;
    plan.sampleInterval = intervalSeconds(head.intervalCode);
    if (plan.sampleInterval == 0) {
        result.error = cannotDownload() + TX("測定間隔が正しくありません。");
        return result;
    }
    const std::optional<double> start = vbdate::parse(head.startTime);
    if (!start) {
        result.error =
            cannotDownload() +
            TX("測定開始時刻「%1」が日時ではありません。").arg(head.startTime);
        return result;
    }
    plan.firstTime = *start;
    plan.frequency = head.frequency;
    plan.steps.push_back(statusStep());
    for (const int b : measurementBlocks(blocks, first)) {
        const int count = blocks[static_cast<size_t>(b)].writeCount;
        plan.available += count;
        const int asked = std::clamp(recordLimit - plan.requested, 0, count);
        if (asked == 0 && count > 0)
            continue;
        plan.requested += asked;
        plan.steps.push_back(makeStep(QStringLiteral("CMM%1").arg(b) + QStringLiteral("0000") +
                                          Format(double(asked), QStringLiteral("0000")),
                                      -1));
    }
    result.plan = std::move(plan);
    return result;
}

void prepareDownload(Context& ctx, DownloadCounts& counts, const DownloadPlan& plan)
{
    // The download replaces the data set (TMP.DAT opened for its records).
    ctx.app.DataPresent = false;
    DownloadStart start;
    start.firstTime = plan.firstTime;
    start.sampleInterval = plan.sampleInterval;
    start.frequency = plan.frequency;
    start.wiring = plan.wiring;
    start.columnLast = ctx.cat.ColumnLast;
    ctx.dataSet().beginDownload(start);
    GraphWindowState& window = ctx.graphWindow();
    window.GraphStart = plan.firstTime;
    window.GraphEnd = plan.firstTime;
    window.GraphPoints = 0;
    ctx.listPage().ListTop = 0;
    counts = DownloadCounts{};
    counts.Available = plan.available;
    counts.Announced = plan.requested;
}

void startDownload(Context& ctx, DownloadCounts& counts, Sequencer& seq,
                   const DownloadPlan& plan)
{
    prepareDownload(ctx, counts, plan);
    ctx.svc.status.setPanelText(2, downloadingText());
    seq.startExchange(link::State::DownloadStatus, plan.steps);
}

} // namespace quellin
