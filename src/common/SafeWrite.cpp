#include "SafeWrite.h"

#include "KivError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

[[noreturn]] void fail(const QString &path, int err)
{
    throw KivFileError(path, QStringLiteral("Datei \"%1\" kann nicht geschrieben werden: %2")
                                 .arg(path, QString::fromLocal8Bit(std::strerror(err))));
}

// Writes all of data; returns errno on failure, 0 on success.
int writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        data += n;
        size -= n;
    }
    return 0;
}

} // namespace

void safeWriteFile(const QString &path, const QByteArray &data, std::optional<unsigned> mode)
{
    safeWriteStream(path, [&](const SafeWriteSink &write) { write(data.constData(), data.size()); }, mode);
}

void safeWriteStream(const QString &path, const std::function<void(const SafeWriteSink &write)> &content,
                     std::optional<unsigned> mode)
{
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    QByteArray tmpl = QFile::encodeName(info.absolutePath()) + "/." +
                      QFile::encodeName(info.fileName()) + ".XXXXXX";

    // A file-size limit must surface as an error, not kill the program.
    struct sigaction ignore{}, old{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &old);
    struct RestoreSignal {
        struct sigaction *old;
        ~RestoreSignal() { sigaction(SIGXFSZ, old, nullptr); }
    } restore{&old};

    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        fail(path, errno);

    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(tmpl.constData());
        fail(path, err);
    };

    unsigned bits = 0644;
    struct stat st{};
    if (mode)
        bits = *mode;
    else if (::stat(target.constData(), &st) == 0)
        bits = st.st_mode & 07777;
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        bits = 0666 & ~mask;
    }
    if (::fchmod(fd, bits) != 0)
        abandon(errno);
    struct WriteFailed { int err; };
    try {
        content([fd](const char *data, qsizetype size) {
            if (int err = writeAll(fd, data, size))
                throw WriteFailed{err};
        });
    } catch (const WriteFailed &w) {
        abandon(w.err);
    } catch (...) {
        ::close(fd);
        ::unlink(tmpl.constData());
        throw;
    }
    if (::fsync(fd) != 0)
        abandon(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpl.constData());
        fail(path, err);
    }
    if (::rename(tmpl.constData(), target.constData()) != 0) {
        const int err = errno;
        ::unlink(tmpl.constData());
        fail(path, err);
    }
    // Make the rename itself durable.
    const int dirFd = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

} // namespace kiv
