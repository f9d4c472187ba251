#pragma once
// Helpers shared by the tests.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>

namespace kiv::test {

// A fresh folder removed at the end of the test.
class TempDir
{
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

QByteArray readAll(const QString &path);
void writeAll(const QString &path, const QByteArray &data);

// The project's source folder and a file in tests/data.
QString sourceDir();
QString dataFile(const QString &relative);
// ../shared/corpus/<relative>, or an empty string when the corpus is absent.
QString corpusFile(const QString &relative);

// Runs the event loop until the condition holds; false after `ms` milliseconds.
bool waitFor(const std::function<bool()> &condition, int ms = 5000);

// Sets TZ for the lifetime of the object.
class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char *tz);
    ~ScopedTimeZone();

private:
    QByteArray m_old;
    bool m_had;
};

} // namespace kiv::test
