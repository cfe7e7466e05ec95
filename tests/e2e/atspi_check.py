# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a screen reader finds in the program's windows, read through the
AT-SPI registry as one would read it.

    atspi_check.py view LINE...        the "Matrix View" form shows LINE...,
                                       readable line by line as text
    atspi_check.py grid ROW COL TEXT   in "New matrix", the cell at ROW, COL
                                       reads TEXT under "Row ROW" and
                                       "Column COL"

Prints the objects it looked at (role, name, interfaces), so that a failure
shows what is there instead; exits 1 with a message on any mismatch.
"""

import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def fail(message):
    print("FAIL accessibility: " + message)
    sys.exit(1)


def describe(obj):
    try:
        interfaces = ",".join(obj.get_interfaces())
    except Exception as error:  # an object gone meanwhile
        interfaces = "?" + str(error)
    return "%s %r [%s]" % (obj.get_role_name(), obj.get_name(), interfaces)


def text_of(obj):
    if "Text" not in obj.get_interfaces():
        return None
    return Atspi.Text.get_text(obj, 0, Atspi.Text.get_character_count(obj))


def walk(obj, depth=0):
    """The object and its descendants, each with its depth."""
    yield obj, depth
    for i in range(obj.get_child_count()):
        child = obj.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def dump(window):
    for obj, depth in walk(window):
        text = text_of(obj)
        print("  " * depth + describe(obj) + ("" if text is None else " text=%r" % text))


def window(title, seconds=10):
    """The program's top-level window of that title, once it has registered."""
    for _ in range(seconds * 10):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            # Qt names the application by its application name, "Zendra".
            if app is None or (app.get_name() or "").lower() != "zendra":
                continue
            for j in range(app.get_child_count()):
                top = app.get_child_at_index(j)
                if top is not None and top.get_name() == title:
                    return top
        time.sleep(0.1)
    fail("no window %r of the application zendra on the AT-SPI desktop" % title)


def lines_of(obj):
    """The object's text as a screen reader reads it: line by line."""
    text = text_of(obj)
    lines, offset = [], 0
    while offset < len(text):
        try:
            piece = Atspi.Text.get_string_at_offset(obj, offset, Atspi.TextGranularity.LINE)
        except Exception:
            # Qt 6.4 answers only the older call.
            with warnings.catch_warnings():
                warnings.simplefilter("ignore", DeprecationWarning)
                piece = Atspi.Text.get_text_at_offset(obj, offset, Atspi.TextBoundaryType.LINE_START)
        lines.append(piece.content.rstrip("\r\n"))
        end = piece.end_offset
        # Qt leaves the line's newline out of it: the next line starts after.
        if not piece.content.endswith("\n") and text[end:end + 1] == "\n":
            end += 1
        if end <= offset:
            fail("the line at offset %d of %s ends at %d" % (offset, describe(obj), piece.end_offset))
        offset = end
    return lines


def check_view(expected):
    form = window("Matrix View")
    dump(form)
    # Trailing blanks are layout, not content; a reader skips them.
    want = [line.rstrip() for line in expected]
    texts = [obj for obj, _ in walk(form) if text_of(obj) is not None]
    shown = [o for o in texts if [l.rstrip() for l in text_of(o).splitlines()] == want]
    if not shown:
        named = [describe(o) for o, _ in walk(form) if want[0] in (o.get_name() or "")]
        fail("no object with the Text interface in \"Matrix View\" holds the matrix %r; "
             "objects with text: %s; objects naming it: %s"
             % (want, [describe(o) for o in texts] or "none", named or "none"))
    read = [line.rstrip() for line in lines_of(shown[0])]
    print("lines read from %s: %r" % (describe(shown[0]), read))
    if read != want:
        fail("read line by line %r, not %r" % (read, want))


def check_grid(row, col, expected):
    form = window("New matrix")
    tables = [o for o, _ in walk(form) if "Table" in o.get_interfaces()]
    if not tables:
        dump(form)
        fail("no object with the Table interface in \"New matrix\"")
    table = tables[0]
    print("table: %s, %d x %d" % (describe(table), Atspi.Table.get_n_rows(table),
                                  Atspi.Table.get_n_columns(table)))
    for i in range(table.get_child_count()):
        child = table.get_child_at_index(i)
        print("  " + describe(child) + ("" if text_of(child) is None else " text=%r" % text_of(child)))
    cell = Atspi.Table.get_accessible_at(table, row - 1, col - 1)
    if cell is None:
        fail("the table has no cell at row %d, column %d" % (row, col))
    print("cell %d, %d: %s" % (row, col, describe(cell)))

    # Every place a screen reader may take a header from, so that the
    # output shows which of them the program fills.
    def names(objects):
        return [o.get_name() for o in objects or [] if o is not None]

    headers = {"row": [], "column": []}
    sources = [
        ("Table row header", lambda: names([Atspi.Table.get_row_header(table, row - 1)]),
         lambda: names([Atspi.Table.get_column_header(table, col - 1)])),
        ("Table description", lambda: [Atspi.Table.get_row_description(table, row - 1)],
         lambda: [Atspi.Table.get_column_description(table, col - 1)]),
    ]
    if "TableCell" in cell.get_interfaces():
        sources.insert(0, ("TableCell header cells",
                           lambda: names(Atspi.TableCell.get_row_header_cells(cell)),
                           lambda: names(Atspi.TableCell.get_column_header_cells(cell))))
    for source, row_names, col_names in sources:
        for kind, get in (("row", row_names), ("column", col_names)):
            try:
                found = get()
            except Exception as error:
                found = ["<%s>" % error]
            print("%s %s: %r" % (source, kind, found))
            headers[kind] += found

    problems = []
    for kind, want in (("row", "Row %d" % row), ("column", "Column %d" % col)):
        if want not in headers[kind]:
            problems.append("%s header reads %r, not %r" % (kind, sorted(set(headers[kind])), want))
    readings = [cell.get_name(), text_of(cell)]
    if expected not in readings:
        problems.append("the cell reads %r (name, text), not %r" % (readings, expected))
    if problems:
        fail("cell %d, %d of \"New matrix\" (%s): %s" % (row, col, describe(cell), "; ".join(problems)))


def main(args):
    if args[:1] == ["view"] and len(args) > 1:
        check_view(args[1:])
    elif args[:1] == ["grid"] and len(args) == 4:
        check_grid(int(args[1]), int(args[2]), args[3])
    else:
        fail("usage: atspi_check.py view LINE... | grid ROW COL TEXT")
    print("PASS accessibility %s" % args[0])


if __name__ == "__main__":
    main(sys.argv[1:])
