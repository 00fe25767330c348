// The scale editors' dialogs offscreen: the list's looks and events, the location list, the item
// dialogs, and the three callers (Settings "Stamp Duty" and "Tax Scales", "Change Scale").
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>

#include "format/Format.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/Defaults.h"
#include "persist/Settings.h"
#include "persist/SettingsStore.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/dialogs/EditItem.h"
#include "ui/dialogs/PropertyDialogs.h"
#include "ui/dialogs/PropertyEditors.h"
#include "ui/dialogs/ScaleDialogs.h"

namespace {

template <class W> W* In(QWidget& d, int id) {
    W* w = ControlOf<W>(d, id);
    EXPECT_NE(w, nullptr) << "control " << id;
    return w;
}
QComboBox* Location(QWidget& d) { return In<QComboBox>(d, ScaleEditorLogic::kLocation); }
QPushButton* Button(QWidget& d, int id) { return In<QPushButton>(d, id); }
QLineEdit* Edit(QWidget& d, int id) { return In<QLineEdit>(d, id); }
ScaleRowList* ListOf(QWidget& d) { return d.findChild<ScaleRowList*>(); }
QString Cell(QWidget& d, int line, int column) {
    return ListOf(d)->topLevelItem(line)->text(column);
}

void ChooseLocation(QWidget& d, int index) {
    QComboBox* combo = Location(d);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
void ChooseLocation(QWidget& d, const QString& name) {
    const int index = Location(d)->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    ChooseLocation(d, index);
}
bool IsSeparator(QComboBox* combo, int index) {
    return combo->itemData(index, Qt::AccessibleDescriptionRole).toString() == "separator";
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
    Scales scales;
};

} // namespace

TEST_F(ScaleDialogs, StampDutyListShowsTheRowsInShadedColumnsInRowOrder) {
    StampDutyScaleLogic editor;
    editor.scale = scales.duty;
    editor.custom = scales.customDuty;
    StampDutyScaleDialog dialog(editor, KeepingUi());
    Activate(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Stamp Duty");
    EXPECT_EQ(Location(dialog)->currentText(), "Qld");
    EXPECT_EQ(Location(dialog)->count(), 19) << "18 entries and a separator";

    ScaleRowList* list = ListOf(dialog);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerItem()->text(2), "Flat");
    ASSERT_EQ(list->topLevelItemCount(), 7);
    EXPECT_EQ(Cell(dialog, 1, 0), "$20,000");
    EXPECT_EQ(Cell(dialog, 1, 1), "2.25");
    EXPECT_TRUE(list->topLevelItem(1)->textAlignment(1) & Qt::AlignRight);
    EXPECT_TRUE(list->topLevelItem(1)->textAlignment(2) & Qt::AlignRight);
    EXPECT_FALSE(list->topLevelItem(1)->textAlignment(0) & Qt::AlignRight);
    for (int line = 0; line < 7; ++line) {
        const QBrush brush = list->topLevelItem(line)->background(1);
        if (line % 2 == 0) EXPECT_EQ(brush.color(), QColor(255, 255, 212)) << line;
        else EXPECT_EQ(brush.style(), Qt::NoBrush) << line;
    }
    EXPECT_FALSE(list->isSortingEnabled());
    EXPECT_FALSE(list->header()->sectionsClickable());
    EXPECT_FALSE(list->header()->sectionsMovable());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(SelectedLine(list), 0);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(list->columnWidth(0), list->viewport()->width() * 4 / 10);

    ChooseLocation(dialog, 2); // Vic
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(Cell(dialog, 3, 2), "Flat");

    ChooseLocation(dialog, kDutyLocationNone);
    EXPECT_EQ(Cell(dialog, 0, 1), " ") << "a 0 % rate is blank";
    for (int id : {ScaleEditorLogic::kAdd, ScaleEditorLogic::kModify, ScaleEditorLogic::kRemove})
        EXPECT_FALSE(Button(dialog, id)->isEnabled()) << id;
    dialog.reject();
}

TEST_F(ScaleDialogs, AddOpensTheItemDialogAndTheNewLineMakesTheScaleCustom) {
    StampDutyScaleLogic editor;
    editor.scale = scales.duty;
    editor.custom = scales.customDuty;
    StampDutyScaleDialog dialog(editor, KeepingUi());
    Activate(dialog);

    OnNextDialog([](QDialog& item) {
        EXPECT_EQ(item.windowTitle(), "Specify Stamp Duty Item");
        EXPECT_EQ(Edit(item, StampDutyItemLogic::kAbove)->text(), "0");
        EXPECT_EQ(Edit(item, StampDutyItemLogic::kRate)->text(), "0.00%");
        Retype(Edit(item, StampDutyItemLogic::kAbove), "900,000");
        Retype(Edit(item, StampDutyItemLogic::kRate), "5.25");
        In<QCheckBox>(item, StampDutyItemLogic::kFlat)->click();
        OkButton(item)->click();
    });
    Button(dialog, ScaleEditorLogic::kAdd)->click();

    ScaleRowList* list = ListOf(dialog);
    ASSERT_EQ(list->topLevelItemCount(), 8);
    EXPECT_EQ(Cell(dialog, 7, 0), "$900,000");
    EXPECT_EQ(Cell(dialog, 7, 1), "5.25");
    EXPECT_EQ(Cell(dialog, 7, 2), "Flat");
    EXPECT_EQ(SelectedLine(list), 7);
    EXPECT_EQ(Location(dialog)->currentText(), "Custom");
    dialog.reject();
}

TEST_F(ScaleDialogs, TheListAnswersTapsDoubleTapsAndKeys) {
    StampDutyScaleLogic editor;
    editor.scale = scales.duty;
    editor.custom = scales.customDuty;
    StampDutyScaleDialog dialog(editor, KeepingUi());
    Activate(dialog);
    ScaleRowList* list = ListOf(dialog);

    Tap(list, LineCentre(list, 5));
    EXPECT_EQ(SelectedLine(list), 5);
    for (int i = 0; i < 3; ++i) SendKey(list, Qt::Key_Down, QString());
    EXPECT_EQ(SelectedLine(list), 6) << "Down stops at the last line";
    for (int i = 0; i < 9; ++i) SendKey(list, Qt::Key_Up, QString());
    EXPECT_EQ(SelectedLine(list), 0) << "Up stops at the first line";

    // A tap below the last line selects nothing: nothing to modify or remove.
    Tap(list, QPoint(10, list->viewport()->height() - 2));
    EXPECT_EQ(SelectedLine(list), -1);
    EXPECT_FALSE(Button(dialog, ScaleEditorLogic::kModify)->isEnabled());
    EXPECT_FALSE(Button(dialog, ScaleEditorLogic::kRemove)->isEnabled());
    EXPECT_TRUE(Button(dialog, ScaleEditorLogic::kAdd)->isEnabled());

    // A double tap is "Modify" on that line; a cancelled item dialog changes nothing.
    bool opened = false;
    OnNextDialog([&opened](QDialog& item) {
        opened = true;
        EXPECT_EQ(Edit(item, StampDutyItemLogic::kAbove)->text(), "100,000");
        EXPECT_EQ(Edit(item, StampDutyItemLogic::kRate)->text(), "3.25%");
        Retype(Edit(item, StampDutyItemLogic::kRate), "3.26");
        CancelButton(item)->click();
    });
    DoubleTap(list, 3);
    EXPECT_TRUE(opened);
    EXPECT_EQ(SelectedLine(list), 3);
    EXPECT_EQ(Cell(dialog, 3, 1), "3.25");
    EXPECT_EQ(Location(dialog)->currentText(), "Qld");

    Button(dialog, ScaleEditorLogic::kRemove)->click();
    EXPECT_EQ(list->topLevelItemCount(), 6);
    EXPECT_EQ(SelectedLine(list), 2);
    EXPECT_EQ(Cell(dialog, 3, 0), "$250,000");
    dialog.reject();
}

// The original entries keep their places; today's follow after a separator.
TEST_F(ScaleDialogs, TheLocationListsShowTodaysEntriesAfterASeparator) {
    StampDutyScaleLogic duty;
    duty.scale = scales.duty;
    duty.custom = scales.customDuty;
    StampDutyScaleDialog dutyDialog(duty, KeepingUi());
    Activate(dutyDialog);
    QComboBox* combo = Location(dutyDialog);
    const QStringList dutyLines = {"Qld",     "NSW",      "Vic",      "SA",       "WA",
                                   "NT",      "Tas",      "ACT",      "None",     "Custom",
                                   "",        "Qld 2025", "NSW 2025", "Vic 2025", "SA 2025",
                                   "WA 2025", "NT 2025",  "Tas 2025", "ACT 2025"};
    ASSERT_EQ(combo->count(), dutyLines.size());
    for (int i = 0; i < combo->count(); ++i) {
        EXPECT_EQ(combo->itemText(i), dutyLines[i]) << i;
        EXPECT_EQ(IsSeparator(combo, i), i == kDutyLocationCount) << i;
    }
    EXPECT_GE(combo->maxVisibleItems(), combo->count()) << "every entry in sight";

    ChooseLocation(dutyDialog, "NSW 2025");
    const int nsw = FindDutyLocation("NSW 2025");
    EXPECT_EQ(duty.scale, ShippedDutyScale(nsw));
    ASSERT_EQ(ListOf(dutyDialog)->topLevelItemCount(), 7);
    EXPECT_EQ(Cell(dutyDialog, 6, 0), "$3.721m");
    EXPECT_EQ(Cell(dutyDialog, 6, 1), "7.00");
    EXPECT_EQ(combo->currentText(), "NSW 2025");

    // An edit makes it "Custom" as it would an original entry.
    OnNextDialog([](QDialog& item) {
        Retype(Edit(item, StampDutyItemLogic::kRate), "1.6");
        OkButton(item)->click();
    });
    Button(dutyDialog, ScaleEditorLogic::kModify)->click();
    EXPECT_EQ(combo->currentText(), "Custom");
    EXPECT_EQ(duty.scale.Location, kDutyLocationCustom);
    ChooseLocation(dutyDialog, "Vic 2025");
    EXPECT_EQ(Cell(dutyDialog, 3, 2), "Flat");
    EXPECT_EQ(duty.scale.Location, FindDutyLocation("Vic 2025"));
    dutyDialog.reject();

    TaxScalesLogic tax;
    tax.scale = ShippedTaxScale(FindTaxLocation("New Zealand (25/26)"));
    TaxScalesDialog taxDialog(tax, KeepingUi());
    Activate(taxDialog);
    combo = Location(taxDialog);
    EXPECT_EQ(combo->currentText(), "New Zealand (25/26)") << "a further entry shown on opening";
    ASSERT_EQ(combo->count(), 10);
    EXPECT_EQ(combo->itemText(kTaxLocationCustom), "Custom");
    EXPECT_TRUE(IsSeparator(combo, kTaxLocationCount));
    EXPECT_EQ(combo->itemText(6), "Australia (25/26)");
    ChooseLocation(taxDialog, "Australia (25/26)");
    EXPECT_EQ(tax.scale, ShippedTaxScale(FindTaxLocation("Australia (25/26)")));
    EXPECT_EQ(Edit(taxDialog, TaxScalesLogic::kThreshold)->text(), "28,011");
    EXPECT_EQ(Edit(taxDialog, TaxScalesLogic::kMedicareRate)->text(), "2.00%");
    taxDialog.reject();
}

TEST_F(ScaleDialogs, TaxScalesOpensOnTheStartupScaleAndItsMedicareFieldsTakeChanges) {
    TaxScalesLogic editor;
    editor.scale = scales.tax;
    editor.custom = scales.customTax;
    TaxScalesDialog dialog(editor, KeepingUi());
    Activate(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Tax Scales");
    EXPECT_EQ(Location(dialog)->currentText(), "Australia (06/07)");
    EXPECT_EQ(Location(dialog)->itemText(kTaxLocationNone), "None ");
    ScaleRowList* list = ListOf(dialog);
    ASSERT_EQ(list->topLevelItemCount(), 5);
    EXPECT_EQ(Cell(dialog, 2, 0), "$25,000");
    EXPECT_EQ(Cell(dialog, 2, 1), "30.00");
    EXPECT_TRUE(list->topLevelItem(2)->textAlignment(1) & Qt::AlignRight);
    EXPECT_EQ(list->columnWidth(0), list->viewport()->width() / 2);
    QLineEdit* threshold = Edit(dialog, TaxScalesLogic::kThreshold);
    QLineEdit* rate = Edit(dialog, TaxScalesLogic::kMedicareRate);
    EXPECT_EQ(threshold->text(), "15,529");
    EXPECT_EQ(rate->text(), "1.50%");

    threshold->setFocus(Qt::MouseFocusReason);
    rate->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Location(dialog)->currentText(), "Australia (06/07)") << "nothing changed";

    Retype(rate, "1.75");
    list->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Location(dialog)->currentText(), "Custom");
    EXPECT_EQ(rate->text(), "1.75%");
    EXPECT_EQ(editor.custom.MedicareRate, 1.75);
    dialog.reject();
}

// --- the callers ---

namespace {

struct ScaleCommands : ::testing::Test {
    Scales scales;
    MemorySettingsStore store;
    Investment doc;
    void SetUp() override {
        NewInvestment(doc, scales, store);
        doc.Price = doc.MarketValue = 500000;
        doc.Rent = 450;
        doc.Recalculate(scales);
        store.log.clear();
    }
    std::optional<std::string> Stored(std::string_view name) const {
        return store.ReadString(kSectionSettingsFile, name);
    }
};

} // namespace

TEST_F(ScaleCommands, StampDutyOkReplacesTheScaleKeepsBaseDutyRecalculatesAndStores) {
    scales.duty.BaseDuty = 100;
    OnNextDialog([](QDialog& d) {
        ChooseLocation(d, 2);
        OkButton(d)->click();
    });
    EditStampDutyScale(doc, scales, store, KeepingUi(), nullptr);

    DutyScale vic = ShippedDutyScale(2);
    vic.BaseDuty = 100;
    EXPECT_EQ(scales.duty, vic);
    EXPECT_DOUBLE_EQ(doc.StampDutyCost, ComputeStampDuty(500000, vic));
    EXPECT_EQ(Stored("StampDuty"), DutyScaleToText(vic));
    EXPECT_EQ(store.log.size(), 1u);
}

// Settings -> Stamp Duty, "NSW 2025", OK: the figures follow, the settings keep it, and the next
// new investment starts with it.
TEST_F(ScaleCommands, ATodaysEntryIsStoredAndTheNextNewInvestmentUsesIt) {
    OnNextDialog([](QDialog& d) {
        ChooseLocation(d, "NSW 2025");
        OkButton(d)->click();
    });
    EditStampDutyScale(doc, scales, store, KeepingUi(), nullptr);
    const DutyScale nsw = ShippedDutyScale(FindDutyLocation("NSW 2025"));
    EXPECT_EQ(scales.duty, nsw);
    EXPECT_DOUBLE_EQ(doc.StampDutyCost, ComputeStampDuty(500000, nsw));
    EXPECT_EQ(Stored("StampDuty"), DutyScaleToText(nsw));

    Investment next;
    NewInvestment(next, scales, store);
    EXPECT_EQ(scales.duty, nsw);
    next.Price = next.MarketValue = 600000;
    next.Recalculate(scales);
    EXPECT_NEAR(next.StampDutyCost, 21412, 10);

    // The editor opens on it again.
    OnNextDialog([](QDialog& d) {
        EXPECT_EQ(Location(d)->currentText(), "NSW 2025");
        EXPECT_EQ(Cell(d, 1, 0), "$17,000");
        CancelButton(d)->click();
    });
    EditStampDutyScale(next, scales, store, KeepingUi(), nullptr);
}

TEST_F(ScaleCommands, CancelChangesNothingButTheCustomEntryKeepsTheEdits) {
    const double duty = doc.StampDutyCost;
    OnNextDialog([](QDialog& d) {
        OnNextDialog([](QDialog& item) {
            Retype(Edit(item, StampDutyItemLogic::kRate), "2");
            OkButton(item)->click();
        });
        Button(d, ScaleEditorLogic::kModify)->click(); // the first line, selected on opening
        EXPECT_EQ(Location(d)->currentText(), "Custom");
        CancelButton(d)->click();
    });
    EditStampDutyScale(doc, scales, store, KeepingUi(), nullptr);
    EXPECT_EQ(scales.duty, StartupDutyScale());
    EXPECT_EQ(doc.StampDutyCost, duty);
    EXPECT_TRUE(store.log.empty());
    EXPECT_EQ(scales.customDuty.Rate[0], 2);
}

TEST_F(ScaleCommands, TaxScalesOkRecalculatesAndStoresTheSortedRows) {
    const double saving = doc.At(Row::TaxSaving, 0);
    OnNextDialog([](QDialog& d) {
        OnNextDialog([](QDialog& item) {
            EXPECT_EQ(item.windowTitle(), "Specify Scale Item");
            Retype(Edit(item, ScaleItemLogic::kAbove), "10000");
            Retype(Edit(item, ScaleItemLogic::kRate), "20");
            OkButton(item)->click();
        });
        Button(d, ScaleEditorLogic::kAdd)->click();
        EXPECT_EQ(Cell(d, 5, 0), "$10,000");
        OkButton(d)->click();
    });
    EditTaxScales(doc, scales, store, KeepingUi(), nullptr);
    EXPECT_EQ(scales.tax.Location, kTaxLocationCustom);
    EXPECT_EQ(scales.tax.Above[2], 10000);
    EXPECT_EQ(scales.tax.Rate[2], 20);
    EXPECT_NE(doc.At(Row::TaxSaving, 0), saving) << "the figures follow the new scale";
    EXPECT_EQ(Stored("TaxScale"), TaxScaleToText(scales.tax));
    EXPECT_EQ(Stored("StampDuty"), std::nullopt);

    // The editor shows the sorted rows the next time it opens.
    OnNextDialog([](QDialog& d) {
        EXPECT_EQ(Location(d)->currentText(), "Custom");
        EXPECT_EQ(Cell(d, 2, 0), "$10,000");
        CancelButton(d)->click();
    });
    EditTaxScales(doc, scales, store, KeepingUi(), nullptr);
}

TEST_F(ScaleCommands, ChangeScaleInPurchaseCostsTakesEffectAtOnceAndOutlivesCancel) {
    const double duty = doc.StampDutyCost;
    OnNextDialog([](QDialog& costs) {
        QPushButton* change = Button(costs, PurchaseCostsLogic::kChangeScale);
        ASSERT_TRUE(change->isEnabled());
        OnNextDialog([](QDialog& scale) {
            EXPECT_EQ(scale.windowTitle(), "Stamp Duty");
            ChooseLocation(scale, 1); // NSW
            OkButton(scale)->click();
        });
        change->click();
        EXPECT_EQ(In<QCheckBox>(costs, PurchaseCostsLogic::kUsesScale)->text(), "Uses NSW");
        OnNextDialog([](QDialog& scale) {
            ChooseLocation(scale, "Qld 2025");
            OkButton(scale)->click();
        });
        change->click();
        EXPECT_EQ(In<QCheckBox>(costs, PurchaseCostsLogic::kUsesScale)->text(), "Uses Qld 2025");
        OnNextDialog([](QDialog& scale) {
            ChooseLocation(scale, 1); // back to NSW
            OkButton(scale)->click();
        });
        change->click();
        EXPECT_EQ(Edit(costs, PurchaseCostsLogic::kStampDuty)->text().toStdString(),
                  FormatValue(ComputeStampDuty(500000, ShippedDutyScale(1)), kAmountFormat));
        CancelButton(costs)->click();
    });
    EditItem(doc, scales, store, KeepingUi(), ItemPurchaseCosts, nullptr);
    EXPECT_EQ(scales.duty.Location, 1);
    // The duty follows the scale in force, which the file holds: what is shown is what the
    // file opens to.
    EXPECT_NE(doc.StampDutyCost, duty);
    EXPECT_EQ(doc.StampDutyCost, ComputeStampDuty(500000, ShippedDutyScale(1)));
    EXPECT_TRUE(store.log.empty()) << "no settings written";
}
