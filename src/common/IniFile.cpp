#include "IniFile.h"

#include "KivError.h"
#include "SafeWrite.h"
#include "TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace kiv {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument IniDocument::parse(const QString &text)
{
    IniDocument doc;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString raw = lines.at(i);
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        if (i == lines.size() - 1 && raw.isEmpty())
            break; // the text ended with a line break
        Line line;
        line.text = raw;
        const QString t = raw.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']'))) {
            line.kind = Line::Section;
            line.name = t.mid(1, t.indexOf(QLatin1Char(']')) - 1).trimmed();
        } else if (!t.startsWith(QLatin1Char(';')) && t.contains(QLatin1Char('='))) {
            const qsizetype eq = raw.indexOf(QLatin1Char('='));
            line.kind = Line::Entry;
            line.name = raw.left(eq).trimmed();
            line.value = raw.mid(eq + 1).trimmed();
        }
        doc.m_lines.push_back(std::move(line));
    }
    return doc;
}

QString IniDocument::toText() const
{
    QString out;
    for (const Line &l : m_lines) {
        if (l.kind == Line::Entry)
            out += l.name + QLatin1Char('=') + l.value;
        else
            out += l.text;
        out += QStringLiteral("\r\n");
    }
    return out;
}

qsizetype IniDocument::findSection(const QString &section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Section && sameName(m_lines[i].name, section))
            return static_cast<qsizetype>(i);
    return -1;
}

qsizetype IniDocument::sectionEnd(qsizetype sectionLine) const
{
    auto i = static_cast<size_t>(sectionLine + 1);
    while (i < m_lines.size() && m_lines[i].kind != Line::Section)
        ++i;
    return static_cast<qsizetype>(i);
}

qsizetype IniDocument::findKey(qsizetype sectionLine, const QString &key) const
{
    const qsizetype end = sectionEnd(sectionLine);
    for (qsizetype i = sectionLine + 1; i < end; ++i) {
        const Line &l = m_lines[static_cast<size_t>(i)];
        if (l.kind == Line::Entry && sameName(l.name, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniDocument::rawValue(const QString &section, const QString &key) const
{
    const qsizetype s = findSection(section);
    if (s < 0)
        return std::nullopt;
    const qsizetype k = findKey(s, key);
    if (k < 0)
        return std::nullopt;
    return m_lines[static_cast<size_t>(k)].value;
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    Line entry;
    entry.kind = Line::Entry;
    entry.name = key;
    entry.value = value;
    qsizetype s = findSection(section);
    if (s < 0) {
        Line header;
        header.kind = Line::Section;
        header.name = section;
        header.text = QLatin1Char('[') + section + QLatin1Char(']');
        m_lines.push_back(std::move(header));
        m_lines.push_back(std::move(entry));
        return;
    }
    const qsizetype k = findKey(s, key);
    if (k >= 0) {
        m_lines[static_cast<size_t>(k)].value = value;
        return;
    }
    // After the section's last entry, so blank lines before the next section stay there.
    qsizetype at = s + 1;
    const qsizetype end = sectionEnd(s);
    for (qsizetype i = s + 1; i < end; ++i)
        if (m_lines[static_cast<size_t>(i)].kind == Line::Entry)
            at = i + 1;
    m_lines.insert(m_lines.begin() + at, std::move(entry));
}

void IniDocument::removeKey(const QString &section, const QString &key)
{
    const qsizetype s = findSection(section);
    if (s < 0)
        return;
    const qsizetype k = findKey(s, key);
    if (k >= 0)
        m_lines.erase(m_lines.begin() + k);
}

void IniDocument::removeSection(const QString &section)
{
    const qsizetype s = findSection(section);
    if (s < 0)
        return;
    m_lines.erase(m_lines.begin() + s, m_lines.begin() + sectionEnd(s));
}

bool IniDocument::hasSection(const QString &section) const
{
    return findSection(section) >= 0;
}

QStringList IniDocument::sections() const
{
    QStringList r;
    for (const Line &l : m_lines)
        if (l.kind == Line::Section)
            r << l.name;
    return r;
}

QStringList IniDocument::keys(const QString &section) const
{
    QStringList r;
    const qsizetype s = findSection(section);
    if (s < 0)
        return r;
    const qsizetype end = sectionEnd(s);
    for (qsizetype i = s + 1; i < end; ++i)
        if (m_lines[static_cast<size_t>(i)].kind == Line::Entry)
            r << m_lines[static_cast<size_t>(i)].name;
    return r;
}

QString unquoteIniValue(const QString &value)
{
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        return value.mid(1, value.size() - 2);
    return value;
}

std::optional<qint64> parseIniInteger(const QString &value)
{
    const QString v = value.trimmed();
    bool ok = false;
    qint64 r = 0;
    if (v.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        r = v.mid(2).toLongLong(&ok, 16);
    else if (v.startsWith(QStringLiteral("-0x"), Qt::CaseInsensitive)) {
        r = -v.mid(3).toLongLong(&ok, 16);
    } else
        r = v.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return r;
}

TIniFile::TIniFile(QString fileName, std::optional<unsigned> createMode)
    : m_fileName(std::move(fileName)), m_createMode(createMode)
{
}

IniDocument TIniFile::document() const
{
    QFile f(m_fileName);
    if (!f.exists())
        return {};
    return IniDocument::parse(decodeText(readFileBytes(m_fileName)));
}

QString TIniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    QFile f(m_fileName);
    if (!f.exists())
        return def;
    IniDocument doc;
    try {
        doc = document();
    } catch (const KivFileError &) {
        return def; // an unreadable file reads as defaults
    }
    const auto v = doc.rawValue(section, key);
    return v ? unquoteIniValue(*v) : def;
}

qint64 TIniFile::ReadInteger(const QString &section, const QString &key, qint64 def) const
{
    const QString v = ReadString(section, key, QString());
    return parseIniInteger(v).value_or(def);
}

bool TIniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    try {
        return document().rawValue(section, key).has_value();
    } catch (const KivFileError &) {
        return false;
    }
}

bool TIniFile::SectionExists(const QString &section) const
{
    try {
        return document().hasSection(section);
    } catch (const KivFileError &) {
        return false;
    }
}

QStringList TIniFile::ReadSection(const QString &section) const
{
    try {
        return document().keys(section);
    } catch (const KivFileError &) {
        return {};
    }
}

void TIniFile::update(const std::function<void(IniDocument &)> &change)
{
    // A file that exists but cannot be read is not replaced: that would lose it.
    IniDocument doc = document();
    change(doc);
    const bool exists = QFileInfo::exists(m_fileName);
    safeWriteFile(m_fileName, doc.toText().toUtf8(), exists ? std::nullopt : m_createMode);
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    update([&](IniDocument &d) { d.setValue(section, key, value); });
}

void TIniFile::WriteInteger(const QString &section, const QString &key, qint64 value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(const QString &section, const QString &key)
{
    update([&](IniDocument &d) { d.removeKey(section, key); });
}

void TIniFile::EraseSection(const QString &section)
{
    update([&](IniDocument &d) { d.removeSection(section); });
}

namespace {

QString listKey(const QString &listName, int i)
{
    return QStringLiteral("%1.List[%2]").arg(listName).arg(i);
}

QString dequoted(const QString &v)
{
    if (!v.startsWith(QLatin1Char('"')))
        return v;
    QString r;
    for (qsizetype i = 1; i < v.size(); ++i) {
        const QChar c = v.at(i);
        if (c == QLatin1Char('"')) {
            if (i + 1 < v.size() && v.at(i + 1) == QLatin1Char('"')) {
                r += c;
                ++i;
            } else {
                break; // the closing quote
            }
        } else {
            r += c;
        }
    }
    return r;
}

} // namespace

void WriteListToIni(TIniFile &ini, const QString &section, const QString &listName, const QStringList &list)
{
    if (listName.isEmpty())
        return;
    ini.update([&](IniDocument &d) {
        for (int i = 0; i <= 200; ++i)
            d.removeKey(section, listKey(listName, i));
        for (int i = 0; i < list.size(); ++i) {
            QString v = list.at(i);
            v.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            d.setValue(section, listKey(listName, i), QLatin1Char('"') + v + QLatin1Char('"'));
        }
    });
}

void ReadListFromIni(const TIniFile &ini, const QString &section, const QString &listName, QStringList &list)
{
    if (listName.isEmpty())
        return;
    IniDocument doc;
    try {
        doc = ini.document();
    } catch (const KivFileError &) {
        return;
    }
    const auto first = doc.rawValue(section, listKey(listName, 0));
    if (first && !first->isEmpty())
        list.clear();
    for (int i = 0;; ++i) {
        const auto v = doc.rawValue(section, listKey(listName, i));
        if (!v || v->isEmpty())
            break;
        const QString s = dequoted(*v);
        if (!s.isEmpty())
            list << s;
    }
}

} // namespace kiv
