#pragma once
// A window's controls as the tests reach them: by object name. Windows keep their
// controls private and name each one after its design name ("CmdSend"); a member
// of a control array carries its index ("TxtData3" is TxtData(3)).

#include <QObject>
#include <QString>
#include <stdexcept>

namespace quellin::test {

// The window's control of that name and type; a missing one throws, so the test
// fails with the name instead of crashing on a null pointer.
// (Looked up as QObject and cast, since some of the windows' own widgets carry
// no meta-object of their own.)
template <class T> T* control(const QObject& window, const QString& name)
{
    for (QObject* candidate : window.findChildren<QObject*>(name))
        if (auto* found = dynamic_cast<T*>(candidate))
            return found;
    throw std::runtime_error("no control " + name.toStdString() + " of that type in " +
                             window.objectName().toStdString());
}

template <class T> T* control(const QObject& window, const QString& name, int index)
{
    return control<T>(window, name + QString::number(index));
}

} // namespace quellin::test
