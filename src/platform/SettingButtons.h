#pragma once
// The button row of the program's settings dialogs: 設定 (the default button)
// and ｷｬﾝｾﾙ at the right, named cmdOK and cmdCancel as the dialogs' handlers and
// tests know them.

class QHBoxLayout;
class QPushButton;

namespace quellin {

struct SettingButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QHBoxLayout* row = nullptr; // a stretch, then the two buttons
};
SettingButtons settingButtons();

} // namespace quellin
