#include "xlsx/CellValue.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace trakmora {

namespace {

// Digits with at most one decimal point and an optional leading minus; nothing else, so that
// names, "NF" and texts with exponents or blanks stay text.
bool isPlainDecimal(std::string_view text) {
    std::size_t i = text.starts_with('-') ? 1 : 0;
    bool digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit && text.size() <= 20;
}

} // namespace

CellValue typedValue(std::string_view text) {
    if (text.empty()) return CellValue();
    if (!isPlainDecimal(text)) return CellValue(std::string(text));
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return CellValue(std::string(text));
    return CellValue(value == 0 ? 0.0 : value);
}

} // namespace trakmora
