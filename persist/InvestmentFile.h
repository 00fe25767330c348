// The investment file (".vel"): a fixed little-endian layout with the header "P1.0", "2",
// "VEL", "PPC", three UTF-16 texts and a block of 690 bytes holding the inputs and the two
// scales in force.
//
// The inputs beyond that layout (model/Assumptions.h) follow it in an extension block, which
// is left out while every one of them holds its built-in value, so that such a file is
// exactly the fixed layout. Readers of the fixed layout alone ignore what follows it.
//
//   "VELX"                   magic
//   version       uint16     1
//   length        uint32     bytes of the entries that follow
//   entries, each:
//     tag         uint16     the input's tag; tags this version does not know are skipped
//     size        uint16     bytes of the value
//     value                  double: 8 bytes, finite; int: 4 bytes, two's complement
//
// Only inputs that differ from their built-in values are written; entries of unknown tags are
// written back as they were read. Tag 26 (kRateStepsTag) holds the interest rate's changes,
// 12 bytes each (int32 year, double rate), at most ten; it is written only when there is one.
// Tags 33 and 34 (kBuildingScheduleTag, kPlantScheduleTag) hold the depreciation schedules,
// a double per year, at most forty; each is written only when it has a figure. Tag 35
// (kLandTaxRowsTag) holds the land tax scale's edited rows, 28 bytes each (double above, rate,
// flat; int32 1 when the band takes its start), at most eight; written only when edited.
// Tag 8 (kMedicareShadeInTag), an int, belongs to the tax scale
// of the fixed block: 1 turns its reduced Medicare levy on; it is written only then.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class Investment;
struct DutyScale;
struct TaxScale;
struct Scales;

inline constexpr const char* kMsgDifferentVel = "Can't read file from different VEL";
inline constexpr const char* kMsgLaterVersion = "File from later version of VEL";
inline constexpr const char* kMsgBadFilePointer = "Bad file pointer";
inline constexpr int kFileVersion = 102;
inline constexpr int kFileBlockSize = 690;
inline constexpr int kFileFixedSize = 709; // header + three empty strings + block
inline constexpr char kExtensionMagic[4] = {'V', 'E', 'L', 'X'};
inline constexpr int kExtensionVersion = 1;
// A longer extension block is taken for damage rather than read into memory.
inline constexpr std::size_t kMaxExtensionLength = 1 << 20;
// The longest text a file holds, in UTF-16 units (its length is an int16).
inline constexpr int kMaxTextLength = 32767;
// The largest file a valid investment makes: the fixed layout with its three texts at their
// longest and an extension block at its longest. Nothing larger is read.
inline constexpr std::size_t kLargestInvestmentFile =
    kFileFixedSize + 3 * 2 * kMaxTextLength + 10 + kMaxExtensionLength;

// The reader's short messages in words a user understands (a message it does not know comes
// back as it is).
std::string ReadMessageInWords(std::string_view message);

// Where reading reports its messages (the shell shows them as message boxes).
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Message(const std::string& text) = 0;
};

// A sink that keeps every message, in order.
class MessageList : public MessageSink {
public:
    void Message(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// Reads the investment file at `path` whole: a regular file of at most kLargestInvestmentFile
// bytes, refused before it is read otherwise (a pipe, a device, a huge file). False with
// `reason` in a user's words.
bool ReadInvestmentFileBytes(const std::string& path, std::string& bytes, std::string& reason);

// Writes the investment and the two scales in force of `scales`. Returns whether the stream
// took every byte; without a stream it tells "Bad file pointer", as reading does. A text longer
// than kMaxTextLength is refused with TextTooLongMessage, never cut.
bool SaveInvestment(const Investment& doc, const Scales& scales, std::ostream& out,
                    MessageSink* messages = nullptr);

// Reads an investment file. On success the record and the two scales in force of `scales` are
// replaced (the "Custom" entries stay), the inputs limited, and the investment recalculated
// without being marked changed. On failure nothing changes: neither the record nor the scales.
// A damaged extension block does not stop the file from opening: the inputs it would hold
// keep their built-in values, and `messages` hears once why, naming `fileName`.
bool LoadInvestment(Investment& doc, Scales& scales, std::istream& in, MessageSink* messages,
                    std::string_view fileName = {});

// The same into `duty` and `tax`. Without `workOut` the record is left as read (and limited),
// not recalculated.
bool ReadInvestment(Investment& doc, DutyScale& duty, TaxScale& tax, std::istream& in,
                    MessageSink* messages, std::string_view fileName = {}, bool workOut = true);

// The message for a text too long for the file; `what` is "address", "description" or "notes".
std::string TextTooLongMessage(std::string_view what);

// The message for a damaged extension block in the file `fileName`.
std::string DamagedAssumptionsMessage(std::string_view fileName);
