#pragma once
// The texts of the about box and the choice of the system-information program
// its button starts.

#include "base/Context.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quellin {

// The application title, which the about box names the program by.
QString applicationTitle();
// "Quellinのﾊﾞｰｼﾞｮﾝ情報"
QString aboutCaption();
// "ﾊﾞｰｼﾞｮﾝ 1.00": the major version and the minor one with two digits.
QString aboutVersionText();
// "ﾊｰﾄﾞ本体ﾊﾞｰｼﾞｮﾝ " and the text the meter returned; while the meter was not
// asked, the version number, a blank and "参照してません。".
QString aboutHardVersionText(const AppGlobals& app);
QString aboutDisclaimer();

QString noSystemInfoText();

// The desktop's system-information programs, most informative first: HardInfo
// (both generations), KDE's Info Center, the GNOME and MATE system monitors.
const QStringList& systemInfoPrograms();

// The path of the first of those programs that findExecutable finds (it returns
// an empty text for a program that is not installed); empty when there is none.
QString findSystemInfoProgram(const std::function<QString(const QString&)>& findExecutable);

} // namespace quellin
