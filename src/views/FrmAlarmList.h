#pragma once
// "警報一覧": the alarms of the running (or last) measurement as they came,
// the newest on top: time, item, the rule, the value, and whether the alarm was
// raised or cleared.

#include "measure/AlarmEvaluator.h"

#include <QMdiSubWindow>
#include <QStringList>
#include <deque>

class QTableWidget;

namespace quellin {

// One row: "2026/12/09 13:00:10", "有効電力", "有効電力 > 3000 W（10 秒）", "3050", "警報" or "解除".
QStringList alarmListRow(const AlarmEvent& event);

class FrmAlarmList : public QMdiSubWindow {
public:
    // Rows beyond this are dropped from the bottom (the oldest).
    static constexpr int kMaxRows = 10000;

    explicit FrmAlarmList(QWidget* parent = nullptr);

    void showEvents(const std::deque<AlarmEvent>& events);
    void addEvent(const AlarmEvent& event);
    int rows() const;
    QStringList row(int r) const;

private:
    void insertRow(const AlarmEvent& event);
    QTableWidget* GrdAlarm = nullptr;
};

} // namespace quellin
