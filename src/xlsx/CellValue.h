#pragma once
// What a cell holds: nothing, a text or a number.
#include <string>
#include <string_view>
#include <variant>

namespace trakmora {

using CellValue = std::variant<std::monostate, std::string, double>;

inline CellValue textValue(std::string text) {
    return CellValue(std::move(text));
}
inline CellValue numberValue(double number) {
    return CellValue(number);
}

// A value as the spreadsheet takes it when text is assigned to a cell: text that is a plain
// decimal number ("12", "-3", "15.5") becomes that number, anything else ("NF", "12 km", "")
// stays text (an empty text leaves the cell empty).
CellValue typedValue(std::string_view text);

} // namespace trakmora
