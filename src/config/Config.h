#pragma once

#include <QChar>
#include <QString>

// The program's one configuration object: its three folders, the store's
// options (data-folder KVTL.ini), the per-user settings (per-user KVTL.ini)
// and who is logged in. Fields carry their INI key names.
class TConfig
{
public:
    // Settles the folders and reads both INI files; becomes the program-wide instance.
    TConfig();
    // Writes nothing: the owner calls Save() first, so that a write error can be shown.
    ~TConfig();
    TConfig(const TConfig &) = delete;
    TConfig &operator=(const TConfig &) = delete;

    // The program-wide instance (the newest one alive); throws std::logic_error when there is none.
    static TConfig &instance();

    QString GetUserPath() const;
    void LoadUserSettings();
    // Raise AppError("Unable to write to <file>") when the file cannot be written.
    void SaveUserSettings();
    void LoadStoreOptions();
    void SaveStoreOptions();
    // What shutdown writes: SaveStoreOptions, then SaveUserSettings.
    void Save();

    QString IPAddr;
    QString ProgramPath;
    QString DataPath;
    QString Language;
    QString UserPath;
    QString UserIniFile;
    QString CurrentLoginID;
    QString LastLoginID;
    QString StoreID;
    QString StoreName;
    QString StoreLocation;
    QChar SecurityLevel = QChar(0);
    quint16 StartingTip = 1;
    double TaxRate = 0;
    double Float = 0;
    bool ShowTips = true;
    bool PrintPreview = true;
    bool PromptEmployeeOnNewWO = false;
    bool UseInventoryTracking = false;
};
