#include "settings/ModRegistry.h"

#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QtEndian>

namespace quellin {

SettingsStore::SettingsStore(const QString& iniPath, MessageBoxService& msg)
    : iniPath_(iniPath), msg_(msg)
{
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultIniPath()
{
    const QString home = qEnvironmentVariable("QUELLIN_HOME");
    if (!home.isEmpty())
        return QDir(home).filePath(QStringLiteral("Quellin.ini"));
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Tarvo/Quellin.ini"));
}

QString SettingsStore::read(const QString& name, const QString& def) const
{
    if (!QFileInfo::exists(iniPath_))
        return def;
    QSettings ini(iniPath_, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError || !ini.contains(name))
        return def;
    const QVariant v = ini.value(name);
    // A hand-edited value with commas comes back as a list: it is still the text written.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    return def;  // a value of another kind (an integer, bytes) reads as the default
}

bool SettingsStore::write(const QString& name, const QVariant& value, int type)
{
    const QString keyName = QStringLiteral("HKEY_CURRENT_USER\\") + kSettingsSubkey;
    const QFileInfo info(iniPath_);
    if (!QDir().mkpath(info.absolutePath())) {
        msg_.show({QStringLiteral("レジストリキーの作成に失敗しました。キー名＝") + keyName, {},
                   MsgButtons::Ok, MsgIcon::None, false});
        return false;
    }
    QSettings ini(iniPath_, QSettings::IniFormat);
    if (type == kRegSz || type == kRegExpandSz) {
        ini.setValue(name, value.toString());
    } else {
        const qint32 n = value.toInt();
        QByteArray bytes(4, '\0');
        qToLittleEndian<qint32>(n, bytes.data());
        ini.setValue(name, bytes);
    }
    ini.sync();
    if (ini.status() != QSettings::NoError) {
        msg_.show({QStringLiteral("レジストリ値のセットに失敗しました。値名＝") + keyName +
                       QLatin1Char('\\') + name,
                   {}, MsgButtons::Ok, MsgIcon::None, false});
        return false;
    }
    return true;
}

}  // namespace quellin
