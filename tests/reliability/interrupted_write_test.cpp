// A crash or power cut while the organiser's files are rewritten: a child process rewrites a file
// over and over and is killed at some moment; the file must then hold the old or the new content,
// never a part. A write that fails before its rename must leave the old file as it was.
#include "common/Csv.h"
#include "common/FileIo.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "entries/EntryList.h"
#include "results/ControlScrap.h"
#include "results/ResultFiles.h"
#include "schedule/RSModule.h"
#include "support/RallyTest.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;

struct Rewrite {
    std::string name;
    std::function<fs::path(const ProgramState&)> file;
    std::function<Status(ProgramState&, bool)> write; // writes the old (false) or the new (true) content
};

std::vector<Rewrite> rewrites() {
    return {
        {"EntryList.csv",
         [](const ProgramState& s) { return s.rallyFile(RallyFolder::EntryList, "EntryList.csv"); },
         [](ProgramState& s, bool next) {
             return writeBackDayResults(s, 1, {{7, next ? 15.0 : 20.0}});
         }},
        {"config3.csv",
         [](const ProgramState& s) { return s.rallyFile(RallyFolder::Working, "config3.csv"); },
         [](ProgramState& s, bool next) {
             s.config.rallyName = next ? "Autumn Trial" : "Spring Run";
             return saveConfig(s);
         }},
        {"RS1_Data.csv", [](const ProgramState& s) { return scheduleDataFile(s, 1); },
         [](ProgramState& s, bool next) {
             s.schedule.line(2).instruction = next ? "Right at the church" : "Left at the mill";
             return saveDay(s);
         }},
        {"R file", [](const ProgramState& s) { return resultFile(s, 1, 7); },
         [](ProgramState& s, bool next) {
             if (next) return scrapControl(s, 1, 1, 3);
             return writeFileAtomically(resultFile(s, 1, 7), "12\r\n-3\r\n8\r\n");
         }},
    };
}

class InterruptedWrite : public test::RallyTest {
protected:
    InterruptedWrite() : RallyTest("Spring Run", "Spring") {
        std::string entries;
        for (int n = 1; n <= 300; ++n)
            entries += std::to_string(n) + ",\"Driver " + std::to_string(n) +
                       "\",1936,\"Riley\",\"Kestrel\",\"B\",\"A\",0,0,0,0,0\r\n";
        writeEntryList(entries);
        state.rally.selectedDay = 1;
        state.schedule.lineCount = 999;
        for (int n = 1; n <= 999; ++n) {
            state.schedule.line(n).no = n;
            state.schedule.line(n).instruction = "Straight on past the farm " + std::to_string(n);
            state.schedule.line(n).type = "o";
            state.schedule.line(n).distance = n * 0.5;
        }
    }
};

// Kills a child that repeats `write` after `micros` microseconds.
void killWhileRewriting(ProgramState& state, const Rewrite& r, unsigned micros) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (bool next = false;; next = !next)
            (void)r.write(state, next);
    }
    ::usleep(micros);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
}

TEST_F(InterruptedWrite, KilledRewriteLeavesOldOrNewFile) {
    std::mt19937 random(11);
    for (const Rewrite& r : rewrites()) {
        SCOPED_TRACE(r.name);
        const fs::path file = r.file(state);
        ASSERT_TRUE(r.write(state, false));
        ASSERT_TRUE(r.write(state, true));
        const std::string next = test::readFile(file);
        ASSERT_TRUE(r.write(state, false));
        const std::string old = test::readFile(file);
        ASSERT_NE(old, next);
        for (int trial = 0; trial < 12; ++trial) {
            killWhileRewriting(state, r, 200 + random() % 20000);
            const std::string now = test::readFile(file);
            EXPECT_TRUE(now == old || now == next) << "partial file after a kill: " << now.size() << " bytes";
        }
    }
}

TEST_F(InterruptedWrite, KilledLargeWriteLeavesOldOrNewFile) {
    const fs::path file = root / "large.csv";
    const std::string old = "1,2,3\r\n";
    const std::string next(32u << 20, '7'); // long enough to be killed in the middle of writing
    std::mt19937 random(7);
    for (int trial = 0; trial < 8; ++trial) {
        test::writeText(file, old);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            (void)writeFileAtomically(file, next);
            ::_exit(0);
        }
        ::usleep(500 + random() % 30000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = test::readFile(file);
        EXPECT_TRUE(now == old || now == next) << "partial file after a kill: " << now.size() << " bytes";
    }
}

TEST_F(InterruptedWrite, FailedWriteBeforeRenameKeepsOldFile) {
    for (const Rewrite& r : rewrites()) {
        SCOPED_TRACE(r.name);
        const fs::path file = r.file(state);
        ASSERT_TRUE(r.write(state, false));
        const std::string old = test::readFile(file);
        // A folder where the temporary file goes makes the write fail before anything is renamed.
        fs::path temporary = file;
        temporary += ".tmp";
        fs::create_directories(temporary / "blocked");
        const Status st = r.write(state, true);
        EXPECT_FALSE(st);
        EXPECT_NE(st.message().find(file.filename().string()), std::string::npos) << st.message();
        EXPECT_EQ(test::readFile(file), old);
        fs::remove_all(temporary);
    }
}

TEST_F(InterruptedWrite, AddingARallyRewritesTheRegisterWhole) {
    // A register whose last line lacks its line end keeps both rallies apart.
    test::writeText(state.paths.registerFile(), "\"Spring\",\"Spring Run\"");
    ProgramState other(root.path(), messages);
    ASSERT_TRUE(createRally(other, "Autumn Trial", "Autumn"));
    EXPECT_EQ(test::readFile(state.paths.registerFile()),
              "\"Spring\",\"Spring Run\"\r\n\"Autumn\",\"Autumn Trial\"\r\n");
    std::vector<RegisterRecord> records;
    ASSERT_TRUE(readRegister(other, records));
    EXPECT_EQ(records.size(), 2u);
}

} // namespace
} // namespace trakmora
