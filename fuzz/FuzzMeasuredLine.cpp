// One measured-data line (the text after "RML") through the handler: decoding,
// the derived values, the panel texts and the PC log line, for both versions
// and every wiring the first byte picks.

#include "link/MeasuredData.h"
#include "support/Catalogue.h"
#include "support/TestContext.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

using namespace quellin;

namespace {

class Panel : public ValuePanel {
public:
    void setValue(int, const QString& text) override { chars += text.size(); }
    void setUnit(int, const QString& text) override { chars += text.size(); }
    qsizetype chars = 0;
};

class Host : public MeasuredDataHost {
public:
    bool valuePanelChecked() const override { return true; }
    ValuePanel* valuePanel() override { return &panel; }
    void startDisplayTimer() override {}
    void pcLogWriteFailed(const QString&) override {}
    void storeAppendFailed(const VbError&) override {}
    int wiringMode() const override { return wiring; }
    Panel panel;
    int wiring = 2;
};

struct Harness {
    Harness() { test::giveTestCatalogue(*tc.ctx, 2); }
    test::TestContext tc;
    Host host;
    MeasuredData handler{*tc.ctx, host};
};

Harness& harness()
{
    static int argc = 1;
    static char name[] = "fuzz_measured_line";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Harness h;
    return h;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    Harness& h = harness();
    Context& ctx = *h.tc.ctx;
    ctx.app.HardVersion = (data[0] & 1) ? 2 : 1;
    h.host.wiring = (data[0] >> 1) % 4; // 3: a wiring the meter never reports
    h.handler.beginMeasurement(0);
    const QString rest = QString::fromLatin1(reinterpret_cast<const char*>(data + 1),
                                             static_cast<qsizetype>(size - 1));
    h.handler.handleMeasuredLine(rest);
    QString log;
    const DataRecord current{};
    appendPcLogLine(pcLogLineInput(ctx, h.handler.state(), h.host.wiring, current, (data[0] >> 3) % 5),
                    log);
    return 0;
}
