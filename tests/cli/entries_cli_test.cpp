#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {
using test::runCli;
using test::TempDir;
using test::writeText;

const char* const kHeader = "\"Comp No\",\"Name\",\"Year\",\"Vehicle\",\"Type\",\"Speed\",\"Score "
                            "Group\",\"Day 1\",\"Day 2\",\"Day 3\","
                            "\"Day 4\",\"Day 5\"\r\n";

TEST(EntriesCommand, LoadsChecksScoreGroupsAndCounts) {
    struct Case {
        const char* records; // after the header; null: no entry list at all
        int status;
        const char* output;
    };
    const Case cases[] = {
        {"1,\"A Smith\",1936,\"Riley\",\"Kestrel\",\"A\",\"A\",0,0,0,0,0\r\n"
         "2,\"B Jones\",1929,\"Austin\",\"Seven\",\"B\",\"D\",0,0,0,0,0\r\n",
         0, "2  Entries Loaded\n"},
        {"1,\"A Smith\",1936,\"Riley\",\"Kestrel\",\"A\",\"A\",0,0,0,0,0\r\n"
         "7,\"B Jones\",1929,\"Austin\",\"Seven\",\"B\",\"b\",0,0,0,0,0\r\n",
         1, "You have an incorrect Score Group assignment\nComp No 7 has the score group \"b\""},
        {"1,\"A Smith\",1936,\"Riley\",\"Kestrel\",\"A\",\"E\",0,0,0,0,0\r\n", 1,
         "You have an incorrect Score Group assignment"},
        {"x,\"A Smith\",1936,\"Riley\",\"Kestrel\",\"A\",\"A\",0,0,0,0,0\r\n", 1, "EntryList.csv"},
        {nullptr, 1, "No data to load"},
    };
    for (const auto& c : cases) {
        TempDir root;
        const std::string base = "--data-root '" + root.path().string() + "' ";
        std::string out;
        ASSERT_EQ(runCli(base + "new --name Run --short Run", out), 0) << out;
        if (c.records) writeText(root / "Run/EntryList/EntryList.csv", std::string(kHeader) + c.records);
        EXPECT_EQ(runCli(base + "--rally Run entries", out), c.status) << out;
        EXPECT_NE(out.find(c.output), std::string::npos) << out;
        if (c.status != 0) {
            EXPECT_EQ(out.find("Entries Loaded"), std::string::npos) << out;
        }
    }
}

} // namespace
} // namespace trakmora
