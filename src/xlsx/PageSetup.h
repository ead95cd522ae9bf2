#pragma once
// The page layout of a worksheet as the reports set it. Header and footer texts are in the
// spreadsheet's own code syntax: "&P" is the page number and a literal ampersand is "&&"
// (see headerText()).
#include <optional>
#include <string>
#include <string_view>

namespace trakmora {

enum class PageOrientation { Portrait = 1, Landscape = 2 };

inline constexpr int kPaperA4 = 9;

struct PageSetup {
    std::optional<PageOrientation> orientation; // unset: the sheet's default (portrait)
    std::string leftHeader;
    std::string centerHeader;
    std::string rightHeader;
    std::string centerFooter;
    bool printGridlines = false;
    std::optional<int> paperSize; // unset: the printer's default
    // Zoom off means the print is scaled to fit FitToPagesWide × FitToPagesTall pages.
    bool zoom = true;
    int fitToPagesWide = 1;
    int fitToPagesTall = 1;
    bool centerHorizontally = false;
};

// Plain text (a rally name, a group name) made safe for a header or footer: every "&" doubled
// so that the spreadsheet prints it instead of reading it as a code.
std::string headerText(std::string_view plain);

} // namespace trakmora
