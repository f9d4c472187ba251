#pragma once
// One command of kivclock-tool. Each command file defines its functions; main.cpp
// lists them in its command table.

#include <QString>
#include <QStringList>

namespace kiv::tool {

struct ToolCommand
{
    const char *name;
    const char *arguments; // for the usage text, e.g. "FILE OUT"
    int argumentCount;
    int (*run)(const QStringList &arguments);
};

// "kivclock-tool: <subject>: <reason>" on stderr; returns exit status 1.
int fail(const QString &subject, const QString &reason);
// Writes UTF-8 text to stdout.
void out(const QByteArray &utf8);

// Calendar files (CalCommands.cpp).
int calList(const QStringList &arguments);
int calResave(const QStringList &arguments);

} // namespace kiv::tool
