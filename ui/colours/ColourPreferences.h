// "Preferences - Colours": the five colours of the summary and the charts.
#pragma once

#include <array>

#include <QDialog>

#include "persist/Settings.h"

class ColourPicker;
class QDialogButtonBox;
class QWidget;
class SettingsStore;

class ColourPreferences : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kPickerCount = 5;

    explicit ColourPreferences(QWidget* parent = nullptr);

    // The working colours; the pickers show them from now on.
    void SetColours(const Colours& colours);
    // The working colours: after OK, what the pickers held.
    const Colours& GetColours() const { return working_; }

    // Top to bottom: "Interface Background", "Graphics Background", "Graphics 1" to "3".
    ColourPicker* Picker(int index) const;
    QDialogButtonBox* Buttons() const { return buttons_; }

    void accept() override;

  private:
    Colours working_;
    std::array<ColourPicker*, kPickerCount> pickers_{};
    QDialogButtonBox* buttons_ = nullptr;
};

// The command "Preferences": runs the dialog; on OK the colours in use take the new ones and
// are written to the store. True when the user accepted.
bool RunPreferences(SettingsStore& store, QWidget* parent);

