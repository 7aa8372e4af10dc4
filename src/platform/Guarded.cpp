#include "platform/Guarded.h"

#include "platform/Dialogs.h"

#include <QString>

#include <exception>

QString currentExceptionText()
{
    try {
        throw;
    } catch (const std::exception &error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("An unknown error occurred.");
    }
}

bool guarded(const std::function<void()> &body)
{
    try {
        body();
        return true;
    } catch (...) {
        Dialogs::instance().message(currentExceptionText());
        return false;
    }
}
