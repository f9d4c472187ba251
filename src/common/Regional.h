#pragma once
// The user's regional settings as one value object. Every function that formats
// or parses dates, times or numbers takes it; nothing reads the locale behind
// the caller's back. Date and time formats use the format letters of
// formatDateTime (DateTime.h): "dd.mm.yyyy", "hh:nn:ss", "h:nn:ss ampm".

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace kiv {

struct TRegionalSettings
{
    QString shortDateFormat = QStringLiteral("dd.mm.yyyy");
    QString longDateFormat = QStringLiteral("dddd, d. mmmm yyyy");
    QString shortTimeFormat = QStringLiteral("hh:nn");
    QString longTimeFormat = QStringLiteral("hh:nn:ss");
    QChar dateSeparator = QLatin1Char('.');
    QChar timeSeparator = QLatin1Char(':');
    QString timeAMString;
    QString timePMString;
    QChar decimalSeparator = QLatin1Char(',');
    QChar listSeparator = QLatin1Char(';');
    QStringList longMonthNames;  // 12, January first
    QStringList shortMonthNames; // 12
    QStringList longDayNames;    // 7, Sunday first
    QStringList shortDayNames;   // 7, Sunday first
    QLocale locale = QLocale(QLocale::German, QLocale::Germany);

    // The desktop's settings.
    static TRegionalSettings fromLocale(const QLocale &locale);
    static TRegionalSettings system() { return fromLocale(QLocale::system()); }
    // Fixed sets for tests and defaults.
    static TRegionalSettings german();
    static TRegionalSettings usEnglish();
};

// Converts a Qt date/time format ("dd.MM.yyyy", "h:mm:ss AP") to ours.
QString formatFromQt(const QString &qtFormat);

// Case-insensitive comparison of user texts by the rules of the user's locale.
bool sameTextLocale(const QString &a, const QString &b, const TRegionalSettings &rs);
int compareTextLocale(const QString &a, const QString &b, const TRegionalSettings &rs);

} // namespace kiv
