#include "cli/CliConsole.h"

#include <unistd.h>

namespace quellin {

QString terminalText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

namespace {

bool isTerminal(std::FILE* stream)
{
    return ::isatty(::fileno(stream)) == 1;
}

void writeBytes(std::FILE* stream, const QByteArray& bytes)
{
    // Once a write has failed (a reader that closed the pipe, a terminal that is
    // gone), the stream stays failed and is left alone: the command goes on.
    if (std::ferror(stream))
        return;
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

QByteArray consoleBytes(const QString& text, bool terminal, bool progress)
{
    // To the line's start and erase it: whatever progress stood there goes.
    const QByteArray clear = terminal ? QByteArrayLiteral("\r\x1b[K") : QByteArray();
    const QByteArray end = terminal && progress ? QByteArray() : QByteArrayLiteral("\n");
    return clear + text.toUtf8() + end;
}

void writeLine(std::FILE* stream, const QString& text)
{
    writeBytes(stream, consoleBytes(text, isTerminal(stream), false));
}

void writeProgress(std::FILE* stream, const QString& text)
{
    writeBytes(stream, consoleBytes(text, isTerminal(stream), true));
}

MsgAnswer ConsoleMessages::show(const MessageRequest& request)
{
    shown_ << request.text;
    writeLine(stream_, terminalText(request.text));
    switch (request.buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::OkCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::No;
    }
    return MsgAnswer::Ok;
}

void RememberedPanels::setPanelText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 4)
        texts_[static_cast<size_t>(panel)] = text;
}

QString RememberedPanels::panelText(int panel) const
{
    return panel >= 1 && panel <= 4 ? texts_[static_cast<size_t>(panel)] : QString();
}

} // namespace quellin
