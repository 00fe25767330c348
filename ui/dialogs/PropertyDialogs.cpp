#include "ui/dialogs/PropertyDialogs.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Scales.h"
#include "ui/dialogs/PropertyEditors.h"
#include "ui/dialogs/ScaleDialogs.h"

namespace {

ChangeScaleEditor& ScaleEditor() {
    static ChangeScaleEditor editor = RunStampDutyScaleEditor;
    return editor;
}

} // namespace

void SetChangeScaleEditor(ChangeScaleEditor editor) { ScaleEditor() = std::move(editor); }

// --- "Details" ---

DetailsSheet::DetailsSheet(CPropDesc& desc, CNotes& notes, QWidget* parent)
    : CEditorSheet(QStringLiteral("Details"), parent) {
    CEditorForm& address = AddPage(desc, QStringLiteral("Address"));
    address.Layout()->addWidget(new QLabel(QStringLiteral("Property address:"), &address));
    address.Layout()->addWidget(address.TextEdit(CPropDesc::kAddress));
    address.Layout()->addWidget(new QLabel(QStringLiteral("Property description:"), &address));
    address.Layout()->addWidget(address.TextEdit(CPropDesc::kDescription));
    address.Layout()->addStretch();

    CEditorForm& notesPage = AddPage(notes, QStringLiteral("Notes"));
    notesPage.Layout()->addWidget(notesPage.MultiLineEdit(CNotes::kNotes), 1);
    notesPage.Layout()->addWidget(new QLabel(QStringLiteral("Notes"), &notesPage));

    setMinimumSize(360, 280);
    Open();
}

// --- "Property Value" ---

PropValueDialog::PropValueDialog(CPropValue& editor, QWidget* parent)
    : CEditorDialog(editor, QStringLiteral("Property Value"), parent) {
    CEditorForm& f = Form();
    f.AddNumberRow(CPropValue::kPrice, QStringLiteral("Property price:"), kAmountFormat);
    f.AddNumberRow(CPropValue::kRenovations, QStringLiteral("Renovations:"), kAmountFormat);
    f.AddFigureRow(CPropValue::kBookValue, QStringLiteral("Book value:"));
    f.AddNumberRow(CPropValue::kMarketValue, QStringLiteral("Market value:"), kAmountFormat);
    f.AddNumberRow(CPropValue::kFurniture, QStringLiteral("Furniture package:"), kAmountFormat);
    f.AddRecalculateRow();
    Open();
}

// --- "Purchase Costs" ---

PurchCostsDialog::PurchCostsDialog(CPurchCosts& editor, Scales& scales, QWidget* parent)
    : CEditorDialog(editor, QStringLiteral("Purchase Costs"), parent), editor_(editor), scales_(scales) {
    CEditorForm& f = Form();
    f.AddNumberRow(CPurchCosts::kStampDuty, QStringLiteral("Stamp duty:"), kAmountFormat);
    f.AddNumberRow(CPurchCosts::kConveyancing, QStringLiteral("Conveyancing:"), kAmountFormat);
    f.AddNumberRow(CPurchCosts::kOtherCosts, QStringLiteral("Other costs:"), kAmountFormat);
    f.AddFigureRow(CPurchCosts::kPurchaseCosts, QStringLiteral("Purchase costs:"));
    f.AddRecalculateRow();

    auto* group = new QGroupBox(QStringLiteral("Stamp duty scales"), &f);
    auto* row = new QHBoxLayout(group);
    QCheckBox* uses = f.CheckBox(CPurchCosts::kUsesScale, QStringLiteral("Uses State"));
    QPushButton* change = f.Button(CPurchCosts::kChangeScale, QStringLiteral("Change Scale"));
    uses->setParent(group);
    change->setParent(group);
    row->addWidget(uses);
    row->addStretch();
    row->addWidget(change);
    f.Layout()->addWidget(group);

    change->setEnabled(static_cast<bool>(ScaleEditor()));
    connect(change, &QPushButton::clicked, this, &PurchCostsDialog::ChangeScale);
    Open();
}

void PurchCostsDialog::ChangeScale() {
    const ChangeScaleEditor& editor = ScaleEditor();
    if (!editor || Form().IsClosed()) return;
    DutyScale scale = scales_.duty;
    if (!editor(scale, scales_.customDuty, this)) return;
    scales_.duty = scale;
    editor_.scale = scale;
    Form().Dispatch([&] { editor_.ScaleChanged(Form()); });
}
