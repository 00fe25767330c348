// The heap the program starts with: large blocks stay in it, and it is marked for huge pages.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Program.h"

TEST(PrepareHeap, LargeBlocksStayInAHeapMarkedForHugePages) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer brings its own allocator";
#endif
    ASSERT_TRUE(PrepareHeap());
    // A backing store of a large window; by default a block this size gets a mapping of its own.
    std::vector<char> block(std::size_t{4} << 20, 1);
    const auto at = reinterpret_cast<std::uintptr_t>(block.data());
    std::ifstream smaps("/proc/self/smaps");
    std::string line, name, flags;
    bool inside = false;
    while (std::getline(smaps, line)) {
        std::uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream fields(line);
        if (fields >> std::hex >> from >> dash >> to && dash == '-') {
            inside = from <= at && at < to;
            if (inside) {
                std::string perms, offset, device, inode;
                fields >> perms >> offset >> device >> inode;
                std::getline(fields >> std::ws, name);
            }
        } else if (inside && line.rfind("VmFlags:", 0) == 0) {
            flags = line;
        }
    }
    EXPECT_EQ(name, "[heap]");
    EXPECT_NE(flags.find(" hg"), std::string::npos) << flags;
}
