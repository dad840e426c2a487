#pragma once
// The survey report on A4 portrait pages: a first page with what was measured
// (the data file's title line, the meter, the wiring, the period, the storage
// period) and the summary, the items' extremes, the gaps, the demand chart and
// table, the energy per day and per hour, and the trend graph of the period.
// Every page carries its number ("n / N") and the print date. No widgets: the
// window's print and quellin-cli's --pdf paint the same pages.

#include "analysis/SurveyAnalysis.h"
#include "base/Context.h"
#include "print/GraphSheet.h"
#include "print/PrintPages.h"
#include "print/ReportBlocks.h"
#include "store/DataSet.h"

#include <memory>
#include <vector>

namespace quellin {

// What the first page says about the measurement.
struct ReportHeading {
    QString title;  // the data file's title line, or a heading of its own
    QString meter;  // the meter's hardware version, "不明" when not known
    QString wiring; // "単相３線式" …, "不明" when the data set names none
};
ReportHeading reportHeading(const AppGlobals& app, const DataSet& data);

QString reportTitleText();
// The heading of a data set without a title line.
QString untitledReportText();

// The summary rows of the first page: label and value.
std::vector<std::pair<QString, QString>> reportSummaryRows(const ReportHeading& heading,
                                                           const SurveyFigures& f);

class ReportSection : public PrintSection {
public:
    // The trend graph is read from data over the figures' period now; data is
    // not referred to afterwards. printed: the print date (a date value).
    ReportSection(const Catalog& cat, int hardVersion, const DataSet& data, const SurveyFigures& figures,
                  const ReportHeading& heading, double printed, Services& svc);
    ~ReportSection() override;

    QPageLayout pageLayout() const override;
    int pageCount(QPaintDevice& device, const PageArea& area) override;
    void paintPage(QPainter& painter, const PageArea& area, int page) override;

    struct Block;
    struct Placement;

private:
    void paginate(const PageArea& area);
    void paintFooter(QPainter& p, const ReportUnits& u, const PageArea& area, int page) const;
    void paintGraph(QPainter& p, const ReportUnits& u, const QRectF& target) const;

    std::vector<Block> blocks_;
    std::vector<std::vector<Placement>> pages_;
    PageArea laidOutFor_;
    QString printed_;
    Services& svc_;
    int hardVersion_;
    std::unique_ptr<KeptGraphScene> graph_;
    GraphSheetHead graphHead_;
};

} // namespace quellin
