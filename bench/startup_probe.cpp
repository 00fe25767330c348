// Starts Pocket VEL the way velppc does (the same libraries, icon and hooks), on the file
// named on the command line, and exits as soon as the summary and the pane beside it have been
// painted for the first time. It prints the time from process start to that paint and the peak
// resident memory up to then. The start is the clock that vel_launch read just before it
// replaced itself with this program, so the kernel's loading of the program and its libraries
// counts and the measuring script's fork does not.
#include <QApplication>

#include <vector>

#include "app/Program.h"
#include "bench/FirstPaint.h"
#include "app/MainWindow.h"
#include "app/Application.h"
#include "ui/shell/SummaryView.h"
#include "ui/workspace/ProjectionTable.h"
#include "ui/workspace/Workspace.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    Application app;
    if (!StartProgram(app)) return 1;
    QWidget* viewport = app.Window()->View()->viewport();
    std::vector<QWidget*> widgets = {viewport};
    if (auto* pane = dynamic_cast<Workspace*>(app.Window()->Pane()))
        widgets.push_back(pane->Table()->viewport());
    FirstPaint probe(widgets);
    for (QWidget* w : widgets) w->update();
    return QApplication::exec();
}
