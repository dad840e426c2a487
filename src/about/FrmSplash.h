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

    std::array<QLabel*, 3> LblSplash{};
    QLabel* LblChek = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quellin
