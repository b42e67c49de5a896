#!/usr/bin/python3
"""Reads a workbook written by the grid's export with independent readers
(xlrd with formatting info, olefile) and checks what the native tests put in.

usage: xls_reader_check.py grid|large|formats|container PATH
Exit status 0 when every check holds; the failures are printed otherwise;
77 when the readers are not installed.
"""
import struct
import sys

try:
    import olefile
    import xlrd
except ImportError as e:  # pragma: no cover
    print("readers missing: %s" % e)
    sys.exit(77)

failures = []


def check(cond, what):
    if not cond:
        failures.append(what)


def header_text(path):
    ole = olefile.OleFileIO(path)
    data = ole.openstream("Workbook").read()
    pos = 0
    bofs = 0
    while pos + 4 <= len(data):
        rtype, length = struct.unpack_from("<HH", data, pos)
        body = data[pos + 4:pos + 4 + length]
        if rtype == 0x0809:
            bofs += 1
        if rtype == 0x0014 and bofs == 2:
            if not body:
                return ""
            cch, flag = struct.unpack_from("<HB", body, 0)
            raw = body[3:]
            return raw[:cch].decode("latin-1") if flag == 0 else raw[:2 * cch].decode("utf-16-le")
        pos += 4 + length
    return None


def check_container(path):
    check(olefile.isOleFile(path), "not a compound file")
    # Strict: any defect the reader would only log is an error here.
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    check(ole.exists("Workbook"), "no Workbook stream")
    check(ole.listdir() == [["Workbook"]], "streams: %r" % ole.listdir())
    check(ole.dll_version == 3, "version %r" % ole.dll_version)
    check(ole.sector_size == 512, "sector size %r" % ole.sector_size)
    check(ole.mini_stream_cutoff_size == 4096, "mini stream cutoff")
    data = ole.openstream("Workbook").read()
    check(len(data) == ole.get_size("Workbook"), "stream size")
    check(data[:4] == b"\x09\x08\x10\x00", "stream does not start with BOF")
    ole.close()


def font_of(book, sheet, r, c):
    xf = book.xf_list[sheet.cell_xf_index(r, c)]
    return book.font_list[xf.font_index], xf


def check_grid(path):
    check_container(path)
    book = xlrd.open_workbook(path, formatting_info=True)
    check(book.nsheets == 1 and book.sheet_names() == ["Sheet1"], "sheets %r" % book.sheet_names())
    s = book.sheet_by_index(0)
    # Values: fixed row and column left out, so grid (1, 1) is A1.
    check(s.cell_value(0, 0) == u"\u4e2d\u6587", "A1 %r" % s.cell_value(0, 0))
    check(s.cell_value(0, 1) == "a&b", "B1 %r" % s.cell_value(0, 1))
    check(s.cell_value(0, 2) == "=SUM(A1)", "C1 %r" % s.cell_value(0, 2))
    check(s.cell_type(0, 2) == xlrd.XL_CELL_TEXT, "C1 type %r" % s.cell_type(0, 2))
    check(s.cell_type(0, 3) == xlrd.XL_CELL_NUMBER and s.cell_value(0, 3) == 42.5, "D1 %r" % s.cell_value(0, 3))
    # Fonts: bold, and 16, 13, 14 pixels at 96 dpi are 12, 10, 11 points.
    for c, twips, bold in ((0, 240, True), (1, 200, False), (2, 220, False)):
        f, _ = font_of(book, s, 1, c)
        check(f.height == twips, "row 2 col %d height %d" % (c, f.height))
        check(bool(f.bold) == bold and f.weight == (700 if bold else 400), "row 2 col %d bold %r" % (c, f.bold))
    f, _ = font_of(book, s, 1, 0)
    check(f.name == "Arial", "font name %r" % f.name)
    f, _ = font_of(book, s, 1, 1)
    check(f.italic and f.underline_type == 1, "italic underline")
    check(book.colour_map[f.colour_index] == (255, 0, 0), "text colour %r" % (book.colour_map.get(f.colour_index),))
    # Fills: 0xFFFFFF none, 0xFFFFFE solid white.
    _, xf = font_of(book, s, 2, 0)
    check(xf.background.fill_pattern == 0, "A3 fill %d" % xf.background.fill_pattern)
    _, xf = font_of(book, s, 2, 1)
    check(xf.background.fill_pattern == 1, "B3 fill %d" % xf.background.fill_pattern)
    check(book.colour_map[xf.background.pattern_colour_index] == (255, 255, 255),
          "B3 fill colour %r" % xf.background.pattern_colour_index)
    # Borders: solid 3 px is thick (5), dash (3) on the left in blue.
    _, xf = font_of(book, s, 2, 2)
    check(xf.border.bottom_line_style == 5, "C3 bottom %d" % xf.border.bottom_line_style)
    check(xf.border.left_line_style == 3, "C3 left %d" % xf.border.left_line_style)
    check(book.colour_map[xf.border.left_colour_index] == (0, 0, 255), "C3 left colour")
    check(xf.border.top_line_style == 0 and xf.border.right_line_style == 0, "C3 other sides")
    # Alignment and wrap.
    _, xf = font_of(book, s, 2, 3)
    check(xf.alignment.hor_align == 3 and xf.alignment.vert_align == 2 and xf.alignment.text_wrapped == 1,
          "D3 alignment %d %d %d" % (xf.alignment.hor_align, xf.alignment.vert_align, xf.alignment.text_wrapped))
    _, xf = font_of(book, s, 0, 1)
    check(xf.alignment.hor_align == 2 and xf.alignment.vert_align == 1, "B1 centred")
    # Merges: each block once.
    check(sorted(s.merged_cells) == [(3, 5, 0, 2)], "merges %r" % s.merged_cells)
    # Sizes: a 64-pixel column is 2340, a 20-pixel row 300 twips.
    check(s.colinfo_map[1].width == 2340, "B width %d" % s.colinfo_map[1].width)
    check(s.rowinfo_map[1].height == 300, "row 2 height %d" % s.rowinfo_map[1].height)
    check(header_text(path) == "&R&8KivoSheet", "header %r" % header_text(path))


def check_large(path):
    book = xlrd.open_workbook(path, formatting_info=True)
    s = book.sheet_by_index(0)
    check(s.nrows == 70000 // 4 and s.ncols == 4, "size %d x %d" % (s.nrows, s.ncols))
    for r in range(s.nrows):
        for c in range(4):
            want = u"text %d \u6587" % (r * 4 + c) if (r * 4 + c) % 7 == 0 else "text %d" % (r * 4 + c)
            if s.cell_value(r, c) != want:
                check(False, "cell %d %d %r" % (r, c, s.cell_value(r, c)))
                return


def check_formats(path):
    book = xlrd.open_workbook(path, formatting_info=True)
    s = book.sheet_by_index(0)
    used = set(s.cell_xf_index(r, c) for r in range(s.nrows) for c in range(s.ncols))
    check(len(used) == 3, "cell formats used %d" % len(used))
    check(len(book.xf_list) == 21 + 3, "XF records %d" % len(book.xf_list))


def main():
    mode, path = sys.argv[1], sys.argv[2]
    {"grid": check_grid, "large": check_large, "formats": check_formats, "container": check_container}[mode](path)
    for f in failures:
        print("FAIL: " + f)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
