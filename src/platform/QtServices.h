#pragma once
// Qt implementations of the platform services.

#include "platform/CoreServices.h"
#include "platform/Services.h"

#include <QPointer>

class QStatusBar;
class QLabel;

namespace quellin {

class QtMessageBox : public MessageBoxService {
public:
    explicit QtMessageBox(QString applicationTitle = QStringLiteral("Quellin"))
        : title_(std::move(applicationTitle))
    {
    }
    MsgAnswer show(const MessageRequest& request) override;

private:
    QString title_;
};

class QtFileDialog : public FileDialogService {
public:
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
};

class QtPointer : public PointerService {
public:
    ~QtPointer() override;
    void setPointer(MousePointer pointer) override;

private:
    bool overridden_ = false;
};

} // namespace quellin
