#pragma once
// Every file the program writes goes through here: the data is written to a
// temporary file in the target's folder, flushed to disk and renamed over the
// target, so a failure (full disk, read-only folder) leaves the old file intact.

#include <QByteArray>
#include <QString>
#include <optional>

namespace kiv {

// Throws KivFileError naming the file when anything fails. `mode` sets the
// permission bits of a newly created file (e.g. 0600); an existing file keeps
// its own bits unless `mode` is given.
void safeWriteFile(const QString &path, const QByteArray &data,
                   std::optional<unsigned> mode = std::nullopt);

} // namespace kiv
