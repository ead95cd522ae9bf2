#pragma once
// The formatting of one cell as the reports set it: font, alignment, wrapping and number format.
// Every property is either set or left to the sheet's default (Calibri 11, general alignment,
// no wrap, "General"); formats set on overlapping ranges merge property by property, the later
// setting winning, as they do in the spreadsheet.
#include <optional>
#include <string>

namespace trakmora {

// The spreadsheet's own alignment constants, kept so that the values read as the reports give them.
enum class HorizontalAlignment { Left = -4131, Center = -4108 };
enum class VerticalAlignment { Top = -4160 };

inline constexpr const char* kDefaultFontName = "Calibri";
inline constexpr double kDefaultFontSize = 11;

struct CellFormat {
    std::optional<std::string> fontName;
    std::optional<bool> bold;
    std::optional<double> fontSize;
    std::optional<HorizontalAlignment> horizontal;
    std::optional<VerticalAlignment> vertical;
    std::optional<bool> wrapText;
    std::optional<std::string> numberFormat;

    // Takes every property that `later` sets.
    void mergeFrom(const CellFormat& later);
    bool empty() const;
    // A text that is equal for equal formats, to share one written format between cells.
    std::string key() const;

    double effectiveFontSize() const { return fontSize.value_or(kDefaultFontSize); }
    bool effectiveBold() const { return bold.value_or(false); }
    bool effectiveWrap() const { return wrapText.value_or(false); }

    bool operator==(const CellFormat&) const = default;
};

} // namespace trakmora
