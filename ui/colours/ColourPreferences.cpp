#include "ui/colours/ColourPreferences.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "ui/colours/ColourPicker.h"

namespace {

// In the order of the pickers and of the writes to the store.
struct ColourField {
    const char* caption;
    std::uint32_t Colours::*field;
};
constexpr std::array<ColourField, ColourPreferences::kPickerCount> kFields = {{
    {"Interface Background", &Colours::BG1Color},
    {"Graphics Background", &Colours::BG2Color},
    {"Graphics 1", &Colours::GR1Color},
    {"Graphics 2", &Colours::GR2Color},
    {"Graphics 3", &Colours::GR3Color},
}};

constexpr int kFirstPickerId = 1001;

} // namespace

ColourPreferences::ColourPreferences(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Preferences - Colours"));
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        pickers_[i] = new ColourPicker(QString::fromUtf8(kFields[i].caption),
                                        kFirstPickerId + static_cast<int>(i), this);
        layout->addWidget(pickers_[i]);
    }
    layout->addStretch(1);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &ColourPreferences::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &ColourPreferences::reject);
    layout->addWidget(buttons_);
    setMinimumWidth(220);
    SetColours(working_);
}

void ColourPreferences::SetColours(const Colours& colours) {
    working_ = colours;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        pickers_[i]->SetColour(working_.*kFields[i].field);
}

ColourPicker* ColourPreferences::Picker(int index) const {
    if (index < 0 || index >= kPickerCount) return nullptr;
    return pickers_[static_cast<std::size_t>(index)];
}

void ColourPreferences::accept() {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        working_.*kFields[i].field = pickers_[i]->GetColour();
    QDialog::accept();
}

bool RunPreferences(SettingsStore& store, QWidget* parent) {
    ColourPreferences dialog(parent);
    dialog.SetColours(CurrentColours);
    if (dialog.exec() != QDialog::Accepted) return false;
    CurrentColours = dialog.GetColours();
    WriteColours(store, CurrentColours);
    return true;
}

