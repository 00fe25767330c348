#include "export/ZipPatch.h"

#include <zlib.h>

#include <cstdint>
#include <vector>

namespace {

std::uint32_t Get(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

void Put(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool Inflate(const char* data, std::size_t size, std::size_t expected, std::string& out) {
    out.assign(expected, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    z.avail_in = static_cast<uInt>(size);
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(expected);
    const int result = inflate(&z, Z_FINISH);
    const bool ok = result == Z_STREAM_END && z.total_out == expected;
    inflateEnd(&z);
    return ok;
}

// The fields the local header and the directory entry share: version 2.0, no flags, stored,
// a fixed time (1 January 1980), the checksum, both sizes and the name's length.
void PutEntry(std::string& out, std::uint32_t crc, std::uint32_t size, std::uint32_t nameLength) {
    Put(out, 20, 2);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, 0x21, 2);
    Put(out, crc, 4);
    Put(out, size, 4);
    Put(out, size, 4);
    Put(out, nameLength, 2);
}

struct Member {
    std::string name, content;
};

} // namespace

std::string RewriteZip(const std::string& b,
                       const std::function<void(const std::string& name, std::string& content)>& patch) {
    // The end of the central directory: its signature within the last 64 KiB and 22 bytes.
    if (b.size() < 22) return {};
    std::size_t end = std::string::npos;
    for (std::size_t i = b.size() - 22 + 1; i-- > 0 && b.size() - i <= 22 + 65535;)
        if (Get(b, i, 4) == 0x06054b50) {
            end = i;
            break;
        }
    if (end == std::string::npos) return {};
    const std::size_t count = Get(b, end + 10, 2);
    std::size_t at = Get(b, end + 16, 4);
    std::vector<Member> members;
    for (std::size_t n = 0; n < count; ++n) {
        if (at + 46 > b.size() || Get(b, at, 4) != 0x02014b50) return {};
        const std::uint32_t method = Get(b, at + 10, 2);
        const std::size_t packed = Get(b, at + 20, 4), size = Get(b, at + 24, 4);
        const std::size_t nameLength = Get(b, at + 28, 2), extra = Get(b, at + 30, 2),
                          comment = Get(b, at + 32, 2), local = Get(b, at + 42, 4);
        if (at + 46 + nameLength > b.size() || local + 30 > b.size()) return {};
        Member m{b.substr(at + 46, nameLength), {}};
        const std::size_t data = local + 30 + Get(b, local + 26, 2) + Get(b, local + 28, 2);
        if (data + packed > b.size()) return {};
        if (method == 0) m.content = b.substr(data, packed);
        else if (method != 8 || !Inflate(b.data() + data, packed, size, m.content)) return {};
        members.push_back(std::move(m));
        at += 46 + nameLength + extra + comment;
    }

    std::string out, directory;
    for (Member& m : members) {
        patch(m.name, m.content);
        const auto crc = static_cast<std::uint32_t>(
            crc32(0L, reinterpret_cast<const Bytef*>(m.content.data()), static_cast<uInt>(m.content.size())));
        const auto size = static_cast<std::uint32_t>(m.content.size());
        const auto offset = static_cast<std::uint32_t>(out.size());
        const auto nameLength = static_cast<std::uint32_t>(m.name.size());
        Put(out, 0x04034b50, 4);
        PutEntry(out, crc, size, nameLength);
        Put(out, 0, 2); // extra
        out += m.name;
        out += m.content;
        Put(directory, 0x02014b50, 4);
        Put(directory, 20, 2); // made by
        PutEntry(directory, crc, size, nameLength);
        for (int i = 0; i < 4; ++i) Put(directory, 0, 2); // extra, comment, disk, internal
        Put(directory, 0, 4);                             // external attributes
        Put(directory, offset, 4);
        directory += m.name;
    }
    const auto start = static_cast<std::uint32_t>(out.size());
    out += directory;
    Put(out, 0x06054b50, 4);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, static_cast<std::uint32_t>(members.size()), 2);
    Put(out, static_cast<std::uint32_t>(members.size()), 2);
    Put(out, static_cast<std::uint32_t>(directory.size()), 4);
    Put(out, start, 4);
    Put(out, 0, 2);
    return out;
}
