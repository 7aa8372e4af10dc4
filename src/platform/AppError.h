#pragma once

#include <QString>

#include <stdexcept>

// The base of every error whose text is meant for the user. The text travels
// as UTF-8 in what() so that any catch site can show it.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
    QString message() const { return QString::fromUtf8(what()); }
};
