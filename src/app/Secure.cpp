#include "app/Secure.h"

#include <stdexcept>

namespace {
TSecure *&current()
{
    static TSecure *instance = nullptr;
    return instance;
}
}

TSecure::TSecure()
{
    current() = this;
}

TSecure::~TSecure()
{
    if (current() == this)
        current() = nullptr;
}

TSecure &TSecure::instance()
{
    if (!current())
        throw std::logic_error("TSecure used before the control panel created it");
    return *current();
}

bool GrantsManagerRights(const TSecure &secure, QChar securityLevel)
{
    return !secure.Enabled || securityLevel == QChar(AdministratorLevel);
}
