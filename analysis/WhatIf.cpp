#include "analysis/WhatIf.h"

#include <algorithm>
#include <cmath>

#include "format/Format.h"


std::optional<WhatIfInput> InputOfKey(std::string_view key) {
    for (const WhatIfInputInfo& info : kWhatIfInputs)
        if (info.key == key) return info.input;
    return std::nullopt;
}

std::optional<WhatIfResult> ResultOfKey(std::string_view key) {
    for (const WhatIfResultInfo& info : kWhatIfResults)
        if (info.key == key) return info.result;
    return std::nullopt;
}

double ResultOf(const Investment& doc, WhatIfResult result) {
    // The recalculation stops before the table when nothing is bought and leaves the results
    // of whatever was worked out before.
    if (doc.TotalCost < 0.00001) return NoValue;
    switch (result) {
    case WhatIfResult::IRR: return doc.IRR;
    case WhatIfResult::NPV: return doc.NPV;
    case WhatIfResult::IRRAfterSale: return doc.IRRAfterSale;
    case WhatIfResult::NPVAfterSale: return doc.NPVAfterSale;
    case WhatIfResult::AvgCashFlowWeek: return doc.AvgCashFlowWeek;
    case WhatIfResult::CashFlowYear:
        return doc.At(Row::AfterTaxCash, std::clamp(doc.ShowYear, 1, kTableColumns) - 1);
    }
    return NoValue;
}

namespace {

Investment NumbersOnly(const Investment& doc) {
    Investment copy = doc;
    copy.Address.clear();
    copy.Description.clear();
    copy.Notes.clear();
    copy.Address.shrink_to_fit();
    copy.Description.shrink_to_fit();
    copy.Notes.shrink_to_fit();
    return copy;
}

} // namespace

WhatIf::WhatIf(const Investment& doc, const Scales& scales)
    : inputs_(NumbersOnly(doc)), base_(inputs_), work_(inputs_), scales_(scales) {
    base_.Recalculate(scales_.duty, scales_.tax);
}

const Investment* WhatIf::WorkOut(std::span<const InputChange> changes) {
    // Every question starts from the record as given: a recalculation can change fields that
    // are inputs while their switch is off (a deposit above the cost, say).
    work_ = inputs_;
    for (const InputChange& change : changes) {
        const WhatIfInputInfo& info = InfoOf(change.input);
        if (!std::isfinite(change.value) || change.value < info.min || change.value > info.max)
            return nullptr;
        work_.*info.field = change.value;
        if (change.input == WhatIfInput::DepositPC) work_.CalcDeposit = 1;
    }
    work_.Recalculate(scales_.duty, scales_.tax);
    return &work_;
}

double WhatIf::Result(std::span<const InputChange> changes, WhatIfResult result) {
    const Investment* doc = WorkOut(changes);
    return doc ? ResultOf(*doc, result) : NoValue;
}
