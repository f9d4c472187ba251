#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace kiv::test {

bool waitFor(const std::function<bool()> &condition, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

TempDir::TempDir()
{
    EXPECT_TRUE(m_dir.isValid());
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(data), data.size());
}

QString sourceDir()
{
    const QByteArray env = qgetenv("KIV_SOURCE_DIR");
    return env.isEmpty() ? QDir::currentPath() : QString::fromLocal8Bit(env);
}

QString dataFile(const QString &relative)
{
    return sourceDir() + QStringLiteral("/tests/data/") + relative;
}

QString corpusFile(const QString &relative)
{
    const QString path = sourceDir() + QStringLiteral("/../shared/corpus/") + relative;
    return QFileInfo::exists(path) ? QFileInfo(path).absoluteFilePath() : QString();
}

ScopedTimeZone::ScopedTimeZone(const char *tz)
    : m_old(qgetenv("TZ")), m_had(qEnvironmentVariableIsSet("TZ"))
{
    qputenv("TZ", tz);
    tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    if (m_had)
        qputenv("TZ", m_old);
    else
        qunsetenv("TZ");
    tzset();
}

} // namespace kiv::test
