#pragma once
// The settings store: named string values under one key, kept in an INI file
// (on Windows this was the registry key HKEY_CURRENT_USER\Software\Tarvo).
//
// The file holds one "Name=text" line per value under the section [Tarvo]:
//
//   [Tarvo]
//   CommParam=9600,N,8,1
//   FilePath=/home/user/.local/share/Quellin/Data/
//
// A text is written as it is, so that a value edited by hand reads back exactly
// as typed (commas, semicolons and backslashes included). Only a text that could
// not stand bare is quoted: one with blanks at an end, a leading quote or "@", or
// a control character; inside quotes \\ \" \r \n \t are escapes. A value written
// as "@Type(…)" (an integer, bytes) is not a string and reads as the default.
// Lines before any section and in [General] count as well; names are compared
// without regard to case, like registry value names. The file is read as UTF-8,
// or as Shift_JIS when it is not UTF-8, and written as UTF-8.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

namespace quellin {

class MessageBoxService;

inline const QString kSettingsSubkey = QStringLiteral("Software\\Tarvo");

constexpr int kRegSz = 1;
constexpr int kRegExpandSz = 2;
constexpr int kRegDword = 4;

// A settings line longer than this is damage, not a value: it is skipped with a
// message. Past kMaxSettingsFileBytes the rest of the file is skipped too.
constexpr int kMaxSettingsLineBytes = 4096;
constexpr int kMaxSettingsFileBytes = 1024 * 1024;

class SettingsStore {
public:
    // iniPath: the file behind the key; msg: where write failures are reported.
    SettingsStore(const QString& iniPath, MessageBoxService& msg);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stored text of a value, or def when the file, the value or its text is
    // missing or the value is not a string. Never creates the file.
    QString read(const QString& name, const QString& def) const;
    // Stores value under name: type 1 and 2 as text, any other type as a 32-bit
    // integer. Reports a failure with the original messages and returns false.
    bool write(const QString& name, const QVariant& value, int type = kRegSz);

    QString iniPath() const { return iniPath_; }

    // Where the settings live: $QUELLIN_HOME/Quellin.ini, else ~/.config/Tarvo/Quellin.ini.
    static QString defaultIniPath();

    // A text as the right-hand side of its line, and back; decoding gives nullopt
    // for a value that is not a string ("@Type(…)").
    static QString encodeText(const QString& text);
    static std::optional<QString> decodeText(QStringView raw);

private:
    struct Snapshot;
    // The file's lines, read once and again only when the file changed (its size
    // or time); null when it cannot be read.
    const QStringList* lines() const;

    QString iniPath_;
    MessageBoxService& msg_;
    mutable std::unique_ptr<Snapshot> snapshot_;
    mutable bool damageReported_ = false;
    bool writeFailureReported_ = false;
};

} // namespace quellin
