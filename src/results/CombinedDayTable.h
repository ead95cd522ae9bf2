#pragma once
// The day score file of one day as text, ordered by competition number: what the day score
// workbook prints and the day positions rank. Column texts are exactly as read from the file,
// quotes removed ("15.5" stays the text 15.5).
#include <string>
#include <vector>

namespace trakmora {

struct CombinedDayRow {
    std::string name;
    std::string compNo;
    std::string scoreGroup;
    std::string total;
    std::vector<std::string> scores; // CP1..CPk as read, at most 40
};

struct CombinedDayTable {
    int day = 0;          // 0 until a day has been loaded
    int controlCount = 1; // k of the day, 1..40: the workbook prints CP1..CPk
    std::vector<CombinedDayRow> rows;
};

} // namespace trakmora
