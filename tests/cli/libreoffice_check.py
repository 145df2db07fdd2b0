"""Checks what LibreOffice made of the command line's spreadsheets.

    libreoffice_check.py exported BOOK.csv CASES.csv
        BOOK.csv: the workbook's case sheet saved by LibreOffice as CSV under a Russian
        locale, every text cell quoted and cells as shown: the figures must stand
        unquoted, as numbers, those shown to the tenth equal to the CSV's.
    libreoffice_check.py opened RU.xlsx CASES.csv
        RU.xlsx: the Russian CSV dialect opened by LibreOffice under ru_RU.UTF-8 with
        the import options of its first use, saved as a workbook: every figure a number
        cell equal to the CSV's, every name as written.
"""
import csv
import sys

FIGURES = ["max_diameter", "max_diameter_full", "min_length", "min_length_full", "pv_length",
           "pressure_length", "min_area", "min_diameter", "min_diameter_full"]
NUMBERS = ["row", "max_pressure", "max_speed", "max_pv", "max_temperature"] + FIGURES
# The cases sheet's headings of the figures shown to the tenth, and their CSV fields.
TENTHS = {"Dmax, мм": "max_diameter", "Lmin, мм": "min_length", "Dmin при L, мм": "min_diameter"}


def fields_with_quotes(line):
    """A CSV line split at ';' into (text, quoted) pairs."""
    fields, text, quoted, inside, at = [], "", False, False, 0
    while at < len(line):
        c = line[at]
        if inside:
            if c == '"' and line[at + 1:at + 2] == '"':
                text += '"'
                at += 1
            elif c == '"':
                inside = False
            else:
                text += c
        elif c == '"':
            inside = quoted = True
        elif c == ";":
            fields.append((text, quoted))
            text, quoted = "", False
        else:
            text += c
        at += 1
    fields.append((text, quoted))
    return fields


def exported(book_csv, cases):
    with open(book_csv, encoding="utf-8") as file:
        lines = file.read().splitlines()
    headings = [text for text, _ in fields_with_quotes(lines[0])]
    problems = []
    for number, (line, case) in enumerate(zip(lines[1:], cases), start=2):
        cells = dict(zip(headings, fields_with_quotes(line)))
        for heading, field in TENTHS.items():
            text, quoted = cells[heading]
            if case[field] and (quoted or float(text.replace(",", ".")) != float(case[field])):
                problems.append(f"line {number} {heading}: {text!r} quoted={quoted}, the CSV has {case[field]}")
        text, quoted = cells["Материал"]
        if case["name"] and (not quoted or text != case["name"]):
            problems.append(f"line {number} Материал: {text!r} quoted={quoted}")
    return problems


def opened(book, cases):
    import openpyxl
    sheet = openpyxl.load_workbook(book).active
    rows = list(sheet.iter_rows(values_only=True))
    columns = {name: index for index, name in enumerate(rows[0])}
    problems = [] if len(rows) == len(cases) + 1 else [f"{len(rows) - 1} rows for {len(cases)} cases"]
    for number, (row, case) in enumerate(zip(rows[1:], cases), start=2):
        for field in NUMBERS:
            value = row[columns[field]] if columns[field] < len(row) else None
            if case[field] and not (isinstance(value, (int, float)) and value == float(case[field])):
                problems.append(f"row {number} {field}: {value!r}, the CSV has {case[field]}")
        if row[columns["name"]] != (case["name"] or None):
            problems.append(f"row {number} name: {row[columns['name']]!r}")
    return problems


def main():
    mode, made, cases_csv = sys.argv[1:4]
    with open(cases_csv, newline="", encoding="utf-8") as file:
        cases = list(csv.DictReader(file))
    problems = (exported if mode == "exported" else opened)(made, cases)
    for problem in problems[:30]:
        print(problem)
    print(f"{mode}: {len(problems)} problems in {len(cases)} cases")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
