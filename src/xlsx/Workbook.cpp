#include "xlsx/Workbook.h"

#include "common/FileIo.h"
#include "common/Text.h"
#include "xlsx/WrappedRows.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <map>
#include <system_error>

namespace trakmora {
namespace fs = std::filesystem;

namespace {

// The file format's limit for a header or footer in characters, codes included.
inline constexpr int kMaxHeaderLength = 255;

// The writer takes "&G" and "&[Picture]" as picture codes and refuses a header whose pictures it
// was not given, even when the ampersand is a literal "&&". A zero-width space after the
// ampersand keeps the text as it prints and out of the writer's way.
std::string withoutPictureCodes(const std::string& part) {
    std::string out;
    for (std::size_t i = 0; i < part.size(); ++i) {
        out += part[i];
        if (part[i] == '&' && i + 1 < part.size() &&
            (part[i + 1] == 'G' || part.compare(i + 1, 9, "[Picture]") == 0))
            out += "\xE2\x80\x8B";
    }
    return out;
}

// Drops the last character (all bytes of it), and the odd ampersand of a split "&&".
void dropLastCharacter(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
        text.pop_back();
    if (!text.empty()) text.pop_back();
    std::size_t ampersands = 0;
    while (ampersands < text.size() && text[text.size() - 1 - ampersands] == '&')
        ++ampersands;
    if (ampersands % 2 == 1) text.pop_back();
}

// "&L<left>&C<centre>&R<right>", leaving out empty parts. When too long, the longest part is
// shortened.
std::string headerFooter(const std::string& leftText, const std::string& centreText,
                         const std::string& rightText) {
    std::string left = withoutPictureCodes(utf8Text(leftText));
    std::string centre = withoutPictureCodes(utf8Text(centreText));
    std::string right = withoutPictureCodes(utf8Text(rightText));
    auto join = [&] {
        std::string s;
        if (!left.empty()) s += "&L" + left;
        if (!centre.empty()) s += "&C" + centre;
        if (!right.empty()) s += "&R" + right;
        return s;
    };
    std::string joined = join();
    while (characterCount(joined) > kMaxHeaderLength) {
        std::string* longest = &left;
        for (std::string* part : {&centre, &right})
            if (characterCount(*part) > characterCount(*longest)) longest = part;
        dropLastCharacter(*longest);
        joined = join();
    }
    return joined;
}

class FormatCache {
public:
    explicit FormatCache(lxw_workbook* book) : book_(book) {}
    lxw_format* get(const CellFormat& format) {
        if (format.empty()) return nullptr;
        auto [it, fresh] = formats_.try_emplace(format.key(), nullptr);
        if (!fresh) return it->second;
        lxw_format* f = workbook_add_format(book_);
        if (format.fontName) format_set_font_name(f, format.fontName->c_str());
        if (format.fontSize) format_set_font_size(f, *format.fontSize);
        if (format.effectiveBold()) format_set_bold(f);
        if (format.horizontal)
            format_set_align(f, *format.horizontal == HorizontalAlignment::Left ? LXW_ALIGN_LEFT
                                                                                : LXW_ALIGN_CENTER);
        if (format.vertical) format_set_align(f, LXW_ALIGN_VERTICAL_TOP);
        if (format.effectiveWrap()) format_set_text_wrap(f);
        if (format.numberFormat) format_set_num_format(f, format.numberFormat->c_str());
        it->second = f;
        return f;
    }

private:
    lxw_workbook* book_;
    std::map<std::string, lxw_format*> formats_;
};

lxw_error writeColumns(lxw_worksheet* ws, const Worksheet& sheet) {
    for (const auto& [column, layout] : sheet.columns()) {
        lxw_row_col_options options{};
        options.hidden = layout.hidden ? 1 : 0;
        const auto c = static_cast<lxw_col_t>(column);
        const lxw_error e =
            worksheet_set_column_opt(ws, c, c, layout.width.value_or(LXW_DEF_COL_WIDTH), nullptr, &options);
        if (e != LXW_NO_ERROR) return e;
    }
    return LXW_NO_ERROR;
}

lxw_error writeRows(lxw_worksheet* ws, const Worksheet& sheet) {
    std::map<int, double> heights = neededRowHeights(sheet);
    for (const auto& [row, height] : sheet.rowHeights())
        heights[row] = height;
    for (const auto& [row, height] : heights) {
        const lxw_error e = worksheet_set_row(ws, static_cast<lxw_row_t>(row), height, nullptr);
        if (e != LXW_NO_ERROR) return e;
    }
    return LXW_NO_ERROR;
}

lxw_error writeCells(lxw_worksheet* ws, const Worksheet& sheet, FormatCache& formats) {
    for (const auto& [position, cell] : sheet.cells()) {
        const auto row = static_cast<lxw_row_t>(position.first);
        const auto col = static_cast<lxw_col_t>(position.second);
        lxw_format* format = formats.get(cell.format);
        lxw_error e = LXW_NO_ERROR;
        if (const auto* text = std::get_if<std::string>(&cell.value); text && !text->empty())
            e = worksheet_write_string(ws, row, col, utf8Text(*text).c_str(), format);
        else if (const auto* number = std::get_if<double>(&cell.value))
            e = worksheet_write_number(ws, row, col, *number, format);
        else if (format)
            e = worksheet_write_blank(ws, row, col, format);
        if (e != LXW_NO_ERROR) return e;
    }
    return LXW_NO_ERROR;
}

lxw_error writePageSetup(lxw_worksheet* ws, const PageSetup& page) {
    if (page.orientation == PageOrientation::Landscape) worksheet_set_landscape(ws);
    if (page.orientation == PageOrientation::Portrait) worksheet_set_portrait(ws);
    const std::string header = headerFooter(page.leftHeader, page.centerHeader, page.rightHeader);
    if (!header.empty()) {
        const lxw_error e = worksheet_set_header(ws, header.c_str());
        if (e != LXW_NO_ERROR) return e;
    }
    const std::string footer = headerFooter("", page.centerFooter, "");
    if (!footer.empty()) {
        const lxw_error e = worksheet_set_footer(ws, footer.c_str());
        if (e != LXW_NO_ERROR) return e;
    }
    worksheet_gridlines(ws, page.printGridlines ? LXW_SHOW_ALL_GRIDLINES : LXW_SHOW_SCREEN_GRIDLINES);
    if (page.paperSize) worksheet_set_paper(ws, static_cast<uint8_t>(*page.paperSize));
    if (!page.zoom)
        worksheet_fit_to_pages(ws, static_cast<uint16_t>(std::clamp(page.fitToPagesWide, 0, 32767)),
                               static_cast<uint16_t>(std::clamp(page.fitToPagesTall, 0, 32767)));
    if (page.centerHorizontally) worksheet_center_horizontally(ws);
    if (page.repeatRows) {
        const lxw_error e = worksheet_repeat_rows(ws, static_cast<lxw_row_t>(page.repeatRows->first),
                                                  static_cast<lxw_row_t>(page.repeatRows->last));
        if (e != LXW_NO_ERROR) return e;
    }
    if (page.repeatColumns) {
        const lxw_error e = worksheet_repeat_columns(ws, static_cast<lxw_col_t>(page.repeatColumns->first),
                                                     static_cast<lxw_col_t>(page.repeatColumns->last));
        if (e != LXW_NO_ERROR) return e;
    }
    if (page.firstPageNumber)
        worksheet_set_start_page(ws, static_cast<uint16_t>(std::clamp(*page.firstPageNumber, 1, 32767)));
    return LXW_NO_ERROR;
}

// Fills the file's workbook; returns the problem, or an empty text.
std::string fill(lxw_workbook* book, const std::deque<Worksheet>& sheets) {
    FormatCache formats(book);
    for (const Worksheet& sheet : sheets) {
        if (!sheet.addressProblem().empty()) return sheet.addressProblem();
        lxw_worksheet* ws = workbook_add_worksheet(book, utf8Text(sheet.name()).c_str());
        if (!ws) return "the sheet name \"" + sheet.name() + "\" cannot be used";
        lxw_error e = writeColumns(ws, sheet);
        if (e == LXW_NO_ERROR) e = writeRows(ws, sheet);
        if (e == LXW_NO_ERROR) e = writeCells(ws, sheet, formats);
        if (e == LXW_NO_ERROR) e = writePageSetup(ws, sheet.pageSetup());
        if (e != LXW_NO_ERROR) return "sheet \"" + sheet.name() + "\": " + lxw_strerror(e);
    }
    return {};
}

} // namespace

Workbook::Workbook() {
    sheets_.emplace_back("Sheet1");
}

Worksheet& Workbook::addWorksheet() {
    return sheets_.emplace_back("Sheet" + std::to_string(sheets_.size() + 1));
}

Worksheet& Workbook::worksheet(int number) {
    const auto index = static_cast<std::size_t>(std::clamp(number, 1, worksheetCount()) - 1);
    return sheets_[index];
}

const Worksheet& Workbook::worksheet(int number) const {
    const auto index = static_cast<std::size_t>(std::clamp(number, 1, worksheetCount()) - 1);
    return sheets_[index];
}

Status Workbook::save(const fs::path& file) const {
    // Written beside the target and renamed over it: a failed save leaves the old file whole,
    // and a file held open elsewhere refuses the rename instead of being half overwritten.
    fs::path temporary = file;
    temporary += ".tmp";
    lxw_workbook* book = workbook_new(temporary.string().c_str());
    if (!book) return Status::failure("Cannot save the workbook " + file.string() + ": out of memory");
    lxw_doc_properties properties{};
    properties.created = created_;
    workbook_set_properties(book, &properties);
    const std::string problem = fill(book, sheets_);
    const lxw_error closed = workbook_close(book);
    std::error_code ec;
    if (!problem.empty() || closed != LXW_NO_ERROR) {
        fs::remove(temporary, ec);
        return Status::failure("Cannot save the workbook " + file.string() + ": " +
                               (problem.empty() ? std::string(lxw_strerror(closed)) : problem));
    }
    return replaceWithTemporary(temporary, file);
}

} // namespace trakmora
