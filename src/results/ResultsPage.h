#pragma once
// The published results page: one self-contained HTML file (styles inline, no scripts, nothing
// loaded from elsewhere) that reads on a phone and prints on A4. Each table scrolls sideways on its
// own while the position, number, name and the column that ranks the group stay in view.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace trakmora {

// & < > " ' as character references, so any name prints as written.
std::string htmlEscape(std::string_view text);

struct PageTable {
    std::string title; // the score group's name
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows; // cells as text
    std::size_t numericFrom = 0;                // columns from here on are aligned right
    // Columns 0-2 are position, number and name. The column that ranks the group ("Total",
    // "Final") stays in view beside them when it directly follows the name, else at the right edge.
    std::size_t rankColumn = 3;
};

struct ResultsPageContent {
    std::string rallyName;
    std::string heading;   // "Day 2 positions", "Final positions"
    std::string published; // "Published 26 Jun 2015 18:04"
    bool official = false;
    std::vector<PageTable> tables;
    // The jury's decisions the results include, one line each, listed under the tables.
    std::vector<std::string> corrections{};
};

std::string resultsPageHtml(const ResultsPageContent& content);

} // namespace trakmora
