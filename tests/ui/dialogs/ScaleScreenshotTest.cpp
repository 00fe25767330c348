// Pictures of the two scale editors for the documentation; taken only when VEL_SCREENSHOT_DIR
// names a folder.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <gtest/gtest.h>

#include "model/Scales.h"
#include "ui/dialogs/ScaleDialogs.h"

namespace {

void Save(QDialog& dialog, const QString& name) {
    dialog.show();
    QApplication::processEvents();
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    EXPECT_TRUE(dialog.grab().save(QDir(dir).filePath(name))) << name.toStdString();
    dialog.reject();
}

} // namespace

TEST(Screenshots, ScaleEditors) {
    if (qEnvironmentVariable("VEL_SCREENSHOT_DIR").isEmpty())
        GTEST_SKIP() << "VEL_SCREENSHOT_DIR is not set";
    ResetScalesToStartup();

    // "Vic", its flat row selected.
    CStampDutyScale duty;
    duty.scale = ShippedDutyScale(2);
    StampDutyScaleDialog dutyDialog(duty);
    dutyDialog.List()->onStep(1);
    dutyDialog.List()->onStep(1);
    dutyDialog.List()->onStep(1);
    Save(dutyDialog, QStringLiteral("scale-duty.png"));

    // The tax scale in force at start-up.
    CTaxScales tax;
    tax.scale = CurrentTaxScale;
    TaxScalesDialog taxDialog(tax);
    Save(taxDialog, QStringLiteral("scale-tax.png"));
    ResetScalesToStartup();
}
