// kivclock-tool: the program's data files from the command line, on the model
// libraries alone (no display needed).

#include "ToolCommand.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <cstring>

namespace kiv::tool {

namespace {

// Add new commands here, one line each.
const ToolCommand kCommands[] = {
    {"cal-list", "FILE", 1, calList},
    {"cal-resave", "FILE OUT", 2, calResave},
};

int usage()
{
    QTextStream err(stderr);
    err << "usage: kivclock-tool COMMAND ARGS...\n";
    for (const ToolCommand &c : kCommands)
        err << "  kivclock-tool " << c.name << ' ' << c.arguments << '\n';
    return 2;
}

} // namespace

int fail(const QString &subject, const QString &reason)
{
    QTextStream err(stderr);
    err << "kivclock-tool: " << subject << ": " << QString(reason).replace(QLatin1Char('\n'), QLatin1Char(' '))
               .remove(QLatin1Char('\r')) << '\n';
    return 1;
}

void out(const QByteArray &utf8)
{
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stdout);
}

} // namespace kiv::tool

int main(int argc, char **argv)
{
    using namespace kiv::tool;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return usage();
    for (const ToolCommand &c : kCommands) {
        if (args.at(1) == QLatin1String(c.name)) {
            if (args.size() - 2 != c.argumentCount)
                return usage();
            return c.run(args.mid(2));
        }
    }
    return usage();
}
