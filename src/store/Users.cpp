#include "store/Users.h"

#include "config/SystemHelpers.h"
#include "platform/Clock.h"
#include "store/fDM.h"

#include <QVariant>

using namespace Qt::StringLiterals;

namespace {

constexpr int LoginIdWidth = 30;

// The user's row, found by the first 30 characters of the name, or a new one.
TRecord userRow(TTable &users, const QString &name)
{
    if (auto found = users.findKey({name.left(LoginIdWidth)}))
        return *found;
    return users.newRecord();
}

} // namespace

void RecordUserIn(TDM &dm)
{
    dm.OpenTable(dm.tblUsers);
    const QString name = WindowsUserName();
    TRecord row = userRow(dm.tblUsers, name);
    row.setValue(u"LoginID"_s, name);
    row.setValue(u"LastIn"_s, Clock::instance().now());
    row.setValue(u"LastOut"_s, QVariant());
    dm.tblUsers.post(row);
}

void RecordUserOut(TDM &dm)
{
    dm.OpenTable(dm.tblUsers);
    if (!dm.tblUsers.active())
        return;
    const QString name = WindowsUserName();
    TRecord row = userRow(dm.tblUsers, name);
    row.setValue(u"LoginID"_s, name);
    row.setValue(u"LastOut"_s, Clock::instance().now());
    dm.tblUsers.post(row);
}
