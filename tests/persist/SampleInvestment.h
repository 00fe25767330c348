// A filled-in investment with non-ASCII texts, and helpers to save and compare one.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/InvestmentFile.h"

// Prices, rent and texts that make every row of the table nonzero; the texts hold a
// two-byte character, a three-byte one and a surrogate pair.
inline void FillSampleInvestment(Investment& doc, const Scales& scales) {
    doc.ResetFixedDefaults();
    doc.Address = u"12 Stra\u00dfe, Caf\u00e9 \u20ac";
    doc.Description = u"Unit \U0001F3E0 with view";
    doc.Notes = u"Notes: line 1\nline 2";
    doc.Price = 300000;
    doc.MarketValue = 310000;
    doc.Renovations = 12345.67;
    doc.Furniture = 8000.125;
    doc.OtherCosts = 1234.5;
    doc.Rent = 350;
    doc.AdditionalLoan = 0.1 + 0.2; // not a round binary number
    doc.LoanType = 1;
    doc.NamesOnTitle = 2;
    doc.ShowYear = 7;
    doc.ProjectionYear = 25;
    doc.Recalculate(scales);
}

inline std::string SaveToString(const Investment& doc, const Scales& scales) {
    std::ostringstream out(std::ios::binary);
    SaveInvestment(doc, scales, out);
    return out.str();
}

class RecordMessages : public MessageSink {
public:
    void Message(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

inline bool LoadFromString(Investment& doc, Scales& scales, const std::string& bytes,
                           MessageSink* messages = nullptr) {
    std::istringstream in(bytes, std::ios::binary);
    return LoadInvestment(doc, scales, in, messages);
}
