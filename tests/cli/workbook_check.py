"""Reads a workbook of plain-bearings-calc with openpyxl, a second implementation of the
format, and checks it against the CSV of the same cases and of the material table:
every figure a number cell equal to the CSV's, texts as given, Russian headings with
units, the heading row frozen and filtered, set column widths.

    workbook_check.py BOOK.xlsx CASES.csv MATERIALS.csv [MARK]   (the sizing's, the check's
                                                                 or the oil film's)
    workbook_check.py BOOK.xlsx - MATERIALS.csv     (the material sheet alone)

MARK is the decimal mark of the batch the inputs came from (a ';' batch writes ','): an
input that is a plain number with it is a number cell.
"""
import csv
import math
import re
import sys

import openpyxl
from openpyxl.utils import get_column_letter

# Each heading of the cases sheet, the CSV field it shows and how.
CASE_COLUMNS = [
    ("№", None, "index"),
    ("Материал (задан)", "material", "text"),
    ("F, Н", "load", "input"),
    ("n, об/мин", "frequency", "input"),
    ("L, мм", "length", "input"),
    ("№ материала", "row", "number"),
    ("Материал", "name", "text"),
    ("Dmax, мм", "max_diameter", "tenth"),
    ("Dmax без округления, мм", "max_diameter_full", "number"),
    ("Lmin, мм", "min_length", "tenth"),
    ("Lmin без округления, мм", "min_length_full", "number"),
    ("L по [pv], мм", "pv_length", "number"),
    ("L по [p] при Dmax, мм", "pressure_length", "number"),
    ("F/[p], мм²", "min_area", "number"),
    ("Lmin задаёт", "length_limit", "limit"),
    ("Dmin при L, мм", "min_diameter", "tenth"),
    ("Dmin при L без округления, мм", "min_diameter_full", "number"),
    ("L меньше Lmin", "length_below_minimum", "flag"),
    ("Сообщение", "message", "text"),
    ("Код сообщения", "code", "text"),
]
MATERIAL_COLUMNS = [
    ("№", "row", "number"),
    ("Материал", "name", "text"),
    ("Группа", "group", "group"),
    ("[p], МПа", "max_pressure", "number"),
    ("[v], м/с", "max_speed", "number"),
    ("[pv], МПа·м/с", "max_pv", "number"),
    ("[t], °C", "max_temperature", "number"),
]
# Each heading of the design check's sheet, likewise: the sizing's inputs and the
# material's limits, then the check's figures ("heading|field|kind", two blanks apart).
CHECK_COLUMNS = (
    CASE_COLUMNS[:4]
    + [("D, мм", "diameter", "input"), CASE_COLUMNS[4], ("t, °C", "temperature", "input")]
    + CASE_COLUMNS[5:7]
    + MATERIAL_COLUMNS[2:]
    + [
        tuple(spec.split("|"))
        for spec in re.split(
            r"\s{2,}",
            """p, МПа|pressure|number  v, м/с|speed|number  pv, МПа·м/с|pv|number
            Загрузка по [p], %|pressure_use|percent  Загрузка по [v], %|speed_use|percent
            Загрузка по [pv], %|pv_use|percent  Определяет|governing|limit
            Наибольшая загрузка, %|governing_use|percent  Fmax, Н|max_load|number  Fmax по|max_load_limit|limit
            nmax, об/мин|max_frequency|number  nmax по|max_frequency_limit|limit
            v при nmax, м/с|max_sliding_speed|number  t не выше [t]|temperature_holds|flag
            [t] − t, К|temperature_margin|number  Проходит|passes|flag""",
        )
    ]
    + CASE_COLUMNS[-2:]
)
# The oil film's sheet: its inputs, then its figures as the core's table heads them.
FILM_COLUMNS = [CASE_COLUMNS[0], CASE_COLUMNS[2], CASE_COLUMNS[3], ("D, мм", "diameter", "input"), CASE_COLUMNS[4]] + [
    tuple(spec.split("|"))
    for spec in re.split(
        r"\s{2,}",
        """Δ, мкм|clearance|input  µ, Па·с|viscosity|input  Rz_ц, мкм|roughness_journal|input
        Rz_в, мкм|roughness_bore|input  Относительный зазор ψ = Δ/d|relative_clearance|number  Отношение L/d|length_ratio|number
        P = F/(L·d), МПа|mean_pressure|number  Число Зоммерфельда S|sommerfeld|number  Коэффициент нагруженности Φ|load_coefficient|number
        Эксцентриситет ε|eccentricity|number  Угол положения φ, °|attitude_angle|number  h_min, мкм|min_film_thickness|number
        Rz_ц + Rz_в, мкм|roughness_sum|number  Запас h_min/(Rz_ц + Rz_в)|film_margin|number
        Требуемый запас|required_margin|number  p_max, МПа|max_pressure|number
        Угол p_max, °|max_pressure_angle|number  Конец слоя, °|film_end_angle|number
        Угол p_max от нагрузки, °|max_pressure_angle_from_load|number
        Конец слоя от нагрузки, °|film_end_angle_from_load|number  Отношение P/p_max|pressure_ratio|number
        Коэффициент трения f|friction_coefficient|number  Параметр трения (r/c)·f|friction_variable|number
        Момент трения, Н·м|friction_torque|number  Мощность трения, Вт|friction_power|number
        Q, см³/с|flow|number  Q_s, см³/с|side_flow|number  Параметр расхода Q/(r·c·N·L)|flow_variable|number
        Доля утечки Q_s/Q|side_flow_ratio|number  Проходит|passes|flag""",
    )
] + CASE_COLUMNS[-2:]
GROUPS = {"dry": "без смазки", "lubricated": "со смазкой"}
PLAIN_NUMBER = re.compile(r"-?[0-9]+(\.[0-9]+)?$")
DECIMAL_MARK = sys.argv[4] if len(sys.argv) > 4 else "."
CELL_LIMIT = 32767

failures = []


def check(condition, where, what):
    if not condition:
        failures.append(f"{where}: {what}")


def as_cell_text(text):
    """What a cell holds of a text: line breaks as LF, control characters other than tab
    as U+FFFD, cut with "…" at the cell's limit."""
    text = text.replace("\r\n", "\n").replace("\r", "\n")
    text = re.sub("[\x00-\x08\x0b\x0c\x0e-\x1f]", "\ufffd", text)
    return text if len(text) <= CELL_LIMIT else text[: CELL_LIMIT - 1] + "…"


def unguarded(text):
    """A text as given, without the apostrophe the CSV puts before one that a spreadsheet
    would run as a formula: a cell holds the text itself, as a text."""
    return text[1:] if len(text) > 1 and text[0] == "'" and text[1] in "=+-@\t\r" else text


def check_cell(cell, kind, value, index, where):
    if value is not None and kind in ("text", "input"):
        value = unguarded(value)
    if kind == "input" and value and PLAIN_NUMBER.match(value.replace(DECIMAL_MARK, ".")):
        value = value.replace(DECIMAL_MARK, ".")
    if kind == "index":
        check(cell.data_type == "n" and cell.value == index, where, f"{cell.value!r} is not case {index}")
        return
    if value in (None, ""):
        check(cell.value is None, where, f"{cell.value!r} where the CSV is empty")
        return
    if kind in ("number", "tenth", "percent") or (kind == "input" and PLAIN_NUMBER.match(value) and len(value) < 16):
        check(cell.data_type == "n", where, f"{cell.value!r} is not a number cell")
        # A cell keeps 16 significant digits, a double's shortest text may have 17.
        check(
            cell.data_type == "n" and math.isclose(cell.value, float(value), rel_tol=1e-15),
            where,
            f"{cell.value!r} is not {value}",
        )
        if kind == "tenth":
            check(cell.number_format == "0.0", where, f"format {cell.number_format!r}, not to the tenth")
        if kind == "percent":
            check(cell.number_format == "0.0%", where, f"format {cell.number_format!r}, not a percent")
    elif kind == "flag":
        expected = "да" if value == "true" else "нет"
        check(cell.data_type == "s" and cell.value == expected, where, f"{cell.value!r} is not {expected}")
    else:
        expected = {"group": GROUPS.get(value), "limit": f"[{value}]"}.get(kind, as_cell_text(value))
        check(cell.data_type == "s" and cell.value == expected, where, f"{cell.value!r} is not {expected!r}")


def check_sheet(sheet, columns, rows):
    headings = [cell.value for cell in sheet[1]]
    check(headings == [heading for heading, _, _ in columns], sheet.title, f"headings {headings}")
    russian = [heading for heading, field, _ in columns if field is None or heading != field]
    check(all(re.search("[А-Яа-яё№°]", heading) for heading in russian), sheet.title, "a heading not Russian")
    check(sheet.freeze_panes == "A2", sheet.title, f"frozen at {sheet.freeze_panes}")
    last = f"{get_column_letter(len(columns))}{len(rows) + 1}"
    check(sheet.auto_filter.ref == f"A1:{last}", sheet.title, f"filter on {sheet.auto_filter.ref}")
    for number in range(1, len(columns) + 1):
        width = sheet.column_dimensions[get_column_letter(number)].width
        check(width is not None and width >= 6, sheet.title, f"column {number} width {width}")
    check(sheet.max_row == len(rows) + 1, sheet.title, f"{sheet.max_row - 1} rows, the CSV has {len(rows)}")
    for index, (row, cells) in enumerate(zip(rows, sheet.iter_rows(min_row=2)), start=1):
        for (heading, field, kind), cell in zip(columns, cells):
            check_cell(cell, kind, row.get(field) if field else None, index, f"{sheet.title}!{cell.coordinate} {heading}")
        # A message of several lines shows them all: its row is as high as they are.
        lines = (row.get("message") or "").count("\n") + 1
        height = sheet.row_dimensions[index + 1].height
        check(height == (15 * lines if lines > 1 else None), sheet.title, f"row {index + 1}: {height} for {lines} lines")


def read_csv(path):
    with open(path, newline="", encoding="utf-8", errors="replace") as file:
        reader = csv.DictReader(file)
        return list(reader), reader.fieldnames


def case_columns(fieldnames, columns):
    """The cases sheet's columns: the number, a batch's own columns (those the CSV has
    before its inputs), then the program's."""
    carried = fieldnames[: fieldnames.index("material" if "material" in fieldnames else "load")]
    return columns[:1] + [(name, name, "input") for name in carried] + columns[1:]


def main():
    book_path, cases_path, materials_path = sys.argv[1:4]
    book = openpyxl.load_workbook(book_path)
    # The design check's and the oil film's workbooks have their sheet in place of the sizing's.
    first, columns = next(
        (sheet, columns)
        for sheet, columns in (("Проверка", CHECK_COLUMNS), ("Масляный слой", FILM_COLUMNS), ("Расчеты", CASE_COLUMNS))
        if sheet in book.sheetnames or sheet == "Расчеты"
    )
    sheets = ["Материалы"] if cases_path == "-" else [first, "Материалы"]
    check(book.sheetnames == sheets, "book", f"sheets {book.sheetnames}")
    if cases_path != "-":
        cases, fieldnames = read_csv(cases_path)
        check_sheet(book[first], case_columns(fieldnames, columns), cases)
    check_sheet(book["Материалы"], MATERIAL_COLUMNS, read_csv(materials_path)[0])
    for failure in failures[:40]:
        print(failure)
    print(f"{len(failures)} differences" if failures else "the workbook reads back as the CSV")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
