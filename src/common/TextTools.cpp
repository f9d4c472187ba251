#include "TextTools.h"

#include <QLocale>

namespace kiv {

namespace {

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 32;
}

} // namespace

bool IsBlank(const QString &text)
{
    for (QChar c : text)
        if (!isBlankOrControl(c))
            return false;
    return true;
}

QString CutToken(QString &text, const QString &separator)
{
    const qsizetype p = separator.isEmpty() ? -1 : text.indexOf(separator);
    if (p < 0) {
        QString token = text;
        text.clear();
        return token;
    }
    QString token = text.left(p);
    text.remove(0, p + separator.size());
    return token;
}

QString CutUntilAny(QString &text, const QString &delimiters, QChar &found)
{
    qsizetype i = 0;
    while (i < text.size() && !delimiters.contains(text.at(i)))
        ++i;
    QString token = text.left(i);
    text.remove(0, i);
    if (!text.isEmpty()) {
        found = text.at(0);
        text.remove(0, 1);
    } else {
        found = QLatin1Char(' ');
    }
    return token;
}

QString CutAtFirstOf(QString &text, const QString &delimiters, QChar &found)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (delimiters.contains(text.at(i))) {
            found = text.at(i);
            QString token = text.left(i);
            text.remove(0, i + 1);
            return token;
        }
    }
    found = QChar(0);
    QString token = text;
    text.clear();
    return token;
}

QString ReverseText(const QString &text)
{
    QString r;
    r.reserve(text.size());
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        r += text.at(i);
    return r;
}

qsizetype LastPos(const QString &part, const QString &text)
{
    if (part.isEmpty())
        return 0;
    const qsizetype p = text.lastIndexOf(part);
    return p < 0 ? 0 : p + 1;
}

qsizetype PosOfAnyWord(const QString &text, const QStringList &words)
{
    auto upper = [](QString s) {
        for (QChar &c : s)
            if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                c = QChar(c.unicode() - 32);
        return s;
    };
    const QString t = upper(text);
    for (const QString &w : words) {
        if (w.isEmpty())
            continue;
        const qsizetype p = t.indexOf(upper(w));
        if (p >= 0)
            return p + 1;
    }
    return 0;
}

QString EscapeCtrl(const QString &text)
{
    QString r;
    r.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\t': r += QStringLiteral("\\t"); break;
        case '\n': r += QStringLiteral("\\n"); break;
        case '\r': r += QStringLiteral("\\r"); break;
        case '\\': r += QStringLiteral("\\\\"); break;
        default:
            if (c.unicode() >= 32)
                r += c;
        }
    }
    return r;
}

namespace {

// Shared walk of UnescapeCtrl and UnescapeToLines.
template <typename Emit>
void unescape(const QString &text, Emit put)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\')) {
            put(c);
            continue;
        }
        if (i + 1 >= text.size())
            break; // a trailing backslash is dropped
        const QChar n = text.at(++i);
        switch (n.unicode()) {
        case '\\': put(QLatin1Char('\\')); break;
        case 'n': put(QLatin1Char('\n')); break;
        case 'r': put(QLatin1Char('\r')); break;
        case 't': put(QLatin1Char('\t')); break;
        default:
            put(QLatin1Char('\\'));
            put(n);
        }
    }
}

} // namespace

QString UnescapeCtrl(const QString &text)
{
    QString r;
    r.reserve(text.size());
    unescape(text, [&](QChar c) { r += c; });
    return r;
}

int UnescapeToLines(const QString &text, QStringList &lines)
{
    lines.clear();
    QString line;
    unescape(text, [&](QChar c) {
        if (c == QLatin1Char('\n')) {
            lines << line;
            line.clear();
        } else if (c != QLatin1Char('\r')) {
            line += c;
        }
    });
    lines << line;
    return static_cast<int>(lines.size());
}

QString IntToStrWidth(qint64 value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char(' '));
}

QString IntToBase(quint64 value, int width, int base, bool pad)
{
    static const char digits[] = "0123456789ABCDEF";
    if (base < 2 || base > 16)
        base = 10;
    QString r;
    do {
        r.prepend(QLatin1Char(digits[value % static_cast<quint64>(base)]));
        value /= static_cast<quint64>(base);
    } while (value);
    if (pad && r.size() < width)
        r = r.rightJustified(width, QLatin1Char('0'));
    return r;
}

bool StrToFloatPrefixed(const QString &text, double &value, const TRegionalSettings &rs)
{
    if (text.isEmpty())
        return false;
    QString s = text;
    s.remove(QLatin1Char(' '));
    // Skip letters, blanks and symbols before the number; signs, ',', '.', '/'
    // and digits stop the skipping.
    qsizetype i = 0;
    while (i < s.size()) {
        const ushort u = s.at(i).unicode();
        if ((u >= 0x13 && u <= '*') || (u >= ':' && u <= 0xFF))
            ++i;
        else
            break;
    }
    s.remove(0, i);
    if (s.isEmpty())
        return false;
    value = 0;
    if (rs.decimalSeparator != QLatin1Char('.'))
        s.replace(rs.decimalSeparator, QLatin1Char('.'));

    // Longest leading decimal floating-point number.
    qsizetype p = 0;
    if (p < s.size() && (s.at(p) == QLatin1Char('+') || s.at(p) == QLatin1Char('-')))
        ++p;
    qsizetype digitsBefore = 0, digitsAfter = 0;
    while (p < s.size() && s.at(p).unicode() >= '0' && s.at(p).unicode() <= '9') {
        ++p;
        ++digitsBefore;
    }
    if (p < s.size() && s.at(p) == QLatin1Char('.')) {
        qsizetype q = p + 1;
        while (q < s.size() && s.at(q).unicode() >= '0' && s.at(q).unicode() <= '9') {
            ++q;
            ++digitsAfter;
        }
        if (digitsBefore + digitsAfter > 0)
            p = q;
    }
    if (digitsBefore + digitsAfter == 0)
        return false;
    if (p < s.size() && (s.at(p) == QLatin1Char('e') || s.at(p) == QLatin1Char('E'))) {
        qsizetype q = p + 1;
        if (q < s.size() && (s.at(q) == QLatin1Char('+') || s.at(q) == QLatin1Char('-')))
            ++q;
        const qsizetype expStart = q;
        while (q < s.size() && s.at(q).unicode() >= '0' && s.at(q).unicode() <= '9')
            ++q;
        if (q > expStart)
            p = q;
    }
    value = QLocale::c().toDouble(s.left(p));
    const QString suffix = s.mid(p);
    if (!suffix.isEmpty()) {
        static const struct { char letter; double factor; } prefixes[] = {
            {'f', 1e-15}, {'p', 1e-12}, {'n', 1e-9}, {'u', 1e-6},
            {'m', 1e-3}, {'k', 1e3}, {'M', 1e6}, {'G', 1e9}};
        for (const auto &pf : prefixes)
            if (suffix.at(0) == QLatin1Char(pf.letter)) {
                value *= pf.factor;
                break;
            }
    }
    return true;
}

bool StrToFloatUnit(const QString &text, const QString &unit, double &value, const TRegionalSettings &rs)
{
    QString s = text;
    const qsizetype p = LastPos(unit, s);
    if (p > 0)
        s.remove(p - 1, unit.size());
    return StrToFloatPrefixed(s, value, rs);
}

} // namespace kiv
