#include "results/PublishResults.h"
#include "results/ResultsPage.h"
#include "results/ResultsRally.h"

#include <gtest/gtest.h>

#include <map>

namespace trakmora {
namespace {
namespace fs = std::filesystem;
using test::readFile;
using test::ResultsRally;

std::string unescape(std::string s) {
    const std::pair<const char*, const char*> refs[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : refs)
        for (std::size_t p = 0; (p = s.find(from, p)) != std::string::npos; p += std::string(to).size())
            s.replace(p, std::string(from).size(), to);
    return s;
}

// The tables of a page: per <h2> title, its rows (header row first), each cell's text unescaped.
// With `strict`, fails the test on a cell that holds a markup character: every text must have
// been escaped (a browser's own serialisation leaves quotes as they are).
std::map<std::string, std::vector<std::vector<std::string>>> tablesOf(const std::string& html,
                                                                      bool strict = true) {
    std::map<std::string, std::vector<std::vector<std::string>>> out;
    std::string title;
    for (std::size_t p = 0; p < html.size();) {
        const std::size_t h2 = html.find("<h2>", p), tr = html.find("<tr>", p);
        if (h2 == std::string::npos && tr == std::string::npos) break;
        if (h2 < tr) {
            const std::size_t end = html.find("</h2>", h2);
            title = unescape(html.substr(h2 + 4, end - h2 - 4));
            p = end;
            continue;
        }
        const std::size_t end = html.find("</tr>", tr);
        const std::string row = html.substr(tr + 4, end - tr - 4);
        std::vector<std::string> cells;
        for (std::size_t c = 0; (c = row.find("<t", c)) != std::string::npos;) {
            const std::size_t open = row.find('>', c) + 1;
            const std::size_t close = row.find("</t", open);
            const std::string text = row.substr(open, close - open);
            if (strict) {
                EXPECT_EQ(text.find_first_of("<>\"'"), std::string::npos) << text;
            }
            cells.push_back(unescape(text));
            c = close + 3;
        }
        out[title].push_back(cells);
        p = end;
    }
    return out;
}

std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (e.is_regular_file()) files[e.path().lexically_relative(folder).string()] = readFile(e.path());
    return files;
}

TEST(ResultsPage, EscapesEveryMarkupCharacter) {
    const std::pair<std::string, std::string> cases[] = {
        {"Smith & Sons", "Smith &amp; Sons"},
        {"<b>Ed</b>", "&lt;b&gt;Ed&lt;/b&gt;"},
        {"O'Neil \"Jr\"", "O&#39;Neil &quot;Jr&quot;"},
        {"&amp;", "&amp;amp;"},
        {"Zoë", "Zoë"},
        {"Zo\xEB & Ren\xE9"
         "e",
         "Zoë &amp; Renée"}, // Windows-1252 from a spreadsheet program
    };
    for (const auto& [text, escaped] : cases)
        EXPECT_EQ(htmlEscape(text), escaped);
}

// The rules of the page's style sheet: per at-rule ("" at top level, "@media print", ...) and
// selector, each declaration.
struct CssRule {
    std::string media, selector;
    std::map<std::string, std::string> decls;
};

std::string trimmed(std::string_view s) {
    const std::size_t b = s.find_first_not_of(" \n"), e = s.find_last_not_of(" \n");
    return b == std::string_view::npos ? std::string() : std::string(s.substr(b, e - b + 1));
}

void parseCss(std::string_view css, const std::string& media, std::vector<CssRule>& out) {
    for (std::size_t p = 0, open; (open = css.find('{', p)) != std::string_view::npos;) {
        std::size_t close = open + 1;
        for (int depth = 1; depth > 0 && close < css.size(); ++close)
            depth += css[close] == '{' ? 1 : css[close] == '}' ? -1 : 0;
        const std::string prelude = trimmed(css.substr(p, open - p));
        const std::string_view body = css.substr(open + 1, close - open - 2);
        p = close;
        if (prelude.rfind("@media", 0) == 0) {
            parseCss(body, prelude, out);
            continue;
        }
        CssRule rule{media, "", {}};
        for (std::size_t d = 0; d < body.size();) {
            const std::size_t end = std::min(body.find(';', d), body.size());
            const std::string decl(body.substr(d, end - d));
            if (const std::size_t colon = decl.find(':'); colon != std::string::npos)
                rule.decls[trimmed(decl.substr(0, colon))] = trimmed(decl.substr(colon + 1));
            d = end + 1;
        }
        for (std::size_t s = 0; s <= prelude.size();) {
            const std::size_t comma = std::min(prelude.find(',', s), prelude.size());
            rule.selector = trimmed(prelude.substr(s, comma - s));
            out.push_back(rule);
            s = comma + 1;
        }
    }
}

// The value the last rule for `selector` under `media` gives `property`, "" when none does.
std::string cssValue(const std::string& html, const std::string& media, const std::string& selector,
                     const std::string& property) {
    const std::size_t open = html.find("<style>") + 7;
    std::vector<CssRule> rules;
    parseCss(std::string_view(html).substr(open, html.find("</style>") - open), "", rules);
    std::string value;
    for (const CssRule& r : rules)
        if (r.media == media && r.selector == selector && r.decls.count(property))
            value = r.decls.at(property);
    return value;
}

// Per row of the page's tables (header row included), the classes of each cell.
std::vector<std::vector<std::string>> cellClasses(const std::string& html) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t tr = 0; (tr = html.find("<tr>", tr)) != std::string::npos;) {
        const std::size_t end = html.find("</tr>", tr);
        rows.emplace_back();
        for (std::size_t c = tr; (c = html.find("<t", c + 1)) < end;) {
            const std::size_t tagEnd = html.find('>', c), cls = html.find("class=\"", c);
            rows.back().push_back(cls < tagEnd ? html.substr(cls + 7, html.find('"', cls + 7) - cls - 7)
                                               : "");
        }
        tr = end;
    }
    return rows;
}

bool hasClass(const std::string& classes, const std::string& name) {
    return (" " + classes + " ").find(" " + name + " ") != std::string::npos;
}

// On a phone the position, number, name and ranking column stay in view while the rest scrolls:
// those cells, and only those, carry the classes the sticky rules place. On paper each group
// starts a page on A4 and repeats its heading row.
TEST(ResultsPage, KeyColumnsStayInViewAndPagesPrint) {
    const auto dayHeadings = [](int controls) {
        std::vector<std::string> h{"Pos", "No", "Name", "Total"};
        for (int c = 1; c <= controls; ++c)
            h.push_back("CP" + std::to_string(c));
        return h;
    };
    struct Case {
        std::vector<std::string> headings;
        std::size_t rankColumn;
        const char* rankClass; // how the ranking column is placed
        bool landscape;        // too wide for portrait A4
    };
    const Case cases[] = {
        {dayHeadings(2), 3, "rank", false},
        {{"Pos", "No", "Name", "Day 1", "Day 2", "Final"}, 5, "end", false},
        {dayHeadings(20), 3, "rank", false},
        {dayHeadings(21), 3, "rank", true},
        {dayHeadings(40), 3, "rank", true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.headings.size());
        ResultsPageContent content{"Spring", "Final positions", "Published", false, {}};
        std::vector<std::string> row{"1", "7", "A Long Name / Another Long Name"};
        row.resize(k.headings.size(), "5");
        for (const char* group : {"Pre-war", "Post-war"})
            content.tables.push_back({group, k.headings, {row}, 3, k.rankColumn});
        const std::string html = resultsPageHtml(content);
        EXPECT_EQ(html.find("<body class=\"wide\">") != std::string::npos, k.landscape);
        const auto rows = cellClasses(html);
        ASSERT_EQ(rows.size(), 4u);
        for (const auto& cells : rows) {
            ASSERT_EQ(cells.size(), k.headings.size());
            for (std::size_t c = 0; c < cells.size(); ++c) {
                SCOPED_TRACE(k.headings[c]);
                const std::string place = c < 3               ? std::string(c == 0   ? "pos"
                                                                            : c == 1 ? "no"
                                                                                     : "name")
                                          : c == k.rankColumn ? k.rankClass
                                                              : "";
                EXPECT_EQ(hasClass(cells[c], "pin"), !place.empty()) << cells[c];
                if (place.empty()) continue;
                EXPECT_TRUE(hasClass(cells[c], place)) << cells[c];
                EXPECT_NE(cssValue(html, "", "." + place, place == "end" ? "right" : "left"), "");
            }
        }

        const std::tuple<const char*, const char*, const char*, const char*> rules[] = {
            {"", ".pin", "position", "sticky"},
            {"", ".name", "white-space", "normal"},
            {"", ".name", "overflow-wrap", "anywhere"},
            {"@media print", "@page", "size", "A4"},
            {"@media print", "section+section", "break-before", "page"},
            {"@media print", "thead", "display", "table-header-group"},
            {"@media print", ".banner", "break-inside", "avoid"},
            {"@media print", ".pin", "position", "static"},
            {"@media print", "@page wide", "size", "A4 landscape"},
            {"@media print", "body.wide", "page", "wide"},
        };
        for (const auto& [media, selector, property, value] : rules)
            EXPECT_EQ(cssValue(html, media, selector, property), value) << media << ' ' << selector;
    }
}

class Publish : public ::testing::Test {
protected:
    Publish() {
        r.copyInput("results_cli");
        r.writeEntries({{1, "Ann & <Co>", "A"},
                        {2, "Bob", "A"},
                        {3, "Cy O'Neil", "A"},
                        {11, "Di", "B"},
                        {12, "Ed", "B"}});
        for (const char* step : {"day --day 1 --non-finisher 12", "--yes results --day 1",
                                 "day --day 2 --scrap 2", "--yes results --day 2", "final"}) {
            std::string out;
            EXPECT_EQ(test::runCli(rally + step, out), 0) << step << '\n' << out;
        }
    }
    ResultsRally r{2};
    const std::string rally = "--data-root '" + r.root.path().string() + "' --rally Spring ";
    const fs::path rallyFolder = r.state.paths.rallyFolder("Spring");
};

TEST_F(Publish, DayPageHoldsPositionsAndControlScoresAndChangesNothing) {
    const auto before = snapshot(rallyFolder);
    const fs::path out = r.root / "web";
    std::string output;
    ASSERT_EQ(test::runCli(rally + "publish --day 1 --out '" + out.string() + "'", output), 0) << output;
    EXPECT_EQ(output, "Provisional results written to " + (out / "Day1.html").string() + "\n");
    EXPECT_EQ(snapshot(rallyFolder), before) << "publishing rewrote a file of the rally";

    const std::string html = readFile(out / "Day1.html");
    EXPECT_NE(html.find("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
              std::string::npos);
    EXPECT_NE(html.find("<p class=\"banner provisional\">Provisional</p>"), std::string::npos);
    for (const char* outside : {"<script", "<link", "src=", "http:", "https:", "@import"})
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    using Rows = std::vector<std::vector<std::string>>;
    const auto tables = tablesOf(html);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables.at("Score Group A"), (Rows{{"Pos", "No", "Name", "Total", "CP1", "CP2", "CP3"},
                                                {"1", "2", "Bob", "9", "3", "3", "-3"},
                                                {"2", "1", "Ann & <Co>", "15", "10", "-5", "0"},
                                                {"3", "3", "Cy O'Neil", "20", "0", "0", "20"}}));
    EXPECT_EQ(tables.at("Score Group B"), (Rows{{"Pos", "No", "Name", "Total", "CP1", "CP2", "CP3"},
                                                {"NF", "12", "Ed", "3", "1", "1", "1"},
                                                {"1", "11", "Di", "12.5", "6", "6", "0.5"}}));
}

TEST_F(Publish, FinalPageOfficialAndUsage) {
    const fs::path out = r.root / "web";
    std::string output;
    ASSERT_EQ(test::runCli(rally + "publish --final --official --out '" + out.string() + "'", output), 0)
        << output;
    const std::string html = readFile(out / "Final.html");
    EXPECT_NE(html.find("<p class=\"banner official\">Official</p>"), std::string::npos);
    EXPECT_EQ(html.find("Provisional"), std::string::npos);
    using Rows = std::vector<std::vector<std::string>>;
    const auto tables = tablesOf(html);
    EXPECT_EQ(tables.at("Score Group A"), (Rows{{"Pos", "No", "Name", "Day 1", "Day 2", "Final"},
                                                {"1", "2", "Bob", "9", "2", "11"},
                                                {"NF", "3", "Cy O'Neil", "20", "0", "20"},
                                                {"2", "1", "Ann & <Co>", "15", "8", "23"}}));
    EXPECT_EQ(tables.at("Score Group B").size(), 3u);

    EXPECT_EQ(test::runCli(rally + "publish --out '" + out.string() + "'", output), 2) << output;
    EXPECT_EQ(test::runCli(rally + "publish --day 1 --final --out '" + out.string() + "'", output), 2)
        << output;
    EXPECT_EQ(test::runCli(rally + "publish --day 3 --out '" + out.string() + "'", output), 1) << output;
    EXPECT_NE(output.find("FinalMatrix3.csv is missing"), std::string::npos) << output;
}

// A control scrapped after the positions were printed: no page shows the totals of before.
TEST_F(Publish, PagesOfTotalsThatChangedSinceAreRefused) {
    const fs::path out = r.root / "web";
    std::string output;
    ASSERT_EQ(test::runCli(rally + "day --day 2 --scrap 1", output), 0) << output;
    struct Step {
        const char* command;
        int status;
        const char* says; // part of the output
    };
    const Step steps[] = {
        {"publish --day 2", 1, "The day positions of day 2 do not match the R files any more (competitor "},
        {"publish --final", 1, "The final results do not match the R files any more"},
        {"publish --day 1", 0, "Day1.html"},
        {"publish --day 2", 1,
         "build the day and its positions again first (day --day 2, then results --day 2)"},
        {"--yes results --day 2", 0, "Day 2 positions"},
        {"publish --day 2", 0, "Day2.html"},
        {"publish --final", 1, "The final results do not match"},
        {"final", 0, "Final positions"},
        {"publish --final", 0, "Final.html"},
    };
    for (const Step& step : steps) {
        const std::string args =
            std::string(step.command) + (std::string(step.command).rfind("publish", 0) == 0
                                             ? " --out '" + out.string() + "'"
                                             : std::string());
        EXPECT_EQ(test::runCli(rally + args, output), step.status) << step.command << '\n' << output;
        EXPECT_NE(output.find(step.says), std::string::npos) << step.command << '\n' << output;
    }
    // A competitor scored again: the R file changes, the day score file and positions do not.
    r.writeScores(1, 2, {4, 4, 4});
    EXPECT_EQ(test::runCli(rally + "publish --day 1 --out '" + out.string() + "'", output), 1) << output;
    EXPECT_NE(output.find("(competitor 2: 9 there, 12 now)"), std::string::npos) << output;
}

// The page as a browser builds it: the table text is there once the document is parsed.
TEST_F(Publish, ChromiumReadsTheTables) {
    if (!fs::exists("/usr/bin/chromium")) GTEST_SKIP() << "no /usr/bin/chromium";
    const fs::path out = r.root / "web";
    std::string output;
    ASSERT_EQ(test::runCli(rally + "publish --day 1 --out '" + out.string() + "'", output), 0) << output;
    const std::string command = "/usr/bin/chromium --headless --no-sandbox --disable-gpu --user-data-dir='" +
                                (r.root / "profile").string() + "' --dump-dom 'file://" +
                                (out / "Day1.html").string() + "' 2>/dev/null";
    std::string dom;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;)
        dom.append(buf, n);
    pclose(pipe);
    const auto tables = tablesOf(dom, false);
    ASSERT_EQ(tables.count("Score Group A"), 1u) << dom;
    ASSERT_EQ(tables.at("Score Group A").size(), 4u);
    EXPECT_EQ(tables.at("Score Group A")[2],
              (std::vector<std::string>{"2", "1", "Ann & <Co>", "15", "10", "-5", "0"}));
}

} // namespace
} // namespace trakmora
