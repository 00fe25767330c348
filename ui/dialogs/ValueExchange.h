// Dialog value exchange: how every editor shows its working values in its controls and takes
// typed values back. Controls are addressed by an editor-defined id through a ControlPort, so
// the editors' logic runs the same against real widgets (EditorForm, EditorForm.h) and against
// a plain map in the unit tests.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// What an editor's logic may do with the controls of its dialog or page. Ids that name no
// control read as empty / 0 / -1 and ignore writes.
class ControlPort {
public:
    virtual ~ControlPort() = default;

    // Text of an edit, label, check box or button.
    virtual std::u16string GetText(int id) const = 0;
    virtual void PutText(int id, std::u16string_view text) = 0;
    // Check box or radio button: 0 off, 1 on.
    virtual int GetCheckState(int id) const = 0;
    virtual void PutCheckState(int id, int state) = 0;
    // Drop-down list: index of the chosen line, -1 when none is chosen.
    virtual int GetChoice(int id) const = 0;
    virtual void PutChoice(int id, int index) = 0;
    virtual void Show(int id, bool visible) = 0;
    virtual void Enable(int id, bool enabled) = 0;
};

// The control's text becomes FormatValue of the value under `format`.
void ShowValue(ControlPort& port, int id, double value, std::string_view format);
void ShowInt(ControlPort& port, int id, int value, std::string_view format);
// ShowValue of each (id, value) under one format.
void ShowValues(ControlPort& port, std::string_view format,
                std::initializer_list<std::pair<int, double>> values);
// ParseValue of the control's text: NoValue when it is not a number, 0 when it is empty.
double ReadValue(const ControlPort& port, int id);
// Takes the control's number into `value` only when it differs by more than 0.001 from what
// the control would show for `value`; true when it did.
bool ReadValueIfChanged(const ControlPort& port, int id, double& value, std::string_view format);
bool ReadIntIfChanged(const ControlPort& port, int id, int& value, std::string_view format);
void SetCheck(ControlPort& port, int id, int state);
int GetCheck(const ControlPort& port, int id);
// Plain texts (address, notes, captions), UTF-8 or UTF-16.
void ShowText(ControlPort& port, int id, std::string_view utf8);
