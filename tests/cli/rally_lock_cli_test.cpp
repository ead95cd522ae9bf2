#include "support/TempDir.h"
#include "workspace/RallyLock.h"

#include <gtest/gtest.h>

#include <map>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::runCli;
using test::TempDir;
using test::writeText;

std::string cli(const TempDir& root, const std::string& args) {
    return "--data-root '" + root.path().string() + "' " + args;
}

// Every file under `folder` with its content.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) files[fs::relative(e.path(), folder).generic_string()] = readFile(e.path());
    return files;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(RallyLockCommand, HeldLockRefusesWritingCommandsAndForceTakesIt) {
    TempDir root;
    std::string out;
    ASSERT_EQ(runCli(cli(root, "new --name 'Spring Run' --short Spring"), out), 0) << out;
    const fs::path lock = root / "Spring/Trakmora.lock";
    EXPECT_FALSE(fs::exists(lock)) << "the lock ends with the command";
    // The desktop program on another laptop, and this test process standing for one on this computer.
    const std::string otherHost =
        "host=results-laptop\npid=4242\nprogram=trakmora\nsince=2026-12-08 17:30:00\ntoken=cc\n";
    const std::string liveHere = "host=" + thisHostName() + "\npid=" + std::to_string(thisProcessId()) +
                                 "\nprogram=trakmora\nsince=2026-12-08 09:15:00\ntoken=dd\n";
    struct Case {
        std::string lockText;
        std::string message;
        bool hint;
        const char* forcedSetting;
    };
    const Case cases[] = {
        {otherHost, "Rally Spring is in use by trakmora on results-laptop since 2026-12-08 17:30:00", true,
         "GroupSpeedA=70"},
        {liveHere, "Rally Spring is in use by trakmora on " + thisHostName() + " since 2026-12-08 09:15:00",
         false, "GroupSpeedA=75"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        writeText(lock, c.lockText);
        const auto before = snapshot(root.path());
        for (const char* args : {"--rally Spring day --day 1", "--rally Spring config --set GroupSpeedA=70",
                                 "--rally Spring schedule --day 1 --save", "--rally Spring entries"}) {
            SCOPED_TRACE(args);
            EXPECT_EQ(runCli(cli(root, args), out), 1) << out;
            EXPECT_TRUE(contains(out, c.message + "\n")) << out;
            EXPECT_EQ(contains(out, "--force-unlock takes the lock over"), c.hint) << out;
            EXPECT_EQ(snapshot(root.path()), before);
        }
        // Reading goes on while another program writes.
        EXPECT_EQ(runCli(cli(root, "list"), out), 0) << out;
        EXPECT_TRUE(contains(out, "Spring\tSpring Run")) << out;
        EXPECT_EQ(runCli(cli(root, "--rally Spring config"), out), 0) << out;
        EXPECT_TRUE(contains(out, "GroupSpeedA")) << out;
        EXPECT_EQ(snapshot(root.path()), before);

        ASSERT_EQ(
            runCli(cli(root, std::string("--force-unlock --rally Spring config --set ") + c.forcedSetting),
                   out),
            0)
            << out;
        EXPECT_TRUE(contains(out, "The lock of rally Spring held by trakmora on ")) << out;
        EXPECT_TRUE(contains(out, " was taken over")) << out;
        EXPECT_NE(readFile(root / "Spring/Working/config3.csv"), before.at("Spring/Working/config3.csv"));
        EXPECT_FALSE(fs::exists(lock)) << "released at the end of the forced run";
    }
}

TEST(RallyLockCommand, LocksAreReleasedAndStaleOnesTakenOver) {
    TempDir root;
    std::string out;
    ASSERT_EQ(runCli(cli(root, "new --name 'Spring Run' --short Spring"), out), 0) << out;
    const fs::path lock = root / "Spring/Trakmora.lock";
    // Writing commands end without leaving their lock behind, the failing ones too.
    const std::pair<const char*, int> runs[] = {{"--rally Spring day --day 1", 1},
                                                {"--rally Spring config --set GroupSpeedA=fast", 1},
                                                {"--rally Spring schedule --day 1 --save", 0}};
    for (const auto& [args, status] : runs) {
        EXPECT_EQ(runCli(cli(root, args), out), status) << args << '\n' << out;
        EXPECT_FALSE(fs::exists(lock)) << args;
    }
    // A command line that ended without releasing (killed) on this computer.
    writeText(lock, "host=" + thisHostName() +
                        "\npid=999999999\nprogram=trakmora-cli\nsince=2026-12-08 09:15:00\n");
    ASSERT_EQ(runCli(cli(root, "--rally Spring config --set GroupSpeedA=70"), out), 0) << out;
    EXPECT_TRUE(contains(out,
                         "The lock of rally Spring left by trakmora-cli (process 999999999) on this computer "
                         "was taken over"))
        << out;
    EXPECT_FALSE(fs::exists(lock));
}

} // namespace
} // namespace trakmora
