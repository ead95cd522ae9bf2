// Damaged files for every reader: each damage is either read as the sound file would be (CR-only
// line ends, a byte order mark, Latin-1 names) or refused with a message naming the file and the
// line, leaving what was in memory and the file itself as they were.
#include "common/Csv.h"
#include "common/Format.h"
#include "common/Messages.h"
#include "common/ProgramState.h"
#include "demo/DownloadWriter.h"
#include "entries/EntryList.h"
#include "results/CombinedDayResults.h"
#include "results/DayScore.h"
#include "results/FinalResults.h"
#include "results/MatrixFiles.h"
#include "results/ResultFiles.h"
#include "schedule/ControlFile.h"
#include "schedule/ControlFiles.h"
#include "schedule/RSModule.h"
#include "support/TempDir.h"
#include "tracking/ClFile.h"
#include "tracking/ReportLine.h"
#include "tracking/ShortlistLine.h"
#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"
#include "tracking/loggers/LoggerTable.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace trakmora {
namespace {
namespace fs = std::filesystem;

// Reads `file` into an output that starts as a sentinel; `seen` receives a print of the output.
using ReadFn = std::function<Status(ProgramState& state, const fs::path& file, std::string& seen)>;
using PathFn = std::function<fs::path(const ProgramState& state, const fs::path& scratch)>;

struct Damage {
    std::string what;
    std::string content;
    int line; // the line the message must name
};

struct Reader {
    std::string name;
    PathFn path;
    std::string good;            // a sound file, lines ending CR LF
    std::vector<Damage> damages; // each must be refused
    std::string latin1;          // a sound file with Latin-1 text, or empty
    ReadFn read;
};

std::string crlf(std::initializer_list<std::string> lines) {
    std::string s;
    for (const auto& l : lines)
        s += l + "\r\n";
    return s;
}

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t i = s.find(from); i != std::string::npos; i = s.find(from, i + to.size()))
        s.replace(i, from.size(), to);
    return s;
}

// The record with value `index` (counted from 0, split at commas) replaced by `value`.
std::string withValue(const std::string& record, std::size_t index, const std::string& value) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= record.size(); ++i)
        if (i == record.size() || record[i] == ',') {
            parts.push_back(record.substr(start, i - start));
            start = i + 1;
        }
    parts.at(index) = value;
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? "," : "") + parts[i];
    return out;
}

// The record cut after its first `count` values.
std::string firstValues(const std::string& record, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < count; ++n)
        i = record.find(',', i) + 1;
    return record.substr(0, i - 1);
}

PathFn scratchPath(const std::string& name) {
    return [name](const ProgramState&, const fs::path& scratch) { return scratch / name; };
}

template <typename Vec, typename Print> std::string printAll(const Vec& v, Print print) {
    std::string s = std::to_string(v.size()) + ":";
    for (const auto& e : v)
        s += print(e) + ";";
    return s;
}

std::string num(double d) {
    return formatNumber(d);
}

std::string downloadText(const LoggerLayout& layout, int records, int badAt, const std::string& badRecord) {
    std::string s = std::string(layout.header) + "\r\n";
    for (int i = 1; i <= records; ++i) {
        if (i == badAt) {
            s += badRecord + "\r\n";
            continue;
        }
        CsvWriter w;
        layout.write(
            w,
            LoggedRecord{static_cast<double>(i), 41.8 + i * 0.001, 12.6, 2015, 6, 26, 30000.0 + i, {}, {}});
        s += w.str();
    }
    return s;
}

// Imports the download `name` of day 1; `seen` is the CL file it left.
ReadFn importRead(const std::string& name) {
    return [name](ProgramState& s, const fs::path& file, std::string& seen) {
        ImportResult result;
        const Status st = importDownload(s, 1, name, result);
        const fs::path cl = s.rallyFile(RallyFolder::CompetitorsLog, clFileNameFor(name));
        seen = fs::exists(cl) ? test::readFile(cl) : "no CL file";
        fs::remove(cl);
        // A refused download stays where it was; a read one is moved to Bak, and put back for
        // the next case.
        const fs::path bak = s.rallyFile(RallyFolder::CompetitorsLogBak, name);
        if (st && fs::exists(bak)) fs::rename(bak, file);
        return st;
    };
}

PathFn downloadPath(const std::string& name) {
    return [name](const ProgramState& s, const fs::path&) {
        return s.rallyFile(RallyFolder::CompetitorsLog, name);
    };
}

Reader downloadReader(char letter) {
    const LoggerLayout& layout = *findLoggerLayout(letter);
    const std::string name = std::string(1, letter) + "1007.csv";
    CsvWriter w;
    layout.write(w, LoggedRecord{3, 41.803, 12.6, 2015, 6, 26, 30003, {}, {}});
    std::string record = w.take();
    record.resize(record.size() - 2);
    // Damage in record 3 of 12, so that a layout whose last line may be cut still reads past it.
    const auto bad = [&](const std::string& r) { return downloadText(layout, 12, 3, r); };
    return Reader{std::string("download ") + layout.name,
                  downloadPath(name),
                  downloadText(layout, 12, 0, ""),
                  {{"truncated record", bad(firstValues(record, 3)), 4},
                   {"text as latitude", bad(replaceAll(record, "41.803", "north")), 4}},
                  "",
                  importRead(name)};
}

// GPX and NMEA downloads of twelve fixes. A damaged GPX document is refused whole with its line;
// an NMEA log passes over a damaged sentence (the import counts it), so it has no damage to refuse.
std::vector<Reader> trackFileReaders() {
    std::vector<TrackFix> fixes;
    for (int i = 1; i <= 12; ++i)
        fixes.push_back(TrackFix{static_cast<double>(i), 41.8 + i * 0.001, 12.6, 30000.0 + i});
    const std::string gpx = replaceAll(gpxDownloadText(fixes, RallyConfig{}.startDate, 0), "\n", "\r\n");
    const std::string point = "<trkpt lat=\"41.803\"";
    const std::size_t third = gpx.find(point);
    return {
        Reader{
            "download GPX",
            downloadPath("g1007.gpx"),
            gpx,
            {{"truncated", gpx.substr(0, third + 30), 6},
             {"wrong nesting", replaceAll(gpx, "</trkseg></trk>", "</trk></trkseg>"), 16},
             {"entity declared", replaceAll(gpx, "?>\r\n", "?>\r\n<!DOCTYPE gpx [<!ENTITY big \"x\">]>"), 2},
             {"second root", gpx + "<gpx/>\r\n", 18}},
            "",
            importRead("g1007.gpx")},
        Reader{"download NMEA",
               downloadPath("n1007.nmea"),
               nmeaDownloadText(fixes, RallyConfig{}.startDate, 0),
               {},
               "",
               importRead("n1007.nmea")},
    };
}

std::vector<Reader> readers() {
    const std::string config = [] {
        std::string r = configRecord(RallyConfig{});
        return r.substr(0, r.size() - 2);
    }();
    const std::string legacy = firstValues(config, 26);
    const std::string entryHeader =
        R"("Comp No","Name","Year","Vehicle","Type","Speed","Score Group","Day 1","Day 2","Day 3","Day 4","Day 5")";
    const std::string entry = R"(7,"J Smith",1936,"Riley","Kestrel","B","A",0,0,0,0,0)";
    const std::string cpHeader = R"("No","Lat","Long","Dist","A_Time","B_Time","C_Time","D_Time")";
    const std::string cp = "1,-33.86785,151.20732,12.4,30600,30420,30300,30180";
    const std::string rsHeader =
        R"("No","Instruction","Type","Distance","A_Speed","B_Speed","C_Speed","D_Speed","Limit","AddTime_A","AddTime_B","AddTime_C","AddTime_D","Lat","Long")";
    const std::string rs = R"(1,"Start at the showground","o",0,60,60,60,60,100,0,0,0,0,0,0)";
    const std::string rs2 = R"(2,"Fuel stop","s",3,60,60,60,60,100,5,5,5,5,0,0)";
    const std::string importHeader = R"("No","Instruction","Type","Distance","Speed")";
    const std::string imp = R"(1,"Start of day at the car park","o",0,60)";
    const std::string imp2 = R"(2,"Left at the T junction","o",2.8,60)";
    const std::string speed = R"(2.8,60,60,60,60,0.04,0.04,0.04,0.04,"Left","Left","Left","Left")";
    const std::string windowHeader =
        R"("LineNo","Dist","Lat","Lon","FirstTime","LastTime","Instruction","Type")";
    const std::string window = R"(3,4.2,-33.8,151.2,484.2,499.2,"Control at the bridge","v")";
    const std::string fix = "1,41.805592,12.679832,25508";
    const std::string report = "1,0.36,0.363,0.0215,0.0209,2,12.4";
    const std::string shortlist = "1,41.8056,12.6798,12.4,30600,57,41.80561,12.67983,31019,1.41";
    const std::string dayScore = R"("J Smith",7,"A",15,12,-3,0)";
    const std::string finalMatrix = [] {
        std::string s;
        for (int n = 1; n <= 250; ++n)
            s += "10\r\n";
        return s;
    }();
    const std::string finalMatrixBad = [&](int line, const std::string& v) {
        std::string s;
        for (int n = 1; n <= 250; ++n)
            s += (n == line ? v : "10") + "\r\n";
        return s;
    }(100, "ten");

    std::vector<Reader> all = {
        {"config3.csv",
         scratchPath("config3.csv"),
         crlf({config}),
         {{"text as NoOfDays", crlf({withValue(config, 3, "three")}), 1},
          {"truncated", crlf({firstValues(config, 20)}), 1},
          {"offset too large", crlf({withValue(config, 26, "70000000000")}), 1}},
         crlf({withValue(config, 0, "\"Rallye d'\xE9t\xE9\"")}),
         [](ProgramState&, const fs::path& f, std::string& seen) {
             RallyConfig c;
             c.rallyName = "sentinel";
             const Status st = readConfigFile(f, c);
             seen = configRecord(c);
             return st;
         }},
        {"config.csv",
         scratchPath("config.csv"),
         crlf({legacy}),
         {{"text as a speed", crlf({withValue(legacy, 11, "fast")}), 1},
          {"truncated", crlf({firstValues(legacy, 25)}), 1}},
         "",
         [](ProgramState&, const fs::path& f, std::string& seen) {
             RallyConfig c;
             c.rallyName = "sentinel";
             const Status st = readLegacyConfigFile(f, c);
             seen = configRecord(c);
             return st;
         }},
        {"EntryList.csv",
         scratchPath("EntryList.csv"),
         crlf({entryHeader, entry, entry}),
         {{"text as number", crlf({entryHeader, entry, withValue(entry, 0, "seven")}), 3},
          {"number 70000", crlf({entryHeader, entry, withValue(entry, 0, "70000")}), 3},
          {"text as a day total", crlf({entryHeader, entry, withValue(entry, 8, "x")}), 3},
          {"truncated", crlf({entryHeader, entry, firstValues(entry, 5)}), 3}},
         crlf({entryHeader, withValue(entry, 1, "\"Jos\xE9 M\xFCller\"")}),
         [](ProgramState&, const fs::path& f, std::string& seen) {
             EntryTable t;
             t.entries.push_back(Entry{99, "sentinel", "", "", "", "", "", {}});
             const Status st = readEntryList(f, t);
             seen = entryListText(t);
             return st;
         }},
        {"cp1.csv",
         scratchPath("cp1.csv"),
         crlf({cpHeader, cp, cp}),
         {{"text as latitude", crlf({cpHeader, cp, withValue(cp, 1, "south")}), 3},
          {"control 70000", crlf({cpHeader, cp, withValue(cp, 0, "70000000000")}), 3},
          {"truncated", crlf({cpHeader, cp, firstValues(cp, 6)}), 3}},
         "",
         [](ProgramState&, const fs::path& f, std::string& seen) {
             std::vector<ControlRecord> v{ControlRecord{99, 0, 0, 0, {}}};
             const Status st = readControlFile(f, v);
             seen = controlFileText(v);
             return st;
         }},
        {"RS1_Data.csv",
         scratchPath("RS1_Data.csv"),
         crlf({rsHeader, rs, rs2}),
         {{"text as distance", crlf({rsHeader, rs, withValue(rs2, 3, "far")}), 3},
          {"truncated", crlf({rsHeader, rs, firstValues(rs2, 9)}), 3}},
         crlf({rsHeader, withValue(rs, 1, "\"Caf\xE9 de la Gare\"")}),
         [](ProgramState&, const fs::path& f, std::string& seen) {
             std::vector<ScheduleLine> v(1);
             v[0].instruction = "sentinel";
             const Status st = readScheduleDataFile(f, v);
             seen = printAll(v, [](const ScheduleLine& l) { return l.instruction + "," + num(l.distance); });
             return st;
         }},
        {"Input_RS1.csv",
         scratchPath("Input_RS1.csv"),
         crlf({importHeader, imp, imp2}),
         {{"text as speed", crlf({importHeader, imp, withValue(imp2, 4, "quick")}), 3},
          {"truncated", crlf({importHeader, imp, firstValues(imp2, 3)}), 3}},
         "",
         [](ProgramState&, const fs::path& f, std::string& seen) {
             std::vector<ScheduleLine> v(1);
             v[0].instruction = "sentinel";
             const Status st = readScheduleImportFile(f, v);
             seen = printAll(v, [](const ScheduleLine& l) { return l.instruction + "," + num(l.distance); });
             return st;
         }},
        {"SpeedABCD_RS1.csv",
         scratchPath("SpeedABCD_RS1.csv"),
         crlf({speed, speed}),
         {{"text as speed", crlf({speed, withValue(speed, 2, "x")}), 2},
          {"truncated", crlf({speed, firstValues(speed, 7)}), 2}},
         "",
         [](ProgramState&, const fs::path& f, std::string& seen) {
             SpeedTable t;
             t.rows.resize(1);
             t.rows[0].distance = 99;
             const Status st = readSpeedTable(f, t);
             seen = printAll(t.rows, [](const SpeedTableRow& r) { return num(r.distance) + r.note[1]; });
             return st;
         }},
        {"abc.csv",
         scratchPath("abc.csv"),
         crlf({windowHeader, window, window}),
         {{"text as latitude", crlf({windowHeader, window, withValue(window, 2, "x")}), 3},
          {"truncated", crlf({windowHeader, window, firstValues(window, 4)}), 3}},
         "",
         [](ProgramState&, const fs::path& f, std::string& seen) {
             PassingWindowTable t;
             t.rows.resize(1);
             t.rows[0].lineNo = 99;
             const Status st = readPassingWindowTable(f, t);
             seen = printAll(t.rows, [](const PassingWindowRow& r) {
                 return std::to_string(r.lineNo) + "," + num(r.lat);
             });
             return st;
         }},
        {"CL1007.csv",
         scratchPath("CL1007.csv"),
         crlf({fix, fix}),
         {{"text as latitude", crlf({fix, withValue(fix, 1, "x")}), 2},
          {"truncated", crlf({fix, firstValues(fix, 3)}), 2}},
         "",
         [](ProgramState&, const fs::path& f, std::string& seen) {
             std::vector<TrackFix> v{TrackFix{99, 0, 0, 0}};
             const Status st = readClFile(f, v);
             seen = printAll(v, [](const TrackFix& x) { return num(x.fixNo) + "," + num(x.lat); });
             return st;
         }},
        {"Report.csv",
         scratchPath("Report1007.csv"),
         crlf({report, report}),
         {{"text as score", crlf({report, withValue(report, 5, "x")}), 2},
          {"truncated", crlf({report, firstValues(report, 6)}), 2}},
         "",
         [](ProgramState&, const fs::path& f, std::string& seen) {
             std::vector<ReportLine> v(1);
             v[0].controlNo = 99;
             const Status st = readReportFile(f, v);
             seen = printAll(v, [](const ReportLine& x) { return num(x.controlNo) + "," + num(x.score); });
             return st;
         }},
        {"1Shortlist.csv",
         scratchPath("1Shortlist1007.csv"),
         crlf({shortlist, shortlist}),
         {{"text as distance", crlf({shortlist, withValue(shortlist, 9, "x")}), 2},
          {"truncated", crlf({shortlist, firstValues(shortlist, 9)}), 2}},
         "",
         [](ProgramState&, const fs::path& f, std::string& seen) {
             std::vector<ShortlistLine> v(1);
             v[0].controlNo = 99;
             const Status st = readShortlistFile(f, v);
             seen =
                 printAll(v, [](const ShortlistLine& x) { return num(x.controlNo) + "," + num(x.distance); });
             return st;
         }},
        {"R file",
         scratchPath("R1007.csv"),
         crlf({"12", "-3", "0"}),
         {{"text as score", crlf({"12", "-3", "lots"}), 3}},
         "",
         [](ProgramState&, const fs::path& f, std::string& seen) {
             std::vector<double> v{99};
             const Status st = readResultScores(f, v);
             seen = printAll(v, num);
             return st;
         }},
        {"NonFinishers",
         [](const ProgramState& s, const fs::path&) { return nonFinishersFile(s, 1); },
         crlf({"7", "0", "12"}),
         {{"text as number", crlf({"7", "seven"}), 2},
          {"number 70000", crlf({"7", "70000"}), 2},
          {"fraction", crlf({"7", "7.5"}), 2}},
         "",
         [](ProgramState& s, const fs::path&, std::string& seen) {
             std::vector<int> v{99};
             const Status st = readNonFinishers(s, 1, v);
             seen = printAll(v, [](int n) { return std::to_string(n); });
             return st;
         }},
        {"DayScore",
         [](const ProgramState& s, const fs::path&) { return dayScoreFile(s, 1); },
         crlf({dayScore, dayScore}),
         {{"text as number", crlf({dayScore, withValue(dayScore, 1, "seven")}), 2},
          {"number 70000", crlf({dayScore, withValue(dayScore, 1, "70000")}), 2},
          {"text as total", crlf({dayScore, withValue(dayScore, 3, "x")}), 2},
          {"truncated", crlf({dayScore, firstValues(dayScore, 3)}), 2}},
         crlf({withValue(dayScore, 0, "\"Jos\xE9 M\xFCller\"")}),
         [](ProgramState& s, const fs::path&, std::string& seen) {
             CombinedDayTable t;
             t.rows.push_back(CombinedDayRow{"sentinel", "99", "A", "0", {}});
             const Status st = loadCombinedDayResults(s, 1, 3, t);
             seen = printAll(t.rows,
                             [](const CombinedDayRow& r) { return r.name + "," + r.compNo + "," + r.total; });
             return st;
         }},
        {"FinalMatrix",
         [](const ProgramState& s, const fs::path&) { return finalMatrixFile(s, 1); },
         finalMatrix,
         {{"text as state", finalMatrixBad, 100},
          {"truncated", finalMatrix.substr(0, 200 * 4), 200},
          {"state 70000", "70000\r\n" + finalMatrix.substr(4), 1}},
         "",
         [](ProgramState& s, const fs::path&, std::string& seen) {
             DayMatrix colours;
             colours.fill(CellState::NonFinisher);
             const Status st = sumFinalMatrix(s, 1, colours);
             seen = std::to_string(colours.counts(250).finishers) + "," +
                    std::to_string(colours.counts(250).nonFinishers);
             return st;
         }},
        {"Register.csv",
         [](const ProgramState& s, const fs::path&) { return s.paths.registerFile(); },
         crlf({R"("Spring","Spring Run")", R"("Bad","Bad Input")"}),
         {{"truncated", crlf({R"("Spring","Spring Run")", R"("Bad")"}), 2}},
         crlf({"\"Ete\",\"Rallye d'\xE9t\xE9\""}),
         [](ProgramState& s, const fs::path&, std::string& seen) {
             std::vector<RegisterRecord> v{RegisterRecord{"sentinel", ""}};
             const Status st = readRegister(s, v);
             seen = printAll(v, [](const RegisterRecord& x) { return x.shortName + "," + x.longName; });
             return st;
         }},
        downloadReader('h'),
        downloadReader('c'),
        downloadReader('e'),
        downloadReader('x'),
    };
    for (Reader& r : trackFileReaders())
        all.push_back(std::move(r));
    return all;
}

class BadInput : public ::testing::Test {
protected:
    BadInput() : state(root.path() / "data", messages) {
        const Status st = createRally(state, "Bad Input", "Bad");
        if (!st) ADD_FAILURE() << st.message();
        fs::create_directories(root.path() / "scratch");
    }
    test::TempDir root;
    RecordingMessages messages;
    ProgramState state;
};

TEST_F(BadInput, EveryReaderRefusesDamageWithFileAndLineAndChangesNothing) {
    for (const Reader& r : readers()) {
        SCOPED_TRACE(r.name);
        const fs::path file = r.path(state, root.path() / "scratch");
        // A folder where the file belongs is refused by name before anything is read, so what
        // the reader leaves then is its untouched starting output.
        fs::remove_all(file);
        fs::create_directories(file);
        std::string sentinel;
        const Status folder = r.read(state, file, sentinel);
        EXPECT_FALSE(folder) << "a folder read as a file";
        EXPECT_NE(folder.message().find(file.filename().string()), std::string::npos) << folder.message();
        fs::remove_all(file);

        test::writeText(file, r.good);
        std::string goodSeen;
        const Status good = r.read(state, file, goodSeen);
        ASSERT_TRUE(good) << good.message();
        ASSERT_NE(goodSeen, "");

        // Other line ends and a byte order mark read the same.
        for (const std::string& variant :
             {replaceAll(r.good, "\r\n", "\r"), replaceAll(r.good, "\r\n", "\n"), "\xEF\xBB\xBF" + r.good}) {
            test::writeText(file, variant);
            std::string seen;
            const Status st = r.read(state, file, seen);
            EXPECT_TRUE(st) << st.message();
            EXPECT_EQ(seen, goodSeen);
        }
        if (!r.latin1.empty()) {
            test::writeText(file, r.latin1);
            std::string seen;
            const Status st = r.read(state, file, seen);
            EXPECT_TRUE(st) << st.message();
            EXPECT_NE(seen.find('\xE9'), std::string::npos) << "Latin-1 text not kept byte for byte";
        }

        for (const Damage& d : r.damages) {
            SCOPED_TRACE(d.what);
            test::writeText(file, d.content);
            std::string seen;
            const Status st = r.read(state, file, seen);
            ASSERT_FALSE(st) << "damage read as sound";
            EXPECT_NE(st.message().find(file.string() + " line " + std::to_string(d.line) + ":"),
                      std::string::npos)
                << st.message();
            EXPECT_EQ(test::readFile(file), d.content) << "the reader changed its file";
            EXPECT_EQ(seen, sentinel) << "output changed on failure";
        }

        // An empty file reads as no records or is refused by name; a folder is refused by name.
        test::writeText(file, "");
        std::string seen;
        if (const Status st = r.read(state, file, seen); !st && st.message() != kNoRecordsForRallyDate) {
            EXPECT_NE(st.message().find(file.filename().string()), std::string::npos) << st.message();
        }
        fs::remove_all(file);
    }
}

} // namespace
} // namespace trakmora
