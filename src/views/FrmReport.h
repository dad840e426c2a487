#pragma once
// "集計・レポート": the survey's figures of the current data set in a window
// beside the others: the period (the whole data set unless the user narrows
// it), the summary, each item's extremes and mean, a bar chart of the demand
// intervals with the maximum marked and one of the energy per day, the
// workbook export and the printed report. It follows a running measurement
// with the display cycle.

#include "analysis/SurveyAnalysis.h"
#include "base/Context.h"

#include <QDialog>
#include <functional>

class QBarSet;
class QChart;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QPushButton;
class QTableWidget;

namespace quellin {

class FrmReport : public QDialog {
public:
    explicit FrmReport(Context& ctx, QWidget* parent = nullptr);

    // The figures worked out again over the period shown (after a new record,
    // a load, a download). A period the user did not narrow follows the data.
    void refresh();
    // The figures over from..to (the graph's two cursors), as if typed in.
    void setPeriod(double from, double to);

    // "PDFレポート...": the figures shown, for the printed report. The window
    // does not print itself (its folder stands below the printing); the main
    // window sets this. Without it the button stays disabled.
    std::function<void(const SurveyFigures&)> printReport;

private:
    void setWholePeriod();
    void showFigures();
    void saveWorkbook();
    AnalysisPeriod period() const;
    int demandMinutes() const;

    Context& ctx_;
    bool narrowed_ = false; // the user chose a period of their own
    std::optional<SurveyFigures> figures_;

    QDateTimeEdit* DtpFrom = nullptr;
    QDateTimeEdit* DtpTo = nullptr;
    QComboBox* CmbDemand = nullptr;
    QPushButton* CmdWhole = nullptr;
    QLabel* LblError = nullptr;
    QTableWidget* GrdSummary = nullptr;
    QTableWidget* GrdItems = nullptr;
    QChart* demandChart_ = nullptr;
    QChart* energyChart_ = nullptr;
    QPushButton* CmdWorkbook = nullptr;
    QPushButton* CmdPdfReport = nullptr;
    QPushButton* CmdClose = nullptr;
};

} // namespace quellin
