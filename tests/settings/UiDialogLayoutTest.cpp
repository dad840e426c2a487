// The settings dialogs as a user sees them: every visible control lies inside the
// window and no two controls of the same kind overlap. With QUELLIN_SCREENSHOT_DIR
// set, the dialogs are also written there as PNG files to be looked at.

#include "Catalogue.h"
#include "TestContext.h"
#include "settings/FrmLogSet.h"
#include "settings/FrmSystem.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <gtest/gtest.h>

namespace quellin {
namespace {

// Every visible widget of the dialog lies inside it; visible buttons and edits do
// not overlap each other.
void expectNothingClippedOrOverlapping(QDialog& dlg)
{
    dlg.show();
    const QRect inside = dlg.rect();
    QList<QWidget*> controls;
    for (QWidget* w : dlg.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&dlg))
            continue;
        const QRect r(w->mapTo(&dlg, QPoint(0, 0)), w->size());
        EXPECT_TRUE(inside.contains(r))
            << w->metaObject()->className() << " " << w->objectName().toStdString() << " at "
            << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w))
            controls << w;
    }
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j) {
            const QRect a(controls[i]->mapTo(&dlg, QPoint(0, 0)), controls[i]->size());
            const QRect b(controls[j]->mapTo(&dlg, QPoint(0, 0)), controls[j]->size());
            EXPECT_FALSE(a.intersects(b)) << controls[i]->metaObject()->className() << " "
                                          << controls[j]->metaObject()->className();
        }
}

void maybeSave(QWidget& w, const QString& name)
{
    const QString dir = qEnvironmentVariable("QUELLIN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        w.grab().save(QDir(dir).filePath(name));
}

class LogSetLayout : public ::testing::TestWithParam<int> {};

TEST_P(LogSetLayout, FitsItsVersionsWindow)
{
    test::TestContext t;
    test::giveTestCatalogue(*t.ctx, GetParam());
    FrmLogSet dlg(*t.ctx);
    expectNothingClippedOrOverlapping(dlg);
    maybeSave(dlg, QStringLiteral("logset-v%1.png").arg(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Versions, LogSetLayout, ::testing::Values(1, 2));

TEST(SystemLayout, FitsItsWindow)
{
    test::TestContext t;
    FrmSystemLinks links;
    links.deviceForPort = [](int n) { return QStringLiteral("/dev/ttyS%1").arg(n - 1); };
    links.presentPorts = [] {
        return QList<PresentPort>{{"/dev/ttyS0", {}, {}, {}},
                                  {"/dev/ttyUSB0",
                                   "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3D4-if00-port0",
                                   "FT232R USB UART", "A1B2C3D4"}};
    };
    FrmSystem dlg(*t.ctx, links);
    expectNothingClippedOrOverlapping(dlg);
    maybeSave(dlg, QStringLiteral("system.png"));
}

} // namespace
} // namespace quellin
