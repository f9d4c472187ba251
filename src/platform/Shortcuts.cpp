#include "Shortcuts.h"

#include "KivError.h"
#include "SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace kiv {

namespace {

// user-dirs.dirs lines look like XDG_DESKTOP_DIR="$HOME/Desktop".
QString desktopFromUserDirs(const QString &userDirsFile, const QString &home)
{
    QFile f(userDirsFile);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    static const QRegularExpression re(QStringLiteral("^\\s*XDG_DESKTOP_DIR\\s*=\\s*\"(.*)\"\\s*$"));
    QString found;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        const auto m = re.match(line);
        if (!m.hasMatch())
            continue;
        QString value = m.captured(1);
        value.replace(QStringLiteral("\\\""), QStringLiteral("\""));
        if (value.startsWith(QStringLiteral("$HOME")))
            value = home + value.mid(5);
        else if (!value.startsWith(QLatin1Char('/')))
            continue; // only absolute paths and $HOME-relative ones are valid
        found = value;
    }
    // "$HOME/" alone means the desktop is switched off: it is then the home folder.
    return QDir::cleanPath(found.isEmpty() ? QString() : found);
}

// Escapes for a desktop entry string value.
QString escapeValue(const QString &s)
{
    QString out;
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

// One argument of an Exec key: quoted, with the characters the format
// reserves inside quotes escaped, and field codes disarmed.
QString execArgument(const QString &arg)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return escapeValue(quoted);
}

} // namespace

TShortcutFolders TShortcutFolders::resolve(const QString &home, const QString &configHome)
{
    const QString config = configHome.startsWith(QLatin1Char('/')) ? configHome : home + QStringLiteral("/.config");
    TShortcutFolders f;
    f.startup = config + QStringLiteral("/autostart");
    f.desktop = desktopFromUserDirs(config + QStringLiteral("/user-dirs.dirs"), home);
    if (f.desktop.isEmpty())
        f.desktop = home + QStringLiteral("/Desktop");
    return f;
}

TShortcutFolders TShortcutFolders::fromEnvironment()
{
    return resolve(QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME"));
}

QString shortcutPath(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name + QStringLiteral(".desktop");
}

QByteArray desktopEntryText(const QString &exePath, const QString &description)
{
    const QFileInfo exe(exePath);
    QStringList lines = description.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    const QString name = lines.value(0);
    const QString comment = lines.size() > 1 ? lines.mid(1).join(QLatin1Char(' ')) : QString();
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Version=1.0\n");
    text += QStringLiteral("Name=") + escapeValue(name) + QLatin1Char('\n');
    if (!comment.isEmpty())
        text += QStringLiteral("Comment=") + escapeValue(comment) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + execArgument(exe.absoluteFilePath()) + QLatin1Char('\n');
    text += QStringLiteral("Path=") + escapeValue(exe.absolutePath()) + QLatin1Char('\n');
    text += QStringLiteral("Terminal=false\n");
    return text.toUtf8();
}

bool ShortcutExists(const QString &name, const QString &folder)
{
    return QFileInfo(shortcutPath(folder, name)).isFile();
}

void ToggleShortcut(const QString &exePath, const QString &name, const QString &description,
                    const QString &folder)
{
    const QString path = shortcutPath(folder, name);
    if (QFileInfo::exists(path)) {
        QFile::remove(path);
        return;
    }
    try {
        QDir().mkpath(folder);
        // Desktops only start launchers on the desktop that are marked executable.
        safeWriteFile(path, desktopEntryText(exePath, description), 0755);
    } catch (const KivFileError &) {
        // Nothing written; the check mark shows that.
    }
}

} // namespace kiv
