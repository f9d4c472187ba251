// kivclock-tool: the program's data files from the command line, on the model
// libraries alone (no display needed).

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

int usage()
{
    QTextStream err(stderr);
    err << "usage: kivclock-tool COMMAND ARGS...\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2)
        return usage();
    return usage();
}
