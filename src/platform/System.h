#pragma once

#include "platform/Seam.h"

#include <QString>

// What the operating system tells about the user and its folders.
class System : public Seam<System>
{
public:
    // The login name of the user running the program; empty when the system cannot tell.
    virtual QString userName() const = 0;
    // The user's application-data folder (XDG data home), ending in "/".
    virtual QString applicationDataFolder() const = 0;
    // The folder for temporary files, ending in "/".
    virtual QString temporaryFolder() const = 0;
    // The folder of the running executable, ending in "/".
    virtual QString programFolder() const = 0;
};

class RealSystem final : public System
{
public:
    QString userName() const override;
    QString applicationDataFolder() const override;
    QString temporaryFolder() const override;
    QString programFolder() const override;
};
