#include "FuzzTargets.h"

#include "common/Csv.h"
#include "entries/EntryList.h"
#include "schedule/ControlFile.h"
#include "schedule/ControlFiles.h"
#include "schedule/RSModule.h"
#include "workspace/ConfigFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace trakmora::fuzz {
namespace fs = std::filesystem;

namespace {

// A file per process, so parallel fuzzers do not share it.
fs::path scratchFile(const char* name) {
    static const fs::path folder = [] {
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path p = base / ("trakmora-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return folder / name;
}

fs::path writeScratch(const char* name, const std::uint8_t* data, std::size_t size) {
    const fs::path file = scratchFile(name);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file;
}

// A reader that fails must say where: the file's name and a line number.
void expectWhere(const Status& st, const fs::path& file) {
    if (st) return;
    const std::string& m = st.message();
    if (m.find(file.string()) == std::string::npos || m.find(" line ") == std::string::npos) {
        std::fprintf(stderr, "reader failed without naming file and line: %s\n", m.c_str());
        std::abort();
    }
}

void csvTarget(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CsvDocument doc = CsvDocument::parse(text, "fuzz.csv");
    CsvCursor in(doc);
    for (int i = 0; i < 64 && !in.atEnd(); ++i) {
        double d = 0;
        expectWhere(in.number(d), "fuzz.csv");
    }
    for (const auto& r : doc.records())
        for (const auto& v : r.values)
            if (v.text.size() > size) std::abort(); // a value longer than the input was read past it
}

void config3Target(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("config3.csv", data, size);
    RallyConfig config;
    expectWhere(readConfigFile(file, config), file);
}

void legacyConfigTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("config.csv", data, size);
    RallyConfig config;
    expectWhere(readLegacyConfigFile(file, config), file);
}

void entryListTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("EntryList.csv", data, size);
    EntryTable table;
    const Status st = readEntryList(file, table);
    expectWhere(st, file);
    if (st && table.count() > kMaxEntries) std::abort();
}

void controlFileTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("cp1.csv", data, size);
    std::vector<ControlRecord> controls;
    expectWhere(readControlFile(file, controls), file);
}

void scheduleDataTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("RS1_Data.csv", data, size);
    std::vector<ScheduleLine> lines;
    const Status st = readScheduleDataFile(file, lines);
    expectWhere(st, file);
    if (st && lines.size() > 999) std::abort();
}

void scheduleImportTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("Input_RS1.csv", data, size);
    std::vector<ScheduleLine> lines;
    const Status st = readScheduleImportFile(file, lines);
    expectWhere(st, file);
    if (st && lines.size() > 999) std::abort();
}

void speedTableTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("SpeedABCD_RS1.csv", data, size);
    SpeedTable table;
    expectWhere(readSpeedTable(file, table), file);
}

void passingWindowTarget(const std::uint8_t* data, std::size_t size) {
    const fs::path file = writeScratch("abc.csv", data, size);
    PassingWindowTable table;
    expectWhere(readPassingWindowTable(file, table), file);
}

} // namespace

const std::vector<Target>& targets() {
    static const std::vector<Target> all = {
        {"csv", csvTarget},
        {"config3", config3Target},
        {"config_legacy", legacyConfigTarget},
        {"entrylist", entryListTarget},
        {"controlfile", controlFileTarget},
        {"schedule_data", scheduleDataTarget},
        {"schedule_import", scheduleImportTarget},
        {"speed_table", speedTableTarget},
        {"passing_window", passingWindowTarget},
    };
    return all;
}

const Target* findTarget(const std::string& name) {
    for (const auto& t : targets())
        if (name == t.name) return &t;
    return nullptr;
}

} // namespace trakmora::fuzz
