#include "results/ResultsPage.h"

#include "common/Text.h"

namespace trakmora {
namespace {

// Narrow screens first: the page fills the phone, each table scrolls sideways on its own, the
// position, number and name columns stay readable and the header row stays visible.
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
.scroll{overflow-x:auto;-webkit-overflow-scrolling:touch;border:1px solid #ddd;border-radius:4px}
table{border-collapse:collapse;width:100%;font-variant-numeric:tabular-nums}
th,td{padding:6px 8px;border-bottom:1px solid #e6e6e6;white-space:nowrap;text-align:left}
th{background:#f2f4f7;position:sticky;top:0;font-weight:600}
td.n,th.n{text-align:right}
tbody tr:nth-child(even){background:#fafafa}
footer{margin-top:18px;font-size:.85em;color:#666}
@media (max-width:480px){body{padding:8px;font-size:15px}th,td{padding:6px 5px}}
@media (min-width:800px){body{max-width:1100px;margin:0 auto;padding:24px}}
)";

void appendCell(std::string& out, const char* tag, const std::string& text, bool numeric) {
    out += '<';
    out += tag;
    if (numeric) out += " class=\"n\"";
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
    out += "</style>\n</head>\n<body>\n<header>\n<h1>" + htmlEscape(content.rallyName) +
           "</h1>\n<p class=\"sub\">" + htmlEscape(content.heading) + "</p>\n<p class=\"banner " +
           (content.official ? "official" : "provisional") + "\">" + status + "</p>\n</header>\n";
    if (content.tables.empty()) out += "<p>No results yet.</p>\n";
    for (const auto& t : content.tables) {
        out += "<section>\n<h2>" + htmlEscape(t.title) + "</h2>\n<div class=\"scroll\"><table>\n<thead><tr>";
        for (std::size_t c = 0; c < t.headings.size(); ++c)
            appendCell(out, "th", t.headings[c], c >= t.numericFrom);
        out += "</tr></thead>\n<tbody>\n";
        for (const auto& row : t.rows) {
            out += "<tr>";
            for (std::size_t c = 0; c < row.size(); ++c)
                appendCell(out, "td", row[c], c >= t.numericFrom);
            out += "</tr>\n";
        }
        out += "</tbody>\n</table></div>\n</section>\n";
    }
    out += "<footer>" + htmlEscape(content.published) + "</footer>\n</body>\n</html>\n";
    return out;
}

} // namespace trakmora
