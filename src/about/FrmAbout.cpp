#include "about/FrmAbout.h"

#include "about/AboutTexts.h"
#include "platform/Tx.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace quellin {

namespace {

// The program's emblem: a meter's dial with its needle.
QPixmap emblem(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
    p.setPen(QPen(QColor(0xd8, 0xe6, 0xf5), size * 0.06));
    p.setBrush(Qt::NoBrush);
    const QRectF dial(size * 0.18, size * 0.28, size * 0.64, size * 0.64);
    p.drawArc(dial, 20 * 16, 140 * 16);
    p.setPen(QPen(QColor(0xff, 0xc2, 0x3d), size * 0.07, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(size * 0.5, size * 0.6), QPointF(size * 0.7, size * 0.36));
    return pm;
}

} // namespace

frmAbout::frmAbout(Context& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(aboutCaption());
    setModal(true);
    findExecutable = [](const QString& name) { return QStandardPaths::findExecutable(name); };
    startProgram = [](const QString& path) { return QProcess::startDetached(path, {}); };

    auto* icon = new QLabel(this);
    icon->setPixmap(emblem(64));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    LblTitle = new QLabel(applicationTitle(), this);
    QFont titleFont = LblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    LblTitle->setFont(titleFont);
    lblVersion = new QLabel(aboutVersionText(), this);
    lblHDVer = new QLabel(aboutHardVersionText(ctx_.app), this);
    lblDisclaimer = new QLabel(aboutDisclaimer(), this);
    lblDisclaimer->setWordWrap(true);
    QFont small = lblDisclaimer->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    lblDisclaimer->setFont(small);
    LblTitle->setObjectName(QStringLiteral("LblTitle"));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblHDVer->setObjectName(QStringLiteral("lblHDVer"));
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(TX("ｼｽﾃﾑ情報(&S)..."), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(LblTitle);
    texts->addWidget(lblVersion);
    texts->addWidget(lblHDVer);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);
    setFixedWidth(520);
}

void frmAbout::cmdSysInfo_Click()
{
    const QString program = findSystemInfoProgram(findExecutable);
    if (program.isEmpty() || !startProgram(program))
        ctx_.svc.msg.info(noSystemInfoText());
}

} // namespace quellin
