// "Pocket VEL Help" (the user guide with its contents and Ctrl+F search, in a window kept open
// beside the work) and "About Pocket VEL" (version, licence, built-in scales).
#pragma once

#include <QString>

class QWidget;

void ShowHelp(QWidget* parent);
void ShowAbout(QWidget* parent);
// The text "About Pocket VEL" shows.
QString AboutText();
