#include "app/Program.h"

#include <QApplication>
#include <QIcon>


void InstallProgram() {
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velppc.png")));
    // Ties the windows to the installed desktop entry (its name and icon in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("velppc"));
}
