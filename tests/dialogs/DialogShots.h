#pragma once
// Looking at a dialog as a user would: nothing visible sticks out of it, no two
// buttons or fields overlap, every label's text fits. With QUELLIN_SCREENSHOT_DIR
// set the dialog is also saved there as a PNG file.

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <gtest/gtest.h>

namespace quellin::test {

inline QRect rectIn(QWidget& dlg, QWidget* w)
{
    return QRect(w->mapTo(&dlg, QPoint(0, 0)), w->size());
}

inline void expectNothingClippedOrOverlapping(QDialog& dlg)
{
    dlg.show();
    const QRect inside = dlg.rect();
    QList<QWidget*> controls;
    for (QWidget* w : dlg.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&dlg) || w->isWindow())
            continue;
        const QRect r = rectIn(dlg, w);
        EXPECT_TRUE(inside.contains(r)) << w->metaObject()->className() << " at " << r.x() << ","
                                        << r.y() << " " << r.width() << "x" << r.height();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                      label->contentsRect().width())
                << label->text().toStdString();
        }
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QComboBox*>(w);
        if (control && !qobject_cast<QComboBox*>(w->parentWidget()))
            controls << w;
    }
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(rectIn(dlg, controls[i]).intersects(rectIn(dlg, controls[j])))
                << controls[i]->metaObject()->className() << " "
                << controls[j]->metaObject()->className();
}

inline void saveShot(QWidget& w, const QString& name)
{
    const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        w.grab().save(QDir(dir).filePath(name));
}

} // namespace quellin::test
