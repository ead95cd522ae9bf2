#include "xlsx/CellFormat.h"

#include "common/Format.h"

namespace trakmora {

namespace {

template <class T> void take(std::optional<T>& mine, const std::optional<T>& theirs) {
    if (theirs) mine = theirs;
}

template <class T> std::string part(const std::optional<T>& value) {
    if (!value) return "-";
    if constexpr (std::is_same_v<T, std::string>)
        return "'" + *value + "'";
    else if constexpr (std::is_same_v<T, bool>)
        return *value ? "1" : "0";
    else if constexpr (std::is_same_v<T, double>)
        return formatNumber(*value);
    else
        return std::to_string(static_cast<int>(*value));
}

} // namespace

void CellFormat::mergeFrom(const CellFormat& later) {
    take(fontName, later.fontName);
    take(bold, later.bold);
    take(fontSize, later.fontSize);
    take(horizontal, later.horizontal);
    take(vertical, later.vertical);
    take(wrapText, later.wrapText);
    take(numberFormat, later.numberFormat);
}

bool CellFormat::empty() const {
    return *this == CellFormat{};
}

std::string CellFormat::key() const {
    return part(fontName) + "|" + part(bold) + "|" + part(fontSize) + "|" + part(horizontal) + "|" +
           part(vertical) + "|" + part(wrapText) + "|" + part(numberFormat);
}

} // namespace trakmora
