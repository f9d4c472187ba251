#include "TextFile.h"

#include "KivError.h"
#include "SafeWrite.h"

#include <QFile>
#include <QStringDecoder>

namespace kiv {

QString decodeWindows1252(const QByteArray &bytes)
{
    // 0x80..0x9F differ from Latin-1; 0 marks the five undefined bytes, which
    // Windows maps to the C1 control of the same number.
    static const char16_t high[32] = {
        0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
        0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    QString r;
    r.resize(bytes.size());
    QChar *out = r.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        char16_t u = b;
        if (b >= 0x80 && b <= 0x9F && high[b - 0x80])
            u = high[b - 0x80];
        out[i] = QChar(u);
    }
    return r;
}

QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder dec(QStringConverter::Utf16LE);
        return dec.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder dec(QStringConverter::Utf16BE);
        return dec.decode(bytes.mid(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

QByteArray readFileBytes(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw KivFileError(fileName, QStringLiteral("Datei \"%1\" kann nicht geöffnet werden: %2")
                                         .arg(fileName, f.errorString()));
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw KivFileError(fileName, QStringLiteral("Datei \"%1\" kann nicht gelesen werden: %2")
                                         .arg(fileName, f.errorString()));
    return data;
}

QString LoadTextFile(const QString &fileName)
{
    const QString text = decodeText(readFileBytes(fileName));
    QString out;
    out.reserve(text.size() + text.size() / 16 + 2);
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        qsizetype j = i;
        while (j < n && text.at(j) != QLatin1Char('\r') && text.at(j) != QLatin1Char('\n'))
            ++j;
        out += QStringView(text).mid(i, j - i);
        out += QStringLiteral("\r\n");
        if (j < n && text.at(j) == QLatin1Char('\r') && j + 1 < n && text.at(j + 1) == QLatin1Char('\n'))
            j += 2;
        else if (j < n)
            ++j;
        i = j;
    }
    return out;
}

void SaveTextFile(const QString &fileName, const QString &text)
{
    safeWriteFile(fileName, (text + QStringLiteral("\r\n")).toUtf8());
}

} // namespace kiv
