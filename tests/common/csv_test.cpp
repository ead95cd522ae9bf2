#include "common/Csv.h"
#include "common/Format.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

TEST(Csv, ReadsValuesInSequenceWhateverTheLineEnds) {
    struct Case {
        const char* name;
        std::string content;
        std::vector<std::vector<std::string>> expected;
    };
    const Case cases[] = {
        {"CR LF", "\"a\",1\r\n\"b\",2\r\n", {{"a", "1"}, {"b", "2"}}},
        {"LF only", "\"a\",1\n\"b\",2\n", {{"a", "1"}, {"b", "2"}}},
        {"CR only", "\"a\",1\r\"b\",2\r", {{"a", "1"}, {"b", "2"}}},
        {"no final line end", "x,y", {{"x", "y"}}},
        {"byte order mark", "\xEF\xBB\xBF\"Comp No\",1", {{"Comp No", "1"}}},
        {"blank lines skipped", "1\r\n\r\n   \r\n2\r\n", {{"1"}, {"2"}}},
        {"quoted comma kept", "\"Smith, J\",3", {{"Smith, J", "3"}}},
        {"unquoted trimmed", "  12 , abc  ", {{"12", "abc"}}},
        {"empty values", ",,", {{"", "", ""}}},
        {"unclosed quote runs to end", "\"abc", {{"abc"}}},
        {"text after closing quote dropped", "\"ab\"cd,2", {{"ab", "2"}}},
        {"doubled quotes are one quote", "\"Tom \"\"Speedy\"\" Tate\",1", {{"Tom \"Speedy\" Tate", "1"}}},
        {"empty quoted value", "\"\",2\r\n\"\"", {{"", "2"}, {""}}},
        {"a quote alone", "\"\"\"\",3", {{"\"", "3"}}},
        {"doubled quote at the end of the text", "\"say \"\"hi\"\"\",4", {{"say \"hi\"", "4"}}},
    };
    for (const auto& c : cases) {
        const CsvDocument doc = CsvDocument::parse(c.content, "f.csv");
        std::vector<std::vector<std::string>> got;
        for (const auto& r : doc.records()) {
            got.emplace_back();
            for (const auto& v : r.values)
                got.back().push_back(v.text);
        }
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(Csv, LineNumbersCountBlankLines) {
    const CsvDocument doc = CsvDocument::parse("1\r\n\r\nabc\r\n", "x.csv");
    ASSERT_EQ(doc.records().size(), 2u);
    double d = 0;
    const Status st = doc.number(doc.records()[1], 0, d);
    EXPECT_EQ(st.message(), "x.csv line 3: value 1 \"abc\" is not a number");
}

TEST(Csv, CursorCrossesLinesAndReportsMissingValues) {
    const CsvDocument doc = CsvDocument::parse("\"n\",1\r\n2,\r\n", "c.csv");
    CsvCursor in(doc);
    std::string s;
    double a = -1, b = -1, c = -1, d = -1;
    ASSERT_TRUE(in.text(s));
    ASSERT_TRUE(in.number(a));
    ASSERT_TRUE(in.number(b));
    ASSERT_TRUE(in.number(c)); // empty number reads 0
    EXPECT_EQ(s, "n");
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(c, 0);
    const Status st = in.number(d);
    EXPECT_FALSE(st);
    EXPECT_EQ(st.message(), "c.csv line 2: a value is missing");
}

TEST(Csv, ParsesNumbersStrictly) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {{"42181", true, 42181}, {"-12.5", true, -12.5}, {"+3", true, 3},
                          {"", true, 0},          {" 7 ", true, 7},       {"1e3", true, 1000},
                          {"12a", false, 0},      {"nan", false, 0},      {"inf", false, 0},
                          {"-", false, 0},        {"1,5", false, 0},      {"0x10", false, 0}};
    for (const auto& c : cases) {
        double v = -999;
        EXPECT_EQ(parseNumber(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(Csv, WriterQuotesTextAndWritesPlainNumbers) {
    CsvWriter w;
    w.text("Spring Run").number(42181).number(0.5).number(-12).number(1.0 / 6).number(-0.0);
    w.endRecord().text("say \"hi\"").number(1e21).number(1e-7).endRecord();
    EXPECT_EQ(w.str(), "\"Spring Run\",42181,0.5,-12,0.16666666666666666,0\r\n"
                       "\"say 'hi'\",1000000000000000000000,0.0000001\r\n");
}

TEST(Csv, TextAsTypedKeepsEveryCharacterThroughTheReader) {
    const std::string typed = "He said \"no\", twice \"\"\r\nthen left; 50% \xC3\xA9";
    CsvWriter w;
    w.textAsTyped(typed).textAsTyped("").number(1).endRecord();
    EXPECT_EQ(w.str().substr(0, 17), "\"He said \"\"no\"\", ");
    const CsvDocument doc = CsvDocument::parse(w.str(), "typed.csv");
    ASSERT_EQ(doc.records().size(), 1u);
    ASSERT_EQ(doc.records()[0].size(), 3u);
    EXPECT_EQ(doc.records()[0].values[0].text, typed);
    EXPECT_EQ(doc.records()[0].values[1].text, "");
}

TEST(Csv, WrittenNumbersReadBackExactly) {
    const double values[] = {0.1, 1.0 / 3, 35993.333333333336, 123456789.123, 5e-324, 1.7976931348623157e308};
    for (double v : values) {
        CsvWriter w;
        w.number(v);
        double back = 0;
        ASSERT_TRUE(parseNumber(w.str(), back)) << w.str();
        EXPECT_EQ(back, v) << w.str();
    }
}

} // namespace
} // namespace trakmora

namespace trakmora {
namespace {

TEST(Csv, RecordReaderReadsLikeTheDocumentWhileReusingOneRecord) {
    const std::string content = "\xEF\xBB\xBF"
                                "a,b,c,d,e\r\n\r\n1,\"two\r\nlines\",3\n  \nx\r\"q\",,\r\nlast,";
    const CsvDocument doc = CsvDocument::parse(content, "r.csv");
    CsvRecordReader reader(content);
    CsvRecord record;
    std::size_t n = 0;
    while (reader.next(record)) {
        ASSERT_LT(n, doc.records().size());
        const CsvRecord& want = doc.records()[n++];
        EXPECT_EQ(record.line, want.line) << n;
        ASSERT_EQ(record.size(), want.size()) << n;
        for (std::size_t v = 0; v < want.size(); ++v) {
            EXPECT_EQ(record.values[v].text, want.values[v].text) << n << ":" << v;
            EXPECT_EQ(record.values[v].quoted, want.values[v].quoted) << n << ":" << v;
            EXPECT_EQ(record.values[v].line, want.values[v].line) << n << ":" << v;
        }
    }
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(doc.records()[1].line, 3);
    EXPECT_EQ(doc.records()[2].line, 6); // after the two-line quoted value and a blank line
    EXPECT_EQ(doc.records()[4].values.size(), 2u);
}

// Read in place, each value is a view of the text, or of the reader's copy where doubled quotes
// became one; several such values in one record, and records after them, still read right.
TEST(Csv, ValuesReadInPlaceAreTheValuesTheDocumentHolds) {
    const std::string content = "a, \"say \"\"hi\"\"\" ,\"\"\"\"\"\",\"x\r\n\"\"y\"\"\"\r\n"
                                "\r\n  1 ,\"\",, \"\"\"\"\"\"\"\"\"\" \r\"unclosed \"\"q";
    const CsvDocument doc = CsvDocument::parse(content, "v.csv");
    ASSERT_EQ(doc.records().size(), 3u);
    EXPECT_EQ(doc.records()[0].values[1].text, "say \"hi\"");
    EXPECT_EQ(doc.records()[0].values[2].text, "\"\"");
    EXPECT_EQ(doc.records()[0].values[3].text, "x\r\n\"y\"");
    EXPECT_EQ(doc.records()[1].values[3].text, "\"\"\"\"");
    EXPECT_EQ(doc.records()[2].values[0].text, "unclosed \"q");
    CsvRecordReader reader(content);
    CsvFields fields;
    for (const CsvRecord& want : doc.records()) {
        ASSERT_TRUE(reader.next(fields));
        EXPECT_EQ(fields.line, want.line);
        ASSERT_EQ(fields.size(), want.size()) << want.line;
        for (std::size_t v = 0; v < want.size(); ++v) {
            EXPECT_EQ(fields.values[v].text, want.values[v].text) << want.line << ":" << v;
            EXPECT_EQ(fields.values[v].quoted, want.values[v].quoted) << want.line << ":" << v;
            EXPECT_EQ(fields.values[v].line, want.values[v].line) << want.line << ":" << v;
        }
    }
    EXPECT_FALSE(reader.next(fields));
}

} // namespace
} // namespace trakmora
