// Pictures of the two scale editors for the documentation; taken only when VEL_SCREENSHOT_DIR
// names a folder.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

#include "model/Scales.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/ScaleDialogs.h"

namespace {

void Save(QDialog& dialog, const QString& name) {
    dialog.show();
    QApplication::processEvents();
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    EXPECT_TRUE(dialog.grab().save(QDir(dir).filePath(name))) << name.toStdString();
    dialog.reject();
}

// The dialog with its "Location:" list open: the list's window drawn over the dialog's picture.
void SaveWithOpenList(QDialog& dialog, const QString& name) {
    dialog.show();
    QApplication::processEvents();
    auto* combo = dialog.findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    combo->showPopup();
    QApplication::processEvents();
    QWidget* popup = combo->view()->window();
    const QRect dialogRect(dialog.mapToGlobal(QPoint(0, 0)), dialog.size());
    const QRect popupRect(popup->mapToGlobal(QPoint(0, 0)), popup->size());
    const QRect all = dialogRect.united(popupRect);
    QPixmap picture(all.size() * dialog.devicePixelRatioF());
    picture.setDevicePixelRatio(dialog.devicePixelRatioF());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawPixmap(dialogRect.topLeft() - all.topLeft(), dialog.grab());
    painter.drawPixmap(popupRect.topLeft() - all.topLeft(), popup->grab());
    painter.end();
    combo->hidePopup();
    const QString dir = qEnvironmentVariable("VEL_SCREENSHOT_DIR");
    EXPECT_TRUE(picture.save(QDir(dir).filePath(name))) << name.toStdString();
    dialog.reject();
}

} // namespace

TEST(Screenshots, ScaleEditors) {
    Scales scales;
    if (qEnvironmentVariable("VEL_SCREENSHOT_DIR").isEmpty())
        GTEST_SKIP() << "VEL_SCREENSHOT_DIR is not set";

    // "Vic", its flat row selected.
    StampDutyScaleLogic duty;
    duty.scale = ShippedDutyScale(2);
    StampDutyScaleDialog dutyDialog(duty, KeepingUi());
    dutyDialog.List()->onStep(1);
    dutyDialog.List()->onStep(1);
    dutyDialog.List()->onStep(1);
    Save(dutyDialog, QStringLiteral("scale-duty.png"));

    // "NSW 2025" chosen, the Location list open over the dialog.
    StampDutyScaleLogic today;
    today.scale = ShippedDutyScale(FindDutyLocation("NSW 2025"));
    StampDutyScaleDialog todayDialog(today, KeepingUi());
    SaveWithOpenList(todayDialog, QStringLiteral("scale-duty-locations.png"));

    // The tax scale in force at start-up.
    TaxScalesLogic tax;
    tax.scale = scales.tax;
    TaxScalesDialog taxDialog(tax, KeepingUi());
    Save(taxDialog, QStringLiteral("scale-tax.png"));
}
