#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TConfig;

// The data folder holds the store database file with every required table.
// The other tables (InventoryAmounts, InventoryTypes, Security, Users,
// PaidOuts) are not looked for.

// The store database file of a data folder.
QString DatabaseFileName(const QString &dataPath);
// True when the file exists and holds each required table, checked in order.
bool DataFilesPresent(const QString &dataPath);
bool DataFilesPresent();

// Shows the data-missing dialog on the folder; true when closed with OK (the
// folder then holds the normalised answer).
using AskDataFolderFn = std::function<bool(QString &folder)>;

// While the previous answer was OK and files are missing: ask for the
// folder and save the per-user settings. Cancel ends the loop.
void CheckDataFiles(TConfig &config, const AskDataFolderFn &askDataFolder);
