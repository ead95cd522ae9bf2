#include "tracking/TrackImport.h"
#include "tracking/TrackingFiles.h"
#include "tracking/loggers/LoggerTable.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::TrackingFixture;
using test::writeText;

class Import : public TrackingFixture {};

// One record of a layout, cut with the layout's reader.
Status readOne(char letter, const std::string& line, LoggedRecord& out) {
    const CsvDocument doc = CsvDocument::forFile("d.csv");
    CsvRecordReader reader(line);
    CsvFields record;
    reader.next(record);
    const LoggerLayout* layout = findLoggerLayout(letter);
    if (auto st = doc.expectValues(record, layout->columns); !st) return st;
    return layout->read(doc, record, out);
}

TEST(LoggerLayouts, DatesAndTimesAreCutAsEachLoggerWritesThem) {
    struct Case {
        char letter;
        const char* line;
        int year, month, day;
        double seconds; // before the offset
    };
    const Case cases[] = {
        {'h', "5,5,T,SPS,2015/06/26,7:05:09,41.8,N,12.6,E,1,2", 2015, 6, 26, 25509},
        {'H', "5,5,T,SPS,2015/6/6,07:05:09.000,41.8,N,12.6,E,1,2", 2015, 6, 6, 25509},
        {'c', "5,T,SPS,2015/06/26,07:05:09,41.8,N,12.6,E,1,2", 2015, 6, 26, 25509},
        {'e', "5,T,2015/06/26,06:00:00,SPS,41.8,N,12.6,E,a,b,c,d,e", 2015, 6, 26, 28800},
        {'x', "5,41.8,12.6,\"2015-06-26T07:05:09\"", 2015, 6, 26, 25509},
        {'X', "5,41.8,12.6,2015-06-26T23:59:59.250Z", 2015, 6, 26, 86399},
    };
    for (const Case& c : cases) {
        LoggedRecord r;
        const Status st = readOne(c.letter, c.line, r);
        ASSERT_TRUE(st) << c.line << ": " << st.message();
        EXPECT_EQ(r.fixNo, 5) << c.line;
        EXPECT_EQ(r.lat, 41.8) << c.line;
        EXPECT_EQ(r.lon, 12.6) << c.line;
        EXPECT_EQ(r.year, c.year) << c.line;
        EXPECT_EQ(r.month, c.month) << c.line;
        EXPECT_EQ(r.day, c.day) << c.line;
        EXPECT_EQ(r.seconds, c.seconds) << c.line;
    }
}

TEST(LoggerLayouts, MalformedUsedValuesNameFileLineAndValue) {
    struct Case {
        char letter;
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {'h', "5,5,T,SPS,2015-06-26,7:05:09,41.8,N,12.6,E,1,2",
         "d.csv line 1: value 5 \"2015-06-26\" is not a date"},
        {'h', "5,5,T,SPS,2015/06/26,7h05,41.8,N,12.6,E,1,2", "d.csv line 1: value 6 \"7h05\" is not a time"},
        {'c', "5,T,SPS,2015/06/26,7:05:09,41.8,N,12.6,E,1,2",
         "d.csv line 1: value 5 \"7:05:09\" is not a time"},
        {'e', "5,T,2015/06/26,06:00:00,SPS,north,N,12.6,E,a,b,c,d,e",
         "d.csv line 1: value 6 \"north\" is not a number"},
        {'x', "5,41.8,12.6,26/06/2015 07:05:09",
         "d.csv line 1: value 4 \"26/06/2015 07:05:09\" is not a time stamp"},
        {'c', "5,T,SPS,2015/06/26,07:05:09,41.8,N,12.6", "d.csv line 1: expected 11 values, found 8"},
    };
    for (const Case& c : cases) {
        LoggedRecord r;
        const Status st = readOne(c.letter, c.line, r);
        ASSERT_FALSE(st) << c.line;
        EXPECT_EQ(st.message().rfind(c.message, 0), 0u) << st.message();
    }
}

TEST_F(Import, KeepsTheRallyDayAppliesOffsetsAndMovesTheDownloadToBak) {
    state.config.holuxOffset = 1;
    writeText(logFile("h1012.csv"), "INDEX,FIX,RCR,VALID,DATE,TIME,LAT,N/S,LON,E/W,H,S\r\n"
                                    "1,1,T,S,2015/06/25,23:59:59,1.5,N,2.5,E,0,0\r\n" // day before
                                    "2,2,T,S,2015/06/26,0:00:00,1.5,N,2.5,E,0,0\r\n"  // below the offset
                                    "3,3,T,S,2015/06/26,0:00:01,1.5,N,2.5,E,0,0\r\n"  // equal to it
                                    "4,4,T,S,2015/06/26,7:05:09,-33.25,S,151.5,E,0,0\r\n"
                                    "5,5,T,S,2015/06/27,0:00:09,1.5,N,2.5,E,0,0\r\n"); // day after
    ImportResult result;
    const Status st = importDownload(state, 1, "h1012.csv", result);
    ASSERT_TRUE(st) << st.message();
    EXPECT_EQ(result.clFileName, "CL1012.csv");
    EXPECT_EQ(result.recordsRead, 5);
    EXPECT_EQ(result.fixesKept, 3);
    EXPECT_EQ(readFile(logFile("CL1012.csv")), "2,1.5,2.5,0\r\n3,1.5,2.5,0\r\n4,-33.25,151.5,25508\r\n");
    EXPECT_FALSE(fs::exists(logFile("h1012.csv")));
    EXPECT_TRUE(fs::exists(bakFile("h1012.csv")));
    const CompetitorFiles listed = listCompetitorFiles(state, 1);
    EXPECT_EQ(listed.clFiles, std::vector<std::string>{"CL1012.csv"});
    EXPECT_TRUE(listed.downloads.empty());
}

TEST_F(Import, AnEarlierDifferentBackupOfTheSameNameIsKept) {
    const auto download = [](const char* time) {
        return std::string("Fix,Lat,Lon,Time\r\n1,1,2,2015-06-26T") + time + "\r\n";
    };
    struct Step {
        const char* time;        // of the download put into CompetitorsLog
        const char* earlierKept; // expected name of the earlier backup, or ""
    };
    const Step steps[] = {
        {"08:00:00", ""}, {"09:00:00", "x1001-1.csv"}, {"09:00:00", ""}, {"10:00:00", "x1001-2.csv"}};
    for (const Step& step : steps) {
        writeText(logFile("x1001.csv"), download(step.time));
        ImportResult result;
        ASSERT_TRUE(importDownload(state, 1, "x1001.csv", result)) << step.time;
        EXPECT_EQ(result.earlierBackup, step.earlierKept) << step.time;
        EXPECT_EQ(readFile(bakFile("x1001.csv")), download(step.time));
    }
    EXPECT_EQ(readFile(bakFile("x1001-1.csv")), download("08:00:00"));
    EXPECT_EQ(readFile(bakFile("x1001-2.csv")), download("09:00:00"));
    EXPECT_FALSE(fs::exists(bakFile("x1001-3.csv")));
}

TEST_F(Import, ScoringADayAgainPutsItsDownloadsBackFromBak) {
    fs::create_directories(bakFile("x").parent_path());
    for (const char* name : {"h1001.csv", "h1001-1.csv", "c1002-2.csv", "E1003.csv", "x2004.csv", "notes.txt",
                             "x1005.csv", "c1005.csv"})
        writeText(bakFile(name), std::string("backup of ") + name);
    // Competitor 5 was imported from c1005.csv, later from the spare logger's x1005.csv.
    fs::last_write_time(bakFile("c1005.csv"),
                        fs::last_write_time(bakFile("x1005.csv")) - std::chrono::hours(1));
    writeText(logFile("E1003.csv"), "waiting");
    std::vector<std::string> restored;
    ASSERT_TRUE(restoreDownloads(state, 1, restored));
    // h1001-1.csv is the earlier copy kept beside h1001.csv; c1002-2.csv has no such partner and
    // is a download in its own right; E1003.csv is already waiting; x2004.csv is of day 2.
    EXPECT_EQ(restored, (std::vector<std::string>{"h1001.csv", "c1002-2.csv", "x1005.csv"}));
    EXPECT_EQ(readFile(logFile("h1001.csv")), "backup of h1001.csv");
    EXPECT_EQ(readFile(logFile("E1003.csv")), "waiting");
    EXPECT_FALSE(fs::exists(logFile("h1001-1.csv")));
    EXPECT_TRUE(fs::exists(bakFile("h1001.csv"))) << "the backup stays";
    EXPECT_EQ(listCompetitorFiles(state, 1).downloads,
              (std::vector<std::string>{"h1001.csv", "c1002-2.csv", "E1003.csv", "x1005.csv"}));
}

TEST_F(Import, NegativeOffsetAddsItsSizeEvenPastMidnight) {
    state.config.lumoOffset = -7200;
    writeText(logFile("x1001.csv"),
              "Fix,Lat,Lon,Time\r\n1,1,2,2015-06-26T23:00:00\r\n2,1,2,2015-06-26T00:00:00\r\n");
    ImportResult result;
    ASSERT_TRUE(importDownload(state, 1, "x1001.csv", result));
    EXPECT_EQ(readFile(logFile("CL1001.csv")), "1,1,2,90000\r\n2,1,2,7200\r\n");
}

TEST_F(Import, EasyLoggerKeepsEveryFifthRecordCountedFromTheFirstOfTheFile) {
    state.config.easyLoggerOffset = 0;
    std::string text = "header\r\n";
    // Records 1-3 are of the day before; 4-14 of the rally day: records 6 and 11 remain.
    for (int i = 1; i <= 14; ++i)
        text += std::to_string(i) + ",T," + (i <= 3 ? "2015/06/25" : "2015/06/26") +
                ",06:00:" + (i < 10 ? "0" : "") + std::to_string(i) + ",V,1,N,2,E,a,b,c,d,e\r\n";
    writeText(logFile("e1003.csv"), text);
    ImportResult result;
    ASSERT_TRUE(importDownload(state, 1, "e1003.csv", result));
    EXPECT_EQ(readFile(logFile("CL1003.csv")), "6,1,2,28806\r\n11,1,2,28811\r\n");

    // Twelve records all of the rally day: 1, 6 and 11.
    text = "header\r\n";
    for (int i = 1; i <= 12; ++i)
        text += std::to_string(i) + ",T,2015/06/26,05:00:00,V,1,N,2,E,a,b,c,d,e\r\n";
    writeText(logFile("e1004.csv"), text);
    ASSERT_TRUE(importDownload(state, 1, "e1004.csv", result));
    EXPECT_EQ(readFile(logFile("CL1004.csv")), "1,1,2,25200\r\n6,1,2,25200\r\n11,1,2,25200\r\n");
}

TEST_F(Import, LumoConvertsItsLastCompleteRecordAndIgnoresACutOne) {
    const std::string records =
        "Fix,Lat,Lon,Time\r\n1,1,2,2015-06-26T10:00:00\r\n2,1,2,2015-06-26T10:00:01\r\n"
        "3,1,2,2015-06-26T10:00:02\r\n";
    const std::string expected = "1,1,2,35999\r\n2,1,2,36000\r\n3,1,2,36001\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {records, expected},
        {records + "\r\n", expected},
        {records + "4,1,2,2015-06-2", expected},
        {records + "4,1", expected},
    };
    for (const auto& [text, want] : cases) {
        writeText(logFile("x1009.csv"), text);
        ImportResult result;
        const Status st = importDownload(state, 1, "x1009.csv", result);
        ASSERT_TRUE(st) << st.message();
        EXPECT_EQ(readFile(logFile("CL1009.csv")), want) << text;
    }
    // A cut line with complete lines after it is a malformed record, not a cut export.
    writeText(logFile("x1009.csv"), records + "4,1,2,2015-06-2\r\n5,1,2,2015-06-26T10:00:04\r\n");
    ImportResult result;
    const Status st = importDownload(state, 1, "x1009.csv", result);
    EXPECT_EQ(st.message(),
              logFile("x1009.csv").string() +
                  " line 5: value 4 \"2015-06-2\" is not a time stamp written yyyy-mm-ddThh:mm:ss");
}

TEST_F(Import, RefusedDownloadsLeaveNoCompetitorLogAndStayWhereTheyAre) {
    std::string tooMany = "header\r\n";
    for (int i = 1; i <= 100001; ++i)
        tooMany += "1,1,2,2015-06-26T10:00:00\r\n";
    struct Case {
        const char* name;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"c1020.csv", "h\r\n1,T,S,2015/06/25,07:00:00,1,N,2,E,0,0\r\n", kNoRecordsForRallyDate},
        {"c1021.csv",
         "h\r\n1,T,S,2015/06/26,07:00:00,1,N,2,E,0,0\r\n2,T,S,2015/06/26,7:00:01,1,N,2,E,0,0\r\n",
         logFile("c1021.csv").string() + " line 3: value 5 \"7:00:01\" is not a time written hh:mm:ss"},
        {"x1022.csv", tooMany,
         logFile("x1022.csv").string() + " line 100002: more than 100,000 records; a download holds at most "
                                         "100,000 fixes"},
        {"h1023.csv", "only a header\r\n", kNoRecordsForRallyDate},
    };
    for (const Case& c : cases) {
        writeText(logFile(c.name), c.text);
        writeText(logFile(clFileNameFor(c.name)), "left from an earlier import\r\n");
        ImportResult result;
        const Status st = importDownload(state, 1, c.name, result);
        ASSERT_FALSE(st) << c.name;
        EXPECT_EQ(st.message(), c.message);
        EXPECT_FALSE(fs::exists(logFile(clFileNameFor(c.name)))) << c.name;
        EXPECT_TRUE(fs::exists(logFile(c.name))) << c.name;
        EXPECT_FALSE(fs::exists(bakFile(c.name))) << c.name;
    }
}

TEST_F(Import, MissingDownloadSaysWhichFileAndChangesNothing) {
    writeText(logFile("CL1030.csv"), "1,1,2,3\r\n");
    ImportResult result;
    const Status st = importDownload(state, 1, "h1030.csv", result);
    ASSERT_FALSE(st);
    EXPECT_EQ(st.message(), "Download file not found: " + logFile("h1030.csv").string());
    EXPECT_EQ(readFile(logFile("CL1030.csv")), "1,1,2,3\r\n");
    EXPECT_FALSE(importDownload(state, 1, "q1030.csv", result));
    // A download of another day is not imported with this day's date.
    test::writeText(logFile("h2030.csv"), "header\r\n1,1,T,S,2015/06/26,7:00:00,1,N,2,E,0,0\r\n");
    const Status otherDay = importDownload(state, 1, "h2030.csv", result);
    EXPECT_EQ(otherDay.message(), "h2030.csv is not a file of day 1");
    EXPECT_FALSE(fs::exists(logFile("CL2030.csv")));
}

TEST_F(Import, ListsCompetitorLogsThenDownloadsByLetterOfTheDay) {
    for (const char* name : {"x1002.csv",  "h1012.csv",  "H1001.csv",  "c1005.csv",       "E1007.csv",
                             "cl1004.csv", "CL1003.csv", "CL2003.csv", "h2012.csv",       "h1012.txt",
                             "q1001.csv",  "h10.csv",    "n1009.LOG",  "G1008-phone.GPX", "n1006.nmea",
                             "N1010.nma",  "g1011.csv",  "n1013.txt",  "g1014.gpx.bak",   "x1015.gpx"})
        writeText(logFile(name), "");
    const CompetitorFiles day1 = listCompetitorFiles(state, 1);
    EXPECT_EQ(day1.clFiles, (std::vector<std::string>{"CL1003.csv", "cl1004.csv"}));
    EXPECT_EQ(day1.downloads, (std::vector<std::string>{"H1001.csv", "h10.csv", "h1012.csv", "c1005.csv",
                                                        "E1007.csv", "x1002.csv", "G1008-phone.GPX",
                                                        "N1010.nma", "n1006.nmea", "n1009.LOG"}));
    EXPECT_EQ(clFileNameFor("G1008-phone.GPX"), "CL1008-phone.csv");
    EXPECT_EQ(clFileNameFor("n1009.LOG"), "CL1009.csv");
    EXPECT_EQ(clFileNameFor("h1012.csv"), "CL1012.csv");
    const CompetitorFiles day2 = listCompetitorFiles(state, 2);
    EXPECT_EQ(day2.clFiles, std::vector<std::string>{"CL2003.csv"});
    EXPECT_EQ(day2.downloads, std::vector<std::string>{"h2012.csv"});
}

} // namespace
} // namespace trakmora
