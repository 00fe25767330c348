#include "export/CommandLine.h"

#include <sstream>

#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/InvestmentFile.h"

namespace {

// The location of the built-in scale `name`, or -1 after saying which names there are.
int FindScale(const std::string& name, const char* program, const char* kind, int count,
              std::string_view (*nameOf)(int), int (*find)(std::string_view), std::string& message) {
    const int location = find(name);
    if (location >= 0) return location;
    message = std::string(program) + ": no built-in " + kind + " scale is called \"" + name +
              "\"; the names are:\n";
    for (int i = 0; i < count; ++i) message += "  \"" + std::string(nameOf(i)) + "\"\n";
    return -1;
}

} // namespace

OptionTaken TakeScaleOption(int argc, char** argv, int& i, ScaleOptions& options, std::string& error) {
    const std::string arg = argv[i];
    std::optional<std::string>* named = nullptr;
    std::string option;
    if (arg == "--duty" || arg.starts_with("--duty=")) {
        named = &options.duty;
        option = "--duty";
    } else if (arg == "--tax" || arg.starts_with("--tax=")) {
        named = &options.tax;
        option = "--tax";
    } else {
        return OptionTaken::No;
    }
    if (*named) {
        error = option + " given more than once";
        return OptionTaken::Wrong;
    }
    if (arg.size() > option.size()) {
        *named = arg.substr(option.size() + 1);
    } else if (i + 1 < argc) {
        *named = argv[++i];
    } else {
        error = option + " needs a scale name";
        return OptionTaken::Wrong;
    }
    return OptionTaken::Yes;
}

bool FindNamedScales(const ScaleOptions& options, const char* program, int& duty, int& tax,
                     std::string& message) {
    duty = tax = -1;
    if (options.duty) {
        duty = FindScale(*options.duty, program, "stamp duty", kBuiltInDutyCount, DutyLocationName,
                         FindDutyLocation, message);
        if (duty < 0) return false;
    }
    if (options.tax) {
        tax = FindScale(*options.tax, program, "tax", kBuiltInTaxCount, TaxLocationName,
                        FindTaxLocation, message);
        if (tax < 0) return false;
    }
    return true;
}

bool ReadInvestmentFile(const char* path, const char* program, int duty, int tax, Investment& doc,
                        Scales& scales, std::string& message, std::vector<std::string>& notices, Investment* asRead) {
    const std::string prefix = std::string(program) + ": " + path + ": ";
    std::string bytes, why;
    if (!ReadInvestmentFileBytes(path, bytes, why)) {
        message = prefix + "cannot open: " + why;
        return false;
    }
    std::istringstream in(std::move(bytes), std::ios::binary);
    scales = Scales{};
    MessageList messages;
    // As opening it in the program: read and limited, then worked out under its scales.
    if (!ReadInvestment(doc, scales.duty, scales.tax, in, &messages, {}, false)) {
        // A later version is only a notice; the reason is the refusal or the short file.
        std::string reason = "not a complete investment file (truncated or damaged)";
        for (const std::string& m : messages.texts)
            if (m != kMsgLaterVersion) reason = m;
        message = prefix + reason;
        return false;
    }
    for (const std::string& m : messages.texts) notices.push_back(prefix + m);
    if (asRead) *asRead = doc;
    doc.Recalculate(scales);

    // A named scale replaces the file's as choosing it in the scale editor would: its rows and
    // location, the base duty kept.
    if (duty >= 0 || tax >= 0) {
        if (duty >= 0) {
            const double baseDuty = scales.duty.BaseDuty;
            scales.duty = ShippedDutyScale(duty);
            scales.duty.BaseDuty = baseDuty;
        }
        if (tax >= 0) scales.tax = ShippedTaxScale(tax);
        doc.Recalculate(scales);
    }
    return true;
}
