// The investment file (".vel"): a fixed little-endian layout with the header "P1.0", "2",
// "VEL", "PPC", three UTF-16 texts and a block of 690 bytes holding the inputs and the two
// scales in force.
#pragma once

#include <iosfwd>
#include <string>

class CVELPPCDoc;

inline constexpr const char* kMsgDifferentVel = "Can't read file from different VEL";
inline constexpr const char* kMsgLaterVersion = "File from later version of VEL";
inline constexpr const char* kMsgBadFilePointer = "Bad file pointer";
inline constexpr int kFileVersion = 102;
inline constexpr int kFileBlockSize = 690;
inline constexpr int kFileFixedSize = 709; // header + three empty strings + block

// Where reading reports its messages (the shell shows them as message boxes).
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Message(const std::string& text) = 0;
};

// Writes the investment and the scales in force. Returns whether the stream took every byte;
// without a stream it tells "Bad file pointer", as reading does.
bool SaveInvestment(const CVELPPCDoc& doc, std::ostream& out, MessageSink* messages = nullptr);

// Reads an investment file. On success the record and the scales in force are replaced, the
// inputs limited, and the investment recalculated without being marked changed. On failure
// nothing changes: neither the record nor the scales in force.
bool LoadInvestment(CVELPPCDoc& doc, std::istream& in, MessageSink* messages);
