// The application: the start-up of the program and the objects that live for its whole run.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

#include "ui/shell/Surface.h"

class MainWindow;
class DocumentUi;
class QObject;
class SettingsBatch;
class SettingsStore;

// The style sheet that gives every dialog the interface background and black text. The
// automatic colour leaves the platform's own background.
QString DialogStyleSheet(ColourValue background);

class Application {
public:
    // The user's settings store and the real dialogs.
    Application();
    // Injected store and dialogs, for tests; both must outlive the application object.
    Application(SettingsStore& store, DocumentUi& ui);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Start-up in order: settings root, recent files, colours, dialog colours, the main window
    // with the file named on the command line (`arguments` without the program's name) or a
    // new investment, then the window shown. False ends the program.
    bool InitInstance(const QStringList& arguments);

    MainWindow* Window() { return frame_.get(); }

private:
    std::unique_ptr<SettingsStore> ownStore_;
    std::unique_ptr<DocumentUi> ownUi_;
    SettingsStore* store_;
    DocumentUi* ui_;
    // Gives each dialog the style sheet as it is first polished (see InitInstance).
    std::unique_ptr<QObject> dialogColours_;
    std::unique_ptr<MainWindow> frame_;
    // Start-up's reads and writes of the settings, until the window has first been painted.
    std::unique_ptr<SettingsBatch> startup_;
};
