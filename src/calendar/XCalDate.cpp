#include "XCalDate.h"

#include "KivError.h"

#include <QDate>

#include <ctime>

namespace kiv {

namespace {

// The integer in characters [from, from + len) of the text (1-based), -1 when
// that piece is not an integer (also when it is cut short or missing).
int piece(const QString &s, int from, int len)
{
    const QStringView p = QStringView(s).mid(from - 1, len);
    if (p.isEmpty())
        return -1;
    bool ok = false;
    const int v = p.toInt(&ok);
    return ok ? v : -1;
}

[[noreturn]] void invalid(const QString &text)
{
    throw KivError(QStringLiteral("\"%1\" is not a valid date-time text").arg(text));
}

const qint64 kUnixEpochDay = 25569; // 1970-01-01 in days since 1899-12-30

struct Fields
{
    int y, m, d, h, n, s, ms;
};

Fields fieldsOf(TDateTime dt)
{
    Fields f{};
    decodeDate(dt, f.y, f.m, f.d);
    decodeTime(dt, f.h, f.n, f.s, f.ms);
    return f;
}

TDateTime fromTm(const std::tm &tm, int ms)
{
    TDateTime date, time;
    if (!tryEncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, date) ||
        !tryEncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec, ms, time))
        throw KivError(QStringLiteral("Ungültiges Argument zum Codieren des Datums"));
    return combineDateTime(date, time);
}

} // namespace

TDateTime ParseXCalDate(const QString &text)
{
    TDateTime result = 0;
    const int y = piece(text, 1, 4), m = piece(text, 5, 2), d = piece(text, 7, 2);
    const bool hasDate = y >= 0 && m >= 0 && d >= 0;
    TDateTime date = 0;
    if (hasDate) {
        if (!tryEncodeDate(y, m, d, date))
            invalid(text);
        result = date;
    }
    if (text.size() >= 9 && text.at(8) == QLatin1Char('T')) {
        if (!hasDate)
            invalid(text);
        // Pieces missing at the end of the text read as 0; present pieces must be numbers.
        auto timePiece = [&](int from) {
            if (text.size() < from)
                return 0;
            const int v = piece(text, from, 2);
            if (v < 0)
                invalid(text);
            return v;
        };
        const int h = timePiece(10), n = timePiece(12), s = timePiece(14);
        TDateTime time;
        if (!tryEncodeTime(h, n, s, 0, time))
            invalid(text);
        result = combineDateTime(date, time);
        if (text.size() >= 16 && text.at(15) == QLatin1Char('Z'))
            result = UTCToLocal(result);
    }
    return result;
}

QString FormatXCalDate(bool asUTC, TDateTime value)
{
    if (asUTC)
        value = LocalToUTC(value);
    const Fields f = fieldsOf(value);
    QString s = QString::asprintf("%04d%02d%02dT%02d%02d%02d", f.y, f.m, f.d, f.h, f.n, f.s);
    if (asUTC)
        s += QLatin1Char('Z');
    return s;
}

TDateTime UTCToLocal(TDateTime utc)
{
    const Fields f = fieldsOf(utc);
    const qint64 days = QDate(f.y, f.m, f.d).toJulianDay() - QDate(1899, 12, 30).toJulianDay() - kUnixEpochDay;
    const std::time_t t = static_cast<std::time_t>(days * 86400 + f.h * 3600 + f.n * 60 + f.s);
    tzset(); // the zone in force now, even when TZ changed while running
    std::tm local{};
    if (!localtime_r(&t, &local))
        return utc;
    return fromTm(local, f.ms);
}

TDateTime LocalToUTC(TDateTime localTime)
{
    const Fields f = fieldsOf(localTime);
    std::tm tm{};
    tm.tm_year = f.y - 1900;
    tm.tm_mon = f.m - 1;
    tm.tm_mday = f.d;
    tm.tm_hour = f.h;
    tm.tm_min = f.n;
    tm.tm_sec = f.s;
    tm.tm_isdst = -1; // let the rules of that date decide
    tzset();
    const std::time_t t = std::mktime(&tm);
    std::tm utc{};
    if (t == static_cast<std::time_t>(-1) && tm.tm_year != 69)
        return localTime;
    if (!gmtime_r(&t, &utc))
        return localTime;
    return fromTm(utc, f.ms);
}

} // namespace kiv
