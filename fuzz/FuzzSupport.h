// What the harnesses that read and write investments share.
#pragma once

#include <cstdlib>
#include <sstream>
#include <string>

#include "model/Investment.h"
#include "persist/InvestmentFile.h"

namespace fuzz {

// Messages are no finding: what a read says is checked by the tests.
class QuietSink : public MessageSink {
public:
    void Message(const std::string&) override {}
};

// The bytes of the record; a write into memory that fails is a finding.
inline std::string Save(const Investment& doc, const Scales& scales) {
    std::ostringstream out;
    if (!SaveInvestment(doc, scales, out)) std::abort();
    return out.str();
}

} // namespace fuzz
