#include "Regional.h"

#include <QCollator>

namespace kiv {

namespace {

QChar firstNonLetter(const QString &format, QChar fallback)
{
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && !c.isLetterOrNumber() && !c.isSpace())
            return c;
    }
    return fallback;
}

} // namespace

QString formatFromQt(const QString &qt)
{
    // Qt: d dd ddd dddd, M MM MMM MMMM, yy yyyy, h hh H HH, m mm, s ss, AP ap A a, 'lit'.
    // Ours: the same letters except M -> m (month), m -> n (minutes), AP -> ampm, H -> h.
    QString out;
    for (qsizetype i = 0; i < qt.size(); ++i) {
        const QChar c = qt.at(i);
        if (c == QLatin1Char('\'')) {
            qsizetype j = qt.indexOf(QLatin1Char('\''), i + 1);
            if (j < 0)
                j = qt.size();
            const QString lit = qt.mid(i + 1, j - i - 1);
            if (lit.isEmpty())
                out += QStringLiteral("\"'\"");
            else
                out += QLatin1Char('"') + lit + QLatin1Char('"');
            i = j;
        } else if (c == QLatin1Char('M')) {
            out += QLatin1Char('m');
        } else if (c == QLatin1Char('m')) {
            out += QLatin1Char('n');
        } else if (c == QLatin1Char('H')) {
            out += QLatin1Char('h');
        } else if (c == QLatin1Char('t')) {
            // time zone: not part of our formats
            while (i + 1 < qt.size() && qt.at(i + 1) == QLatin1Char('t'))
                ++i;
            while (out.endsWith(QLatin1Char(' ')))
                out.chop(1);
        } else if (c == QLatin1Char('A') || c == QLatin1Char('a')) {
            if (i + 1 < qt.size() && (qt.at(i + 1) == QLatin1Char('P') || qt.at(i + 1) == QLatin1Char('p')))
                ++i;
            out += QStringLiteral("ampm");
        } else if (c == QLatin1Char('y')) {
            qsizetype n = 1;
            while (i + 1 < qt.size() && qt.at(i + 1) == QLatin1Char('y')) {
                ++i;
                ++n;
            }
            out += n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        } else if (c == QLatin1Char('"')) {
            out += QStringLiteral("'\"'");
        } else {
            out += c;
        }
    }
    return out;
}

TRegionalSettings TRegionalSettings::fromLocale(const QLocale &loc)
{
    TRegionalSettings rs;
    rs.locale = loc;
    rs.shortDateFormat = formatFromQt(loc.dateFormat(QLocale::ShortFormat));
    // Windows' short dates carry four-digit years; follow that.
    if (!rs.shortDateFormat.contains(QStringLiteral("yyyy")))
        rs.shortDateFormat.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    rs.longDateFormat = formatFromQt(loc.dateFormat(QLocale::LongFormat));
    rs.longTimeFormat = formatFromQt(loc.timeFormat(QLocale::LongFormat));
    rs.shortTimeFormat = formatFromQt(loc.timeFormat(QLocale::ShortFormat));
    rs.dateSeparator = firstNonLetter(loc.dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
    rs.timeSeparator = firstNonLetter(loc.timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
    const bool twelveHour = loc.timeFormat(QLocale::LongFormat).contains(QLatin1Char('a'), Qt::CaseInsensitive);
    rs.timeAMString = twelveHour ? loc.amText() : QString();
    rs.timePMString = twelveHour ? loc.pmText() : QString();
    rs.decimalSeparator = loc.decimalPoint().isEmpty() ? QLatin1Char('.') : loc.decimalPoint().at(0);
    rs.listSeparator = rs.decimalSeparator == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');
    rs.longMonthNames.clear();
    rs.shortMonthNames.clear();
    for (int m = 1; m <= 12; ++m) {
        rs.longMonthNames << loc.standaloneMonthName(m, QLocale::LongFormat);
        rs.shortMonthNames << loc.standaloneMonthName(m, QLocale::ShortFormat);
    }
    rs.longDayNames.clear();
    rs.shortDayNames.clear();
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d; // Qt: Monday = 1 .. Sunday = 7
        rs.longDayNames << loc.standaloneDayName(qtDay, QLocale::LongFormat);
        rs.shortDayNames << loc.standaloneDayName(qtDay, QLocale::ShortFormat);
    }
    return rs;
}

TRegionalSettings TRegionalSettings::german()
{
    TRegionalSettings rs;
    rs.locale = QLocale(QLocale::German, QLocale::Germany);
    rs.longMonthNames = {QStringLiteral("Januar"), QStringLiteral("Februar"), QStringLiteral("März"),
                         QStringLiteral("April"), QStringLiteral("Mai"), QStringLiteral("Juni"),
                         QStringLiteral("Juli"), QStringLiteral("August"), QStringLiteral("September"),
                         QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember")};
    rs.shortMonthNames = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mär"),
                          QStringLiteral("Apr"), QStringLiteral("Mai"), QStringLiteral("Jun"),
                          QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                          QStringLiteral("Okt"), QStringLiteral("Nov"), QStringLiteral("Dez")};
    rs.longDayNames = {QStringLiteral("Sonntag"), QStringLiteral("Montag"), QStringLiteral("Dienstag"),
                       QStringLiteral("Mittwoch"), QStringLiteral("Donnerstag"), QStringLiteral("Freitag"),
                       QStringLiteral("Samstag")};
    rs.shortDayNames = {QStringLiteral("So"), QStringLiteral("Mo"), QStringLiteral("Di"),
                        QStringLiteral("Mi"), QStringLiteral("Do"), QStringLiteral("Fr"),
                        QStringLiteral("Sa")};
    return rs;
}

TRegionalSettings TRegionalSettings::usEnglish()
{
    TRegionalSettings rs;
    rs.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    rs.shortDateFormat = QStringLiteral("m/d/yyyy");
    rs.longDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    rs.shortTimeFormat = QStringLiteral("h:nn ampm");
    rs.longTimeFormat = QStringLiteral("h:nn:ss ampm");
    rs.dateSeparator = QLatin1Char('/');
    rs.timeSeparator = QLatin1Char(':');
    rs.timeAMString = QStringLiteral("AM");
    rs.timePMString = QStringLiteral("PM");
    rs.decimalSeparator = QLatin1Char('.');
    rs.listSeparator = QLatin1Char(',');
    rs.longMonthNames = {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                         QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"),
                         QStringLiteral("July"), QStringLiteral("August"), QStringLiteral("September"),
                         QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    rs.shortMonthNames = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"),
                          QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
                          QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                          QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    rs.longDayNames = {QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                       QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                       QStringLiteral("Saturday")};
    rs.shortDayNames = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"),
                        QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"),
                        QStringLiteral("Sat")};
    return rs;
}

bool sameTextLocale(const QString &a, const QString &b, const TRegionalSettings &rs)
{
    return rs.locale.toLower(a) == rs.locale.toLower(b);
}

int compareTextLocale(const QString &a, const QString &b, const TRegionalSettings &rs)
{
    QCollator collator(rs.locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator.compare(a, b);
}

} // namespace kiv
