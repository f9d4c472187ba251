#pragma once
// The settings file: INI text with case-insensitive section and key names.
// Unknown sections, keys, comments and their order survive every write.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace kiv {

// The parsed text of an INI file; no file access.
class IniDocument
{
public:
    static IniDocument parse(const QString &text);
    QString toText() const;

    // The raw value as stored (trimmed), or nullopt when the key is missing.
    std::optional<QString> rawValue(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    void removeKey(const QString &section, const QString &key);
    void removeSection(const QString &section);
    bool hasSection(const QString &section) const;
    QStringList sections() const;
    QStringList keys(const QString &section) const;

private:
    struct Line
    {
        enum Kind { Other, Section, Entry } kind = Other;
        QString text;    // the line as read, for Other and Section
        QString name;    // section name or key
        QString value;   // for Entry
    };
    // Index of the section header line, or -1.
    qsizetype findSection(const QString &section) const;
    qsizetype findKey(qsizetype sectionLine, const QString &key) const;
    qsizetype sectionEnd(qsizetype sectionLine) const;

    std::vector<Line> m_lines;
};

// One settings file. Every read looks at the file as it is now and every write
// goes to disk at once (atomically), since several windows share the file.
class TIniFile
{
public:
    // `createMode` sets the permission bits when the file is created.
    explicit TIniFile(QString fileName, std::optional<unsigned> createMode = std::nullopt);

    const QString &fileName() const { return m_fileName; }

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // Decimal, or hexadecimal after "0x"; a missing or unparseable value gives `def`.
    qint64 ReadInteger(const QString &section, const QString &key, qint64 def) const;
    // Any non-zero integer is true.
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    bool ValueExists(const QString &section, const QString &key) const;
    bool SectionExists(const QString &section) const;
    QStringList ReadSection(const QString &section) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, qint64 value);
    void WriteBool(const QString &section, const QString &key, bool value);
    void DeleteKey(const QString &section, const QString &key);
    void EraseSection(const QString &section);

    // Several changes in one write.
    void update(const std::function<void(IniDocument &)> &change);

    IniDocument document() const;

private:
    QString m_fileName;
    std::optional<unsigned> m_createMode;
};

// Strips one pair of enclosing double quotes.
QString unquoteIniValue(const QString &value);
// "0x" hex or decimal.
std::optional<qint64> parseIniInteger(const QString &value);

// A string list in an INI section as keys "<name>.List[<i>]", each value in
// double quotes with inner quotes doubled.
void WriteListToIni(TIniFile &ini, const QString &section, const QString &listName, const QStringList &list);
void ReadListFromIni(const TIniFile &ini, const QString &section, const QString &listName, QStringList &list);

} // namespace kiv
