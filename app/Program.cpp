#include "app/Program.h"

#include <QApplication>
#include <QIcon>

#include "ui/charts/Charts.h"
#include "ui/colours/PrefColours.h"
#include "ui/dialogs/EditItem.h"
#include "ui/report/FileOutput.h"
#include "ui/workspace/Workspace.h"

void InstallProgram() {
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velppc.png")));
    // Ties the windows to the installed desktop entry (its name and icon in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("velppc"));
    InstallDialogHooks();
    InstallChartHooks();
    InstallColourHooks();
    InstallWorkspaceHooks();
    InstallReportHooks();
}
