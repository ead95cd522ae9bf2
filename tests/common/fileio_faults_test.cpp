// The file layer under a failing disk: each write, flush and rename of a replace, copy or move
// fails in turn, and the files involved must be as before or complete, with no temporary left.
#include "common/FileIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeText;

struct Disarm {
    ~Disarm() { test_faults::reset(); }
};

bool present(const fs::path& file) {
    std::error_code ec;
    return fs::exists(file, ec);
}

TEST(FileIoFaults, EveryFailedWriteLeavesOldOrNewAndNoTemporary) {
    Disarm disarm;
    const std::string oldText = "old\r\n", newText = std::string(50000, 'n');
    struct Case {
        const char* name;
        bool sourceMoves;
        std::function<Status(const fs::path& source, const fs::path& target)> run;
    };
    const Case cases[] = {
        {"writeFileAtomically", false,
         [&](const fs::path&, const fs::path& t) { return writeFileAtomically(t, newText); }},
        {"writeFile", false, [&](const fs::path&, const fs::path& t) { return writeFile(t, newText); }},
        {"copyFileAtomically", false,
         [](const fs::path& s, const fs::path& t) { return copyFileAtomically(s, t); }},
        {"moveFileAtomically", true,
         [](const fs::path& s, const fs::path& t) { return moveFileAtomically(s, t); }},
    };
    for (const auto& c : cases) {
        for (const bool targetExists : {false, true}) {
            // Each write fails in turn until the operation runs through without reaching the armed one.
            int writes = 0;
            for (int n = 1; writes == 0 && n <= 20; ++n) {
                TempDir dir;
                const fs::path source = dir / "h1004.csv", target = dir / "Bak" / "h1004.csv";
                writeText(source, newText);
                fs::create_directories(target.parent_path());
                if (targetExists) writeText(target, oldText);
                const int err = n % 2 ? ENOSPC : EIO;
                test_faults::failWriteNumber(n, err);
                const Status st = c.run(source, target);
                const bool failed = test_faults::failureHappened();
                if (!failed) writes = test_faults::writesSeen();
                test_faults::reset();
                const std::string label = std::string(c.name) + (targetExists ? " over a file" : "") +
                                          ", write " + std::to_string(n) + " fails";
                EXPECT_EQ(static_cast<bool>(st), !failed) << label << ": " << st.message();
                if (failed) {
                    EXPECT_NE(st.message().find(std::strerror(err)), std::string::npos)
                        << label << ": " << st.message();
                    EXPECT_NE(st.message().find(dir.path().string()), std::string::npos)
                        << label << ": " << st.message();
                }
                // The target is the old file (or none) or the whole new one.
                if (present(target) && readFile(target) != newText) {
                    EXPECT_TRUE(targetExists) << label;
                    EXPECT_EQ(readFile(target), oldText) << label;
                }
                if (!present(target)) {
                    EXPECT_FALSE(targetExists) << label;
                }
                // The source goes only once the target is complete.
                if (!present(source)) {
                    EXPECT_TRUE(c.sourceMoves) << label;
                    EXPECT_EQ(readFile(target), newText) << label;
                } else {
                    EXPECT_EQ(readFile(source), newText) << label;
                }
                if (!failed && c.sourceMoves) {
                    EXPECT_FALSE(present(source)) << label;
                }
                for (const auto& f : fs::recursive_directory_iterator(dir.path()))
                    EXPECT_NE(f.path().extension(), ".tmp") << label << ": " << f.path();
            }
            // A write, a flush and a rename at least; a move flushes and renames its source.
            EXPECT_GE(writes, c.sourceMoves ? 2 : (std::string(c.name) == "writeFile" ? 2 : 3)) << c.name;
        }
    }
}

TEST(FileIoFaults, FaultsAreArmedOnlyBySettingsTheHookUnderstands) {
    Disarm disarm;
    const struct {
        const char* setting;
        bool understood;
        int writeThatFails;
    } cases[] = {{"2:ENOSPC", true, 2}, {"1:EROFS", true, 1},  {"3", true, 3}, {"0:EIO", true, 0},
                 {"x:EIO", false, 0},   {"2:ENOPE", false, 0}, {"", false, 0}, {"-1:EIO", false, 0}};
    for (const auto& c : cases) {
        test_faults::reset();
        EXPECT_EQ(test_faults::armFromSetting(c.setting), c.understood) << c.setting;
        TempDir dir;
        int failedAt = 0;
        for (int k = 1; k <= 4 && failedAt == 0; ++k)
            if (!writeFileAtomically(dir / "a.csv", "1\r\n")) failedAt = test_faults::writesSeen();
        EXPECT_EQ(failedAt, c.writeThatFails) << c.setting;
    }
}

TEST(FileIoFaults, AReadOnlyFileIsNeitherReplacedNorMovedOver) {
    TempDir dir;
    const fs::path locked = dir / "EntryList.csv", source = dir / "new.csv";
    writeText(locked, "kept\r\n");
    writeText(source, "new\r\n");
    fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::function<Status()> writes[] = {
        [&] { return writeFileAtomically(locked, "new\r\n"); },
        [&] { return writeFile(locked, "new\r\n"); },
        [&] { return copyFileAtomically(source, locked); },
        [&] { return moveFileAtomically(source, locked); },
    };
    for (const auto& write : writes) {
        const Status st = write();
        EXPECT_FALSE(st);
        EXPECT_EQ(st.message(), "Cannot write " + locked.string() + ": the file is read-only");
        EXPECT_EQ(readFile(locked), "kept\r\n");
        EXPECT_EQ(readFile(source), "new\r\n");
    }
    EXPECT_FALSE(present(dir / "EntryList.csv.tmp"));
}

TEST(FileIoFaults, AReadOnlyFolderGivesAMessageNamingTheFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root: folder permissions do not stop root's writes";
    TempDir dir;
    const fs::path folder = dir / "Results", file = folder / "R1001.csv";
    writeText(file, "12\r\n");
    fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const Status st = writeFileAtomically(file, "15\r\n");
    const Status copied = copyFileAtomically(file, folder / "R1002.csv");
    fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(st);
    EXPECT_NE(st.message().find("Cannot write " + file.string()), std::string::npos) << st.message();
    EXPECT_FALSE(copied);
    EXPECT_NE(copied.message().find((folder / "R1002.csv").string()), std::string::npos) << copied.message();
    EXPECT_EQ(readFile(file), "12\r\n");
    EXPECT_FALSE(present(folder / "R1002.csv"));
}

TEST(FileIoFaults, AMovedFileTakesTheTimeOfTheMoveOnOneDiskOrAcrossTwo) {
    TempDir dir;
    std::vector<fs::path> targets = {dir / "Bak" / "h1004.csv"};
    // /dev/shm is a memory disk on most systems: a move there cannot be a rename.
    if (std::error_code ec; fs::is_directory("/dev/shm", ec))
        targets.push_back(fs::path("/dev/shm") / ("trakmora-move-" + std::to_string(::getpid()) + ".csv"));
    fs::create_directories(dir / "Bak");
    for (const fs::path& target : targets) {
        const fs::path source = dir / "h1004.csv";
        writeText(source, "1,2,3\r\n");
        const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365);
        fs::last_write_time(source, longAgo);
        const auto before = fs::file_time_type::clock::now() - std::chrono::seconds(2);
        const Status st = moveFileAtomically(source, target);
        EXPECT_TRUE(st) << target << ": " << st.message();
        EXPECT_FALSE(present(source)) << target;
        EXPECT_EQ(readFile(target), "1,2,3\r\n") << target;
        EXPECT_GE(fs::last_write_time(target), before) << target;
        std::error_code ignored;
        if (target.parent_path() == "/dev/shm") fs::remove(target, ignored);
    }
}

} // namespace
} // namespace trakmora
