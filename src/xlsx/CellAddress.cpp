#include "xlsx/CellAddress.h"

#include <algorithm>
#include <cctype>

namespace trakmora {

namespace {

// Splits "AB12" into its letters and its digits; both must be present and nothing else.
bool splitCell(std::string_view text, std::string_view& letters, std::string_view& digits) {
    std::size_t i = 0;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
        ++i;
    letters = text.substr(0, i);
    digits = text.substr(i);
    if (letters.empty() || digits.empty() || digits.size() > 7) return false;
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

std::optional<std::pair<int, int>> parseCell(std::string_view text) {
    std::string_view letters;
    std::string_view digits;
    if (!splitCell(text, letters, digits)) return std::nullopt;
    const auto column = columnIndex(letters);
    int row = 0;
    for (char c : digits)
        row = row * 10 + (c - '0');
    if (!column || row < 1 || row > kMaxSheetRows) return std::nullopt;
    return std::make_pair(row - 1, *column);
}

} // namespace

std::optional<int> columnIndex(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return std::nullopt;
    int value = 0;
    for (char c : letters) {
        if (!std::isalpha(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 26 + (std::toupper(static_cast<unsigned char>(c)) - 'A' + 1);
    }
    if (value > kMaxSheetColumns) return std::nullopt;
    return value - 1;
}

std::string columnLetters(int column) {
    std::string letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters;
}

std::optional<CellBlock> parseCellBlock(std::string_view address) {
    const auto colon = address.find(':');
    const auto first = parseCell(address.substr(0, colon));
    const auto last = colon == std::string_view::npos ? first : parseCell(address.substr(colon + 1));
    if (!first || !last) return std::nullopt;
    return CellBlock{std::min(first->first, last->first), std::min(first->second, last->second),
                     std::max(first->first, last->first), std::max(first->second, last->second)};
}

std::optional<ColumnSpan> parseColumnSpan(std::string_view address) {
    const auto colon = address.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto first = columnIndex(address.substr(0, colon));
    const auto last = columnIndex(address.substr(colon + 1));
    if (!first || !last) return std::nullopt;
    return ColumnSpan{std::min(*first, *last), std::max(*first, *last)};
}

std::string cellName(int row, int column) {
    return columnLetters(column) + std::to_string(row + 1);
}

} // namespace trakmora
