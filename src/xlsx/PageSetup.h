#pragma once
// The page layout of a worksheet as the reports set it. Header and footer texts are in the
// spreadsheet's own code syntax: "&P" is the page number, "&N" the number of pages and a literal
// ampersand is "&&" (see headerText()).
#include <optional>
#include <string>
#include <string_view>

namespace trakmora {

enum class PageOrientation { Portrait = 1, Landscape = 2 };

inline constexpr int kPaperA4 = 9;

// A run of rows or columns, counted from 0, first and last included.
struct LineSpan {
    int first = 0;
    int last = 0;
};

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
    // Print titles: rows printed atop every page down, columns at the left of every page across.
    std::optional<LineSpan> repeatRows;
    std::optional<LineSpan> repeatColumns;
    // The number of the sheet's first page; unset: numbering runs on from the previous sheet.
    std::optional<int> firstPageNumber;
};

// Plain text (a rally name, a group name) made safe for a header or footer: every "&" doubled
// so that the spreadsheet prints it instead of reading it as a code.
std::string headerText(std::string_view plain);

// About how many characters of header text (the default 11-point font) fit on one line across the
// printed width of the page: the paper (A4 when set so, otherwise US Letter) in the page's
// orientation, less the default side margins. An estimate from an average character width.
int headerLineCharacters(const PageSetup& page);

// The number of characters (not bytes) of a UTF-8 text.
int characterCount(std::string_view text);

// `plain` cut to at most `characters` characters, a cut text ending in an ellipsis ("…") that
// counts as one of them.
std::string shortenedText(std::string_view plain, int characters);

} // namespace trakmora
