#include "store/ModFile.h"

#include "platform/VbDate.h"

#include <algorithm>

namespace quellin {

namespace {

constexpr int kListSlots = 15; // slot 0 is never filled, slots 1..14 hold the page

DataRecord emptySlot()
{
    DataRecord r;
    r.number = -1;
    return r;
}

} // namespace

void ResetStore(Context& ctx)
{
    StoreGlobals& st = ctx.store;
    st.RecordCount = 0;
    st.SampleInterval = 1;
    st.GraphPoints = 0;
    st.ListTop = 1;
    for (int i = 0; i < kListSlots; ++i)
        st.ListPage[i] = emptySlot();
    const int last = std::clamp(ctx.cat.ColumnLast, 0, kMaxColumns - 1);
    st.ColumnPresent.assign(static_cast<size_t>(last) + 1, false);
    st.FirstTime = ctx.svc.clock.now();
    st.LastTime = vbdate::addSeconds(st.FirstTime, 3600);
    st.GraphStart = st.FirstTime;
    SetGraphWindow(ctx, 0);
}

void SetGraphWindow(Context& ctx, int k)
{
    StoreGlobals& st = ctx.store;
    const int hani = ctx.app.GraphXHani;
    // Candidate start and window end for the time-axis range; any other range
    // value leaves the window as it is.
    auto shifted = [hani](double t, int steps) {
        switch (hani) {
        case 1:
            return vbdate::addSeconds(t, 60LL * steps);
        case 2:
            return vbdate::addSeconds(t, 3600LL * steps);
        default:
            return vbdate::addDays(t, steps);
        }
    };
    if (hani < 1 || hani > 3)
        return;
    const double c = shifted(st.GraphStart, k);
    if (k < 0) {
        if (vbdate::secondsBetween(st.FirstTime, c) >= 0)
            st.GraphStart = c;
    } else {
        if (vbdate::secondsBetween(c, st.LastTime) >= 0)
            st.GraphStart = c;
    }
    st.GraphEnd = shifted(st.GraphStart, 1);
}

} // namespace quellin
