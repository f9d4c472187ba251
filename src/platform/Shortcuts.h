#pragma once
// Shortcuts that start the program: freedesktop desktop entry files
// "<name>.desktop" in the user's autostart folder or desktop folder.

#include <QByteArray>
#include <QString>

namespace kiv {

enum class TShortcutFolder { Startup, Desktop };

// Where the two kinds of shortcut live. Tests point them at temporary folders.
struct TShortcutFolders
{
    QString startup; // $XDG_CONFIG_HOME/autostart
    QString desktop; // XDG_DESKTOP_DIR from user-dirs.dirs, else ~/Desktop

    // From the environment of the running user.
    static TShortcutFolders fromEnvironment();
    // From explicit values: home folder, XDG_CONFIG_HOME (may be empty).
    static TShortcutFolders resolve(const QString &home, const QString &configHome);

    const QString &path(TShortcutFolder folder) const
    {
        return folder == TShortcutFolder::Startup ? startup : desktop;
    }
};

// "<folder>/<name>.desktop"
QString shortcutPath(const QString &folder, const QString &name);

// The desktop entry that starts `exePath` in its own folder; the description's
// first line is the entry's name, the second its comment.
QByteArray desktopEntryText(const QString &exePath, const QString &description);

// Deletes the shortcut when it exists, otherwise creates it. Reports nothing:
// on failure the folder stays as it was, and ShortcutExists tells the truth.
void ToggleShortcut(const QString &exePath, const QString &name, const QString &description,
                    const QString &folder);
bool ShortcutExists(const QString &name, const QString &folder);

} // namespace kiv
