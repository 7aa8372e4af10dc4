#pragma once

#include <QChar>

#include <array>

// The security flag file's record: the length of the version text, the
// version text and the security flag (0 off, anything else on).
using FlagRecord = std::array<char, 6>;

// The record a new flag file starts with: version "1.00", security off.
constexpr FlagRecord DefaultFlagRecord{4, '1', '.', '0', '0', 0};

// The security switch. While it is off everybody may open every screen;
// while it is on the manager screens need an administrator login.
class TSecure
{
public:
    // Starts with Enabled false and becomes the program-wide instance.
    TSecure();
    ~TSecure();
    TSecure(const TSecure &) = delete;
    TSecure &operator=(const TSecure &) = delete;

    // The program-wide instance; throws std::logic_error when there is none.
    static TSecure &instance();

    bool Enabled = false;
    // The flag file's record as last read. It outlives the file, so that a
    // flag file deleted while the program runs is written back whole.
    FlagRecord Record = DefaultFlagRecord;
};

// The administrator's level letter, the only one that grants rights.
constexpr char16_t AdministratorLevel = u'A';

// Whether the manager screens may open: always while security is off,
// otherwise only for a logged-in administrator.
bool GrantsManagerRights(const TSecure &secure, QChar securityLevel);
