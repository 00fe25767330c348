// The program's start as velppc makes it, shared with the start-up benchmark so that the
// benchmark times what a user waits for.
#pragma once

#include <QIcon>
#include <QString>

class Application;

// Once the QApplication exists: the windows tied to the desktop entry, then `app` started on
// the file named on the command line; false ends the program.
bool StartProgram(Application& app);
// The windows' icon. The application sets it once its window has been painted: reading the
// picture, 256 pixels square, would hold the first paint back by about a millisecond.
void InstallWindowIcon();

// One of the program's own pictures, ":/icons/NAME-24.png" with "-48.png" for screens of twice
// the density.
QIcon ProgramIcon(const QString& name);
