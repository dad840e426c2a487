// Opening the environment settings of a version-2 meter: the status and the 39
// read answers, as received bytes, through the link's input path (framing,
// queue, dispatcher) to the settings exchange, which sends each next command;
// at the end the answers become the dialog's fields. The line carries one
// exchange in tens of milliseconds at 9600 baud: the program's own share per
// exchange must stay far below that (target: 50 µs). A second benchmark fills
// the dialog's controls from the answers (DataDisp).

#include "TestContext.h"
#include "dialogs/DispSetFields.h"
#include "dialogs/FrmDispSet.h"
#include "link/LinkInput.h"
#include "link/Sequencer.h"
#include "link/SettingsExchange.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace quellin {
namespace {

class NullTransport : public LinkTransport {
public:
    bool isOpen() const override { return true; }
    void write(const QByteArray& bytes) override { written += bytes.size(); }
    qsizetype written = 0;
};

class NullTimer : public LinkTimer {
public:
    void start() override { active = true; }
    void startFor(int) override { active = true; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    bool active = false;
};

// The waiting dialog without a window: DataDisp reads the answers as the dialog does.
class FieldsClient : public DialogClient {
public:
    explicit FieldsClient(Context&) {}
    void setEnabled(bool) override {}
    void unload() override {}
    void DataDisp(const ExchangeReplies& replies) override
    {
        fields = fieldsFromReplies(replies, 2);
    }
    DispSetFields fields;
};

// The answers of a version-2 meter, each with its carriage return.
std::vector<QByteArray> meterAnswers()
{
    std::vector<QByteArray> a = {"RMD200\r",
                                 "RCF020200.0\r",
                                 "RCF030001\r",
                                 "RCF040001\r",
                                 "RCF061\r",
                                 "RCF072024/03/02 09:00\r",
                                 "RCF082024/03/02 17:00\r",
                                 "RCF010\r",
                                 "RCF050\r",
                                 "RCM09600N81\r"};
    const char* outputs[6][5] = {{"05", "1", "10", "90", "05"},    {"08", "1", "10", "90", "05"},
                                 {"1", "030.0", "05", "80", "03"}, {"2", "100.0", "05", "80", "03"},
                                 {"1", "60", "30", "90", "10"},    {"2", "45", "30", "90", "10"}};
    for (int n = 10; n <= 39; ++n)
        a.push_back("RCF" + QByteArray::number(n) + outputs[(n - 10) / 5][(n - 10) % 5] + "\r");
    return a;
}

void BM_ReadSettingsVersion2(benchmark::State& state)
{
    test::TestContext t;
    Context& ctx = *t.ctx;
    ctx.app.HardVersion = 2;
    NullTransport transport;
    NullTimer timer;
    FieldsClient dialog(ctx);
    SettingsExchange handler;
    LinkClients clients;
    clients.dispSet = &dialog;
    clients.settingsExchange = &handler;
    Sequencer seq(ctx, transport, timer, clients);
    LinkInput input(seq);
    const std::vector<QByteArray> answers = meterAnswers();
    for (auto _ : state) {
        startSettingsRead(seq);
        for (const QByteArray& answer : answers)
            input.bytesReceived(answer);
        if (seq.LinkState() != link::State::Idle) {
            state.SkipWithError("the read did not end");
            break;
        }
    }
    benchmark::DoNotOptimize(dialog.fields.sbText[23]);
    // Reported per exchange (one command and its answer).
    state.counters["per_exchange"] = benchmark::Counter(
        static_cast<double>(answers.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadSettingsVersion2)->Unit(benchmark::kMicrosecond);

void BM_FillDialogVersion2(benchmark::State& state)
{
    test::TestContext t;
    Context& ctx = *t.ctx;
    ctx.app.HardVersion = 2;
    NullTransport transport;
    NullTimer timer;
    SettingsExchange handler;
    LinkClients clients;
    clients.settingsExchange = &handler;
    Sequencer seq(ctx, transport, timer, clients);
    LinkInput input(seq);
    FrmDispSet dlg(ctx, seq);
    const std::vector<QByteArray> answers = meterAnswers();
    for (const QByteArray& answer : answers)
        input.bytesReceived(answer);
    // What the link handed to DataDisp: the answers of the read list after their echo.
    const std::vector<ExchangeStep> list = settingsReadList(2);
    ExchangeReplies replies;
    for (size_t i = 0; i < list.size() && i + 1 < answers.size(); ++i)
        replies << echoData(QString::fromLatin1(answers[i + 1].chopped(1)), list[i].Command);
    for (auto _ : state)
        clients.dispSet->DataDisp(replies);
    benchmark::DoNotOptimize(dlg.fields().sbText[23]);
}
BENCHMARK(BM_FillDialogVersion2)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quellin

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
