// The scale editors' dialogs offscreen: the list's looks and events, the location list, the item
// dialogs, and the three callers (Settings "Stamp Duty" and "Tax Scales", "Change Scale").
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/Settings.h"
#include "persist/SettingsStore.h"
#include "tests/ui/dialogs/ScaleTestSupport.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/PropertyDialogs.h"
#include "ui/dialogs/PropertyEditors.h"
#include "ui/dialogs/ScaleDialogs.h"
#include "ui/shell/Hooks.h"

namespace {

using scaletest::OnNextModal;

template <class W> W* Control(QWidget& dialog, int id) {
    W* w = dialog.findChild<W*>(QStringLiteral("control%1").arg(id));
    EXPECT_NE(w, nullptr) << "control " << id;
    return w;
}
QComboBox* Location(QWidget& d) { return Control<QComboBox>(d, CScaleEditor::kLocation); }
QPushButton* Button(QWidget& d, int id) { return Control<QPushButton>(d, id); }
QLineEdit* Edit(QWidget& d, int id) { return Control<QLineEdit>(d, id); }
ScaleRowList* ListOf(QWidget& d) { return d.findChild<ScaleRowList*>(); }

void ChooseLocation(QWidget& d, int index) {
    QComboBox* combo = Location(d);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void Ok(QDialog& d) { d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }
void Cancel(QDialog& d) {
    d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
}

void Mouse(QWidget* w, QEvent::Type type, QPoint pos) {
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}
QPoint LineCentre(ScaleRowList* list, int line) {
    return list->visualItemRect(list->topLevelItem(line)).center();
}
void Tap(ScaleRowList* list, QPoint pos) {
    Mouse(list->viewport(), QEvent::MouseButtonPress, pos);
    Mouse(list->viewport(), QEvent::MouseButtonRelease, pos);
}
void DoubleTap(ScaleRowList* list, int line) {
    const QPoint pos = LineCentre(list, line);
    Tap(list, pos);
    Mouse(list->viewport(), QEvent::MouseButtonDblClick, pos);
    Mouse(list->viewport(), QEvent::MouseButtonRelease, pos);
}
void Key(QWidget* w, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}
int SelectedLine(ScaleRowList* list) {
    const auto items = list->selectedItems();
    return items.size() == 1 ? list->indexOfTopLevelItem(items.front()) : -1;
}

void Activate(QDialog& d) {
    d.show();
    d.activateWindow();
    QApplication::setActiveWindow(&d);
    QApplication::processEvents();
}

struct ScaleDialogs : ::testing::Test {
    void SetUp() override { ResetScalesToStartup(); }
    void TearDown() override { ResetScalesToStartup(); }
};

} // namespace

TEST_F(ScaleDialogs, StampDutyListShowsTheRowsInShadedColumns) {
    CStampDutyScale editor;
    editor.scale = CurrentDutyScale;
    StampDutyScaleDialog dialog(editor);
    Activate(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Stamp Duty");
    EXPECT_EQ(Location(dialog)->currentText(), "Qld");
    ASSERT_EQ(Location(dialog)->count(), 10);
    EXPECT_EQ(Location(dialog)->itemText(8), "None");

    ScaleRowList* list = ListOf(dialog);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->objectName(), "control1087");
    EXPECT_EQ(list->headerItem()->text(0), "Above");
    EXPECT_EQ(list->headerItem()->text(1), "Rate");
    EXPECT_EQ(list->headerItem()->text(2), "Flat");
    ASSERT_EQ(list->topLevelItemCount(), 7);
    EXPECT_EQ(list->topLevelItem(1)->text(0), "$20,000");
    EXPECT_EQ(list->topLevelItem(1)->text(1), "2.25");
    EXPECT_TRUE(list->topLevelItem(1)->textAlignment(1) & Qt::AlignRight);
    EXPECT_TRUE(list->topLevelItem(1)->textAlignment(2) & Qt::AlignRight);
    EXPECT_FALSE(list->topLevelItem(1)->textAlignment(0) & Qt::AlignRight);
    for (int line : {0, 2, 4, 6})
        EXPECT_EQ(list->topLevelItem(line)->background(0).color(), QColor(255, 255, 212));
    for (int line : {1, 3, 5})
        EXPECT_EQ(list->topLevelItem(line)->background(1).style(), Qt::NoBrush);
    // Lines stay in row order: no sorting, no moving of columns.
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_FALSE(list->header()->sectionsClickable());
    EXPECT_FALSE(list->header()->sectionsMovable());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(SelectedLine(list), 0);
    EXPECT_TRUE(list->hasFocus());
    const int width = list->viewport()->width();
    EXPECT_EQ(list->columnWidth(0), width * 4 / 10);
    EXPECT_EQ(list->columnWidth(2), width * 2 / 10);

    ChooseLocation(dialog, 2); // Vic
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(list->topLevelItem(3)->text(2), "Flat");
    EXPECT_TRUE(Button(dialog, CScaleEditor::kAdd)->isEnabled());

    ChooseLocation(dialog, kDutyLocationNone);
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), " ");
    for (int id : {CScaleEditor::kAdd, CScaleEditor::kModify, CScaleEditor::kRemove})
        EXPECT_FALSE(Button(dialog, id)->isEnabled()) << id;
    dialog.reject();
}

TEST_F(ScaleDialogs, AddOpensTheItemDialogAndTheNewLineMakesTheScaleCustom) {
    CStampDutyScale editor;
    editor.scale = CurrentDutyScale;
    StampDutyScaleDialog dialog(editor);
    Activate(dialog);

    OnNextModal([](QDialog& item) {
        EXPECT_EQ(item.windowTitle(), "Specify Stamp Duty Item");
        EXPECT_EQ(Edit(item, CStampDutyItem::kAbove)->text(), "0");
        EXPECT_EQ(Edit(item, CStampDutyItem::kRate)->text(), "0.00%");
        Edit(item, CStampDutyItem::kAbove)->setText("900,000");
        Edit(item, CStampDutyItem::kRate)->setText("5.25");
        Control<QCheckBox>(item, CStampDutyItem::kFlat)->click();
        Ok(item);
    });
    Button(dialog, CScaleEditor::kAdd)->click();

    ScaleRowList* list = ListOf(dialog);
    ASSERT_EQ(list->topLevelItemCount(), 8);
    EXPECT_EQ(list->topLevelItem(7)->text(0), "$900,000");
    EXPECT_EQ(list->topLevelItem(7)->text(1), "5.25");
    EXPECT_EQ(list->topLevelItem(7)->text(2), "Flat");
    // The eighth line is an even one: window colour.
    EXPECT_EQ(list->topLevelItem(7)->background(0).style(), Qt::NoBrush);
    EXPECT_EQ(SelectedLine(list), 7);
    EXPECT_EQ(Location(dialog)->currentText(), "Custom");
    Cancel(dialog);
    EXPECT_EQ(BuiltInDutyScales[kDutyLocationCustom].Count, 8);
}

TEST_F(ScaleDialogs, TheListAnswersTapsDoubleTapsAndKeys) {
    CStampDutyScale editor;
    editor.scale = CurrentDutyScale;
    StampDutyScaleDialog dialog(editor);
    Activate(dialog);
    ScaleRowList* list = ListOf(dialog);

    Tap(list, LineCentre(list, 3));
    EXPECT_EQ(SelectedLine(list), 3);
    Key(list, Qt::Key_Down);
    EXPECT_EQ(SelectedLine(list), 4);
    for (int i = 0; i < 9; ++i) Key(list, Qt::Key_Up);
    EXPECT_EQ(SelectedLine(list), 0);

    // A tap below the last line selects nothing: nothing to modify or remove.
    Tap(list, QPoint(10, list->viewport()->height() - 2));
    EXPECT_EQ(SelectedLine(list), -1);
    EXPECT_FALSE(Button(dialog, CScaleEditor::kModify)->isEnabled());
    EXPECT_FALSE(Button(dialog, CScaleEditor::kRemove)->isEnabled());
    EXPECT_TRUE(Button(dialog, CScaleEditor::kAdd)->isEnabled());

    // A double tap is "Modify" on that line.
    bool opened = false;
    OnNextModal([&opened](QDialog& item) {
        opened = true;
        EXPECT_EQ(Edit(item, CStampDutyItem::kAbove)->text(), "100,000");
        EXPECT_EQ(Edit(item, CStampDutyItem::kRate)->text(), "3.25%");
        EXPECT_FALSE(Control<QCheckBox>(item, CStampDutyItem::kFlat)->isChecked());
        Edit(item, CStampDutyItem::kRate)->setText("3.26");
        Cancel(item);
    });
    DoubleTap(list, 3);
    EXPECT_TRUE(opened);
    EXPECT_EQ(SelectedLine(list), 3);
    EXPECT_EQ(list->topLevelItem(3)->text(1), "3.25");
    EXPECT_EQ(Location(dialog)->currentText(), "Qld");

    Button(dialog, CScaleEditor::kRemove)->click();
    EXPECT_EQ(list->topLevelItemCount(), 6);
    EXPECT_EQ(SelectedLine(list), 2);
    EXPECT_EQ(list->topLevelItem(3)->text(0), "$250,000");
    EXPECT_EQ(Location(dialog)->currentText(), "Custom");
    dialog.reject();
}

TEST_F(ScaleDialogs, TaxScalesOpensOnTheStartupScaleAndItsMedicareFieldsTakeChanges) {
    CTaxScales editor;
    editor.scale = CurrentTaxScale;
    TaxScalesDialog dialog(editor);
    Activate(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Tax Scales");
    EXPECT_EQ(Location(dialog)->currentText(), "Australia (06/07)");
    EXPECT_EQ(Location(dialog)->itemText(kTaxLocationNone), "None ");
    ScaleRowList* list = ListOf(dialog);
    EXPECT_EQ(list->objectName(), "control1091");
    ASSERT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(list->topLevelItem(2)->text(0), "$25,000");
    EXPECT_EQ(list->topLevelItem(2)->text(1), "30.00");
    EXPECT_TRUE(list->topLevelItem(2)->textAlignment(1) & Qt::AlignRight);
    EXPECT_EQ(list->columnWidth(0), list->viewport()->width() / 2);
    QLineEdit* threshold = Edit(dialog, CTaxScales::kThreshold);
    QLineEdit* rate = Edit(dialog, CTaxScales::kMedicareRate);
    EXPECT_EQ(threshold->text(), "15,529");
    EXPECT_EQ(rate->text(), "1.50%");

    // Leaving the field unchanged keeps the location.
    threshold->setFocus(Qt::MouseFocusReason);
    rate->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Location(dialog)->currentText(), "Australia (06/07)");

    rate->setText("1.75");
    list->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Location(dialog)->currentText(), "Custom");
    EXPECT_EQ(rate->text(), "1.75%");
    EXPECT_EQ(BuiltInTaxScales[kTaxLocationCustom].MedicareRate, 1.75);
    EXPECT_EQ(BuiltInTaxScales[kTaxLocationCustom].Above[2], 25000);

    OnNextModal([](QDialog& item) {
        EXPECT_EQ(item.windowTitle(), "Specify Scale Item");
        EXPECT_EQ(Edit(item, CScaleItem::kAbove)->text(), "25,000");
        EXPECT_EQ(Edit(item, CScaleItem::kRate)->text(), "30.00%");
        Edit(item, CScaleItem::kAbove)->setText("30000");
        Ok(item);
    });
    DoubleTap(list, 2);
    EXPECT_EQ(list->topLevelItem(2)->text(0), "$30,000");
    dialog.reject();
}

// --- the callers ---

namespace {

struct ScaleCommands : ::testing::Test {
    MemorySettingsStore store;
    CVELPPCDoc doc;
    ShellHooks saved;

    void SetUp() override {
        ResetScalesToStartup();
        saved = Hooks();
        InstallDialogHooks();
        NewInvestment(doc, store);
        doc.Price = doc.MarketValue = 500000;
        doc.Rent = 450;
        doc.Recalculate(false);
        store.log.clear();
    }
    void TearDown() override {
        Hooks() = saved;
        SetChangeScaleEditor(nullptr);
        ResetScalesToStartup();
    }
    std::optional<std::string> Stored(std::string_view name) const {
        return store.ReadString(kSectionSettingsFile, name);
    }
};

} // namespace

TEST_F(ScaleCommands, StampDutyOkReplacesTheScaleKeepsBaseDutyRecalculatesAndStores) {
    CurrentDutyScale.BaseDuty = 100;
    ASSERT_TRUE(Hooks().stampDuty);
    OnNextModal([](QDialog& d) {
        ChooseLocation(d, 2);
        Ok(d);
    });
    Hooks().stampDuty(doc, store, nullptr);

    EXPECT_EQ(CurrentDutyScale.Location, 2);
    EXPECT_EQ(CurrentDutyScale.Count, 4);
    EXPECT_EQ(CurrentDutyScale.Flat[3], 1);
    EXPECT_EQ(CurrentDutyScale.BaseDuty, 100);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_DOUBLE_EQ(doc.StampDutyCost, ComputeStampDuty(500000, CurrentDutyScale));
    EXPECT_EQ(Stored("StampDuty"), DutyScaleToText(CurrentDutyScale));
    EXPECT_EQ(store.log.size(), 1u);
}

TEST_F(ScaleCommands, CancelChangesNothingButTheCustomEntryKeepsTheEdits) {
    const double duty = doc.StampDutyCost;
    OnNextModal([](QDialog& d) {
        ListOf(d)->setFocus();
        OnNextModal([](QDialog& item) {
            Edit(item, CStampDutyItem::kRate)->setText("2");
            Ok(item);
        });
        Button(d, CScaleEditor::kModify)->click(); // the first line, selected on opening
        EXPECT_EQ(Location(d)->currentText(), "Custom");
        Cancel(d);
    });
    Hooks().stampDuty(doc, store, nullptr);
    EXPECT_EQ(CurrentDutyScale, StartupDutyScale());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.StampDutyCost, duty);
    EXPECT_TRUE(store.log.empty());

    // Next time, "Custom" brings the edited rows back.
    OnNextModal([](QDialog& d) {
        EXPECT_EQ(Location(d)->currentText(), "Qld");
        ChooseLocation(d, kDutyLocationCustom);
        ASSERT_EQ(ListOf(d)->topLevelItemCount(), 7);
        EXPECT_EQ(ListOf(d)->topLevelItem(0)->text(1), "2.00");
        Cancel(d);
    });
    Hooks().stampDuty(doc, store, nullptr);
}

TEST_F(ScaleCommands, TaxScalesOkReplacesTheScaleRecalculatesAndStores) {
    const double tax = ComputeIncomeTax(47000, CurrentTaxScale);
    const double saving = doc.At(Row::TaxSaving, 0);
    OnNextModal([](QDialog& d) {
        ChooseLocation(d, 1); // "New Zealand"
        Ok(d);
    });
    Hooks().taxScales(doc, store, nullptr);
    EXPECT_EQ(CurrentTaxScale, ShippedTaxScale(1));
    EXPECT_NE(ComputeIncomeTax(47000, CurrentTaxScale), tax);
    EXPECT_NE(doc.At(Row::TaxSaving, 0), saving) << "the figures follow the new scale";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Stored("TaxScale"), TaxScaleToText(CurrentTaxScale));
    EXPECT_EQ(Stored("StampDuty"), std::nullopt);
}

TEST_F(ScaleCommands, TaxScalesOkSortsTheRowsItTakes) {
    OnNextModal([](QDialog& d) {
        OnNextModal([](QDialog& item) {
            Edit(item, CScaleItem::kAbove)->setText("10000");
            Edit(item, CScaleItem::kRate)->setText("20");
            Ok(item);
        });
        Button(d, CScaleEditor::kAdd)->click();
        EXPECT_EQ(ListOf(d)->topLevelItem(5)->text(0), "$10,000");
        Ok(d);
    });
    Hooks().taxScales(doc, store, nullptr);
    EXPECT_EQ(CurrentTaxScale.Location, kTaxLocationCustom);
    EXPECT_EQ(CurrentTaxScale.Count, 6);
    EXPECT_EQ(CurrentTaxScale.Above[2], 10000);
    EXPECT_EQ(CurrentTaxScale.Rate[2], 20);
    EXPECT_EQ(CurrentTaxScale.Above[3], 25000);
    EXPECT_EQ(Stored("TaxScale"), TaxScaleToText(CurrentTaxScale));

    // The editor shows the sorted rows the next time it opens.
    OnNextModal([](QDialog& d) {
        EXPECT_EQ(Location(d)->currentText(), "Custom");
        EXPECT_EQ(ListOf(d)->topLevelItem(2)->text(0), "$10,000");
        Cancel(d);
    });
    Hooks().taxScales(doc, store, nullptr);
}

TEST_F(ScaleCommands, ChangeScaleInPurchaseCostsTakesEffectAtOnceAndOutlivesCancel) {
    const double duty = doc.StampDutyCost;
    OnNextModal([](QDialog& costs) {
        QPushButton* change = Button(costs, CPurchCosts::kChangeScale);
        ASSERT_TRUE(change->isEnabled());
        OnNextModal([](QDialog& scale) {
            EXPECT_EQ(scale.windowTitle(), "Stamp Duty");
            ChooseLocation(scale, 1); // NSW
            Ok(scale);
        });
        change->click();
        EXPECT_EQ(Control<QCheckBox>(costs, CPurchCosts::kUsesScale)->text(), "Uses NSW");
        EXPECT_EQ(Edit(costs, CPurchCosts::kStampDuty)->text(),
                  QString::fromStdString(FormatValue(ComputeStampDuty(500000, ShippedDutyScale(1)),
                                                     kAmountFormat)));
        Cancel(costs);
    });
    EditItem(doc, store, ItemPurchaseCosts, nullptr);
    EXPECT_EQ(CurrentDutyScale.Location, 1);
    EXPECT_EQ(doc.StampDutyCost, duty) << "no recalculation";
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(store.log.empty()) << "no settings written";
}
