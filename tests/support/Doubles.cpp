#include "Doubles.h"

namespace quellin::test {

MsgAnswer ScriptedMessageBox::show(const MessageRequest& request)
{
    shown.push_back(request);
    if (onShow)
        onShow(request);
    if (!answers.empty()) {
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    if (defaultAnswer)
        return *defaultAnswer;
    switch (request.buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Yes;
    }
    return MsgAnswer::Ok;
}

QStringList ScriptedMessageBox::texts() const
{
    QStringList out;
    for (const auto& r : shown)
        out << r.text;
    return out;
}

bool ScriptedMessageBox::sawText(const QString& text) const
{
    for (const auto& r : shown)
        if (r.text == text)
            return true;
    return false;
}

QString ScriptedFileDialog::openFile(const FileDialogRequest& request)
{
    opens.push_back(request);
    if (answers.empty())
        return {};
    QString a = answers.front();
    answers.pop_front();
    return a;
}

QString ScriptedFileDialog::saveFile(const FileDialogRequest& request)
{
    saves.push_back(request);
    if (answers.empty())
        return {};
    QString a = answers.front();
    answers.pop_front();
    return a;
}

} // namespace quellin::test
