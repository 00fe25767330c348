#include "persist/InvestmentFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <istream>
#include <limits>
#include <ostream>

#include "format/Format.h"
#include "model/Assumptions.h"
#include "model/Investment.h"
#include "model/Scales.h"
#include "persist/WholeFile.h"

namespace {

constexpr char kVersionText[4] = {'P', '1', '.', '0'};
constexpr char kReleaseDigit = '2';
constexpr std::int16_t kLayoutNumber = 51;
constexpr std::size_t kHeaderSize = 13;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Fields the record holds as int but the file as int16: keep the sign and the nearest
// representable value rather than wrapping.
std::int16_t toInt16(int v) {
    return static_cast<std::int16_t>(std::clamp<int>(v, std::numeric_limits<std::int16_t>::min(),
                                                     std::numeric_limits<std::int16_t>::max()));
}

// Appends little-endian fields, whatever the host's byte order.
class Writer {
public:
    std::string bytes;

    void u8(unsigned char b) { bytes += static_cast<char>(b); }
    void raw(const char* p, std::size_t n) { bytes.append(p, n); }
    void le(std::uint64_t v, int size) {
        for (int i = 0; i < size; ++i) u8(static_cast<unsigned char>(v >> (8 * i)));
    }
    void put16(std::int16_t v) { le(static_cast<std::uint16_t>(v), 2); }
    // The head of an extension block entry: its tag and the size of the value that follows.
    void entry(std::uint16_t tag, std::size_t size) {
        le(tag, 2);
        le(size, 2);
    }

    // The field sequence of the block calls these; the reader has the same names.
    void layout() { put16(kLayoutNumber); }
    void i16(const int& v) { put16(toInt16(v)); }
    void i16(const std::int16_t& v) { put16(v); }
    // A field that has no use: always written as 0, whatever an older file held.
    void reserved16(const std::int16_t&) { put16(0); }
    void i32(const int& v) { le(static_cast<std::uint32_t>(v), 4); }
    void f64(const double& v) { le(std::bit_cast<std::uint64_t>(v), 8); }
    template <class T, std::size_t N> void each(const std::array<T, N>& a) {
        for (const T& v : a) field(v);
    }

    // The length is an int16: SaveInvestment refuses a longer text before it comes here.
    void string(const std::u16string& s) {
        put16(static_cast<std::int16_t>(s.size()));
        for (char16_t c : s) le(c, 2);
    }

private:
    void field(const double& v) { f64(v); }
    void field(const std::int16_t& v) { i16(v); }
};

// Takes little-endian fields from a block that is already known to be complete.
class BlockReader {
public:
    explicit BlockReader(const unsigned char* p) : p_(p) {}

    void layout() { pos_ += 2; }
    void i16(int& v) { v = get16(); }
    void i16(std::int16_t& v) { v = get16(); }
    void reserved16(std::int16_t& v) { v = get16(); }
    void i32(int& v) { v = static_cast<std::int32_t>(static_cast<std::uint32_t>(le(4))); }
    // A number that is not finite, which no one could have typed, is limited as a typed one
    // is: not a number reads as 0, an infinite one as the largest number an edit takes.
    // Finite numbers stay as they are, bit for bit.
    void f64(double& v) {
        const double read = std::bit_cast<double>(le(8));
        v = read != read                  ? 0.0
            : read == kInfinity           ? kLargestTypedNumber
            : read == -kInfinity          ? -kLargestTypedNumber
                                          : read;
    }
    template <class T, std::size_t N> void each(std::array<T, N>& a) {
        for (T& v : a) field(v);
    }
    std::size_t position() const { return pos_; }

private:
    std::uint64_t le(int size) {
        std::uint64_t v = 0;
        for (int i = 0; i < size; ++i) v |= static_cast<std::uint64_t>(p_[pos_ + i]) << (8 * i);
        pos_ += static_cast<std::size_t>(size);
        return v;
    }
    std::int16_t get16() { return static_cast<std::int16_t>(static_cast<std::uint16_t>(le(2))); }
    void field(double& v) { f64(v); }
    void field(std::int16_t& v) { i16(v); }

    const unsigned char* p_;
    std::size_t pos_ = 0;
};

// The block of fixed-width fields, in file order. One sequence serves both directions so
// that writer and reader cannot drift apart.
template <class IO, class Doc, class Tax, class Duty>
void exchangeBlock(IO& io, Doc& d, Tax& tax, Duty& duty) {
    io.layout();
    io.f64(d.Price);
    io.f64(d.Renovations);
    io.f64(d.Furniture);
    io.f64(d.MarketValue);
    io.f64(d.StampDutyCost);
    io.f64(d.Conveyancing);
    io.f64(d.OtherCosts);
    io.f64(d.PurchaseCosts);
    io.i32(d.UseSDScale);
    io.reserved16(d.ReservedFlag);
    io.f64(d.CashDeposit);
    io.f64(d.DepositPC);
    io.i32(d.CalcDeposit);
    io.i32(d.CalcLoanCosts);
    io.f64(d.LoanCosts);
    io.f64(d.LoanCostsPC);
    io.i16(d.LCYears);
    io.i16(d.LoanType);
    io.f64(d.RateInterest);
    io.f64(d.AdditionalLoan);
    io.f64(d.LoanAmount);
    io.i16(d.LoanTerm);
    io.f64(d.TotalCost);
    io.f64(d.Rent);
    io.i16(d.PeriodsPerYear);
    io.f64(d.VacancyRate);
    io.f64(d.AnnualRent);
    io.f64(d.GrossYield);
    io.f64(d.NetYield);
    io.f64(d.Expenses);
    io.f64(d.ExpensesPC);
    io.i32(d.CalcExpenses);
    io.i32(d.CalcDepFitt);
    io.f64(d.DepFittPC);
    io.f64(d.DepFittValue);
    io.f64(d.DepFittRate);
    io.i16(d.DepFittMethod);
    io.i32(d.CalcDepBuild);
    io.f64(d.DepBuildPC);
    io.f64(d.DepBuildValue);
    io.f64(d.DepBuildRate);
    io.i16(d.DepBuildMethod);
    io.f64(d.Depreciation);
    io.f64(d.TaxableHim);
    io.f64(d.TaxableHer);
    io.i16(d.NamesOnTitle);
    io.f64(d.RateGrowth);
    io.f64(d.RateInfl);
    io.i16(d.ShowYear);
    io.i16(d.ProjectionYear);

    io.i16(tax.Count);
    io.each(tax.Above);
    io.each(tax.Rate);
    io.f64(tax.MedicareRate);
    io.f64(tax.MedicareThreshold);
    io.i16(tax.Location);

    io.i16(duty.Count);
    io.each(duty.Above);
    io.each(duty.Rate);
    io.each(duty.Flat);
    io.f64(duty.BaseDuty);
    io.i16(duty.Location);
}

// Reads exactly n bytes or reports that the stream ran short.
bool readBytes(std::istream& in, void* dst, std::size_t n, std::size_t* got = nullptr) {
    in.read(static_cast<char*>(dst), static_cast<std::streamsize>(n));
    auto count = static_cast<std::size_t>(in.gcount());
    if (got) *got = count;
    return count == n;
}

// --- the extension block ---

std::uint32_t getLE(const unsigned char* p, int size) {
    std::uint32_t v = 0;
    for (int i = 0; i < size; ++i) v |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return v;
}

// The entries of the inputs that differ from their built-in values, the tax scale's reduced
// levy when it is on, then the unknown ones; empty when there is nothing to keep.
std::string extensionEntries(const Investment& doc, const TaxScale& tax) {
    Writer w;
    for (const AssumptionInput& in : kAssumptionInputs) {
        if (AssumptionValue(doc, in) == in.builtIn) continue;
        if (in.intField) {
            w.entry(in.tag, 4);
            w.i32(doc.*in.intField);
        } else {
            w.entry(in.tag, 8);
            w.f64(doc.*in.doubleField);
        }
    }
    if (!doc.RateSteps.empty()) {
        w.entry(kRateStepsTag, doc.RateSteps.size() * kRateStepSize);
        for (const RateStep& step : doc.RateSteps) {
            w.i32(step.fromYear);
            w.f64(step.rate);
        }
    }
    for (const auto& [tag, schedule] : {std::pair{kBuildingScheduleTag, &doc.BuildingSchedule},
                                        std::pair{kPlantScheduleTag, &doc.PlantSchedule}}) {
        if (schedule->empty()) continue;
        w.entry(tag, schedule->size() * 8);
        for (double figure : *schedule) w.f64(figure);
    }
    if (!doc.LandTaxRows.empty()) {
        w.entry(kLandTaxRowsTag, doc.LandTaxRows.size() * kLandTaxRowSize);
        for (const LandTaxRow& row : doc.LandTaxRows) {
            w.f64(row.above);
            w.f64(row.rate);
            w.f64(row.flat);
            w.i32(row.atStart ? 1 : 0);
        }
    }
    if (tax.MedicareShadeIn) {
        w.entry(kMedicareShadeInTag, 4);
        w.i32(1);
    }
    w.raw(doc.UnknownAssumptions.data(), doc.UnknownAssumptions.size());
    return std::move(w.bytes);
}

void writeExtension(Writer& w, const Investment& doc, const TaxScale& tax) {
    const std::string entries = extensionEntries(doc, tax);
    if (entries.empty()) return;
    w.raw(kExtensionMagic, sizeof kExtensionMagic);
    w.le(kExtensionVersion, 2);
    w.le(entries.size(), 4);
    w.raw(entries.data(), entries.size());
}

const AssumptionInput* inputOfTag(std::uint16_t tag) {
    for (const AssumptionInput& in : kAssumptionInputs)
        if (in.tag == tag) return &in;
    return nullptr;
}

// Takes the entries into the record and the tax scale's reduced levy into `shadeIn`, inputs
// without an entry at their built-in values and the reduction off; false, with the record and
// `shadeIn` untouched, when they are damaged.
bool readEntries(const unsigned char* p, std::size_t n, Investment& doc, bool& shadeIn) {
    Investment read;
    SetBuiltInAssumptions(read);
    bool readShadeIn = false;
    std::size_t pos = 0;
    while (pos < n) {
        if (n - pos < 4) return false;
        const auto tag = static_cast<std::uint16_t>(getLE(p + pos, 2));
        const std::size_t size = getLE(p + pos + 2, 2);
        if (size > n - pos - 4) return false;
        const unsigned char* value = p + pos + 4;
        if (tag == kMedicareShadeInTag) {
            if (size != 4) return false;
            readShadeIn = getLE(value, 4) != 0;
        } else if (tag == kRateStepsTag) {
            if (size % kRateStepSize != 0 || size / kRateStepSize > kMaxRateSteps) return false;
            read.RateSteps.clear();
            for (std::size_t at = 0; at < size; at += kRateStepSize) {
                const double rate = std::bit_cast<double>(
                    getLE(value + at + 4, 4) | std::uint64_t{getLE(value + at + 8, 4)} << 32);
                if (!std::isfinite(rate)) return false;
                read.RateSteps.push_back(
                    {static_cast<std::int32_t>(getLE(value + at, 4)), rate});
            }
        } else if (tag == kBuildingScheduleTag || tag == kPlantScheduleTag) {
            if (size % 8 != 0 || size / 8 > kMaxScheduleYears) return false;
            std::vector<double>& schedule =
                tag == kBuildingScheduleTag ? read.BuildingSchedule : read.PlantSchedule;
            schedule.clear();
            for (std::size_t at = 0; at < size; at += 8) {
                const double figure = std::bit_cast<double>(
                    getLE(value + at, 4) | std::uint64_t{getLE(value + at + 4, 4)} << 32);
                if (!std::isfinite(figure)) return false;
                schedule.push_back(figure);
            }
        } else if (tag == kLandTaxRowsTag) {
            if (size % kLandTaxRowSize != 0 || size / kLandTaxRowSize > kLandTaxRows) return false;
            read.LandTaxRows.clear();
            auto f64 = [](const unsigned char* at) {
                return std::bit_cast<double>(getLE(at, 4) | std::uint64_t{getLE(at + 4, 4)} << 32);
            };
            for (std::size_t at = 0; at < size; at += kLandTaxRowSize) {
                const LandTaxRow row{f64(value + at), f64(value + at + 8), f64(value + at + 16),
                                     getLE(value + at + 24, 4) != 0};
                if (!std::isfinite(row.above) || !std::isfinite(row.rate) ||
                    !std::isfinite(row.flat))
                    return false;
                read.LandTaxRows.push_back(row);
            }
        } else if (const AssumptionInput* in = inputOfTag(tag)) {
            if (in->intField) {
                if (size != 4) return false;
                read.*in->intField = static_cast<std::int32_t>(getLE(value, 4));
            } else {
                if (size != 8) return false;
                const double v = std::bit_cast<double>(getLE(value, 4) |
                                                       std::uint64_t{getLE(value + 4, 4)} << 32);
                if (!std::isfinite(v)) return false;
                read.*in->doubleField = v;
            }
        } else {
            read.UnknownAssumptions.append(reinterpret_cast<const char*>(p + pos), size + 4);
        }
        pos += size + 4;
    }
    for (const AssumptionInput& in : kAssumptionInputs) {
        if (in.intField) doc.*in.intField = read.*in.intField;
        else doc.*in.doubleField = read.*in.doubleField;
    }
    doc.RateSteps = std::move(read.RateSteps);
    doc.BuildingSchedule = std::move(read.BuildingSchedule);
    doc.PlantSchedule = std::move(read.PlantSchedule);
    doc.LandTaxRows = std::move(read.LandTaxRows);
    doc.UnknownAssumptions = std::move(read.UnknownAssumptions);
    shadeIn = readShadeIn;
    return true;
}

enum class Extension { None, Read, Damaged };

// Reads the extension block, if the file has one, after the fixed layout. A stream set to
// throw on a short read is served as well.
Extension readExtension(std::istream& in, Investment& doc, bool& shadeIn) {
    char magic[4];
    try {
        // Whatever else follows the fixed layout is ignored, as readers of that layout do.
        if (!readBytes(in, magic, sizeof magic) ||
            std::memcmp(magic, kExtensionMagic, sizeof magic) != 0)
            return Extension::None;
    } catch (const std::ios_base::failure&) {
        return Extension::None;
    }
    try {
        unsigned char head[6];
        if (!readBytes(in, head, sizeof head)) return Extension::Damaged;
        const std::uint32_t version = getLE(head, 2);
        const std::uint32_t length = getLE(head + 2, 4);
        if (version != kExtensionVersion || length > kMaxExtensionLength)
            return Extension::Damaged;
        std::string entries(length, '\0');
        if (!readBytes(in, entries.data(), entries.size())) return Extension::Damaged;
        const auto* p = reinterpret_cast<const unsigned char*>(entries.data());
        return readEntries(p, entries.size(), doc, shadeIn) ? Extension::Read
                                                            : Extension::Damaged;
    } catch (const std::ios_base::failure&) {
        return Extension::Damaged;
    }
}

bool readString(std::istream& in, std::u16string& out) {
    unsigned char len[2];
    if (!readBytes(in, len, 2)) return false;
    auto n = static_cast<std::int16_t>(static_cast<std::uint16_t>(len[0] | (len[1] << 8)));
    if (n < 0) return false;
    std::string bytes(static_cast<std::size_t>(n) * 2, '\0');
    if (!readBytes(in, bytes.data(), bytes.size())) return false;
    out.resize(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto lo = static_cast<unsigned char>(bytes[2 * i]);
        auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    return true;
}

// Whether the first `n` bytes of a header are those of an investment file: "P", the version's
// two digits around a point, the release digit, then "VEL" and "PPC" each ended by a zero byte.
bool HeaderAgrees(const char* h, std::size_t n) {
    static constexpr char kTags[] = "VEL\0PPC\0";
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i < n && i < kHeaderSize; ++i) {
        const bool ok = i == 0   ? h[i] == 'P'
                        : i == 2 ? h[i] == '.'
                        : i < 5  ? digit(h[i])
                                 : h[i] == kTags[i - 5];
        if (!ok) return false;
    }
    return true;
}

void tell(MessageSink* messages, const char* text) {
    if (messages) messages->Message(text);
}

bool loadFrom(Investment& doc, DutyScale& duty, TaxScale& tax, std::istream& in,
              MessageSink* messages, std::string_view fileName, bool workOut = true) {
    if (!in.rdbuf()) {
        tell(messages, kMsgBadFilePointer);
        return false;
    }

    // The whole header is looked at before anything else is read: a text that happens to begin
    // with "P" is no investment.
    char header[kHeaderSize];
    std::size_t got = 0;
    const bool complete = readBytes(in, header, sizeof header, &got);
    if (!HeaderAgrees(header, got)) {
        tell(messages, kMsgDifferentVel);
        return false;
    }
    if (!complete) return false;
    const int fileVersion = 100 * (header[1] - '0') + 10 * (header[3] - '0') + (header[4] - '0');
    if (fileVersion > kFileVersion) tell(messages, kMsgLaterVersion);

    // Everything goes into temporaries first: a file that fails to read changes nothing.
    std::u16string address, description, notes;
    if (!readString(in, address) || !readString(in, description) || !readString(in, notes))
        return false;
    std::array<unsigned char, kFileBlockSize> block;
    if (!readBytes(in, block.data(), block.size())) return false;

    doc.Address = std::move(address);
    doc.Description = std::move(description);
    doc.Notes = std::move(notes);
    BlockReader reader(block.data());
    exchangeBlock(reader, doc, tax, duty);
    // The inputs beyond the fixed layout never keep a file from opening.
    // The fixed block holds the tax scale without its reduced levy: off unless the extension
    // block turns it on.
    bool shadeIn = false;
    const Extension extension = readExtension(in, doc, shadeIn);
    if (extension != Extension::Read) SetBuiltInAssumptions(doc);
    tax.MedicareShadeIn = shadeIn;
    if (extension == Extension::Damaged && messages)
        messages->Message(DamagedAssumptionsMessage(fileName));

    // The file is outside our control: limit what could index the table or rows, or divide.
    doc.LimitInputs();
    tax.Count = static_cast<std::int16_t>(RowsInUse(tax.Count));
    duty.Count = static_cast<std::int16_t>(RowsInUse(duty.Count));
    if (workOut) doc.Recalculate(duty, tax);
    return true;
}

} // namespace

bool SaveInvestment(const Investment& doc, const Scales& scales, std::ostream& out,
                    MessageSink* messages) {
    if (!out.rdbuf()) {
        tell(messages, kMsgBadFilePointer);
        return false;
    }
    // A text too long for the file is refused, never cut: the editors keep texts within it.
    for (const auto& [text, name] : {std::pair{&doc.Address, "address"},
                                     std::pair{&doc.Description, "description"},
                                     std::pair{&doc.Notes, "notes"}}) {
        if (text->size() > static_cast<std::size_t>(kMaxTextLength)) {
            if (messages) messages->Message(TextTooLongMessage(name));
            return false;
        }
    }
    Writer w;
    w.raw(kVersionText, sizeof kVersionText);
    w.raw(&kReleaseDigit, 1);
    w.raw("VEL\0PPC\0", 8);
    w.string(doc.Address);
    w.string(doc.Description);
    w.string(doc.Notes);
    const std::size_t blockStart = w.bytes.size();
    exchangeBlock(w, doc, scales.tax, scales.duty);
    if (w.bytes.size() - blockStart != static_cast<std::size_t>(kFileBlockSize)) return false;
    static_assert(kHeaderSize + 3 * 2 + kFileBlockSize == kFileFixedSize);
    writeExtension(w, doc, scales.tax);

    try {
        out.write(w.bytes.data(), static_cast<std::streamsize>(w.bytes.size()));
        out.flush();
    } catch (const std::ios_base::failure&) {
        return false;
    }
    return static_cast<bool>(out);
}

std::string ReadMessageInWords(std::string_view message) {
    if (message == kMsgDifferentVel)
        return "It is not an investment saved by this program (it does not begin as one does).";
    if (message == kMsgLaterVersion)
        return "It was saved by a later version of this program; what this version does not know "
               "of it is left out.";
    if (message == kMsgBadFilePointer) return "It could not be read from the start.";
    return std::string(message);
}

std::string TextTooLongMessage(std::string_view what) {
    return "The " + std::string(what) + (what == "notes" ? " are" : " is") +
           " longer than an investment file can hold (32,767 characters).";
}

bool ReadInvestmentFileBytes(const std::string& path, std::string& bytes, std::string& reason) {
    return ReadWholeFile(path, kLargestInvestmentFile, bytes, reason);
}

std::string DamagedAssumptionsMessage(std::string_view fileName) {
    const std::string name = fileName.empty() ? std::string("this file") : std::string(fileName);
    return "The assumptions stored in " + name +
           " could not be read. Their defaults are used instead.";
}

bool LoadInvestment(Investment& doc, Scales& scales, std::istream& in, MessageSink* messages,
                    std::string_view fileName) {
    try {
        return loadFrom(doc, scales.duty, scales.tax, in, messages, fileName);
    } catch (const std::ios_base::failure&) {
        // A stream set to throw on a short read: the same as a truncated file.
        return false;
    }
}

bool ReadInvestment(Investment& doc, DutyScale& duty, TaxScale& tax, std::istream& in,
                    MessageSink* messages, std::string_view fileName, bool workOut) {
    try {
        return loadFrom(doc, duty, tax, in, messages, fileName, workOut);
    } catch (const std::ios_base::failure&) {
        return false;
    }
}
