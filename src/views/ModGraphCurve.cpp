#include "views/ModGraphCurve.h"

#include <QPainter>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace quellin {

namespace {

// Curves may run far outside the plot (values are only limited upwards); keep
// their coordinates where the rasteriser still counts exactly.
constexpr double kFarOutsidePixels = 1.0e5;
// One pixel: the rasteriser's fast cosmetic path (wider pens are stroked as
// outlines, far too slow for a day of samples).
constexpr double kCurvePenWidth = 1.0;

} // namespace

void ColumnThinner::add(const QPointF& p)
{
    const double column = std::floor(p.x());
    if (count_ > 0 && column != column_)
        closeColumn();
    if (count_ == 0) {
        column_ = column;
        first_ = p;
        lo_ = hi_ = p.y();
    }
    lo_ = std::min(lo_, p.y());
    hi_ = std::max(hi_, p.y());
    last_ = p;
    if (count_ < kDenseColumn)
        few_[static_cast<size_t>(count_)] = p;
    ++count_;
}

void ColumnThinner::closeColumn()
{
    if (count_ <= kDenseColumn) {
        for (int k = 0; k < count_; ++k)
            current_.append(few_[static_cast<size_t>(k)]);
        afterDense_ = false;
    } else {
        if (afterDense_ && current_.size() == 1) {
            // Straight on from a dense column: its run reaches over to where
            // that column was left, so the two runs form one band.
            lo_ = std::min(lo_, current_.first().y());
            hi_ = std::max(hi_, current_.first().y());
            current_.clear();
        } else {
            // The line comes in at the column's first point and leaves from its
            // last; everything between is covered by the column's run.
            current_.append(first_);
            endLine();
        }
        afterDense_ = true;
        const int x = static_cast<int>(column_);
        out_.spans.push_back(
            QLine(x, static_cast<int>(std::floor(lo_)), x, static_cast<int>(std::floor(hi_))));
        current_.append(last_);
    }
    count_ = 0;
}

void ColumnThinner::endLine()
{
    if (current_.size() >= 2)
        out_.lines.push_back(current_);
    current_.clear();
}

ThinnedCurve ColumnThinner::finish()
{
    if (count_ > 0)
        closeColumn();
    endLine();
    ThinnedCurve done = std::move(out_);
    out_ = {};
    afterDense_ = false;
    return done;
}

ThinnedCurve thinByPixelColumn(const QPolygonF& line)
{
    ColumnThinner thinner;
    for (const QPointF& p : line)
        thinner.add(p);
    return thinner.finish();
}

CurvePainter::CurvePainter(QPainter& p, const QRect& plot, double twipsPerPixel, QColor colour,
                           Qt::PenStyle style)
    : p_(p), plot_(plot), tpp_(twipsPerPixel), perTwip_(1.0 / twipsPerPixel), colour_(colour),
      style_(style)
{
}

CurvePainter::~CurvePainter()
{
    flushDots();
    flushSolid();
}

// A position names a pixel; its centre is half a pixel in, so a level line
// covers exactly one row.
double CurvePainter::xToPixels(double x) const
{
    return plot_.left() + x * perTwip_ + 0.5;
}

double CurvePainter::yToPixels(double y) const
{
    return plot_.top() + std::clamp(y * perTwip_, -kFarOutsidePixels, kFarOutsidePixels) + 0.5;
}

void CurvePainter::add(double x1, double y1, double x2, double y2, bool dotted)
{
    const double ax = xToPixels(x1);
    if (dotted) {
        flushSolid();
        const QPointF b(xToPixels(x2), yToPixels(y2));
        if (dotRun_ && std::abs(dotEnd_.x() - ax) * tpp_ <= 1 && dotEndY_ == y1) {
            dotEnd_ = b;
        } else {
            flushDots();
            dotRun_ = true;
            dotStart_ = QPointF(ax, yToPixels(y1));
            dotEnd_ = b;
        }
        dotEndY_ = y2;
        return;
    }
    flushDots();
    // Consecutive segments meet where one ended (to within a twip of rounding).
    const bool joins = solidOpen_ && std::abs(solidEndX_ - ax) * tpp_ <= 1 && solidEndY_ == y1;
    if (!joins) {
        flushSolid();
        thinner_.add(QPointF(ax, yToPixels(y1)));
        solidOpen_ = true;
    }
    solidEndX_ = xToPixels(x2);
    solidEndY_ = y2;
    thinner_.add(QPointF(solidEndX_, yToPixels(y2)));
}

void CurvePainter::flushSolid()
{
    if (!solidOpen_)
        return;
    solidOpen_ = false;
    const ThinnedCurve thin = thinner_.finish();
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setPen(QPen(colour_, kCurvePenWidth, style_));
    QVector<QLineF> pairs;
    for (const QPolygonF& l : thin.lines) {
        if (l.size() == 2)
            pairs.append(QLineF(l[0], l[1]));
        else
            p_.drawPolyline(l);
    }
    if (!pairs.isEmpty())
        p_.drawLines(pairs);
    p_.setRenderHint(QPainter::Antialiasing, false);
    if (!thin.spans.empty())
        p_.drawLines(thin.spans.data(), static_cast<int>(thin.spans.size()));
}

void CurvePainter::flushDots()
{
    if (!dotRun_)
        return;
    dotRun_ = false;
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setPen(QPen(colour_, 1, Qt::DotLine));
    const double y = std::floor(dotStart_.y());
    p_.drawLine(QPointF(std::floor(dotStart_.x()), y), QPointF(std::floor(dotEnd_.x()), y));
}

} // namespace quellin
