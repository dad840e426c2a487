#pragma once
// The scene the renderer draws, built from a data set's graph window and the
// catalogue's series: any data set's window (the current one, a second one read
// from a data file) on any pictures (the graph window's, a printed page's).

#include "base/Context.h"
#include "store/DataSet.h"
#include "views/ModGraphDraw.h"

#include <memory>
#include <vector>

namespace quellin {

// The scene of window over data (its sample interval) with the catalogue's
// series (shown, names, units, ranges, scales) on pictures, the power factor's
// colour set. The scene refers to the window's arrays: it is drawn while they
// stay as they are.
GraphScene graphScene(const GraphWindowState& window, const DataSet& data, const Catalog& cat,
                      const GraphPictures& pictures);

// The program's graph window over the current data set, as the graph window
// draws it: the shown series of AbsSeries made non-negative first (bfGraph_Abs).
GraphScene currentGraphScene(Context& ctx, const GraphPictures& pictures);

// A scene that keeps a copy of its points, for a drawing made later while the
// window it came from moves on (a printed page, a picture file).
class KeptGraphScene {
public:
    explicit KeptGraphScene(const GraphScene& scene);
    KeptGraphScene(const KeptGraphScene&) = delete;
    KeptGraphScene& operator=(const KeptGraphScene&) = delete;

    const GraphScene& scene() const { return scene_; }

private:
    std::vector<double> times_;
    std::vector<std::vector<double>> values_;
    GraphScene scene_;
};

} // namespace quellin
