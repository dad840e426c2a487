// The receive path with the sequencer in every link state: the first byte picks
// the state, the second whether a measurement runs and the meter's version; the
// rest arrives as serial bytes, in pieces whose sizes the input also decides.
// The time-out of whatever state the bytes left fires at the end.

#include "link/LinkDoubles.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

using namespace quellin;

namespace {

struct Harness {
    test::LinkFixture link;
};

Harness& harness()
{
    static int argc = 1;
    static char name[] = "fuzz_link";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Harness h;
    return h;
}

constexpr int kStates[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                           13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 99};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    Harness& h = harness();
    Context& ctx = h.link.ctx();
    h.link.log.clear();
    h.link.tc.msg.clear();
    h.link.transport.writes.clear();
    h.link.input.reset();
    ctx.link.ExchangeList.clear();
    ctx.link.ExchangeIndex = 0;
    ctx.link.ExchangeLast = -1;
    ctx.link.LinkState = static_cast<link::State>(kStates[data[0] % std::size(kStates)]);
    ctx.app.Measuring = (data[1] & 1) != 0;
    ctx.app.HardVersion = (data[1] & 2) != 0 ? 2 : 1;

    const char* bytes = reinterpret_cast<const char*>(data + 2);
    std::size_t left = size - 2;
    std::size_t piece = 1 + (data[1] >> 2);
    while (left > 0) {
        const std::size_t n = std::min(left, piece);
        h.link.input.bytesReceived(QByteArrayView(bytes, static_cast<qsizetype>(n)));
        bytes += n;
        left -= n;
        piece = piece * 3 % 61 + 1;
    }
    h.link.seq.onTimeout();
    return 0;
}
