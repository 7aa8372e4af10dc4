#pragma once

#include <QString>

// Help files are folders beside the program, each holding one page per
// numbered topic ("130.html"); the Shell's help window shows them.

// The program's own help: programPath + "help/".
QString ProgramHelpFile(const QString &programPath);
// The pages about the maker's other products: programPath + "help/kestrel/".
QString OtherProductsHelpFile(const QString &programPath);

// The help file that the help key and the Help menu open.
QString HelpFile();
void SetHelpFile(const QString &helpFile);

// Opens a numbered topic of the current help file.
void ShowHelpTopic(int topic);
