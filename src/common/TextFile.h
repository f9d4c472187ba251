#pragma once
// Whole-file text reading and writing.

#include <QByteArray>
#include <QString>

namespace kiv {

// Decodes file bytes: a byte-order mark selects UTF-8, UTF-16 LE or UTF-16 BE;
// without one the bytes are UTF-8 when valid, else Windows-1252 (files brought
// from Windows keep their umlauts).
QString decodeText(const QByteArray &bytes);
QString decodeWindows1252(const QByteArray &bytes);

// The whole file; lines (ended by CR, LF or CR LF) joined by CR LF, with CR LF
// after the last. Throws KivFileError when the file cannot be opened.
QString LoadTextFile(const QString &fileName);
// Writes the text followed by CR LF, UTF-8 without byte-order mark, safely.
void SaveTextFile(const QString &fileName, const QString &text);

// Reads a whole file; throws KivFileError naming the file.
QByteArray readFileBytes(const QString &fileName);

} // namespace kiv
