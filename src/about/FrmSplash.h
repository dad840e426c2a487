#pragma once
// The splash window shown while the program starts and learns the meter's version.

#include <QWidget>
#include <array>

class QLabel;

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QLabel*, 3> LblSplash{};
    QLabel* LblChek = nullptr;
};

} // namespace quellin
