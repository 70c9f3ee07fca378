#!/usr/bin/env python3
"""Reads the report's CSV export, as the Win32 tests leave it, with Python's csv
module, as a spreadsheet program would: UTF-8 with a byte-order mark, CR LF
line ends, and the fields that hold a comma or a double quote intact."""
import csv
import sys


def main(path):
    with open(path, "rb") as f:
        data = f.read()
    assert data.startswith(b"\xef\xbb\xbf"), "no byte-order mark"
    assert b"\n" not in data.replace(b"\r\n", b""), "a line not ended by CR LF"
    with open(path, newline="", encoding="utf-8-sig") as f:
        rows = list(csv.reader(f))
    assert rows[0] == ["File", "Group", "Index", "Today", "Week", "Total", "Per", "Type", "Full Path"], rows[0]
    assert all(len(row) == 9 for row in rows), [len(row) for row in rows]
    # The order of the list when it was exported: Total from the smallest.
    assert [row[2] for row in rows[1:]] == ["201", "202", "101", "102"], rows
    by_index = {row[2]: row for row in rows[1:]}
    assert by_index["101"][0] == "a,b.txt", by_index["101"]
    assert by_index["101"][1] == 'Work, "home"', by_index["101"]
    assert by_index["101"][8].endswith("\\a,b.txt"), by_index["101"]
    assert by_index["101"][6] == "33.33%", by_index["101"]
    assert by_index["102"][0] == "Отчёт 日本.txt", by_index["102"]
    assert by_index["201"][1] == "Игры" and by_index["201"][6] == "", by_index["201"]
    # A file whose target is gone is marked in the list only.
    assert by_index["202"][0] == "gone.exe", by_index["202"]
    print(f"{path}: {len(rows) - 1} rows read back")


if __name__ == "__main__":
    main(sys.argv[1])
