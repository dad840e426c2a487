#pragma once
// The splash window shown while the program starts and learns the meter's version.

#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace quellin {

// "Quellin" and the program version; LblChek shows the version wait's progress.
QString splashCaption();

class FrmSplash : public QWidget {
public:
    explicit FrmSplash(QWidget* parent = nullptr);

    // The line under the captions that tells how the version wait goes: shown with
    // text, a dot added, and what it says.
    void showVersionCheck(const QString& text);
    void addVersionCheckDot();
    QString versionCheckText() const;
    // While the meter is asked, 中止 (or Escape) gives up waiting for its answer:
    // cancel is called, and the user then chooses the version as after the
    // time-out. Empty: no button.
    void offerCancel(std::function<void()> cancel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cancelWait();

    std::array<QLabel*, 3> LblSplash{};
    QLabel* LblChek = nullptr;
    QPushButton* CmdCancel = nullptr;
    std::function<void()> cancel_;
};

} // namespace quellin
