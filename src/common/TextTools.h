#pragma once
// Small text and number conversion helpers shared by the whole program.
// Functions that consume the front of a text take it by reference and shorten it.

#include "Regional.h"

#include <QString>
#include <QStringList>

namespace kiv {

// True when nothing is left after removing leading and trailing blanks and
// control characters.
bool IsBlank(const QString &text);

// The text before the first separator (all of it when absent); token and
// separator are removed from `text`.
QString CutToken(QString &text, const QString &separator);

// The characters before the first delimiter; if the rest then starts with a
// delimiter, it is removed and returned in `found`, otherwise `found` is a blank.
QString CutUntilAny(QString &text, const QString &delimiters, QChar &found);

// The text before the earliest delimiter; token and delimiter are removed.
// `found` is that delimiter, or QChar(0) when none occurs (then the whole text
// is the token and `text` becomes empty).
QString CutAtFirstOf(QString &text, const QString &delimiters, QChar &found);

// 1-based position of the last occurrence of `part` in `text`, 0 if none.
qsizetype LastPos(const QString &part, const QString &text);
QString ReverseText(const QString &text);

// Position (1-based) of the first word of the list, in list order, that occurs
// in the text; both compared in upper case (a to z only). 0 when none occurs.
qsizetype PosOfAnyWord(const QString &text, const QStringList &words);

// Backslash escapes for tab, line feed, carriage return and the backslash;
// other control characters are dropped.
QString EscapeCtrl(const QString &text);
QString UnescapeCtrl(const QString &text);
// Unescapes into lines: "\n" ends a line, "\r" is dropped. Returns the count (>= 1).
int UnescapeToLines(const QString &text, QStringList &lines);

QString IntToStrWidth(qint64 value, int width);
// Digits "0123456789ABCDEF", most significant first; base 2..16.
QString IntToBase(quint64 value, int width, int base, bool pad);

// Reads a number with an optional SI prefix letter after it (f p n u m k M G).
// Letters, blanks and symbols before the number are skipped; the user's decimal
// separator is accepted. On failure `value` is untouched for an empty text.
bool StrToFloatPrefixed(const QString &text, double &value, const TRegionalSettings &rs);
// Removes the last occurrence of `unit`, then StrToFloatPrefixed.
bool StrToFloatUnit(const QString &text, const QString &unit, double &value, const TRegionalSettings &rs);

} // namespace kiv
