#pragma once
// The measurement mode dialog's (FrmKeisokuMode) decisions, free of widgets: the
// choices of its two rows, the command a send button sends, and how the
// meter's status answer is shown.

#include <QString>
#include <QStringList>
#include <optional>

namespace quellin {

// Row 0, the measuring line: "単相２線式", "単相３線式", "三相３線式".
QStringList lineEntries();
// Row 1, the measuring state: "計測 OFF", "計測 ON ".
QStringList stateEntries();

// "SMD" + row + choice: SMD00-SMD02 set the line, SMD10 stops, SMD11 starts.
QString modeCommand(int row, int choice);

// DataDisp from the status answer after its echo ("wml"): the line label's new
// text, the state label's new text and the state row's preselection (the
// opposite of the current state). A character outside its values leaves its
// label as it was and preselects nothing.
struct ModeStatusView {
    std::optional<QString> lineText;
    std::optional<QString> stateText;
    int statePreselect = -1;
};
ModeStatusView modeStatusView(const QString& replyData);

} // namespace quellin
