#include "model/RecordHistory.h"

#include "model/Assumptions.h"
#include "model/Fields.h"

#include <tuple>
#include <utility>

namespace {

// What the field tables (model/Fields.h, model/Assumptions.h) do not list: the texts, the
// table, the figures of every year and the inputs that are lists.
auto OtherFields(const Investment& d) {
    return std::tie(d.Address, d.Description, d.Notes, d.TaxableHimByYear, d.TaxableHerByYear,
                    d.table, d.CarriedLossByYear, d.UnknownAssumptions, d.IncomeYearByYear,
                    d.RateSteps, d.LandTaxRows, d.BuildingSchedule, d.PlantSchedule,
                    d.LandTaxByYear, d.OffsetByYear, d.InterestSavedByYear, d.OffsetPaidInByYear,
                    d.RepaymentByYear, d.LoanPaidOffYear);
}

} // namespace

bool SameFields(const Investment& a, const Investment& b) {
    for (const RecordField& f : kRecordFields)
        if (!(FieldValue(a, f) == FieldValue(b, f))) return false;
    for (const AssumptionInput& in : kAssumptionInputs)
        if (!(AssumptionValue(a, in) == AssumptionValue(b, in))) return false;
    return OtherFields(a) == OtherFields(b);
}

RecordState RecordState::Capture(const Investment& doc, const Scales& scales) {
    return RecordState{doc, scales};
}

void RecordState::Restore(Investment& doc, Scales& into) const {
    doc = record;
    into = scales;
}

bool RecordState::SameRecord(const RecordState& other) const {
    return SameFields(record, other.record);
}

bool RecordState::SameScales(const RecordState& other) const {
    return scales == other.scales;
}

namespace {

std::array<std::u16string*, 3> Texts(Investment& d) { return {&d.Address, &d.Description, &d.Notes}; }

} // namespace

KeptState KeptState::Keep(RecordState state, const KeptState* neighbour) {
    KeptState kept;
    const auto texts = Texts(state.record);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (neighbour && *neighbour->texts[i] == *texts[i]) kept.texts[i] = neighbour->texts[i];
        else kept.texts[i] = std::make_shared<const std::u16string>(std::move(*texts[i]));
        // Its memory goes too, not just its characters.
        std::u16string().swap(*texts[i]);
    }
    kept.state = std::move(state);
    return kept;
}

RecordState KeptState::Full() const {
    RecordState full = state;
    const auto fullTexts = Texts(full.record);
    for (std::size_t i = 0; i < fullTexts.size(); ++i) *fullTexts[i] = *texts[i];
    return full;
}
