#!/usr/bin/python3
"""Prints what a reader of an .xlsx workbook sees, one property per line: key TAB value.

Keys:  sheets                      names in order, joined by "|"
       created                     the creation time, ISO
       <sheet>!<cell>              s:<text> or n:<number> (cells holding a value)
       <sheet>!<cell>.font         <name>,<bold 0/1>,<size>      (every cell written)
       <sheet>!<cell>.align        <horizontal>,<vertical>,<wrap 0/1>
       <sheet>!<cell>.format       number format
       <sheet>!col.<letters>       width as stored in the file
       <sheet>!col.<letters>.hidden 1 for a hidden column
       <sheet>!row.<n>.height      explicit row height
       <sheet>!page.<property>     orientation, paper, fitToPage, fitWide, fitTall (1 when the file
                                   leaves them at their default), gridlines,
                                   centerH
       <sheet>!page.firstPage      the first page number, when the sheet sets one (instead of
                                   running on from the sheet before)
       <sheet>!page.titleRows      print-title rows ("1:2"), when set
       <sheet>!page.titleCols      print-title columns ("A:D"), when set
       <sheet>!header.<L|C|R>, <sheet>!footer.<L|C|R>   header and footer texts with their codes
"""
import datetime
import sys

import openpyxl
from openpyxl.utils import get_column_letter
from openpyxl.utils.datetime import to_excel


def number(v):
    if v is None:
        return ""
    if isinstance(v, (datetime.datetime, datetime.date, datetime.time, datetime.timedelta)):
        v = to_excel(v)  # the reader shows time formats as times; report the stored number
    return repr(float(v))


def main(path):
    book = openpyxl.load_workbook(path)
    out = []
    out.append(("sheets", "|".join(book.sheetnames)))
    created = book.properties.created
    out.append(("created", created.isoformat() if created else ""))
    for ws in book.worksheets:
        name = ws.title
        for row in ws.iter_rows():
            for cell in row:
                ref = name + "!" + cell.coordinate
                if cell.value is not None:
                    if isinstance(cell.value, str):
                        out.append((ref, "s:" + cell.value))
                    else:
                        out.append((ref, "n:" + number(cell.value)))
                if cell.has_style:
                    f = cell.font
                    out.append((ref + ".font", "%s,%d,%s" % (f.name, 1 if f.b else 0, number(f.sz))))
                    a = cell.alignment
                    out.append((ref + ".align", "%s,%s,%d" % (a.horizontal or "general", a.vertical or "bottom",
                                                               1 if a.wrap_text else 0)))
                    out.append((ref + ".format", cell.number_format))
        for key, dim in sorted(ws.column_dimensions.items()):
            first, last = dim.min or 0, dim.max or 0
            for c in range(first, last + 1):
                letters = get_column_letter(c)
                if dim.customWidth:
                    out.append((name + "!col." + letters, number(dim.width)))
                if dim.hidden:
                    out.append((name + "!col." + letters + ".hidden", "1"))
        for r, dim in sorted(ws.row_dimensions.items()):
            if dim.ht is not None:
                out.append((name + "!row.%d.height" % r, number(dim.ht)))
        ps = ws.page_setup
        out.append((name + "!page.orientation", ps.orientation or ""))
        out.append((name + "!page.paper", str(ps.paperSize or "")))
        out.append((name + "!page.fitToPage", "1" if ws.sheet_properties.pageSetUpPr and
                    ws.sheet_properties.pageSetUpPr.fitToPage else "0"))
        out.append((name + "!page.fitWide", str(ps.fitToWidth if ps.fitToWidth is not None else 1)))
        out.append((name + "!page.fitTall", str(ps.fitToHeight if ps.fitToHeight is not None else 1)))
        out.append((name + "!page.gridlines", "1" if ws.print_options.gridLines else "0"))
        out.append((name + "!page.centerH", "1" if ws.print_options.horizontalCentered else "0"))
        if ps.useFirstPageNumber:  # the file format's default first page number is 1
            out.append((name + "!page.firstPage", str(ps.firstPageNumber or 1)))
        if ws.print_title_rows:
            out.append((name + "!page.titleRows", ws.print_title_rows.replace("$", "")))
        if ws.print_title_cols:
            out.append((name + "!page.titleCols", ws.print_title_cols.replace("$", "")))
        for kind, hf in (("header", ws.oddHeader), ("footer", ws.oddFooter)):
            for part, letter in ((hf.left, "L"), (hf.center, "C"), (hf.right, "R")):
                if part.text is not None:
                    out.append((name + "!" + kind + "." + letter, part.text))
    for key, value in out:
        print(key + "\t" + value.replace("\n", "\\n"))


if __name__ == "__main__":
    main(sys.argv[1])
