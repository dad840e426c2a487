#include "settings/ModRegistry.h"

#include "platform/SafeSave.h"
#include "platform/Services.h"
#include "platform/Tx.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>

#include <cctype>

namespace quellin {

namespace {

const QString kSectionName = QStringLiteral("Tarvo");

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

QStringView trimBlanks(QStringView s)
{
    while (!s.isEmpty() && isBlank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && isBlank(s.back()))
        s.chop(1);
    return s;
}

// The sections whose lines are values of the key: ours and the one QSettings
// names by default (a file written by an earlier tool), plus the lines before
// any section.
bool isOurSection(QStringView header)
{
    const QStringView name = trimBlanks(header);
    return name.compare(kSectionName, Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0;
}

// One line of the file as far as the store cares.
struct ParsedLine {
    enum Kind { Other, Header, Value } kind = Other;
    bool ours = false;    // Header: one of our sections; Value: lies in one
    QStringView key;      // Value only
    QStringView rawValue; // Value only
};

std::vector<ParsedLine> parseLines(const QStringList& lines)
{
    std::vector<ParsedLine> out;
    out.reserve(static_cast<size_t>(lines.size()));
    bool inOurs = true;
    for (const QString& line : lines) {
        ParsedLine p;
        const QStringView t = trimBlanks(line);
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
            p.kind = ParsedLine::Header;
            inOurs = isOurSection(t.mid(1, t.size() - 2));
            p.ours = inOurs;
        } else if (!t.isEmpty() && !t.startsWith(QLatin1Char(';')) &&
                   !t.startsWith(QLatin1Char('#'))) {
            const qsizetype eq = t.indexOf(QLatin1Char('='));
            if (eq > 0) {
                p.kind = ParsedLine::Value;
                p.ours = inOurs;
                p.key = trimBlanks(t.left(eq));
                p.rawValue = t.mid(eq + 1);
            }
        }
        out.push_back(p);
    }
    return out;
}

// Text that is not UTF-8 is the Shift_JIS of an older tool or editor.
QString decodeSettingsText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder sjis("Shift_JIS");
    if (sjis.isValid()) {
        QString alt = sjis.decode(bytes);
        if (!sjis.hasError())
            return alt;
    }
    return text;
}

} // namespace

// The file as it was last read: its lines, and what told that it changed since.
struct SettingsStore::Snapshot {
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    QStringList lines;
};

namespace {

// Reads the file line by line: a line longer than kMaxSettingsLineBytes is left
// out (and counted), and reading stops after kMaxSettingsFileBytes, so that a
// damaged or hostile file costs neither time nor memory. nullopt when the file
// exists but cannot be read.
std::optional<QStringList> readLines(const QString& path, QList<int>& overlong, bool& cut)
{
    QFile f(path);
    if (!f.exists())
        return QStringList();
    if (QFileInfo(path).isDir() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes;
    int lineNumber = 0;
    while (!f.atEnd()) {
        ++lineNumber;
        QByteArray line = f.readLine(kMaxSettingsLineBytes + 2);
        if (f.error() != QFileDevice::NoError)
            return std::nullopt;
        if (!line.endsWith('\n') && !f.atEnd()) {
            overlong.append(lineNumber);
            while (!f.atEnd() && !f.readLine(64 * 1024).endsWith('\n')) {
            }
            continue;
        }
        if (bytes.size() + line.size() > kMaxSettingsFileBytes) {
            cut = true;
            break;
        }
        bytes += line;
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringList lines = decodeSettingsText(bytes).split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the final line break
    return lines;
}

bool isUsableName(const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('=')) || name != trimBlanks(name).toString())
        return false;
    const QChar first = name.front();
    if (first == QLatin1Char('[') || first == QLatin1Char(';') || first == QLatin1Char('#'))
        return false;
    for (QChar c : name)
        if (isControl(c))
            return false;
    return true;
}

// Puts "name=text" into lines: over the first line of that name in our sections,
// else at the end of our first section, else in a new [Tarvo] section.
void placeValue(QStringList& lines, const QString& name, const QString& line)
{
    const std::vector<ParsedLine> parsed = parseLines(lines);
    for (size_t i = 0; i < parsed.size(); ++i) {
        if (parsed[i].kind == ParsedLine::Value && parsed[i].ours &&
            parsed[i].key.compare(name, Qt::CaseInsensitive) == 0) {
            lines[static_cast<qsizetype>(i)] = line;
            return;
        }
    }
    bool anyHeader = false;
    for (size_t i = 0; i < parsed.size(); ++i) {
        if (parsed[i].kind != ParsedLine::Header)
            continue;
        anyHeader = true;
        if (!parsed[i].ours)
            continue;
        // End of this section: before the next header, after its last non-blank line.
        size_t end = i + 1;
        while (end < parsed.size() && parsed[end].kind != ParsedLine::Header)
            ++end;
        while (end > i + 1 && trimBlanks(lines[static_cast<qsizetype>(end - 1)]).isEmpty())
            --end;
        lines.insert(static_cast<qsizetype>(end), line);
        return;
    }
    if (!anyHeader && !lines.isEmpty()) {
        lines.append(line); // a file of bare lines: they are all ours
        return;
    }
    if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty())
        lines.append(QString());
    lines.append(QLatin1Char('[') + kSectionName + QLatin1Char(']'));
    lines.append(line);
}

} // namespace

SettingsStore::SettingsStore(const QString& iniPath, MessageBoxService& msg)
    : iniPath_(iniPath), msg_(msg)
{
}

SettingsStore::~SettingsStore() = default;

const QStringList* SettingsStore::lines() const
{
    const QFileInfo info(iniPath_);
    if (snapshot_ && snapshot_->exists == info.exists() && snapshot_->size == info.size() &&
        snapshot_->modified == info.lastModified())
        return &snapshot_->lines;
    QList<int> overlong;
    bool cut = false;
    std::optional<QStringList> read = readLines(iniPath_, overlong, cut);
    if (!read) {
        snapshot_.reset();
        return nullptr;
    }
    snapshot_ = std::make_unique<Snapshot>();
    snapshot_->exists = info.exists();
    snapshot_->size = info.size();
    snapshot_->modified = info.lastModified();
    snapshot_->lines = std::move(*read);
    if ((!overlong.isEmpty() || cut) && !damageReported_) {
        damageReported_ = true;
        QStringList where;
        for (int n : overlong)
            where << QString::number(n);
        QString text = TX("設定ファイル %1 に読めない行があります。")
                           .arg(QDir::toNativeSeparators(iniPath_));
        if (!overlong.isEmpty())
            text += TX("\r\n%1 行目は長すぎるため（%2 バイトを超えます）、読み飛ばしました。")
                        .arg(where.join(TX("、")))
                        .arg(kMaxSettingsLineBytes);
        if (cut)
            text += TX("\r\nファイルが大きすぎるため（%1 バイトを超えます）、続きを読み飛ばしました。")
                    .arg(kMaxSettingsFileBytes);
        text += TX("\r\n読み飛ばした部分は、次に設定を保存するときに取り除かれます。");
        msg_.show({text, {}, MsgButtons::Ok, MsgIcon::Exclamation, false});
    }
    return &snapshot_->lines;
}

QString SettingsStore::defaultIniPath()
{
    const QString home = qEnvironmentVariable("QUELLIN_HOME");
    if (!home.isEmpty())
        return QDir(home).filePath(QStringLiteral("Quellin.ini"));
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Tarvo/Quellin.ini"));
}

QString SettingsStore::encodeText(const QString& text)
{
    bool quote = false;
    if (!text.isEmpty()) {
        quote = isBlank(text.front()) || isBlank(text.back()) || text.front() == QLatin1Char('"') ||
                text.front() == QLatin1Char('@');
        for (QChar c : text)
            quote = quote || isControl(c);
    }
    if (!quote)
        return text;
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (isControl(c))
                out += QStringLiteral("\\x") +
                       QString::number(c.unicode(), 16).rightJustified(2, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

std::optional<QString> SettingsStore::decodeText(QStringView raw)
{
    const QStringView t = trimBlanks(raw);
    if (t.size() >= 2 && t.front() == QLatin1Char('"') && t.back() == QLatin1Char('"')) {
        const QStringView inner = t.mid(1, t.size() - 2);
        QString out;
        out.reserve(inner.size());
        for (qsizetype i = 0; i < inner.size(); ++i) {
            const QChar c = inner[i];
            if (c != QLatin1Char('\\') || i + 1 >= inner.size()) {
                out += c;
                continue;
            }
            const QChar e = inner[i + 1];
            switch (e.unicode()) {
            case '\\':
                out += QLatin1Char('\\');
                ++i;
                break;
            case '"':
                out += QLatin1Char('"');
                ++i;
                break;
            case 'r':
                out += QLatin1Char('\r');
                ++i;
                break;
            case 'n':
                out += QLatin1Char('\n');
                ++i;
                break;
            case 't':
                out += QLatin1Char('\t');
                ++i;
                break;
            case 'x': {
                const auto hex = [](QChar h) {
                    return std::isxdigit(static_cast<unsigned char>(h.toLatin1())) &&
                           h.unicode() < 0x80;
                };
                if (i + 3 < inner.size() && hex(inner[i + 2]) && hex(inner[i + 3])) {
                    out += QChar(inner.mid(i + 2, 2).toInt(nullptr, 16));
                    i += 3;
                } else {
                    out += c; // not an escape: keep the backslash as typed
                }
                break;
            }
            default:
                out += c;
                break;
            }
        }
        return out;
    }
    if (t.startsWith(QLatin1String("@@")))
        return t.mid(1).toString();
    if (t.startsWith(QLatin1Char('@'))) {
        // "@ByteArray(…)", "@Variant(…)", "@DWORD(…)": a value of another kind.
        qsizetype i = 1;
        while (i < t.size() && t[i].isLetter() && t[i].unicode() < 0x80)
            ++i;
        if (i > 1 && i < t.size() && t[i] == QLatin1Char('('))
            return std::nullopt;
    }
    return t.toString();
}

QString SettingsStore::read(const QString& name, const QString& def) const
{
    const QStringList* all = lines();
    if (!all)
        return def;
    const std::vector<ParsedLine> parsed = parseLines(*all);
    for (const ParsedLine& p : parsed) {
        if (p.kind == ParsedLine::Value && p.ours && p.key.compare(name, Qt::CaseInsensitive) == 0)
            return decodeText(p.rawValue).value_or(def);
    }
    return def;
}

bool SettingsStore::write(const QString& name, const QVariant& value, int type)
{
    const QString keyName = QStringLiteral("HKEY_CURRENT_USER\\") + kSettingsSubkey;
    const QFileInfo info(iniPath_);
    if (!QDir().mkpath(info.absolutePath())) {
        msg_.show({TX("レジストリキーの作成に失敗しました。キー名＝") + keyName,
                   {},
                   MsgButtons::Ok,
                   MsgIcon::None,
                   false});
        return false;
    }
    const QString valueMessage = TX("レジストリ値のセットに失敗しました。値名＝") +
                                 keyName + QLatin1Char('\\') + name;
    if (!isUsableName(name)) {
        msg_.show({valueMessage, {}, MsgButtons::Ok, MsgIcon::None, false});
        return false;
    }
    // A file that cannot be written fails every value the program stores in a
    // row (thirteen at the end of a run): the user is told once, until a write
    // succeeds again.
    const auto fileFailed = [&](const QString& reason) {
        if (!writeFailureReported_) {
            writeFailureReported_ = true;
            QString text = valueMessage;
            if (!reason.isEmpty())
                text += QStringLiteral("\r\n") +
                        TX("%1：%2").arg(QDir::toNativeSeparators(iniPath_), reason);
            msg_.show({text, {}, MsgButtons::Ok, MsgIcon::None, false});
        }
        return false;
    };
    const QStringList* current = lines();
    if (!current)
        return fileFailed(QString());
    QStringList updated = *current;
    QString text;
    if (type == kRegSz || type == kRegExpandSz)
        text = encodeText(value.toString());
    else
        text = QStringLiteral("@DWORD(") + QString::number(static_cast<qint32>(value.toInt())) +
               QLatin1Char(')');
    placeValue(updated, name, name + QLatin1Char('=') + text);

    // Written whole to a temporary file and renamed, so that a failure (a full
    // disk among them) leaves the previous settings intact.
    CheckedSaveFile out(iniPath_);
    if (!out.open() || !out.write((updated.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) ||
        !out.commit())
        return fileFailed(out.reason());
    writeFailureReported_ = false;
    snapshot_.reset(); // read again, with the new file's size and time
    return true;
}

} // namespace quellin
