#include "views/FrmAlarmList.h"

#include "base/MeasuredItems.h"
#include "platform/Format.h"
#include "platform/Tx.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>

namespace quellin {

QStringList alarmListRow(const AlarmEvent& event)
{
    QString rule = alarmRuleCaption(event.rule);
    if (event.rule.holdSeconds > 0)
        rule = TX("%1（%2 秒）").arg(rule, QString::number(event.rule.holdSeconds));
    return {Format(event.time, QStringLiteral("yyyy/mm/dd hh:mm:ss")),
            txText(toQString(measuredItem(event.rule.column).name)), rule, alarmValueText(event.value),
            event.raised ? TX("警報") : TX("解除")};
}

FrmAlarmList::FrmAlarmList(QWidget* parent) : QMdiSubWindow(parent)
{
    setObjectName(QStringLiteral("FrmAlarmList"));
    setWindowTitle(TX("警報一覧"));
    setAttribute(Qt::WA_DeleteOnClose);
    GrdAlarm = new QTableWidget(0, 5);
    GrdAlarm->setObjectName(QStringLiteral("GrdAlarm"));
    GrdAlarm->setHorizontalHeaderLabels({TX("時刻"), TX("項目"), TX("条件"),
                                         TX("値"), TX("状態")});
    GrdAlarm->verticalHeader()->hide();
    GrdAlarm->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrdAlarm->setSelectionBehavior(QAbstractItemView::SelectRows);
    GrdAlarm->horizontalHeader()->setStretchLastSection(true);
    // The item column as wide as the longest item name needs (English ones run
    // longer than the designed width).
    const QFontMetrics fm(GrdAlarm->font());
    int itemWidth = 76;
    for (int c = column::kVoltR; c < kMaxColumns; ++c)
        itemWidth = std::max(itemWidth, fm.horizontalAdvance(txText(toQString(measuredItem(c).name))) + 12);
    const int widths[] = {136, itemWidth, 170, 70};
    for (int c = 0; c < 4; ++c)
        GrdAlarm->setColumnWidth(c, widths[c]);
    setWidget(GrdAlarm);
    resize(600 + itemWidth - 76, 260);
}

void FrmAlarmList::showEvents(const std::deque<AlarmEvent>& events)
{
    GrdAlarm->setRowCount(0);
    const std::size_t first = events.size() > kMaxRows ? events.size() - kMaxRows : 0;
    for (std::size_t i = first; i < events.size(); ++i)
        insertRow(events[i]);
}

void FrmAlarmList::addEvent(const AlarmEvent& event)
{
    insertRow(event);
}

void FrmAlarmList::insertRow(const AlarmEvent& event)
{
    const QStringList texts = alarmListRow(event);
    GrdAlarm->insertRow(0);
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        if (c == 3)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (event.raised)
            item->setForeground(QColor(0xb0, 0x18, 0x18));
        GrdAlarm->setItem(0, c, item);
    }
    if (GrdAlarm->rowCount() > kMaxRows)
        GrdAlarm->setRowCount(kMaxRows);
}

int FrmAlarmList::rows() const
{
    return GrdAlarm->rowCount();
}

QStringList FrmAlarmList::row(int r) const
{
    QStringList texts;
    for (int c = 0; c < GrdAlarm->columnCount(); ++c)
        texts << (GrdAlarm->item(r, c) ? GrdAlarm->item(r, c)->text() : QString());
    return texts;
}

} // namespace quellin
