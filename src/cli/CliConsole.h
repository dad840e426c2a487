#pragma once
// The services of a program without windows: messages go to standard error (in
// the windows' own words, one text per line), questions are answered "No",
// there are no file dialogs and no mouse pointer, and the status panels are
// only remembered.

#include "platform/Services.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdio>

namespace quellin {

// A text for a terminal: the windows' CR LF and lone CR become LF.
QString terminalText(const QString& text);
// Writes text and a line end to stream as UTF-8, flushed; nothing once a write
// to stream has failed. On a terminal the line takes the place of a progress
// line standing there.
void writeLine(std::FILE* stream, const QString& text);
// The progress: on a terminal it rewrites one line in place (no line end, so
// the next progress or line replaces it); elsewhere a line like any other, so
// that a log of standard error keeps every one.
void writeProgress(std::FILE* stream, const QString& text);
// The bytes either writes: a line (progress false) or a progress line, for a
// terminal or not.
QByteArray consoleBytes(const QString& text, bool terminal, bool progress);

class ConsoleMessages : public MessageBoxService {
public:
    explicit ConsoleMessages(std::FILE* stream) : stream_(stream) {}
    // Every text is written; a question gets No (or Cancel): nobody is there to
    // say Yes.
    MsgAnswer show(const MessageRequest& request) override;
    const QStringList& shown() const { return shown_; }

private:
    std::FILE* stream_;
    QStringList shown_;
};

class NoFileDialog : public FileDialogService {
public:
    QString openFile(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
};

class NoPointer : public PointerService {
public:
    void setPointer(MousePointer) override {}
};

class RememberedPanels : public StatusPanel {
public:
    void setPanelText(int panel, const QString& text) override;
    QString panelText(int panel) const override;

private:
    std::array<QString, 5> texts_;
};

} // namespace quellin
