#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "persist/WholeFile.h"
#include "export/Workbook.h"
#include "tests/model/WorkedExample.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;

class AtomicWrite : public ::testing::Test {
protected:
    Scales scales;
    void SetUp() override {
        dir = FreshTestFolder("vel-atomic");
        std::ofstream(dir / "keep.txt") << "old";
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs `write` in a child process whose files may not grow past `limit` bytes, the signal
    // of that limit ignored so that the write sees the error; returns the reason it gave, or
    // "written" when it succeeded.
    std::string UnderSizeLimit(rlim_t limit, const std::function<bool(std::string&)>& write) {
        int pipeFds[2];
        EXPECT_EQ(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeFds[0]);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit r{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &r);
            std::string reason;
            const std::string out = write(reason) ? std::string("written") : reason;
            [[maybe_unused]] auto n = ::write(pipeFds[1], out.data(), out.size());
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        std::string out;
        char buf[256];
        for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<std::size_t>(n));
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        return out;
    }

    fs::path dir;
};

TEST_F(AtomicWrite, WritesTheBytesAndReplacesAnOldFileWhole) {
    const fs::path target = dir / "out.csv";
    std::string reason;
    ASSERT_TRUE(WriteFileAtomically(target.string(), "first", reason)) << reason;
    ASSERT_TRUE(WriteFileAtomically(target.string(), "second, longer", reason)) << reason;
    EXPECT_EQ(Slurp(target), "second, longer");
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"keep.txt", "out.csv"}));
}

TEST_F(AtomicWrite, FailuresLeaveTheFolderAsItWasAndSayWhy) {
    struct Case {
        const char* name;
        std::string target;
        int error;
    };
    fs::create_directories(dir / "folder");
    const Case cases[] = {
        {"missing folder", (dir / "no-such-folder" / "r.pdf").string(), ENOENT},
        {"a folder's name", (dir / "folder").string(), EISDIR},
    };
    for (const Case& c : cases) {
        std::string reason;
        EXPECT_FALSE(WriteFileAtomically(c.target, "bytes", reason)) << c.name;
        EXPECT_EQ(reason, std::strerror(c.error)) << c.name;
        EXPECT_EQ(Listing(dir), (std::vector<std::string>{"folder", "keep.txt"})) << c.name;
    }
    EXPECT_EQ(ExportFailedMessage("/x/r.pdf", std::strerror(ENOENT)),
              std::string("The file /x/r.pdf could not be written.\n") + std::strerror(ENOENT));
}

TEST_F(AtomicWrite, AFullDiskLeavesNoFileAndTheOldOneWhole) {
    const fs::path target = dir / "keep.txt";
    const std::string big(64 * 1024, 'x');
    // A new file and a replaced one, through bytes and through a workbook.
    Investment doc;
    SetUpWorkedExample(doc);
    const std::function<bool(std::string&)> writes[] = {
        [&](std::string& r) { return WriteFileAtomically((dir / "new.csv").string(), big, r); },
        [&](std::string& r) { return WriteFileAtomically(target.string(), big, r); },
        [&](std::string& r) { return WriteWorkbook(doc, scales, (dir / "book.xlsx").string(), r); },
    };
    for (const auto& write : writes) {
        EXPECT_EQ(UnderSizeLimit(4096, write), std::strerror(EFBIG));
        EXPECT_EQ(Listing(dir), std::vector<std::string>{"keep.txt"});
        EXPECT_EQ(Slurp(target), "old");
    }
}

// What the target is decides how it is written: a pipe or a device is refused and stays what
// it is; a link is written through; an existing file keeps its permission bits; a name of 255
// bytes, the longest a folder takes, is written like any other.
TEST_F(AtomicWrite, TargetsThatAreNoPlainFileAreWrittenThroughOrRefused) {
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    const bool device = ::mknod((dir / "device").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    std::ofstream(dir / "private.pdf") << "old";
    fs::permissions(dir / "private.pdf", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("keep.txt", dir / "link.txt");
    fs::create_symlink("made-through-link.txt", dir / "dangling");
    const std::string longest(255, 'n');
    struct Case {
        std::string target;
        const char* refusal; // nullptr: written
        fs::path holds;      // the file that then holds the bytes
    };
    std::vector<Case> cases = {
        {(dir / "pipe").string(), "It is a pipe, not a file.", {}},
        {(dir / "private.pdf").string(), nullptr, dir / "private.pdf"},
        {(dir / "link.txt").string(), nullptr, dir / "keep.txt"},
        {(dir / "dangling").string(), nullptr, dir / "made-through-link.txt"},
        {(dir / longest).string(), nullptr, dir / longest},
    };
    if (device) cases.push_back({(dir / "device").string(), "It is a device, not a file.", {}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        std::string reason;
        const bool written = WriteFileAtomically(c.target, "new bytes", reason);
        EXPECT_EQ(written, c.refusal == nullptr) << reason;
        if (c.refusal) {
            EXPECT_EQ(reason, c.refusal);
        } else {
            EXPECT_EQ(Slurp(c.holds), "new bytes");
        }
    }
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    EXPECT_TRUE(!device || fs::is_character_file(dir / "device"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling"));
    EXPECT_EQ(fs::status(dir / "private.pdf").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    for (const std::string& name : Listing(dir)) EXPECT_EQ(name.find(".part-"), std::string::npos);
}

// A writer killed half way leaves its temporary file; the next write to the folder removes it,
// and leaves alone those of a writer still at work.
TEST_F(AtomicWrite, TemporariesOfWritersThatDiedAreRemovedOnTheNextWrite) {
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string stale = ".r.pdf.part-" + std::to_string(dead) + "-1";
    const std::string live = ".r.pdf.part-" + std::to_string(::getppid()) + "-7";
    std::ofstream(dir / stale) << "half";
    std::ofstream(dir / live) << "half";
    std::ofstream(dir / ".notes.part-x") << "not ours";
    std::string reason;
    ASSERT_TRUE(WriteFileAtomically((dir / "r.pdf").string(), "whole", reason)) << reason;
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{".notes.part-x", live, "keep.txt", "r.pdf"}));
}

} // namespace
