#pragma once
// The settings store: named string values under one key, kept in an INI file
// (the registry key HKEY_CURRENT_USER\Software\Tarvo of the original program).

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

namespace quellin {

class MessageBoxService;

inline const QString kSettingsSubkey = QStringLiteral("Software\\Tarvo");

constexpr int kRegSz = 1;
constexpr int kRegExpandSz = 2;
constexpr int kRegDword = 4;

class SettingsStore {
public:
    // iniPath: the file behind the key; msg: where write failures are reported.
    SettingsStore(const QString& iniPath, MessageBoxService& msg);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text of a value, or def when the value is missing or not a string.
    QString read(const QString& name, const QString& def) const;
    // Stores value under name: type 1 and 2 as text, any other type as a 32-bit
    // integer. Reports a failure with the original messages and returns false.
    bool write(const QString& name, const QVariant& value, int type = kRegSz);

    QString iniPath() const { return iniPath_; }

    // Where the settings live: $QUELLIN_HOME/Quellin.ini, else ~/.config/Tarvo/Quellin.ini.
    static QString defaultIniPath();

private:
    QString iniPath_;
    MessageBoxService& msg_;
};

}  // namespace quellin
