#pragma once
// Every file the program writes goes through here: the data is written to a
// temporary file in the target's folder, flushed to disk and renamed over the
// target, so a failure (full disk, read-only folder) leaves the old file intact.

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace kiv {

// Throws KivFileError naming the file when anything fails. `mode` sets the
// permission bits of a newly created file (e.g. 0600); an existing file keeps
// its own bits unless `mode` is given.
void safeWriteFile(const QString &path, const QByteArray &data,
                   std::optional<unsigned> mode = std::nullopt);

// The same for content made piece by piece (big files need not be held in
// memory whole): `content` is called once and passes each piece to `write`.
// An exception from `content` abandons the write and leaves the old file.
using SafeWriteSink = std::function<void(const char *data, qsizetype size)>;
void safeWriteStream(const QString &path, const std::function<void(const SafeWriteSink &write)> &content,
                     std::optional<unsigned> mode = std::nullopt);

} // namespace kiv
