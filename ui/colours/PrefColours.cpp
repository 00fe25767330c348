#include "ui/colours/PrefColours.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "ui/colours/ColourPicker.h"

namespace {

// In the order of the pickers and of the writes to the store.
struct ColourField {
    const char* caption;
    std::uint32_t Colours::*field;
};
constexpr std::array<ColourField, CPrefColours::kPickerCount> kFields = {{
    {"Interface Background", &Colours::BG1Color},
    {"Graphics Background", &Colours::BG2Color},
    {"Graphics 1", &Colours::GR1Color},
    {"Graphics 2", &Colours::GR2Color},
    {"Graphics 3", &Colours::GR3Color},
}};

constexpr int kFirstPickerId = 1001;

} // namespace

CPrefColours::CPrefColours(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Preferences - Colours"));
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        pickers_[i] = new CColourPicker(QString::fromUtf8(kFields[i].caption),
                                        kFirstPickerId + static_cast<int>(i), this);
        layout->addWidget(pickers_[i]);
    }
    layout->addStretch(1);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &CPrefColours::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &CPrefColours::reject);
    layout->addWidget(buttons_);
    setMinimumWidth(220);
    SetColours(working_);
}

void CPrefColours::SetColours(const Colours& colours) {
    working_ = colours;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        pickers_[i]->SetColour(working_.*kFields[i].field);
}

CColourPicker* CPrefColours::Picker(int index) const {
    if (index < 0 || index >= kPickerCount) return nullptr;
    return pickers_[static_cast<std::size_t>(index)];
}

void CPrefColours::accept() {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        working_.*kFields[i].field = pickers_[i]->GetColour();
    QDialog::accept();
}

bool RunPreferences(SettingsStore& store, QWidget* parent) {
    CPrefColours dialog(parent);
    dialog.SetColours(CurrentColours);
    if (dialog.exec() != QDialog::Accepted) return false;
    CurrentColours = dialog.GetColours();
    WriteColours(store, CurrentColours);
    return true;
}

