#include "link/AnswerTests.h"

namespace quellin {

bool echoTest(const QString& line, const QString& command)
{
    if (command.isEmpty())
        return false;
    const QStringView echoed = QStringView(command).mid(1);
    const QStringView head = QStringView(line).left(command.size());
    return head.size() == command.size() && head.front() == QLatin1Char('R') &&
           head.mid(1) == echoed;
}

QString echoData(const QString& line, const QString& command)
{
    return line.size() > command.size() ? line.mid(command.size()) : QString();
}

bool lengthTest(const QString& line, int replyLength)
{
    return line.size() == replyLength;
}

bool prefixTest(const QString& line, const QString& prefix, int prefixLength)
{
    if (prefixLength <= 0)
        return true;
    return QStringView(line).left(prefixLength) == prefix;
}

bool okTest(const QString& line)
{
    return line == QLatin1String("OK");
}

bool echoTest(const QString& line, const ExchangeStep& step)
{
    return echoTest(line, step.Command);
}

bool lengthTest(const QString& line, const ExchangeStep& step)
{
    return lengthTest(line, step.ReplyLength);
}

bool prefixTest(const QString& line, const ExchangeStep& step)
{
    return prefixTest(line, step.ReplyPrefix, step.PrefixLength);
}

int digitAt(const QString& line, int pos)
{
    if (pos < 0 || pos >= line.size())
        return -1;
    const QChar c = line.at(pos);
    if (c < QLatin1Char('0') || c > QLatin1Char('9'))
        return -1;
    return c.unicode() - '0';
}

} // namespace quellin
