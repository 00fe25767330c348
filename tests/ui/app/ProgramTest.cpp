// The heap the program starts with: large blocks stay in it, and it is marked for huge pages.
// The font configuration it reads before Qt: the one the font library's own start-up reads.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Program.h"

namespace {

long VmStat(const std::string& name) {
    std::ifstream in("/proc/vmstat");
    std::string key;
    long value = 0;
    while (in >> key >> value)
        if (key == name) return value;
    return -1;
}

// What a configuration makes of a request: the substituted pattern (hinting, anti-aliasing and
// the like included) and the fonts it sorts first.
std::string Resolve(FcConfig* config, const char* request) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcChar8* text = FcNameUnparse(pattern);
    std::string out = reinterpret_cast<const char*>(text);
    FcStrFree(text);
    FcResult result = FcResultNoMatch;
    if (FcFontSet* sorted = FcFontSort(config, pattern, FcTrue, nullptr, &result)) {
        for (int i = 0; i < sorted->nfont && i < 4; ++i) {
            FcPattern* font = FcFontRenderPrepare(config, pattern, sorted->fonts[i]);
            FcChar8* name = FcNameUnparse(font);
            out += "\n" + std::string(reinterpret_cast<const char*>(name));
            FcStrFree(name);
            FcPatternDestroy(font);
        }
        FcFontSetDestroy(sorted);
    }
    FcPatternDestroy(pattern);
    return out;
}

} // namespace

TEST(PrepareHeap, LargeBlocksStayInAHeapMarkedForHugePages) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer brings its own allocator";
#endif
    const long fallbacks = VmStat("thp_fault_fallback");
    ASSERT_TRUE(PrepareHeap());
    // A backing store of a large window; by default a block this size gets a mapping of its own.
    std::vector<char> block(std::size_t{4} << 20, 1);
    const auto at = reinterpret_cast<std::uintptr_t>(block.data() + block.size() / 2);
    std::ifstream smaps("/proc/self/smaps");
    std::string line, name, flags;
    long rss = -1, huge = -1;
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
        } else if (inside) {
            std::istringstream value(line.substr(line.find(':') + 1));
            if (line.rfind("VmFlags:", 0) == 0) flags = line;
            else if (line.rfind("Rss:", 0) == 0) value >> rss;
            else if (line.rfind("AnonHugePages:", 0) == 0) value >> huge;
        }
    }
    EXPECT_EQ(name, "[heap]");
    EXPECT_NE(flags.find(" hg"), std::string::npos) << flags;
    // Where the kernel gives huge pages and had one for every request, all the marked heap in use
    // is in them: none of it was touched before it was marked.
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string modes;
    std::getline(mode, modes);
    const bool given = modes.find("[always]") != std::string::npos ||
                       modes.find("[madvise]") != std::string::npos;
    if (given && VmStat("thp_fault_fallback") == fallbacks) {
        EXPECT_EQ(rss, huge) << "kB in use, kB in huge pages";
    }
}

TEST(PrepareFonts, ReadsWhatTheLibrarysOwnStartUpReads) {
    FcConfig* own = FcInitLoadConfigAndFonts();
    FcConfig* ours = ReadFontConfiguration();
    ASSERT_NE(own, nullptr);
    ASSERT_NE(ours, nullptr);
    const FcFontSet* ownFonts = FcConfigGetFonts(own, FcSetSystem);
    const FcFontSet* ourFonts = FcConfigGetFonts(ours, FcSetSystem);
    ASSERT_NE(ownFonts, nullptr);
    ASSERT_NE(ourFonts, nullptr);
    EXPECT_EQ(ourFonts->nfont, ownFonts->nfont);
    EXPECT_GT(ourFonts->nfont, 0);
    for (const char* request : {"Arial", "Arial:bold", "Tahoma", "sans-serif:pixelsize=12",
                                "serif:italic", "monospace", "Helvetica", "Times New Roman",
                                "Courier New", ":lang=ja", "DejaVu Sans:pixelsize=7",
                                "no such face:weight=200"})
        EXPECT_EQ(Resolve(ours, request), Resolve(own, request)) << request;
    FcConfigDestroy(ours);
    FcConfigDestroy(own);
}
