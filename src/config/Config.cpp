#include "config/Config.h"

#include "config/IniFile.h"
#include "config/SystemHelpers.h"
#include "platform/System.h"

#include <QDir>

#include <stdexcept>
#include <vector>

namespace {

// Every live instance, oldest first; a test may make one while another lives.
std::vector<TConfig *> &liveInstances()
{
    static std::vector<TConfig *> instances;
    return instances;
}

const QString iniFileName = QStringLiteral("KVTL.ini");
const QString optionsSection = QStringLiteral("Options");
const QString defaultsSection = QStringLiteral("Defaults");
const QString defaultIPAddr = QStringLiteral("127.0.0.1");

// A missing folder that cannot be made is passed over: the first write into it reports the failure.
void makeFolder(const QString &folder)
{
    QDir().mkpath(folder);
}

// Used when the system names no application-data folder. It ends in a
// separator even while it does not exist yet, as file names are added to it.
QString fallbackFolder()
{
    return NormalizeFolder(WindowsFolder());
}

// Where the program's own folders go: the application-data folder, or the
// fallback folder when the system names none.
QString settingsBase()
{
    const QString applicationData = SpecialFolder(FolderKind::ApplicationData);
    return applicationData.isEmpty() ? fallbackFolder() : applicationData;
}

QString defaultDataPath()
{
    return settingsBase() + QStringLiteral("Kestrelvane/KVTL/");
}

} // namespace

TConfig::TConfig()
{
    ProgramPath = NormalizeFolder(System::instance().programFolder());
    UserPath = GetUserPath();
    makeFolder(UserPath);
    UserIniFile = UserPath + iniFileName;
    LoadUserSettings();
    LoadStoreOptions();
    liveInstances().push_back(this);
}

TConfig::~TConfig()
{
    std::erase(liveInstances(), this);
}

TConfig &TConfig::instance()
{
    if (liveInstances().empty())
        throw std::logic_error("the configuration is used before it was made");
    return *liveInstances().back();
}

QString TConfig::GetUserPath() const
{
    const QString applicationData = SpecialFolder(FolderKind::ApplicationData);
    if (applicationData.isEmpty())
        return fallbackFolder();
    const QString folder = applicationData + QStringLiteral("Kestrelvane/");
    makeFolder(folder);
    return folder;
}

void TConfig::LoadUserSettings()
{
    const IniFile ini(UserIniFile);
    const QString besideProgram = ProgramPath + QStringLiteral("Data/");
    if (QDir(besideProgram).exists()) {
        DataPath = besideProgram;
    } else {
        DataPath = NormalizeFolder(ini.readString(optionsSection, QStringLiteral("DataPath"), defaultDataPath()));
        makeFolder(DataPath);
    }
    IPAddr = ini.readString(optionsSection, QStringLiteral("IPAddr"), defaultIPAddr);
    if (IPAddr.isEmpty())
        IPAddr = defaultIPAddr;
    ShowTips = ini.readBool(defaultsSection, QStringLiteral("ShowTips"), true);
    // Only the low 16 bits are kept, as the field holds no more.
    StartingTip = static_cast<quint16>(ini.readInteger(defaultsSection, QStringLiteral("StartingTip"), 1));
    LastLoginID = ini.readString(defaultsSection, QStringLiteral("LastLoginID"), QStringLiteral("Administrator"));
}

void TConfig::SaveUserSettings()
{
    IniFile ini(UserIniFile);
    ini.writeString(optionsSection, QStringLiteral("DataPath"), DataPath);
    ini.writeString(optionsSection, QStringLiteral("IPAddr"), IPAddr);
    ini.writeBool(defaultsSection, QStringLiteral("ShowTips"), ShowTips);
    ini.writeInteger(defaultsSection, QStringLiteral("StartingTip"), StartingTip);
    // The login of this run is what the next run offers first.
    ini.writeString(defaultsSection, QStringLiteral("LastLoginID"), CurrentLoginID);
    ini.save();
}

void TConfig::LoadStoreOptions()
{
    const IniFile ini(DataPath + iniFileName);
    TaxRate = ini.readFloat(optionsSection, QStringLiteral("TaxRate"), 0);
    Float = ini.readFloat(optionsSection, QStringLiteral("Float"), 0);
    PrintPreview = ini.readBool(optionsSection, QStringLiteral("PrintPreview"), true);
    PromptEmployeeOnNewWO = ini.readBool(optionsSection, QStringLiteral("PromptEmployeeOnNewWO"), false);
    UseInventoryTracking = ini.readBool(optionsSection, QStringLiteral("UseInventoryTracking"), false);
    StoreID = ini.readString(optionsSection, QStringLiteral("StoreID"), QString());
    StoreName = ini.readString(optionsSection, QStringLiteral("StoreName"), QString());
    StoreLocation = ini.readString(optionsSection, QStringLiteral("StoreLocation"), QString());
}

void TConfig::SaveStoreOptions()
{
    IniFile ini(DataPath + iniFileName);
    ini.writeFloat(optionsSection, QStringLiteral("TaxRate"), TaxRate);
    ini.writeFloat(optionsSection, QStringLiteral("Float"), Float);
    ini.writeBool(optionsSection, QStringLiteral("PrintPreview"), PrintPreview);
    ini.writeBool(optionsSection, QStringLiteral("PromptEmployeeOnNewWO"), PromptEmployeeOnNewWO);
    ini.writeBool(optionsSection, QStringLiteral("UseInventoryTracking"), UseInventoryTracking);
    ini.writeString(optionsSection, QStringLiteral("StoreID"), StoreID);
    ini.writeString(optionsSection, QStringLiteral("StoreName"), StoreName);
    ini.writeString(optionsSection, QStringLiteral("StoreLocation"), StoreLocation);
    ini.save();
}

void TConfig::Save()
{
    SaveStoreOptions();
    SaveUserSettings();
}
