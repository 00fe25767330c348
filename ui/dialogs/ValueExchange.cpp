#include "ui/dialogs/ValueExchange.h"

#include "format/Format.h"
#include "format/Text.h"
#include "ui/dialogs/NumEntry.h"

void ShowValue(ControlPort& port, int id, double value, std::string_view format) {
    ShowText(port, id, FormatValue(value, format));
}

void ShowValues(ControlPort& port, std::string_view format,
                std::initializer_list<std::pair<int, double>> values) {
    for (const auto& [id, value] : values) ShowValue(port, id, value, format);
}

void ShowInt(ControlPort& port, int id, int value, std::string_view format) {
    ShowValue(port, id, static_cast<double>(value), format);
}

double ReadValue(const ControlPort& port, int id) { return ParseValue(port.GetText(id)); }

bool ReadValueIfChanged(const ControlPort& port, int id, double& value, std::string_view format) {
    return TakeIfChanged(value, ReadValue(port, id), format);
}

bool ReadIntIfChanged(const ControlPort& port, int id, int& value, std::string_view format) {
    return TakeIntIfChanged(value, ReadValue(port, id), format);
}

void SetCheck(ControlPort& port, int id, int state) { port.PutCheckState(id, state ? 1 : 0); }

int GetCheck(const ControlPort& port, int id) { return port.GetCheckState(id) ? 1 : 0; }

void ShowText(ControlPort& port, int id, std::string_view utf8) {
    port.PutText(id, FromUtf8(utf8));
}
