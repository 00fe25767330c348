// Widget tests need one QApplication for the whole run. CTest sets QT_QPA_PLATFORM=offscreen;
// a run by hand without a display falls back to it as well.
#include <QApplication>
#include <gtest/gtest.h>

#include "ui/dialogs/EditorForm.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // An editor's question about an unlikely figure is answered "Keep it": a modal box would
    // stop the run. Tests of the question put in their own asker.
    SetDoubtAsker([](QWidget*, const QString&) { return true; });
    return RUN_ALL_TESTS();
}
