#include "app/Program.h"

#include <QApplication>
#include <QImageReader>
#include <QPixmap>

#include "app/Application.h"

namespace {

// Named as PNG, a picture is read by Qt's own PNG reader at once; found by its contents, every
// image format plugin installed would be loaded first to be asked whether it can read it.
QPixmap ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

bool StartProgram(Application& app) {
    // Ties the windows to the installed desktop entry (its name and icon in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("velppc"));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    return app.InitInstance(arguments);
}

void InstallWindowIcon() {
    QApplication::setWindowIcon(QIcon(ReadPng(QStringLiteral(":/velppc.png"))));
}

QIcon ProgramIcon(const QString& name) {
    QIcon icon;
    for (const char* size : {"24", "48"})
        icon.addPixmap(ReadPng(QStringLiteral(":/icons/%1-%2.png").arg(name, QLatin1String(size))));
    return icon;
}
