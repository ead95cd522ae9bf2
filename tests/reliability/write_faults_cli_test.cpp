// A disk that fills up or fails while a command writes: every command of a small rally's day is
// run with each of its writes failing in turn (ENOSPC, EIO, EACCES, EROFS by turns), through the
// real trakmora-cli with TRAKMORA_FAIL_WRITE. The command must stop with status 1 and a message
// naming a file of the rally and the reason, and afterwards every file must hold its content from
// before the command or from an undisturbed run of it: no half file, no temporary file, nothing
// lost. Run again undisturbed, the command must then end as the undisturbed run.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::runCli;
using test::TempDir;

const fs::path kCase = fs::path(TRAKMORA_TEST_DATA) / "rally_e2e";

// Every file under the data root, by its path relative to the root.
using Snapshot = std::map<std::string, std::string>;

// A published page says when it was made, to the minute: two runs a minute apart differ there only.
std::string withoutPublishTime(const std::string& page) {
    static const std::regex stamp("Published [0-9]{2} [A-Za-z]{3} [0-9]{4} [0-9]{2}:[0-9]{2}");
    return std::regex_replace(page, stamp, "Published (time)");
}

Snapshot snapshot(const fs::path& root) {
    Snapshot files;
    for (const auto& f : fs::recursive_directory_iterator(root)) {
        if (!f.is_regular_file()) continue;
        std::string content = readFile(f.path());
        if (f.path().extension() == ".html") content = withoutPublishTime(content);
        // A jury decision carries the minute it was entered: a run again may fall in the next.
        if (f.path().filename().string().starts_with("Corrections Day"))
            content =
                std::regex_replace(content, std::regex(R"("\d{4}-\d\d-\d\d \d\d:\d\d")"), "\"entered\"");
        files[fs::relative(f.path(), root).generic_string()] = std::move(content);
    }
    return files;
}

// Puts the data root back as `saved` holds it, empty folders included.
void restore(const fs::path& saved, const fs::path& root) {
    for (const auto& entry : fs::directory_iterator(root))
        fs::remove_all(entry.path());
    fs::copy(saved, root, fs::copy_options::recursive);
}

// A workbook holds the time it was made, so two runs differ; a complete one ends with the zip
// directory's end record.
bool completeWorkbook(const std::string& name, const std::string& content) {
    return name.ends_with(".xlsx") && content.size() > 22 &&
           content.find("PK\x05\x06", content.size() - 22) != std::string::npos;
}

int runWithFault(const std::string& arguments, const std::string& fault, std::string& output) {
    ::setenv("TRAKMORA_FAIL_WRITE", fault.c_str(), 1);
    const int status = runCli(arguments, output);
    ::unsetenv("TRAKMORA_FAIL_WRITE");
    return status;
}

bool lineWithBoth(const std::string& output, const std::string& a, const std::string& b) {
    for (std::size_t at = 0, end; at < output.size(); at = end + 1) {
        end = output.find('\n', at);
        if (end == std::string::npos) end = output.size();
        const std::string line = output.substr(at, end - at);
        if (line.find(a) != std::string::npos && line.find(b) != std::string::npos) return true;
    }
    return false;
}

int writesOf(const std::string& output) {
    const auto at = output.rfind("File layer writes: ");
    return at == std::string::npos ? -1 : std::atoi(output.c_str() + at + 19);
}

// The entry list of competitors 1, 2 and 18, the route schedule of day 1 and their downloads.
void putInDayOne(const fs::path& rallyFolder) {
    const std::string entries = readFile(kCase / "input/EntryList/EntryList.csv");
    std::string kept;
    for (std::size_t at = 0, next; at < entries.size(); at = next) {
        next = entries.find('\n', at) + 1;
        const std::string line = entries.substr(at, next - at);
        if (at == 0 || line.starts_with("1,") || line.starts_with("2,") || line.starts_with("18,"))
            kept += line;
    }
    test::writeText(rallyFolder / "EntryList/EntryList.csv", kept);
    fs::copy_file(kCase / "input/RouteSchedule/RS1_Data.csv", rallyFolder / "RouteSchedule/RS1_Data.csv");
    for (const char* name : {"h1001.csv", "c1002.csv", "x1018.csv"})
        fs::copy_file(kCase / "downloads/day1" / name, rallyFolder / "CompetitorsLog" / name);
}

struct Step {
    std::string command;
    // `run` is control files, downloads put back, import, score, day score and positions in one:
    // stopped between them, it leaves the files of the parts done, each whole as the single
    // commands earlier in the table made them (a download put back as it was imported, a CL file
    // as import wrote it).
    bool earlierContentAllowed = false;
};

// At most this many write positions per command, spread from the first write to the last, keep
// the table within about 20 seconds; every command here has the three writes of opening the
// rally (its settings saved again) and then its own, so the spread covers both.
// The sanitizer build runs some ten times slower: it tries half as many.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kMaxPositions = 3;
#else
constexpr int kMaxPositions = 6;
#endif

std::vector<int> positions(int writes) {
    std::vector<int> at;
    if (writes <= kMaxPositions) {
        for (int n = 1; n <= writes; ++n)
            at.push_back(n);
        return at;
    }
    for (int k = 0; k < kMaxPositions; ++k)
        at.push_back(1 + k * (writes - 1) / (kMaxPositions - 1));
    return at;
}

TEST(WriteFaults, EveryCommandLeavesEachFileOldOrNew) {
    TempDir root;
    const std::string rally = "--data-root '" + root.path().string() + "' --no-workbooks --rally Spring ";
    const std::string out = (root / "Published").string();
    // A two-day rally of three competitors scored on day 1, built by the steps themselves in order; the entry
    // list, route schedule and downloads are put in before `entries`.
    const std::vector<Step> steps = {
        {"--data-root '" + root.path().string() + "' new --name 'Spring Run' --short Spring"},
        {rally + "config --set NoOfDays=2"},
        {rally + "entries"},
        {rally + "schedule --day 1 --save"},
        {rally + "controls --day 1"},
        {"--data-root '" + root.path().string() + "' --rally Spring print --day 1 route"},
        {rally + "import --day 1"},
        {rally + "score --day 1"},
        {rally + "day --day 1"},
        {rally + "correct --day 1 --comp 18 --penalty 60 --reason 'Late, \"5 min\"'"},
        {rally + "--yes results --day 1"},
        {rally + "day --day 2"}, // a day without R files: the final needs both days
        {rally + "final"},
        {rally + "publish --final --out '" + out + "'"},
        {rally + "day --day 1 --scrap 10"},
        {rally + "--yes run --day 1 --again", true},
        {rally + "publish --day 1 --out '" + out + "'"},
        {rally + "correct --day 1 --remove 1"},
    };
    const std::pair<const char*, int> errors[] = {
        {"ENOSPC", ENOSPC}, {"EIO", EIO}, {"EACCES", EACCES}, {"EROFS", EROFS}};
    int tried = 0;
    std::map<std::string, std::vector<std::string>> earlier; // every whole content a file had
    for (const Step& step : steps) {
        if (step.command.find(" entries") != std::string::npos) putInDayOne(root.path() / "Spring");
        const Snapshot before = snapshot(root.path());
        for (const auto& [name, content] : before)
            earlier[name].push_back(content);
        TempDir saved;
        fs::copy(root.path(), saved.path(), fs::copy_options::recursive);
        std::string output;
        ASSERT_EQ(runWithFault(step.command, "0:EIO", output), 0) << step.command << '\n' << output;
        const int writes = writesOf(output);
        ASSERT_GT(writes, 0) << step.command << '\n' << output;
        const Snapshot after = snapshot(root.path());

        for (const int n : positions(writes)) {
            restore(saved.path(), root.path());
            const auto& [errorName, err] = errors[tried++ % 4];
            const std::string fault = std::to_string(n) + ":" + errorName;
            const std::string label =
                step.command.substr(step.command.find("Spring") + 7) + " with write " + fault;
            EXPECT_EQ(runWithFault(step.command, fault, output), 1) << label << '\n' << output;
            EXPECT_NE(output.find("(the armed one failed)"), std::string::npos) << label << '\n' << output;
            EXPECT_TRUE(lineWithBoth(output, root.path().string() + "/", std::strerror(err)))
                << label << ": no message names the file and the reason\n"
                << output;
            const Snapshot now = snapshot(root.path());
            for (const auto& [name, content] : now) {
                EXPECT_FALSE(name.ends_with(".tmp")) << label << ": " << name << " is left behind";
                const auto old = before.find(name), next = after.find(name);
                const bool asBefore = old != before.end() && old->second == content;
                const bool asAfter =
                    next != after.end() && (next->second == content || completeWorkbook(name, content));
                const auto& had = earlier[name];
                const bool asEarlier =
                    step.earlierContentAllowed && std::find(had.begin(), had.end(), content) != had.end();
                EXPECT_TRUE(asBefore || asAfter || asEarlier)
                    << label << ": " << name << " is neither as before nor as after";
            }
            for (const auto& [name, content] : before) {
                if (!now.contains(name)) {
                    EXPECT_FALSE(after.contains(name)) << label << ": " << name << " is lost";
                }
            }
            // Nothing is lost: run again undisturbed, the command ends as the undisturbed run.
            EXPECT_EQ(runCli(step.command, output), 0) << label << ", run again\n" << output;
            const Snapshot again = snapshot(root.path());
            for (const auto& [name, content] : after) {
                const auto it = again.find(name);
                EXPECT_TRUE(it != again.end() &&
                            (it->second == content || completeWorkbook(name, it->second)))
                    << label << ", run again: " << name << " differs from the undisturbed run";
            }
            EXPECT_EQ(again.size(), after.size()) << label << ", run again";
        }
        // The next step starts from the undisturbed run's files.
        restore(saved.path(), root.path());
        ASSERT_EQ(runCli(step.command, output), 0) << step.command << '\n' << output;
    }
}

// A file marked read-only and a locked folder (a USB stick's write protection): the command
// stops with a message naming the file, changes nothing in it, and runs once it is writable.
TEST(WriteFaults, ReadOnlyFileOrFolderStopsTheCommandAndKeepsTheFiles) {
    TempDir root;
    const std::string data = "--data-root '" + root.path().string() + "' ";
    const std::string rally = data + "--no-workbooks --rally Spring ";
    std::string output;
    ASSERT_EQ(runCli(data + "new --name 'Spring Run' --short Spring", output), 0) << output;
    putInDayOne(root / "Spring");
    ASSERT_EQ(runCli(rally + "--yes run --day 1", output), 0) << output;
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    struct Case {
        const char* locked;
        const char* command;
        const char* message; // the file the message names
        bool folder;
    };
    const Case cases[] = {
        {"Spring/EntryList/EntryList.csv", "day --day 1",
         "Spring/EntryList/EntryList.csv: the file is read-only", false},
        {"Spring/Results/R1002.csv", "day --day 1 --scrap 10",
         "Spring/Results/R1002.csv: the file is read-only", false},
        {"Spring/Results", "day --day 1 --scrap 10", "Spring/Results/R1001.csv: Permission denied", true},
    };
    for (const Case& c : cases) {
        if (c.folder && ::geteuid() == 0) {
            // Permissions do not stop root; the fault table's EACCES and EROFS stand in.
            std::cout << "Skipped the locked folder " << c.locked << ": running as root\n";
            continue;
        }
        const Snapshot before = snapshot(root.path());
        fs::permissions(root / c.locked, writable, fs::perm_options::remove);
        const int status = runCli(rally + c.command, output);
        const Snapshot locked = snapshot(root.path());
        fs::permissions(root / c.locked, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(status, 1) << c.locked << '\n' << output;
        EXPECT_NE(output.find((root / c.message).string()), std::string::npos) << c.locked << '\n' << output;
        for (const auto& [name, content] : before)
            if (name.starts_with(c.locked)) {
                EXPECT_EQ(locked.at(name), content) << c.locked << ": " << name;
            }
        EXPECT_EQ(runCli(rally + c.command, output), 0) << c.locked << ", writable again\n" << output;
    }
}

} // namespace
} // namespace trakmora
