#include "about/FrmSplash.h"

#include "platform/Format.h"
#include "platform/Tx.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace quellin {

QString splashCaption()
{
    return TX("\nQuellin\n\n　　　Version ") + QString::number(QUELLIN_VERSION_MAJOR) +
           QLatin1Char('.') + Format(double(QUELLIN_VERSION_MINOR), QStringLiteral("00"));
}

FrmSplash::FrmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FrmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(460, 260);
    setCursor(Qt::WaitCursor); // the pointer over the splash is always the hourglass

    // LblSplash(2) is the same caption drawn as a soft shadow behind LblSplash(0).
    QFont titleFont = font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    for (int i : {2, 0}) {
        auto* label = new QLabel(splashCaption(), this);
        label->setFont(titleFont);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setStyleSheet(i == 0 ? QStringLiteral("color: #ffffff;")
                                    : QStringLiteral("color: rgba(0,0,0,90);"));
        label->setGeometry(i == 0 ? QRect(36, 20, 400, 150) : QRect(38, 22, 400, 150));
        label->setObjectName(QStringLiteral("LblSplash%1").arg(i));
        LblSplash[static_cast<size_t>(i)] = label;
    }
    auto* subtitle = new QLabel(TX("電力計 PC コントローラ"), this);
    subtitle->setStyleSheet(QStringLiteral("color: #d8e6f5;"));
    subtitle->setGeometry(36, 170, 400, 24);
    subtitle->setObjectName(QStringLiteral("LblSplash1"));
    LblSplash[1] = subtitle;

    LblChek = new QLabel(this);
    LblChek->setStyleSheet(QStringLiteral("color: #ffffff;"));
    LblChek->setGeometry(36, 212, 400, 28);
    LblChek->setVisible(false);
    LblChek->setObjectName(QStringLiteral("LblChek"));

    CmdCancel = new QPushButton(TX("中止"), this);
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    CmdCancel->setCursor(Qt::ArrowCursor);
    CmdCancel->setGeometry(356, 212, 80, 28);
    CmdCancel->setVisible(false);
    connect(CmdCancel, &QPushButton::clicked, this, [this] { cancelWait(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void FrmSplash::showVersionCheck(const QString& text)
{
    LblChek->setText(text);
    LblChek->setVisible(true);
}

void FrmSplash::addVersionCheckDot()
{
    LblChek->setText(LblChek->text() + TX("・"));
}

QString FrmSplash::versionCheckText() const
{
    return LblChek->text();
}

void FrmSplash::offerCancel(std::function<void()> cancel)
{
    cancel_ = std::move(cancel);
    CmdCancel->setVisible(static_cast<bool>(cancel_));
    LblChek->setFixedWidth(cancel_ ? 312 : 400);
    if (cancel_) {
        activateWindow();
        setFocus();
    }
}

void FrmSplash::cancelWait()
{
    // Once: the wait it ends is over.
    auto cancel = std::move(cancel_);
    offerCancel(nullptr);
    if (cancel)
        cancel();
}

void FrmSplash::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && cancel_) {
        cancelWait();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmSplash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, width(), height());
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    g.setColorAt(1, QColor(0x0b, 0x25, 0x3f));
    p.fillRect(rect(), g);
    p.setPen(QColor(0x6f, 0xa8, 0xdc));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace quellin
