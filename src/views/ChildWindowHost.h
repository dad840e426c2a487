#pragma once
// What a child window of the main window needs of it: the check marks of the
// view menu, which each child keeps itself (set on load, cleared on unload).

namespace quellin {

enum class ViewItem { Denryoku, Graph, Spread }; // MnuView_Denryoku, MnuView_Graph, MnuView_Spread

class ChildWindowHost {
public:
    virtual ~ChildWindowHost() = default;
    virtual void setViewMark(ViewItem item, bool checked) = 0;
    virtual bool viewMark(ViewItem item) const = 0;
};

} // namespace quellin
