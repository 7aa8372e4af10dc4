#pragma once

class QWidget;

// Lets the help key (F1) open the window's numbered topic of the current help file.
void SetHelpTopic(QWidget *window, int topic);
