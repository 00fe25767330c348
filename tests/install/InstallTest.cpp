// `make install` and `make uninstall` into throw-away prefixes: what lands where, that the
// desktop learns the file type, and that uninstall takes away exactly what install put there.
// The installs run as the component "Unspecified", so that their manifest and notes do not
// replace those of a real `make install` from the same build folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::set<std::string> Tree(const fs::path& root) {
    std::set<std::string> out;
    if (!fs::exists(root)) return out;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        out.insert(fs::relative(entry.path(), root).string() + (entry.is_directory() ? "/" : ""));
    return out;
}

bool OnPath(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vel-install-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        // Leave no notes of a half-finished install in the build folder.
        Uninstall();
        fs::remove_all(dir);
    }

    int Run(const std::string& command) {
        const fs::path log = dir / "log";
        const int raw = std::system((command + " >'" + log.string() + "' 2>&1 </dev/null").c_str());
        output = Slurp(log);
        fs::remove(log);
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    int Install(const fs::path& prefix, const std::string& destdir = "") {
        std::string env = "DESTDIR='" + destdir + "' ";
        return Run(env + "'" CMAKE_COMMAND "' --install '" VEL_BINARY_DIR "' --component Unspecified"
                         " --prefix '" + prefix.string() + "'");
    }
    int Uninstall() {
        return Run("'" CMAKE_COMMAND "' -DVEL_BINARY_DIR='" VEL_BINARY_DIR
                   "' -DVEL_COMPONENT=Unspecified -P '" VEL_SOURCE_DIR "/cmake/Uninstall.cmake'");
    }

    fs::path dir;
    std::string output;
};

} // namespace

TEST_F(InstallTest, PutsProgramsEntryFileTypeIconAndExamplesInPlace) {
    const fs::path prefix = dir / "usr";
    ASSERT_EQ(Install(prefix), 0) << output;

    for (const char* program : {"bin/velppc", "bin/velcalc", "bin/velreport"}) {
        struct stat st {};
        ASSERT_EQ(::stat((prefix / program).c_str(), &st), 0) << program;
        EXPECT_TRUE(st.st_mode & S_IXUSR) << program;
    }

    const fs::path entry = prefix / "share/applications/velppc.desktop";
    const std::string desktop = Slurp(entry);
    for (const char* line : {"Name=Pocket VEL\n", "Exec=velppc %f\n", "Icon=velppc\n",
                             "Categories=Office;Finance;\n", "MimeType=application/x-vel;\n"})
        EXPECT_NE(desktop.find(line), std::string::npos) << line;
    if (OnPath("desktop-file-validate")) {
        EXPECT_EQ(Run("desktop-file-validate '" + entry.string() + "'"), 0) << output;
        EXPECT_EQ(output, "");
    }

    const std::string mime = Slurp(prefix / "share/mime/packages/velppc.xml");
    for (const char* part : {"type=\"application/x-vel\"", "<comment>VEL Document</comment>",
                             "pattern=\"*.vel\"", "value=\"P1.0\"", "<icon name=\"velppc\"/>"})
        EXPECT_NE(mime.find(part), std::string::npos) << part;
    // The desktop knows the type at once where the database tool is there.
    if (OnPath("update-mime-database")) {
        EXPECT_NE(Slurp(prefix / "share/mime/globs2").find("application/x-vel:*.vel"),
                  std::string::npos);
    }
    if (OnPath("update-desktop-database")) {
        EXPECT_NE(Slurp(prefix / "share/applications/mimeinfo.cache")
                      .find("application/x-vel=velppc.desktop;"),
                  std::string::npos);
    }

    // A PNG's size is in its header: width and height, big-endian, from byte 16.
    const std::string png = Slurp(prefix / "share/icons/hicolor/256x256/apps/velppc.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\1\0\0\0\1\0", 8));
    EXPECT_NE(Slurp(prefix / "share/icons/hicolor/scalable/apps/velppc.svg").find("<svg"),
              std::string::npos);

    // The user guide the program shows, for reading outside it too.
    EXPECT_NE(Slurp(prefix / "share/doc/PocketVEL/user-guide.md").find("Your first property"),
              std::string::npos);

    EXPECT_NE(Slurp(prefix / "share/doc/PocketVEL/LICENSE").find("MIT License"), std::string::npos);

    // The installed velcalc reads the installed worked example.
    const fs::path example = prefix / "share/doc/PocketVEL/examples/worked-example-interest-only.vel";
    ASSERT_TRUE(fs::exists(example));
    EXPECT_EQ(Run("'" + (prefix / "bin/velcalc").string() + "' --csv '" + example.string() + "'"), 0)
        << output;
    EXPECT_EQ(output.rfind("Year,", 0), 0u);

    ASSERT_EQ(Uninstall(), 0) << output;
    EXPECT_EQ(Tree(dir), std::set<std::string>{}) << "left behind after uninstall";
}

TEST_F(InstallTest, UninstallLeavesWhatWasThereBefore) {
    const fs::path prefix = dir / "local";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/applications");
    std::ofstream(prefix / "bin/other") << "#!/bin/sh\n";
    std::ofstream(prefix / "share/applications/other.desktop")
        << "[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\n"
           "MimeType=text/plain;\n";
    const std::set<std::string> before = Tree(dir);

    ASSERT_EQ(Install(prefix), 0) << output;
    ASSERT_TRUE(fs::exists(prefix / "bin/velppc"));
    // A second install over the first changes nothing that uninstall relies on.
    ASSERT_EQ(Install(prefix), 0) << output;
    ASSERT_EQ(Uninstall(), 0) << output;

    std::set<std::string> after = Tree(dir);
    // The desktop's cache of a folder that was there stays, brought up to date.
    if (after.erase("local/share/applications/mimeinfo.cache")) {
        EXPECT_EQ(Slurp(prefix / "share/applications/mimeinfo.cache").find("x-vel"),
                  std::string::npos);
    }
    EXPECT_EQ(after, before);
}

TEST_F(InstallTest, StagedInstallLeavesTheCachesToThePackage) {
    const fs::path stage = dir / "stage";
    ASSERT_EQ(Install("/usr", stage.string()), 0) << output;
    EXPECT_TRUE(fs::exists(stage / "usr/bin/velppc"));
    EXPECT_TRUE(fs::exists(stage / "usr/share/mime/packages/velppc.xml"));
    EXPECT_FALSE(fs::exists(stage / "usr/share/mime/mime.cache"));
    EXPECT_FALSE(fs::exists(stage / "usr/share/applications/mimeinfo.cache"));
    ASSERT_EQ(Uninstall(), 0) << output;
    EXPECT_EQ(Tree(dir), std::set<std::string>{});
}
