#include "results/ResultsPage.h"

#include "common/Text.h"

#include <algorithm>

namespace trakmora {
namespace {

// Narrow screens first: the page fills the phone and each table scrolls sideways on its own. The
// position, number and name columns are pinned at the left (names wrap in a fixed width), the
// column that ranks the group beside them or at the right edge; the day and control columns scroll
// behind them. A pinned column's offset is the sum of the fixed widths before it (--pos, --no,
// --name); a column is its min-content wide when the table overflows, so those widths hold there.
// On paper: A4, a score group per page, the heading row on every page. A page with a table too
// wide for portrait (more than kPortraitColumns columns) prints landscape in smaller type, which
// holds 40 controls.
constexpr const char* kStyle = R"(
*{box-sizing:border-box}
body{margin:0;padding:12px;font-family:system-ui,-apple-system,"Segoe UI",Roboto,Arial,sans-serif;font-size:16px;line-height:1.35;color:#1b1b1b;background:#fff}
header{margin-bottom:12px}
h1{font-size:1.35em;margin:0 0 4px}
h2{font-size:1.1em;margin:18px 0 6px}
.sub{margin:0;color:#444}
.banner{display:inline-block;margin:8px 0 0;padding:4px 10px;border-radius:4px;font-weight:bold}
.provisional{background:#fff3c4;color:#7a5600;border:1px solid #e0c060}
.official{background:#dff3e0;color:#1d5e25;border:1px solid #8cc894}
.scroll{overflow-x:auto;-webkit-overflow-scrolling:touch;border:1px solid #ddd;border-radius:4px;--pos:3.2em;--no:3.2em;--name:9em}
table{border-collapse:separate;border-spacing:0;width:100%;font-variant-numeric:tabular-nums}
th,td{padding:6px 8px;border-bottom:1px solid #e6e6e6;white-space:nowrap;text-align:left}
th{background:#f2f4f7;position:sticky;top:0;font-weight:600}
td.n,th.n{text-align:right}
tbody tr{background:#fff}
tbody tr:nth-child(even){background:#fafafa}
.pin{position:sticky;z-index:1}
td.pin{background:inherit}
th.pin{z-index:2}
.pos{left:0;width:var(--pos);min-width:var(--pos)}
.no{left:var(--pos);width:var(--no);min-width:var(--no)}
.name{left:calc(var(--pos) + var(--no));width:var(--name);min-width:var(--name);white-space:normal;overflow-wrap:anywhere}
.rank{left:calc(var(--pos) + var(--no) + var(--name))}
.name,.rank{box-shadow:inset -1px 0 #d0d0d0}
.end{left:auto;right:0;box-shadow:inset 1px 0 #d0d0d0}
.corrections{margin-top:18px;font-size:.9em;overflow-wrap:anywhere}
footer{margin-top:18px;font-size:.85em;color:#666}
@media (max-width:480px){body{padding:8px;font-size:15px}th,td{padding:6px 5px}}
@media (min-width:800px){body{max-width:1100px;margin:0 auto;padding:24px}.scroll{--name:14em}}
@media print{
@page{size:A4;margin:12mm 10mm}
body{max-width:none;margin:0;padding:0;font-size:9pt}
header,.banner{break-inside:avoid}
section+section{break-before:page}
h2{break-after:avoid}
.scroll{overflow:visible;border:0}
th,.pin{position:static}
.name{width:auto}
thead{display:table-header-group}
tr{break-inside:avoid}
th,td{padding:3px 4px}
th,.banner{-webkit-print-color-adjust:exact;print-color-adjust:exact}
@page wide{size:A4 landscape}
body.wide{page:wide}
.wide table{font-size:7.5pt}
.wide th,.wide td{padding:2px 3px}
}
)";

constexpr std::size_t kPortraitColumns = 24;

// The classes of column `c`: "n" aligns it right, "pin" keeps it in view ("pos", "no", "name" and
// "rank" place it, "end" at the right edge).
std::string columnClass(const PageTable& t, std::size_t c) {
    static const char* const kKey[] = {" pin pos", " pin no", " pin name"};
    std::string cls = c >= t.numericFrom ? " n" : "";
    if (c < 3)
        cls += kKey[c];
    else if (c == t.rankColumn)
        cls += c == 3 ? " pin rank" : " pin rank end";
    return cls.empty() ? cls : cls.substr(1);
}

void appendCell(std::string& out, const char* tag, const std::string& text, const std::string& cls) {
    out += '<';
    out += tag;
    if (!cls.empty()) out += " class=\"" + cls + "\"";
    out += '>';
    out += htmlEscape(text);
    out += "</";
    out += tag;
    out += '>';
}

} // namespace

std::string htmlEscape(std::string_view raw) {
    const std::string text = utf8Text(raw); // the page is UTF-8
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string resultsPageHtml(const ResultsPageContent& content) {
    const std::string status = content.official ? "Official" : "Provisional";
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    out += htmlEscape(content.rallyName + " - " + content.heading);
    out += "</title>\n<style>";
    out += kStyle;
    out += "</style>\n</head>\n<body";
    const bool wide = std::any_of(content.tables.begin(), content.tables.end(),
                                  [](const PageTable& t) { return t.headings.size() > kPortraitColumns; });
    if (wide) out += " class=\"wide\"";
    out += ">\n<header>\n<h1>" + htmlEscape(content.rallyName) + "</h1>\n<p class=\"sub\">" +
           htmlEscape(content.heading) + "</p>\n<p class=\"banner " +
           (content.official ? "official" : "provisional") + "\">" + status + "</p>\n</header>\n";
    if (content.tables.empty()) out += "<p>No results yet.</p>\n";
    for (const auto& t : content.tables) {
        out += "<section>\n<h2>" + htmlEscape(t.title) + "</h2>\n<div class=\"scroll\"><table>\n<thead><tr>";
        for (std::size_t c = 0; c < t.headings.size(); ++c)
            appendCell(out, "th", t.headings[c], columnClass(t, c));
        out += "</tr></thead>\n<tbody>\n";
        for (const auto& row : t.rows) {
            out += "<tr>";
            for (std::size_t c = 0; c < row.size(); ++c)
                appendCell(out, "td", row[c], columnClass(t, c));
            out += "</tr>\n";
        }
        out += "</tbody>\n</table></div>\n</section>\n";
    }
    if (!content.corrections.empty()) {
        out += "<aside class=\"corrections\">\n<h2>Corrections</h2>\n<ul>\n";
        for (const auto& line : content.corrections)
            out += "<li>" + htmlEscape(line) + "</li>\n";
        out += "</ul>\n</aside>\n";
    }
    out += "<footer>" + htmlEscape(content.published) + "</footer>\n</body>\n</html>\n";
    return out;
}

} // namespace trakmora
