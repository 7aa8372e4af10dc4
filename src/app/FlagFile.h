#pragma once

#include <QString>

class TSecure;

// The security flag file of a data folder: dataPath + "kvtl.obj", one
// 6-byte record. Each operation opens and closes the file, so another copy
// of the program on the same data folder may change it in between.

QString FlagFileName(const QString &dataPath);
// Creates the file with version "1.00" and security off when it is missing.
void EnsureFlagFile(const QString &dataPath);
// Reads the record into secure.Record and sets secure.Enabled from its flag.
void LoadFlag(TSecure &secure, const QString &dataPath);
// Writes secure.Enabled into the record in place; the version text stays as read.
void SaveFlag(TSecure &secure, const QString &dataPath);
