#pragma once
// The one error type of the project. Model code throws it with a text meant for
// the user; every menu and button handler runs inside a guard that shows it in
// the application's default error report.

#include <QString>
#include <stdexcept>

namespace kiv {

class KivError : public std::runtime_error
{
public:
    explicit KivError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

// A file could not be opened, read or written; the text names the file.
class KivFileError : public KivError
{
public:
    KivFileError(const QString &fileName, const QString &message)
        : KivError(message), m_fileName(fileName) {}
    const QString &fileName() const noexcept { return m_fileName; }

private:
    QString m_fileName;
};

// Text of any exception for the user.
QString errorText(const std::exception &e);

} // namespace kiv
