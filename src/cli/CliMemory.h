#pragma once
// quellin-cli memory and download: the download dialog without the window. The
// memory list is read by the dialog's exchange and printed in its lines; a
// download runs the dialog's plan and the main window's reception, and the
// data set is saved as a data file.

#include "base/MemoryClients.h"
#include "cli/CliSession.h"
#include "dialogs/MemoryList.h"
#include "main/DownloadReception.h"

#include <QElapsedTimer>
#include <vector>

namespace quellin {

class CliMemory : public MainWindowClient, public DownloadDialogClient {
public:
    explicit CliMemory(CliSession& session);
    ~CliMemory() override;

    // quellin-cli memory: the list on standard output.
    CliExit list();
    // quellin-cli download N --save FILE.csv.
    CliExit download();

    // MainWindowClient: only the download's call-backs.
    void KeisokuStart() override {}
    void KeisokuEnd() override {}
    void KeisokuEnd_Req() override {}
    void clearBusyText() override {}
    void linkLost() override {}
    void Download_Recv(const QString& text) override;
    void DispDownload() override;
    void downloadAbandoned() override;

    // DownloadDialogClient
    void setEnabled(bool) override {}
    void unload() override { unloaded_ = true; }
    void DispMemory(const ExchangeReplies& replies) override;
    void showSingleLine(const QString& text) override { singleLine_ = text; }
    void disableDownload() override { refused_ = true; }

private:
    // Reads the memory list; Done with the blocks in blocks_, or the exit code.
    CliExit readList();

    CliSession& session_;
    Context& ctx_;
    std::vector<MemoryBlockInfo> blocks_;
    bool listed_ = false;
    bool unloaded_ = false;
    bool refused_ = false;
    QString singleLine_;
    QElapsedTimer sinceProgress_;
    bool downloadEnded_ = false;
    bool cancelled_ = false;
    CliExit downloadExit_ = CliExit::Done;
    DownloadReception download_{ctx_};
};

} // namespace quellin
