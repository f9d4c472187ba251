#include "DateTime.h"

#include "KivError.h"

#include <cmath>

namespace kiv {

namespace {

const qint64 kJulianOfZero = QDate(1899, 12, 30).toJulianDay();

// Milliseconds of the time of day, rounded; never a whole day.
qint64 timeMs(TDateTime dt)
{
    double frac = std::fabs(dt - std::trunc(dt));
    qint64 ms = std::llround(frac * kMSecsPerDay);
    if (ms >= kMSecsPerDay)
        ms = kMSecsPerDay - 1;
    return ms;
}

// Day and time split with rounding carried into the day for non-negative values,
// so that 0.99999999999 reads as the next midnight, not as 23:59:59.999+.
void split(TDateTime dt, qint64 &days, qint64 &ms)
{
    if (dt >= 0) {
        const qint64 total = std::llround(dt * kMSecsPerDay);
        days = total / kMSecsPerDay;
        ms = total % kMSecsPerDay;
    } else {
        days = static_cast<qint64>(std::trunc(dt));
        ms = timeMs(dt);
    }
}

} // namespace

bool isLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12)
        return 0;
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

bool tryEncodeDate(int y, int m, int d, TDateTime &out)
{
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m))
        return false;
    out = static_cast<double>(QDate(y, m, d).toJulianDay() - kJulianOfZero);
    return true;
}

bool tryEncodeTime(int h, int n, int s, int ms, TDateTime &out)
{
    if (h < 0 || h > 23 || n < 0 || n > 59 || s < 0 || s > 59 || ms < 0 || ms > 999)
        return false;
    out = (((h * 60.0 + n) * 60.0 + s) * 1000.0 + ms) / kMSecsPerDay;
    return true;
}

TDateTime encodeDate(int y, int m, int d)
{
    TDateTime r;
    if (!tryEncodeDate(y, m, d, r))
        throw KivError(QStringLiteral("Ungültiges Argument zum Codieren des Datums"));
    return r;
}

TDateTime encodeTime(int h, int n, int s, int ms)
{
    TDateTime r;
    if (!tryEncodeTime(h, n, s, ms, r))
        throw KivError(QStringLiteral("Ungültiges Argument zum Codieren der Uhrzeit"));
    return r;
}

TDateTime combineDateTime(TDateTime date, TDateTime time)
{
    const double d = std::trunc(date);
    const double t = std::fabs(time - std::trunc(time));
    return d >= 0 ? d + t : d - t;
}

TDateTime encodeDateTime(int y, int m, int d, int h, int n, int s, int ms)
{
    return combineDateTime(encodeDate(y, m, d), encodeTime(h, n, s, ms));
}

void decodeDate(TDateTime dt, int &y, int &m, int &d)
{
    qint64 days, ms;
    split(dt, days, ms);
    QDate(QDate::fromJulianDay(days + kJulianOfZero)).getDate(&y, &m, &d);
}

void decodeTime(TDateTime dt, int &h, int &n, int &s, int &msec)
{
    qint64 days, ms;
    split(dt, days, ms);
    h = static_cast<int>(ms / 3600000);
    n = static_cast<int>(ms / 60000 % 60);
    s = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

std::int64_t dayNumber(TDateTime dt)
{
    return static_cast<std::int64_t>(std::trunc(dt));
}

TDateTime dateOf(TDateTime dt)
{
    return std::trunc(dt);
}

TDateTime timeOf(TDateTime dt)
{
    return std::fabs(dt - std::trunc(dt));
}

bool isSameDay(TDateTime a, TDateTime b)
{
    return dayNumber(a) == dayNumber(b);
}

TDateTime incMonth(TDateTime dt, int months)
{
    int y, m, d;
    decodeDate(dt, y, m, d);
    int total = y * 12 + (m - 1) + months;
    y = total / 12;
    m = total % 12 + 1;
    d = std::min(d, daysInMonth(y, m));
    TDateTime date;
    if (!tryEncodeDate(y, m, d, date))
        throw KivError(QStringLiteral("Ungültiges Argument zum Codieren des Datums"));
    return combineDateTime(date, timeOf(dt));
}

int dayOfWeek(TDateTime dt)
{
    return dayOfWeekIso(dt) % 7 + 1;
}

int dayOfWeekIso(TDateTime dt)
{
    return toQDate(dt).dayOfWeek();
}

int weekOfYearIso(TDateTime dt, int *isoYear)
{
    return toQDate(dt).weekNumber(isoYear);
}

QDate toQDate(TDateTime dt)
{
    qint64 days, ms;
    split(dt, days, ms);
    return QDate::fromJulianDay(days + kJulianOfZero);
}

TDateTime fromQDate(const QDate &date)
{
    return static_cast<double>(date.toJulianDay() - kJulianOfZero);
}

QTime toQTime(TDateTime dt)
{
    qint64 days, ms;
    split(dt, days, ms);
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
}

TDateTime fromQTime(const QTime &time)
{
    return static_cast<double>(time.msecsSinceStartOfDay()) / kMSecsPerDay;
}

QDateTime toQDateTime(TDateTime dt)
{
    return QDateTime(toQDate(dt), toQTime(dt));
}

TDateTime fromQDateTime(const QDateTime &dt)
{
    return combineDateTime(fromQDate(dt.date()), fromQTime(dt.time()));
}

TDateTime SystemClock::now() const
{
    return fromQDateTime(QDateTime::currentDateTime());
}

// ---- formatting ---------------------------------------------------------

namespace {

struct Formatter
{
    const TRegionalSettings &rs;
    int year, month, day, hour, min, sec, msec, dow;
    TDateTime dt;
    QString out;
    int depth = 0;

    static bool startsWithCI(const QString &s, qsizetype i, const char *what)
    {
        const QLatin1String w(what);
        return s.mid(i, w.size()).compare(w, Qt::CaseInsensitive) == 0;
    }

    // Whether an am/pm specifier follows before the next hour specifier.
    static bool twelveHourAfter(const QString &f, qsizetype i)
    {
        bool quoted = false;
        QChar quote;
        for (; i < f.size(); ++i) {
            const QChar c = f.at(i);
            if (quoted) {
                if (c == quote)
                    quoted = false;
                continue;
            }
            if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                quoted = true;
                quote = c;
            } else if (c == QLatin1Char('a') || c == QLatin1Char('A')) {
                return startsWithCI(f, i, "am/pm") || startsWithCI(f, i, "a/p") || startsWithCI(f, i, "ampm");
            } else if (c == QLatin1Char('h') || c == QLatin1Char('H')) {
                return false;
            }
        }
        return false;
    }

    void number(int v, int width)
    {
        out += QString::number(v).rightJustified(width, QLatin1Char('0'));
    }

    void run(const QString &f)
    {
        if (++depth > 2) { // ddddd inside a short date format that itself says ddddd
            --depth;
            return;
        }
        QChar previous;
        qsizetype i = 0;
        while (i < f.size()) {
            const QChar c = f.at(i);
            const QChar lc = c.toLower();
            auto count = [&]() {
                qsizetype n = 1;
                while (i + n < f.size() && f.at(i + n).toLower() == lc)
                    ++n;
                return n;
            };
            if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
                qsizetype j = f.indexOf(c, i + 1);
                if (j < 0)
                    j = f.size();
                out += f.mid(i + 1, j - i - 1);
                i = j + 1;
                continue;
            }
            if (lc == QLatin1Char('y')) {
                const qsizetype n = count();
                if (n <= 2)
                    number(year % 100, 2);
                else
                    number(year, 4);
                i += n;
            } else if (lc == QLatin1Char('m')) {
                const qsizetype n = count();
                if (previous == QLatin1Char('h')) {
                    number(min, n >= 2 ? 2 : 1);
                } else if (n == 1 || n == 2) {
                    number(month, static_cast<int>(n));
                } else if (n == 3) {
                    out += rs.shortMonthNames.value(month - 1);
                } else {
                    out += rs.longMonthNames.value(month - 1);
                }
                i += n;
            } else if (lc == QLatin1Char('d')) {
                const qsizetype n = count();
                switch (n) {
                case 1: number(day, 1); break;
                case 2: number(day, 2); break;
                case 3: out += rs.shortDayNames.value(dow - 1); break;
                case 4: out += rs.longDayNames.value(dow - 1); break;
                case 5: run(rs.shortDateFormat); break;
                default: run(rs.longDateFormat); break;
                }
                i += n;
            } else if (lc == QLatin1Char('h')) {
                const qsizetype n = count();
                int h = hour;
                if (twelveHourAfter(f, i + n)) {
                    if (h == 0)
                        h = 12;
                    else if (h > 12)
                        h -= 12;
                }
                number(h, n >= 2 ? 2 : 1);
                i += n;
            } else if (lc == QLatin1Char('n')) {
                const qsizetype n = count();
                number(min, n >= 2 ? 2 : 1);
                i += n;
            } else if (lc == QLatin1Char('s')) {
                const qsizetype n = count();
                number(sec, n >= 2 ? 2 : 1);
                i += n;
            } else if (lc == QLatin1Char('z')) {
                const qsizetype n = count();
                number(msec, n >= 3 ? 3 : 1);
                i += n;
            } else if (lc == QLatin1Char('t')) {
                const qsizetype n = count();
                run(n == 1 ? rs.shortTimeFormat : rs.longTimeFormat);
                i += n;
            } else if (lc == QLatin1Char('c')) {
                run(rs.shortDateFormat);
                if (hour || min || sec || msec) {
                    out += QLatin1Char(' ');
                    run(rs.longTimeFormat);
                }
                ++i;
            } else if (lc == QLatin1Char('a') && startsWithCI(f, i, "ampm")) {
                out += hour >= 12 ? rs.timePMString : rs.timeAMString;
                i += 4;
            } else if (lc == QLatin1Char('a') && startsWithCI(f, i, "am/pm")) {
                const bool upper = f.at(i).isUpper();
                const QString s = hour >= 12 ? QStringLiteral("pm") : QStringLiteral("am");
                out += upper ? s.toUpper() : s;
                i += 5;
            } else if (lc == QLatin1Char('a') && startsWithCI(f, i, "a/p")) {
                const bool upper = f.at(i).isUpper();
                const QString s = hour >= 12 ? QStringLiteral("p") : QStringLiteral("a");
                out += upper ? s.toUpper() : s;
                i += 3;
            } else if (c == QLatin1Char('/')) {
                out += rs.dateSeparator;
                ++i;
                continue;
            } else if (c == QLatin1Char(':')) {
                out += rs.timeSeparator;
                ++i;
                continue;
            } else {
                out += c;
                ++i;
                continue; // only format letters count as "previous"
            }
            previous = lc;
        }
        --depth;
    }
};

} // namespace

QString formatDateTime(const QString &format, TDateTime dt, const TRegionalSettings &rs)
{
    Formatter f{rs, 0, 0, 0, 0, 0, 0, 0, 0, dt, {}};
    decodeDate(dt, f.year, f.month, f.day);
    decodeTime(dt, f.hour, f.min, f.sec, f.msec);
    f.dow = dayOfWeek(dt);
    f.run(format.isEmpty() ? QStringLiteral("c") : format);
    return f.out;
}

// ---- parsing --------------------------------------------------------------

namespace {

struct Scanner
{
    QString s;
    qsizetype pos = 0;

    void blanks()
    {
        while (pos < s.size() && s.at(pos).isSpace())
            ++pos;
    }
    bool atEnd()
    {
        blanks();
        return pos >= s.size();
    }
    bool number(int &v, int maxDigits = 9)
    {
        blanks();
        qsizetype start = pos;
        qint64 n = 0;
        while (pos < s.size() && s.at(pos).isDigit() && pos - start < maxDigits) {
            n = n * 10 + s.at(pos).digitValue();
            ++pos;
        }
        if (pos == start)
            return false;
        v = static_cast<int>(n);
        return true;
    }
    bool separator(QChar sep)
    {
        blanks();
        if (pos < s.size() && s.at(pos) == sep) {
            ++pos;
            return true;
        }
        return false;
    }
    bool word(const QString &w)
    {
        blanks();
        if (w.isEmpty())
            return false;
        if (s.mid(pos, w.size()).compare(w, Qt::CaseInsensitive) == 0) {
            pos += w.size();
            return true;
        }
        return false;
    }
    // -1 none, 0 AM, 1 PM
    int designator(const TRegionalSettings &rs)
    {
        if (word(rs.timeAMString) || word(QStringLiteral("AM")))
            return 0;
        if (word(rs.timePMString) || word(QStringLiteral("PM")))
            return 1;
        return -1;
    }
};

} // namespace

bool tryParseTime(const QString &text, const TRegionalSettings &rs, TDateTime &out)
{
    Scanner sc{text.trimmed()};
    int ampm = sc.designator(rs);
    int h = 0, n = 0, s = 0, ms = 0;
    if (!sc.number(h))
        return false;
    auto sepFound = [&]() { return sc.separator(rs.timeSeparator) || sc.separator(QLatin1Char(':')); };
    if (sepFound()) {
        if (!sc.number(n))
            return false;
        if (sepFound()) {
            if (!sc.number(s))
                return false;
            if (sc.separator(rs.decimalSeparator) || sc.separator(QLatin1Char('.'))) {
                if (!sc.number(ms, 3))
                    return false;
            }
        }
    }
    if (ampm < 0)
        ampm = sc.designator(rs);
    if (!sc.atEnd())
        return false;
    if (ampm >= 0) {
        if (h > 12 || h == 0)
            return false;
        if (h == 12)
            h = 0;
        if (ampm == 1)
            h += 12;
    }
    return tryEncodeTime(h, n, s, ms, out);
}

bool tryParseDate(const QString &text, const TRegionalSettings &rs, TDateTime &out)
{
    // Field order from the short date format.
    QString order;
    for (QChar c : rs.shortDateFormat) {
        const QChar lc = c.toLower();
        if ((lc == QLatin1Char('d') || lc == QLatin1Char('m') || lc == QLatin1Char('y')) && !order.contains(lc))
            order += lc;
    }
    if (order.size() != 3)
        order = QStringLiteral("dmy");
    Scanner sc{text.trimmed()};
    int v[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    for (; count < 3; ++count) {
        if (count > 0 && !(sc.separator(rs.dateSeparator) || sc.separator(QLatin1Char('/'))))
            break;
        sc.blanks();
        const qsizetype start = sc.pos;
        if (!sc.number(v[count], 4))
            return false;
        digits[count] = static_cast<int>(sc.pos - start);
    }
    if (!sc.atEnd() && !(sc.separator(rs.dateSeparator) && sc.atEnd()))
        return false;
    int y = 0, m = 0, d = 0, yDigits = 4;
    int thisYear = QDate::currentDate().year();
    if (count == 3) {
        for (int k = 0; k < 3; ++k) {
            if (order.at(k) == QLatin1Char('d')) d = v[k];
            else if (order.at(k) == QLatin1Char('m')) m = v[k];
            else { y = v[k]; yDigits = digits[k]; }
        }
    } else if (count == 2) {
        // Day and month only: this year.
        const QString dm = QString(order).remove(QLatin1Char('y'));
        int k = 0;
        for (QChar c : dm) {
            if (c == QLatin1Char('d')) d = v[k];
            else m = v[k];
            ++k;
        }
        y = thisYear;
    } else {
        return false;
    }
    if (yDigits <= 2 && count == 3) {
        // Two-digit years fall in the window of 50 years either side of now.
        const int pivot = thisYear - 50;
        y += pivot / 100 * 100;
        if (y < pivot)
            y += 100;
    }
    return tryEncodeDate(y, m, d, out);
}

} // namespace kiv
