#pragma once
// What the graph window needs of the main window. The status bar is the
// context's status service; everything else goes through this interface.

namespace quellin {

class GraphHost {
public:
    virtual ~GraphHost() = default;
    // The check mark of the view menu's "ｸﾞﾗﾌ表示" item (MnuView_Graph).
    virtual void setGraphMenuChecked(bool checked) = 0;
    // True while a measurement runs (MnuExec_Keisoku no longer reads "計測開始(&S)").
    virtual bool measurementRunning() const = 0;
    // The period between the two cursors, handed to the report window.
    virtual void reportPeriod(double from, double to)
    {
        (void)from;
        (void)to;
    }
};

} // namespace quellin
