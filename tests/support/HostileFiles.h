// Files an unlucky or hostile user may hand any of the programs: special files, huge files,
// texts that merely begin like an investment, odd names, and valid files at the limits. Each
// with what must come of it; the tests of the reader, velcalc, velreport and the program's
// open routine run the same table.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "model/Investment.h"
#include "persist/InvestmentFile.h"
#include "tests/persist/SampleInvestment.h"

struct HostileFile {
    std::string name;
    std::filesystem::path path;
    bool opens;
    std::string refusal;      // part of the reason given when it does not open
    double sellingCostsPC = 2.5; // what an investment that opens holds
};

// Makes the hostile files in `dir`. `keepOpen` receives a descriptor that keeps a pipe open
// for writing while the table runs (close it afterwards).
inline std::vector<HostileFile> MakeHostileFiles(const std::filesystem::path& dir, int& keepOpen) {
    Scales scales;
    namespace fs = std::filesystem;
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return dir / name;
    };
    Investment doc;
    FillSampleInvestment(doc, scales);
    const std::string sample = SaveToString(doc, scales);

    // Texts at their longest: 709 + 3 * 2 * 32,767 = 197,311 bytes, the old reader's limit.
    Investment longest = doc;
    longest.Address.assign(kMaxTextLength, u'a');
    longest.Description.assign(kMaxTextLength, u'b');
    longest.Notes.assign(kMaxTextLength, u'c');
    const std::string atOldLimit = SaveToString(longest, scales);
    longest.SellingCostsPC = 4;
    const std::string withAssumptions = SaveToString(longest, scales);

    std::vector<HostileFile> files;
    ::mkfifo((dir / "fifo.vel").c_str(), 0600);
    files.push_back({"a pipe", dir / "fifo.vel", false, "pipe"});
    ::mkfifo((dir / "open-pipe.vel").c_str(), 0600);
    keepOpen = ::open((dir / "open-pipe.vel").c_str(), O_RDWR | O_CLOEXEC);
    files.push_back({"a pipe held open", dir / "open-pipe.vel", false, "pipe"});
    files.push_back({"a device", "/dev/zero", false, "device"});
    files.push_back({"a folder", dir, false, "folder"});
    {
        std::ofstream(dir / "huge.vel", std::ios::binary) << sample;
        fs::resize_file(dir / "huge.vel", std::uintmax_t{2} << 30); // sparse: 2 GB
        files.push_back({"a 2 GB file", dir / "huge.vel", false, "larger than any"});
    }
    files.push_back({"a text beginning with P", write("text.vel", "Pocket notes\n" + std::string(800, 'x')),
                     false, kMsgDifferentVel});
    files.push_back({"the header's tags wrong", write("tags.vel", "P1.02VEL\0PPX\0" + sample.substr(13)),
                     false, kMsgDifferentVel});
    files.push_back({"texts at their longest", write("longest.vel", atOldLimit), true, ""});
    files.push_back({"197,312 bytes", write("one-more.vel", atOldLimit + '\0'), true, ""});
    files.push_back({"longest texts and an assumption", write("assumed.vel", withAssumptions), true, "",
                     4.0});
    Investment infinite = doc;
    infinite.Conveyancing = -INFINITY;
    infinite.Price = NAN;
    files.push_back({"amounts not finite", write("inf.vel", SaveToString(infinite, scales)), true, ""});
    files.push_back({"a name that is not UTF-8", write("caf\xE9.vel", sample), true, ""});
    files.push_back({"HTML in the name", write("<b><font color=red size=7>big<a href=x>link<img src=x>.vel", sample),
                     true, ""});
    files.push_back({"a name of 255 bytes", write(std::string(251, 'n') + ".vel", sample), true, ""});
    return files;
}

// Seconds `work` took.
inline double SecondsTaken(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The longest any of them may take: a second, as a user waits for a refusal; five under the
// sanitizers, which slow every start of a program.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr double kHostileSeconds = 5.0;
#else
inline constexpr double kHostileSeconds = 1.0;
#endif
