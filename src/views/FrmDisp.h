#pragma once
// "測定値表示": the latest reading of a running measurement, as titles, values
// and units. The measured-data handler writes the value and unit texts.

#include "base/Context.h"
#include "link/MeasuredData.h"
#include "views/ChildWindowHost.h"

#include <QMdiSubWindow>
#include <array>

class QGroupBox;
class QLabel;

namespace quellin {

// The design texts of LblValue(0..14); the clear command puts them back.
const std::array<QString, 15>& valueDesignTexts();
// The design texts of LblTani(0..14).
std::array<QString, 15> unitDesignTexts();

class FrmDisp : public QMdiSubWindow, public ValuePanel {
public:
    FrmDisp(Context& ctx, ChildWindowHost& host, QPoint firstRunPosition = {},
            QWidget* parent = nullptr);

    // ValuePanel: written by the measured-data handler with every line.
    void setValue(int item, const QString& text) override;
    void setUnit(int item, const QString& text) override;
    // Greyed, with a note in the title, until the next line arrives.
    void showStale(bool stale) override;
    bool stale() const { return stale_; }
    // In the alarm's colour while raised.
    void showAlarm(int item, bool raised) override;
    bool alarmShown(int item) const { return item >= 0 && item < 15 && alarmed_[static_cast<size_t>(item)]; }
    // Back to the design texts (the clear-data command).
    void resetValues();
    // How much wider than designed the panel is, for item titles longer than
    // the Japanese ones (English); 0 in Japanese.
    int grownWidth() const { return grownWidth_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Context& ctx_;
    ChildWindowHost& host_;
    QGroupBox* FramWK = nullptr;
    std::array<QLabel*, 15> LblTitle{};
    std::array<QLabel*, 15> LblValue{};
    std::array<QLabel*, 15> LblTani{};
    bool stale_ = false;
    int grownWidth_ = 0;
    std::array<bool, 15> alarmed_{};
    void restyle(int item);
};

} // namespace quellin
