#include "dialogs/DispSetFields.h"

#include "platform/Format.h"
#include "platform/Tx.h"

namespace quellin {

namespace {

// Steps of the read list.
enum ReadStep : int {
    kReadVoltage = 0,
    kReadPt = 1,
    kReadCt = 2,
    kReadInterval = 3,
    kReadStart = 4,
    kReadEnd = 5,
    kReadRange = 6,
    kReadTimer = 7,
    kReadComm = 8,
    kReadFirstOutput = 9,
};

constexpr std::array<OutputParam, 30> buildOutputParams()
{
    std::array<OutputParam, 30> params{};
    int lists = 0;
    int texts = 0;
    for (int i = 0; i < 30; ++i) {
        const int group = i / 10; // 0 power, 1 leakage current, 2 temperature
        OutputKind kind = OutputKind::OnTime;
        bool isList = false;
        switch (i % 5) {
        case 0:
            kind = group == 0   ? OutputKind::PowerLevel
                   : group == 1 ? OutputKind::LeakageChannel
                                : OutputKind::TemperatureChannel;
            isList = group != 0;
            break;
        case 1:
            kind = group == 0   ? OutputKind::PowerUnit
                   : group == 1 ? OutputKind::LeakageLevel
                                : OutputKind::TemperatureLevel;
            isList = group == 0;
            break;
        case 2:
            kind = OutputKind::OnTime;
            break;
        case 3:
            kind = OutputKind::OffLevel;
            break;
        default:
            kind = OutputKind::OffTime;
            break;
        }
        params[static_cast<size_t>(i)] = {10 + i, kind, isList, isList ? lists++ : texts++,
                                          kTabPower + group};
    }
    return params;
}

constexpr std::array<OutputParam, 30> kOutputParams = buildOutputParams();

QString replyAt(const ExchangeReplies& replies, int i)
{
    return i >= 0 && i < replies.size() ? replies[i] : QString();
}

// The list index an answer names: its whole text a number from 0 to count - 1
// after adding offset; -1 for anything else.
int listIndexOf(const QString& value, int count, int offset = 0)
{
    const QString t = value.trimmed();
    if (t.isEmpty() || t.size() > 4)
        return -1;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    const int index = t.toInt() + offset;
    return index >= 0 && index < count ? index : -1;
}

// Basic's Val of one character: its digit, 0 for anything else.
int digitValue(const QString& text)
{
    if (text.isEmpty())
        return 0;
    const QChar c = text.at(0);
    return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : 0;
}

QString parityName(QChar c)
{
    switch (c.unicode()) {
    case 'N':
        return QStringLiteral("NONE");
    case 'O':
        return QStringLiteral("ODD");
    case 'E':
        return QStringLiteral("EVEN");
    default:
        return {};
    }
}

int outputListCount(int cmbSb)
{
    return cmbSb < 2 ? 5 : cmbSb < 4 ? 3 : 2;
}

// The value of a control-output parameter as the dialog shows it.
void showOutput(DispSetFields& f, const OutputParam& p, const QString& value)
{
    const size_t c = static_cast<size_t>(p.control);
    switch (p.kind) {
    case OutputKind::PowerUnit:
        f.sb[c] = listIndexOf(value, outputListCount(p.control));
        return;
    case OutputKind::LeakageChannel:
    case OutputKind::TemperatureChannel:
        f.sb[c] = listIndexOf(value, outputListCount(p.control), -1);
        return;
    case OutputKind::LeakageLevel:
        f.sbText[c] = Format(value, QStringLiteral("0.0"));
        return;
    default:
        f.sbText[c] = Format(value, QStringLiteral("0"));
        return;
    }
}

// The value of a control-output parameter as it is sent.
QString sentOutput(const DispSetFields& f, const OutputParam& p)
{
    const size_t c = static_cast<size_t>(p.control);
    switch (p.kind) {
    case OutputKind::PowerUnit:
        return QString::number(f.sb[c]);
    case OutputKind::LeakageChannel:
    case OutputKind::TemperatureChannel:
        return QString::number(f.sb[c] + 1);
    case OutputKind::LeakageLevel:
        return Format(f.sbText[c], QStringLiteral("000.0")).right(5);
    default:
        return Format(f.sbText[c], QStringLiteral("00"));
    }
}

} // namespace

const std::array<OutputParam, 30>& outputParams()
{
    return kOutputParams;
}

QStringList denatuEntries()
{
    return {TX("接触"), TX("非接触")};
}

QStringList jikanEntries()
{
    return {TX("　１分"), TX("　５分"), TX("１０分"),
            TX("１５分"), TX("３０分"), TX("６０分")};
}

QStringList rengeEntries()
{
    return {QStringLiteral("AUTO "), QStringLiteral(" 10 A"), QStringLiteral(" 50 A"),
            QStringLiteral("100 A"), QStringLiteral("600 A")};
}

QStringList timerEntries()
{
    return {TX("タイマ OFF"), TX("タイマ ON ")};
}

QStringList outputListEntries(int cmbSb)
{
    if (cmbSb < 2)
        return {TX("　Ｗ"), TX("ＫＷ"), TX("ＭＷ"),
                TX("ＧＷ"), TX("ＴＷ")};
    if (cmbSb < 4)
        return {TX("１"), TX("２"), TX("３")};
    return {TX("１"), TX("２")};
}

DispSetFields fieldsFromReplies(const ExchangeReplies& replies, int hardVersion)
{
    DispSetFields f;
    const QString voltage = replyAt(replies, kReadVoltage);
    if (digitValue(voltage) == 0) {
        f.denatu = 0;
        f.data[0] = QStringLiteral("100.0");
    } else {
        f.denatu = 1;
        f.data[0] = voltage.mid(1).trimmed();
    }
    f.data[1] = Format(replyAt(replies, kReadPt), QStringLiteral("0"));
    f.data[2] = Format(replyAt(replies, kReadCt), QStringLiteral("0"));
    f.jikan = listIndexOf(replyAt(replies, kReadInterval), 6);
    f.data[3] = replyAt(replies, kReadStart);
    f.data[4] = replyAt(replies, kReadEnd);
    f.renge = listIndexOf(replyAt(replies, kReadRange), 5);
    const QString timer = replyAt(replies, kReadTimer);
    if (timer.startsWith(QLatin1Char('0')))
        f.timer = 0;
    else if (timer.startsWith(QLatin1Char('1')))
        f.timer = 1;

    // "CCM": speed (5), parity letter, data bits, stop bits.
    const QString comm = replyAt(replies, kReadComm);
    f.comm[0] = Format(comm.left(5), QStringLiteral("0"));
    if (comm.size() > 5)
        f.comm[1] = parityName(comm.at(5));
    f.comm[2] = comm.mid(6, 1);
    f.comm[3] = comm.mid(7, 1);

    if (hardVersion >= 2)
        for (const OutputParam& p : kOutputParams)
            showOutput(f, p, replyAt(replies, kReadFirstOutput + p.number - 10));
    return f;
}

QString clockText(double now)
{
    return Format(now, QStringLiteral("YYYY/MM/DD HH:MM:SS"));
}

QStringList dispSetCommands(const DispSetFields& f, int hardVersion)
{
    QStringList commands;
    if (f.denatu == 1)
        commands << QStringLiteral("SCF021") + Format(f.data[0], QStringLiteral("000.0")).right(5);
    else
        commands << QStringLiteral("SCF020");
    commands << QStringLiteral("SCF03") + Format(f.data[1], QStringLiteral("0000"));
    commands << QStringLiteral("SCF04") + Format(f.data[2], QStringLiteral("0000"));
    if (f.jikan >= 0 && f.jikan < 6)
        commands << QStringLiteral("SCF06") + QString::number(f.jikan);
    commands << QStringLiteral("SCF07") + Format(f.data[3], QStringLiteral("yyyy/mm/dd hh:mm"));
    commands << QStringLiteral("SCF08") + Format(f.data[4], QStringLiteral("yyyy/mm/dd hh:mm"));
    if (f.renge >= 0 && f.renge < 5)
        commands << QStringLiteral("SCF01") + QString::number(f.renge);
    if (hardVersion >= 2)
        for (const OutputParam& p : kOutputParams)
            commands << QStringLiteral("SCF%1").arg(p.number) + sentOutput(f, p);
    if (f.timer == 0 || f.timer == 1)
        commands << QStringLiteral("SCF05") + QString::number(f.timer);
    commands << QStringLiteral("STM") + Format(f.data[5], QStringLiteral("yyyy/mm/dd hh:mm:ss"));
    commands << QStringLiteral("SCFW");
    return commands;
}

DispSetLayout dispSetLayout(int hardVersion)
{
    return {4890, 7590, 4575, 3945, 6435, 3945, 90, hardVersion >= 2};
}

} // namespace quellin
