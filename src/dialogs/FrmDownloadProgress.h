#pragma once
// The progress of a download under way: the records received of those asked
// for, a bar, the time left, and 中止 (Escape and the window's close do the
// same). A stop is asked of the link, which lets the meter finish its current
// block; the download dialog closes this window once the link gives it back.

#include "dialogs/DownloadPace.h"

#include <QDialog>
#include <QElapsedTimer>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace quellin {

struct DownloadCounts;

class FrmDownloadProgress : public QDialog {
public:
    // counts: the reception's tally, read as it grows. cancel: asks the link to
    // stop; false when no download runs any more.
    FrmDownloadProgress(const DownloadCounts& counts, std::function<bool()> cancel,
                        QWidget* parent = nullptr);

    // Reads the tally again (a timer does it four times a second).
    void refresh();
    bool cancelling() const { return cancelling_; }

    void reject() override; // Escape: 中止
    static constexpr int kRefreshMs = 250;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdStop_Click();

    const DownloadCounts& counts_;
    std::function<bool()> cancel_;
    DownloadPace pace_;
    QElapsedTimer clock_;
    bool cancelling_ = false;

    QLabel* LblReceived = nullptr;
    QProgressBar* PrgDownload = nullptr;
    QLabel* LblTimeLeft = nullptr;
    QPushButton* cmdStop = nullptr;
    QTimer* refreshTimer_ = nullptr;
};

} // namespace quellin
