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

// --- "Details" ---

DetailsSheet::DetailsSheet(PropertyDescriptionLogic& desc, NotesLogic& notes, DocumentUi& ui,
                           QWidget* parent)
    : EditorSheet(QStringLiteral("Details"), ui, parent) {
    EditorForm& address = AddPage(desc, QStringLiteral("Address"));
    address.Layout()->addWidget(new QLabel(QStringLiteral("Property address:"), &address));
    address.Layout()->addWidget(address.TextEdit(PropertyDescriptionLogic::kAddress));
    address.Layout()->addWidget(new QLabel(QStringLiteral("Property description:"), &address));
    address.Layout()->addWidget(address.TextEdit(PropertyDescriptionLogic::kDescription));
    address.Layout()->addStretch();

    EditorForm& notesPage = AddPage(notes, QStringLiteral("Notes"));
    notesPage.Layout()->addWidget(notesPage.MultiLineEdit(NotesLogic::kNotes), 1);
    notesPage.Layout()->addWidget(new QLabel(QStringLiteral("Notes"), &notesPage));

    setMinimumSize(360, 280);
    Open();
}

// --- "Property Value" ---

const FormDialog kPropertyValueDialog = {"Property Value", [](EditorForm& f) {
    f.AddNumberRow(PropertyValueLogic::kPrice, QStringLiteral("Property price:"), kAmountFormat);
    f.AddNumberRow(PropertyValueLogic::kRenovations, QStringLiteral("Renovations:"), kAmountFormat);
    f.AddFigureRow(PropertyValueLogic::kBookValue, QStringLiteral("Book value:"));
    f.AddNumberRow(PropertyValueLogic::kMarketValue, QStringLiteral("Market value:"), kAmountFormat);
    f.AddNumberRow(PropertyValueLogic::kFurniture, QStringLiteral("Furniture package:"), kAmountFormat);
    f.AddRecalculateRow();
}};

// --- "Purchase Costs" ---

PurchCostsDialog::PurchCostsDialog(PurchaseCostsLogic& editor, Scales& scales, DocumentUi& ui,
                                   QWidget* parent)
    : EditorDialog(editor, QStringLiteral("Purchase Costs"), ui, parent), editor_(editor),
      scales_(scales) {
    EditorForm& f = Form();
    f.AddNumberRow(PurchaseCostsLogic::kStampDuty, QStringLiteral("Stamp duty:"), kAmountFormat);
    f.AddNumberRow(PurchaseCostsLogic::kConveyancing, QStringLiteral("Conveyancing:"), kAmountFormat);
    f.AddNumberRow(PurchaseCostsLogic::kOtherCosts, QStringLiteral("Other costs:"), kAmountFormat);
    f.AddFigureRow(PurchaseCostsLogic::kPurchaseCosts, QStringLiteral("Purchase costs:"));
    f.AddRecalculateRow();

    auto* group = new QGroupBox(QStringLiteral("Stamp duty scales"), &f);
    auto* row = new QHBoxLayout(group);
    QCheckBox* uses = f.CheckBox(PurchaseCostsLogic::kUsesScale, QStringLiteral("Uses State"));
    QPushButton* change = f.Button(PurchaseCostsLogic::kChangeScale, QStringLiteral("Change Scale"));
    uses->setParent(group);
    change->setParent(group);
    row->addWidget(uses);
    row->addStretch();
    row->addWidget(change);
    f.Layout()->addWidget(group);

    connect(change, &QPushButton::clicked, this, &PurchCostsDialog::ChangeScale);
    Open();
}

void PurchCostsDialog::ChangeScale() {
    if (Form().IsClosed()) return;
    DutyScale scale = scales_.duty;
    if (!RunStampDutyScaleEditor(scale, scales_.customDuty, Ui(), this)) return;
    scales_.duty = scale;
    editor_.scale = scale;
    Form().Dispatch([&] { editor_.ScaleChanged(Form()); });
}
