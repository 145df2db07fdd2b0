#include "calculationreport.h"

#include "bearingcharts.h"
#include "casecharts.h"
#include "numbertext.h"
#include "reporthtml.h"
#include "svgwriter.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <span>
#include <string_view>
#include <vector>

namespace bearing {

namespace {

// More cases than this make the small multiples too small to read on paper.
constexpr std::size_t maxPanels = 24;

// Print styles: A4 pages with their numbers, tables whose rows and figures are never cut.
constexpr std::string_view styleSheet = R"(
@page { size: A4; margin: 15mm 14mm 18mm 14mm;
  @bottom-right { content: "Страница " counter(page) " из " counter(pages); font-size: 8pt; color: #555555; } }
body { font-family: "DejaVu Sans", Verdana, sans-serif; font-size: 10pt; color: #202020; line-height: 1.35;
  max-width: 182mm; margin: 8mm auto; }
h1 { font-size: 16pt; margin: 0 0 2pt; }
h2 { font-size: 12.5pt; margin: 14pt 0 4pt; border-bottom: 1pt solid #b0b0b0; break-after: avoid; }
h3 { font-size: 11pt; margin: 10pt 0 4pt; break-after: avoid; }
p { margin: 3pt 0; }
.meta { color: #505050; font-size: 9pt; margin-bottom: 8pt; }
table { border-collapse: collapse; width: 100%; margin: 4pt 0 8pt; }
th, td { border: 0.5pt solid #9a9a9a; padding: 2pt 4pt; text-align: left; vertical-align: top; }
th { background: #eeeeee; font-weight: bold; }
td.n { text-align: right; white-space: nowrap; }
td.f { font-family: "DejaVu Sans Mono", monospace; font-size: 9pt; }
tr, figure, .verdict, .message { break-inside: avoid; }
thead { display: table-header-group; }
table.rows { font-size: 7.5pt; }
table.rows th, table.rows td { padding: 1pt 2pt; }
.pass { color: #1e6b1e; font-weight: bold; }
.fail { color: #8a1f1f; font-weight: bold; }
.verdict { border: 1pt solid #9a9a9a; padding: 4pt 8pt; margin: 6pt 0; }
.message { border-left: 3pt solid #c0392b; background: #fdf0ef; padding: 2pt 6pt; margin: 4pt 0; }
.shown { font-family: "DejaVu Sans Mono", monospace; }
figure { margin: 8pt 0; }
figure svg { max-width: 100%; height: auto; display: block; }
footer { margin-top: 14pt; color: #505050; font-size: 8.5pt; border-top: 0.5pt solid #b0b0b0; padding-top: 3pt; }
@media print { body { max-width: none; margin: 0; } }
)";

std::string escaped(std::string_view text) { return xmlEscaped(text); }

// Messages one after another in a table's cell, a line break between them.
std::string messagesHtml(const std::vector<std::string>& messages)
{
    std::string html;
    for (const std::string& message : messages) {
        html += (html.empty() ? "" : "<br/>") + messageHtml(message);
    }
    return html;
}

// The shortest decimal that reads back as the same double, with the user's separator.
std::string full(double value, std::string_view separator) { return formatShortest(value, separator); }

// A use as an unrounded percentage; where a double cannot hold the percentage, the use's
// digits with an exponent two more ("1e+309" for a use of 10^307).
std::string percentFull(double use, std::string_view separator)
{
    const double percent = use * 100.0;
    if (std::isfinite(percent) || !std::isfinite(use)) {
        return full(percent, separator);
    }
    const std::string text = full(use, separator);
    const std::size_t exponent = text.find('e');
    return text.substr(0, exponent + 2) + std::to_string(std::stoi(text.substr(exponent + 2)) + 2);
}

std::string single(float value, std::string_view separator) { return formatTextBoxNumber(value, separator); }

std::string orDash(std::string_view text) { return text.empty() ? "—" : std::string(text); }

Cell num(std::string html) { return {"n", std::move(html)}; }
Cell formula(std::string html) { return {"f", std::move(html)}; }

void materialSection(Html& html, std::string_view materialText, const std::optional<MaterialRecord>& material,
    std::string_view groupName, std::string_view separator)
{
    html.element("h2", "Материал");
    if (!material) {
        html.element("p", "Материал «" + std::string(materialText) + "» не найден в каталоге.");
        return;
    }
    html.raw("<table>\n<thead>");
    html.row({"Материал", "Группа", "[p], МПа", "[v], м/с", "[pv], МПа·м/с", "[t], °C"}, "th");
    html.raw("</thead>\n<tbody>");
    html.row({escaped(material->name), escaped(orDash(groupName)), num(single(material->maxPressure, separator)),
        num(single(material->maxSpeed, separator)), num(single(material->maxPV, separator)),
        num(formatTextBoxNumber(material->maxTemperature))});
    html.raw("</tbody>\n</table>\n");
}

void messagesSection(Html& html, const std::vector<std::string>& messages)
{
    if (messages.empty()) {
        return;
    }
    html.element("h2", "Сообщения");
    for (const std::string& message : messages) {
        html.raw("<div class=\"message\">" + messageHtml(message) + "</div>\n");
    }
}

// A batch's own columns of a case, as given, before its inputs.
struct Carried {
    std::span<const std::string> names;
    std::span<const std::string> values;
};

void inputsTable(Html& html, const Carried& carried,
    std::initializer_list<std::pair<std::string_view, std::optional<std::string>>> rows)
{
    html.element("h2", "Исходные данные");
    html.raw("<table>\n<thead>");
    html.row({"Величина", "Как задано"}, "th");
    html.raw("</thead>\n<tbody>");
    for (std::size_t i = 0; i < carried.names.size(); ++i) {
        const std::string value = i < carried.values.size() ? carried.values[i] : std::string();
        html.row({escaped(carried.names[i]), formula("«" + escaped(value) + "»")});
    }
    for (const auto& [name, text] : rows) {
        html.row({escaped(name), text ? formula("«" + escaped(*text) + "»") : Cell("не задана")});
    }
    html.raw("</tbody>\n</table>\n");
}

// A row of a table of every case: `cells`, and after the first (the number) a batch's
// own columns, as given (`carried` names in the heading, values in a case's row).
std::vector<Cell> withCarried(std::initializer_list<Cell> cells, std::span<const std::string> carried)
{
    std::vector<Cell> row(cells.begin(), cells.end());
    std::vector<Cell> own;
    for (const std::string& text : carried) {
        own.emplace_back(orDash(escaped(text)));
    }
    row.insert(row.begin() + 1, own.begin(), own.end());
    return row;
}

// ---- sizing ---------------------------------------------------------------------------

std::string sizingLengthLimit(const SizingFigures& figures) { return figures.pressureGoverns ? "[p]" : "[pv]"; }

void sizingWorkedCase(
    Html& html, const SizingReportCase& c, std::span<const std::string> carriedNames, std::string_view separator)
{
    inputsTable(html, {carriedNames, c.carried},
        {{"Материал", c.materialText}, {"Радиальное усилие F, Н", c.load}, {"Частота вращения n, об/мин", c.frequency},
            {"Длина подшипника L, мм", c.length}});
    materialSection(html, c.materialText, c.material, c.groupName, separator);

    if (!c.shownLines.empty()) {
        html.element("h2", "Результаты, как их показывает окно");
        for (const std::string& line : c.shownLines) {
            html.element("p", line, "class=\"shown\"");
        }
    }
    if (c.material && c.figures) {
        const MaterialRecord& m = *c.material;
        const SizingFigures& f = *c.figures;
        const float load = storeSingle(parseNumber(c.load)).value_or(0);
        const float frequency = storeSingle(parseNumber(c.frequency)).value_or(0);
        const std::string pi = "3" + std::string(separator) + "1415927";
        const double unroundedDiameter
            = static_cast<double>(m.maxSpeed) * mmRpmPerMetrePerSecond / (static_cast<double>(frequency) * sizingPi);

        html.element("h2", "Расчет");
        html.element("p",
            "Числа считаны из текстов так, как их читает окно, и хранятся с одинарной точностью; каждая формула "
            "вычисляется с двойной точностью. Длины и диаметры показываются округленными до 0,1 мм (половина — "
            "вверх).");
        html.raw("<table>\n<thead>");
        html.row({"Величина", "Формула с числами", "Как показано", "Без округления"}, "th");
        html.raw("</thead>\n<tbody>");
        html.row({"Наибольший диаметр Dmax, мм (по [v])",
            formula(escaped("Dmax = 60000·[v] / (π·n) = 60000·" + single(m.maxSpeed, separator) + " / (" + pi + "·"
                + single(frequency, separator) + ") = " + full(unroundedDiameter, separator))),
            num(single(f.maxDiameter, separator)), num(full(unroundedDiameter, separator))});
        html.row({"Длина по [pv] L[pv], мм",
            formula(escaped("L[pv] = π·F·n / (60000·[pv]) = " + pi + "·" + single(load, separator) + "·"
                + single(frequency, separator) + " / (60000·" + single(m.maxPV, separator) + ")")),
            num(single(f.pvLength, separator)), num(single(f.pvLength, separator))});
        html.row({"Наименьшая площадь d·L, мм² (по [p])",
            formula(escaped("F / [p] = " + single(load, separator) + " / " + single(m.maxPressure, separator))),
            num(single(f.minArea, separator)), num(single(f.minArea, separator))});
        if (f.maxDiameter > 0) {
            html.row({"Длина по [p] при Dmax, мм",
                formula(escaped(
                    "(F / [p]) / Dmax = " + single(f.minArea, separator) + " / " + single(f.maxDiameter, separator))),
                num(single(f.pressureLength, separator)), num(single(f.pressureLength, separator))});
        }
        html.row({"Наименьшая длина Lmin, мм",
            formula(escaped("Lmin = max(L[pv]; длина по [p]) — определяет " + sizingLengthLimit(f))),
            num(formatTextBoxNumber(roundToTenth(static_cast<double>(f.minLength)), separator)),
            num(single(f.minLength, separator))});
        if (c.forLength && c.length) {
            const float length = storeSingle(parseNumber(*c.length)).value_or(0);
            if (c.forLength->check == LengthCheck::Accepted) {
                html.row({"Наименьший диаметр при длине L, мм",
                    formula(escaped("L = " + single(length, separator) + " ≥ Lmin; d = (F / [p]) / L = "
                        + single(f.minArea, separator) + " / " + single(length, separator))),
                    num(formatTextBoxNumber(roundToTenth(static_cast<double>(c.forLength->diameter)), separator)),
                    num(single(c.forLength->diameter, separator))});
            } else {
                html.row({"Наименьший диаметр при длине L, мм",
                    formula(
                        escaped("L = " + single(length, separator) + " < Lmin = " + single(f.minLength, separator))),
                    num("—"), num("—")});
            }
        }
        html.raw("</tbody>\n</table>\n");
    }
    messagesSection(html, c.messages);

    if (c.material && c.figures && c.figures->maxDiameter > 0) {
        html.element("h2", "Диаграммы");
        html.figure(sizingPvDiagramSvg(c, separator),
            "Рисунок 1. Допустимая область материала и точка, в которой работает подшипник наибольшего диаметра "
            "и наименьшей длины.");
        html.figure(sizingDesignChartSvg(c, separator), "Рисунок 2. Размеры d × L, которые допускает материал.");
    }
}

void sizingTable(Html& html, const std::vector<SizingReportCase>& cases, std::span<const std::string> carriedNames,
    std::string_view separator)
{
    html.element("h2", "Все случаи");
    html.raw("<table class=\"rows\">\n<thead>");
    html.row(withCarried({"№", "Материал", "F, Н", "n, об/мин", "L, мм", "Dmax, мм", "Lmin, мм",
                             "Lmin без округления, мм", "Определяет", "dmin при L, мм", "Сообщения"},
                 carriedNames),
        "th");
    html.raw("</thead>\n<tbody>");
    int number = 0;
    for (const SizingReportCase& c : cases) {
        ++number;
        std::string diameter = "—";
        std::string length = "—";
        std::string unrounded = "—";
        std::string limit = "—";
        std::string forLength = "—";
        if (c.figures) {
            diameter = single(c.figures->maxDiameter, separator);
            length = formatTextBoxNumber(roundToTenth(static_cast<double>(c.figures->minLength)), separator);
            unrounded = single(c.figures->minLength, separator);
            limit = sizingLengthLimit(*c.figures);
        }
        if (c.forLength) {
            forLength = c.forLength->check == LengthCheck::Accepted
                ? formatTextBoxNumber(roundToTenth(static_cast<double>(c.forLength->diameter)), separator)
                : "L &lt; Lmin";
        }
        html.row(withCarried(
            {num(std::to_string(number)), escaped(panelHeading<SizingReportCase>(c, cases)), num(escaped(c.load)),
                num(escaped(c.frequency)), num(escaped(c.length.value_or("—"))), num(diameter), num(length),
                num(unrounded), limit, num(forLength), orDash(messagesHtml(c.messages))},
            c.carried));
    }
    html.raw("</tbody>\n</table>\n");
}

// ---- check ----------------------------------------------------------------------------

std::string verdictText(const DesignCheck& check)
{
    if (check.fault != CheckFault::None) {
        return "не проверен";
    }
    return std::string(verdictWord(check.passes));
}

// A check's messages in order: its case's own (a material not found), then its fault's.
std::vector<std::string> checkMessages(const CheckReportCase& c)
{
    std::vector<std::string> messages = c.messages;
    if (c.check.fault != CheckFault::None) {
        messages.emplace_back(checkFaultMessage(c.check.fault));
    }
    return messages;
}

void checkWorkedCase(
    Html& html, const CheckReportCase& c, std::span<const std::string> carriedNames, std::string_view separator)
{
    inputsTable(html, {carriedNames, c.carried},
        {{"Материал", c.materialText}, {"Радиальное усилие F, Н", c.load}, {"Частота вращения n, об/мин", c.frequency},
            {"Диаметр цапфы d, мм", c.diameter}, {"Длина подшипника L, мм", c.length},
            {"Рабочая температура t, °C", c.temperature}});
    materialSection(html, c.materialText, c.material, c.groupName, separator);

    const std::vector<std::string> messages = checkMessages(c);
    if (!c.material || c.check.fault != CheckFault::None) {
        messagesSection(html, messages);
        return;
    }
    const MaterialRecord& m = *c.material;
    const DesignCheck& k = c.check;
    const DesignCheckReading reading = readDesignCheckInput(
        {.load = c.load, .frequency = c.frequency, .diameter = c.diameter, .length = c.length, .temperature = {}});
    const DesignCheckInput& in = reading.input;
    const auto number = [&](double value) { return full(value, separator); };
    const auto shown = [&](double value) { return formatCheckFigure(value, separator); };
    // A negative number after a minus sign in brackets, with the minus sign that it is.
    const auto subtrahend
        = [&](double value) { return std::signbit(value) && value != 0 ? "(−" + number(-value) + ")" : number(value); };
    const std::string pi = "3" + std::string(separator) + "1415927";
    const std::string maxP = single(m.maxPressure, separator);
    const std::string maxV = single(m.maxSpeed, separator);
    const std::string maxPV = single(m.maxPV, separator);

    html.element("h2", "Проверка");
    html.element("p",
        "Все величины вычисляются с двойной точностью из чисел, как они заданы; допускаемые значения материала "
        "входят в расчет с одинарной точностью каталога. Показанные значения округлены до четырех значащих цифр "
        "(но не меньше чем до целых), доли допускаемых значений — до 0,1 %; половина округляется вверх.");
    html.raw("<table>\n<thead>");
    html.row({"Величина", "Формула с числами", "Как показано", "Без округления"}, "th");
    html.raw("</thead>\n<tbody>");
    html.row({"Давление p, МПа",
        formula(escaped(
            "p = F / (d·L) = " + number(in.load) + " / (" + number(in.diameter) + "·" + number(in.length) + ")")),
        num(shown(k.pressure)), num(number(k.pressure))});
    html.row({"Скорость скольжения v, м/с",
        formula(
            escaped("v = π·d·n / 60000 = " + pi + "·" + number(in.diameter) + "·" + number(in.frequency) + " / 60000")),
        num(shown(k.speed)), num(number(k.speed))});
    html.row({"Произведение pv, МПа·м/с", formula(escaped("pv = p·v = " + shown(k.pressure) + "·" + shown(k.speed))),
        num(shown(k.pv)), num(number(k.pv))});
    html.row({"Доля [p], %", formula(escaped("p / [p] = " + shown(k.pressure) + " / " + maxP)),
        num(formatUtilisation(k.pressureUse, separator)), num(percentFull(k.pressureUse, separator))});
    html.row({"Доля [v], %", formula(escaped("v / [v] = " + shown(k.speed) + " / " + maxV)),
        num(formatUtilisation(k.speedUse, separator)), num(percentFull(k.speedUse, separator))});
    html.row({"Доля [pv], %", formula(escaped("pv / [pv] = " + shown(k.pv) + " / " + maxPV)),
        num(formatUtilisation(k.pvUse, separator)), num(percentFull(k.pvUse, separator))});
    html.row({"Наибольшая нагрузка Fmax, Н",
        formula(escaped("min([p]·d·L; [pv]·d·L / v) = min(" + maxP + "·" + number(in.diameter) + "·" + number(in.length)
            + "; " + maxPV + "·" + number(in.diameter) + "·" + number(in.length) + " / " + shown(k.speed)
            + ") — определяет " + std::string(limitSymbol(k.maxLoadLimit)))),
        num(shown(k.maxLoad)), num(number(k.maxLoad))});
    html.row({"Наибольшая частота nmax, об/мин",
        formula(escaped("min(60000·[v] / (π·d); 60000·[pv]·L / (π·F)) = min(60000·" + maxV + " / (" + pi + "·"
            + number(in.diameter) + "); 60000·" + maxPV + "·" + number(in.length) + " / (" + pi + "·" + number(in.load)
            + ")) — определяет " + std::string(limitSymbol(k.maxFrequencyLimit)))),
        num(shown(k.maxFrequency)), num(number(k.maxFrequency))});
    html.row({"Скорость скольжения при nmax, м/с", formula(escaped("π·d·nmax / 60000")), num(shown(k.maxSpeed)),
        num(number(k.maxSpeed))});
    if (k.temperature) {
        html.row({"Запас по температуре, K",
            formula(escaped("[t] − t = " + formatTextBoxNumber(m.maxTemperature) + " − " + subtrahend(*k.temperature))),
            num(shown(k.temperatureMargin)), num(number(k.temperatureMargin))});
    }
    html.raw("</tbody>\n</table>\n");

    html.raw(std::string("<div class=\"verdict\"><p>Итог: <span class=\"") + (k.passes ? "pass" : "fail") + "\">"
        + escaped("подшипник " + verdictText(k)) + "</span>.</p>\n");
    html.element("p",
        "Определяет " + std::string(limitSymbol(k.governing)) + " (" + std::string(limitName(k.governing))
            + "): использовано " + formatUtilisation(k.governingUse, separator) + " %"
            + (k.limitsHold ? ", запас " + formatUtilisation(1 - k.governingUse, separator) + " %."
                            : ", превышение " + formatUtilisation(k.governingUse - 1, separator) + " %."));
    if (k.temperature) {
        html.element("p",
            "Температура " + number(*k.temperature) + " °C " + (k.temperatureHolds ? "не выше" : "выше")
                + " допускаемой [t] = " + formatTextBoxNumber(m.maxTemperature) + " °C.");
    } else {
        html.element("p", "Рабочая температура не задана и не сравнивалась с [t].");
    }
    html.raw("</div>\n");
    messagesSection(html, messages);

    html.element("h2", "Диаграммы");
    html.figure(pvDiagramSvg({.title = "Диаграмма p–v: " + std::string(m.name),
                    .materials = {m},
                    .point = PvPoint{.speed = k.speed, .pressure = k.pressure},
                    .pointCaption = "рабочая точка d × L = " + number(in.diameter) + " × " + number(in.length) + " мм",
                    .decimalSeparator = std::string(separator)}),
        "Рисунок 1. Допустимая область материала и рабочая точка проверяемого подшипника.");
    html.figure(checkDesignChartSvg(c, separator),
        "Рисунок 2. Размеры d × L, которые допускает материал, и проверяемый размер.");
}

void checkTable(Html& html, const std::vector<CheckReportCase>& cases, std::span<const std::string> carriedNames,
    std::string_view separator)
{
    html.element("h2", "Все случаи");
    html.raw("<table class=\"rows\">\n<thead>");
    html.row(withCarried({"№", "Материал", "F, Н", "n, об/мин", "d × L, мм", "t, °C", "p, МПа", "v, м/с", "pv, МПа·м/с",
                             "[p], %", "[v], %", "[pv], %", "Определяет", "Fmax, Н", "nmax, об/мин", "Итог"},
                 carriedNames),
        "th");
    html.raw("</thead>\n<tbody>");
    // A verdict reached with no temperature compared is marked, and the mark explained.
    const std::string notComparedMark = "*";
    bool notCompared = false;
    int number = 0;
    for (const CheckReportCase& c : cases) {
        ++number;
        const DesignCheck& k = c.check;
        const std::string name = escaped(panelHeading<CheckReportCase>(c, cases));
        const std::string size = escaped(c.diameter) + " × " + escaped(c.length);
        const std::string temperature = escaped(c.temperature.value_or("—"));
        if (!c.material || k.fault != CheckFault::None) {
            html.row(withCarried({num(std::to_string(number)), name, num(escaped(c.load)), num(escaped(c.frequency)),
                                     num(size), num(temperature), "—", "—", "—", "—", "—", "—", "—", "—", "—",
                                     "<span class=\"fail\">" + escaped(verdictText(k)) + "</span><br/>"
                                         + messagesHtml(checkMessages(c))},
                c.carried));
            continue;
        }
        const auto shown = [&](double value) { return num(formatCheckFigure(value, separator)); };
        const auto use = [&](double value) { return num(formatUtilisation(value, separator)); };
        html.row(withCarried(
            {num(std::to_string(number)), name, num(escaped(c.load)), num(escaped(c.frequency)), num(size),
                num(temperature), shown(k.pressure), shown(k.speed), shown(k.pv), use(k.pressureUse), use(k.speedUse),
                use(k.pvUse),
                std::string(limitSymbol(k.governing)) + " " + formatUtilisation(k.governingUse, separator) + " %",
                shown(k.maxLoad), shown(k.maxFrequency),
                std::string("<span class=\"") + (k.passes ? "pass" : "fail") + "\">" + escaped(verdictText(k))
                    + "</span>" + (k.temperature ? "" : notComparedMark)},
            c.carried));
        notCompared = notCompared || !k.temperature;
    }
    html.raw("</tbody>\n</table>\n");
    // Once under the table, so that the verdict column stays narrow.
    if (notCompared) {
        html.element("p", "* " + std::string(temperatureNotCompared) + ".");
    }
}

void filmTable(Html& html, const std::vector<FilmReportCase>& cases, std::span<const std::string> carriedNames,
    std::string_view separator)
{
    html.element("h2", "Все случаи");
    html.raw("<table class=\"rows\">\n<thead>");
    html.row(withCarried({"№", "F, Н", "n, об/мин", "d × L, мм", "Δ, мкм", "µ, Па·с", "S", "ε", "h_min, мкм", "Запас",
                             "p_max, МПа", "f", "Мощность трения, Вт", "Q, см³/с", "Итог"},
                 carriedNames),
        "th");
    html.raw("</thead>\n<tbody>");
    int number = 0;
    for (const FilmReportCase& c : cases) {
        ++number;
        const OilFilm& film = c.film;
        const auto shown = [&](double value, bool reached) {
            return num(reached ? formatCheckFigure(value, separator) : std::string("—"));
        };
        const bool read = c.messages.empty() && film.fault == FilmFault::None;
        const bool solved = read && film.solved;
        std::vector<std::string> messages = c.messages;
        if (film.fault != FilmFault::None) {
            messages.emplace_back(filmFaultMessage(film.fault));
        } else if (film.limit != FilmLimit::None) {
            messages.emplace_back(filmLimitMessage(film.limit));
        }
        const bool passes = read && film.passes;
        html.row(withCarried(
            {num(std::to_string(number)), num(escaped(c.load)), num(escaped(c.frequency)),
                num(escaped(c.diameter) + " × " + escaped(c.length)), num(escaped(c.clearance)),
                num(escaped(c.viscosity)), shown(film.sommerfeld, read), shown(film.eccentricity, solved),
                shown(film.minFilmThickness, solved), shown(film.filmMargin, solved), shown(film.maxPressure, solved),
                shown(film.frictionCoefficient, solved), shown(film.frictionPower, solved), shown(film.flow, solved),
                std::string("<span class=\"") + (passes ? "pass" : "fail") + "\">"
                    + (read ? std::string(verdictWord(passes)) : std::string("нет расчета")) + "</span>"
                    + (messages.empty() ? "" : "<br/>" + messagesHtml(messages))},
            c.carried));
    }
    html.raw("</tbody>\n</table>\n");
}

template <typename Case> const Case* workedCase(const std::vector<Case>& cases, auto reached)
{
    const auto found = std::find_if(cases.begin(), cases.end(), reached);
    return found != cases.end() ? &*found : (cases.empty() ? nullptr : &cases.front());
}

}  // namespace

std::string calculationReportHtml(const CalculationReport& report)
{
    const std::string& separator = report.decimalSeparator;
    const bool checks = !report.checks.empty();
    const bool films = !report.films.empty();
    const std::string title = films ? "Масляный слой подшипника скольжения"
                                    : (checks ? "Проверка подшипника скольжения" : "Расчет подшипника скольжения");
    const std::size_t count = films ? report.films.size() : (checks ? report.checks.size() : report.sizings.size());
    const std::string program = report.programName + " " + report.version;

    Html html;
    html.raw("<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"ru\">\n<head>\n"
             "<meta charset=\"utf-8\"/>\n");
    html.element("title", title);
    html.raw("<style>");
    html.raw(styleSheet);
    html.raw("</style>\n</head>\n<body>\n");
    html.element("h1", title);
    html.element("p",
        "Программа: " + program + ". Дата расчета: " + report.date + ". Случаев: " + std::to_string(count) + ".",
        "class=\"meta\"");

    if (films) {
        const FilmReportCase* worked
            = workedCase(report.films, [](const FilmReportCase& c) { return c.film.solved && c.messages.empty(); });
        if (count > 1) {
            html.element("h2", "Подробно: случай " + std::to_string(worked - report.films.data() + 1));
        }
        html.raw(filmReportSectionHtml(*worked, separator));
        if (count > 1) {
            filmTable(html, report.films, report.carriedNames, separator);
        }
    } else if (checks) {
        const CheckReportCase* worked = workedCase(
            report.checks, [](const CheckReportCase& c) { return c.material && c.check.fault == CheckFault::None; });
        if (count > 1) {
            html.element("h2", "Подробно: случай " + std::to_string(worked - report.checks.data() + 1));
        }
        checkWorkedCase(html, *worked, report.carriedNames, separator);
        if (count > 1) {
            checkTable(html, report.checks, report.carriedNames, separator);
            if (count <= maxPanels) {
                PvPanels panels;
                panels.title = "Диаграммы p–v всех случаев";
                panels.decimalSeparator = separator;
                for (const CheckReportCase& c : report.checks) {
                    if (c.material && c.check.fault == CheckFault::None) {
                        panels.panels.push_back(checkPanel(c, report.checks, separator));
                    }
                }
                html.figure(pvPanelsSvg(panels),
                    "Рисунок 3. Рабочие точки всех случаев в допустимых областях их "
                    "материалов.");
            }
        }
    } else if (count > 0) {
        const SizingReportCase* worked = workedCase(
            report.sizings, [](const SizingReportCase& c) { return c.material && c.figures && c.messages.empty(); });
        if (count > 1) {
            html.element("h2", "Подробно: случай " + std::to_string(worked - report.sizings.data() + 1));
        }
        sizingWorkedCase(html, *worked, report.carriedNames, separator);
        if (count > 1) {
            sizingTable(html, report.sizings, report.carriedNames, separator);
            if (count <= maxPanels) {
                PvPanels panels;
                panels.title = "Диаграммы p–v всех случаев: ответ расчета каждого";
                panels.passingHeading = "Без сообщений";
                panels.failingHeading = "С сообщением";
                panels.pointCaption = "ответ расчета (Dmax × Lmin)";
                panels.decimalSeparator = separator;
                for (const SizingReportCase& c : report.sizings) {
                    if (c.material && c.figures) {
                        panels.panels.push_back(sizingPanel(c, report.sizings, separator));
                    }
                }
                html.figure(pvPanelsSvg(panels),
                    "Рисунок 3. Ответы расчета всех случаев в допустимых областях их "
                    "материалов.");
            }
        }
    } else {
        html.element("p", "Нет ни одного случая.");
    }

    html.element("footer", "Отчет составлен программой " + program + " " + report.date + ".");
    html.raw("</body>\n</html>\n");
    return html.take();
}

CheckReportCase checkReportCase(std::string materialText, const MaterialCatalogue& catalogue, int row,
    const DesignCheckTexts& texts, const DesignCheck& check, std::vector<std::string> messages)
{
    CheckReportCase c{.materialText = std::move(materialText),
        .material = std::nullopt,
        .groupName = {},
        .load = std::string(texts.load),
        .frequency = std::string(texts.frequency),
        .diameter = std::string(texts.diameter),
        .length = std::string(texts.length),
        .temperature = texts.temperature ? std::optional<std::string>(*texts.temperature) : std::nullopt,
        .check = check,
        .messages = std::move(messages)};
    if (row >= 0) {
        c.material = catalogue.row(row);
        c.groupName = groupOfCatalogueRow(row).title;
    }
    return c;
}

SizingReportCase sizingReportCase(std::string materialText, std::optional<MaterialRecord> material,
    std::string groupName, const PressInput& input, bool withLength, const PressResult& press)
{
    SizingReportCase c{.materialText = std::move(materialText),
        .material = material,
        .groupName = std::move(groupName),
        .load = std::string(input.load),
        .frequency = std::string(input.frequency),
        .length = withLength ? std::optional<std::string>(input.length) : std::nullopt,
        .shownLines = {},
        .messages = {},
        .figures = press.figures.sizing,
        .forLength = press.figures.forLength};
    std::array<std::optional<std::string>, 3> texts;
    for (const ShownEvent& event : press.events) {
        if (event.kind == ShownEvent::Kind::Message) {
            c.messages.push_back(event.text);
        } else {
            texts.at(static_cast<std::size_t>(event.control)) = event.text;
        }
    }
    for (const Control control : {Control::MaxDiameterLine, Control::MinLengthLine, Control::MinDiameterOnLength}) {
        const std::optional<std::string>& text = texts.at(static_cast<std::size_t>(control));
        if (text && !text->empty()) {
            c.shownLines.push_back((control == Control::MinDiameterOnLength ? "Минимальный диаметр: " : "") + *text);
        }
    }
    return c;
}

std::string reportDate(std::int64_t unixSeconds)
{
    using namespace std::chrono;
    const sys_seconds time{seconds{unixSeconds}};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss<seconds> clock{time - day};
    return fmt::format("{:02}.{:02}.{:04} {:02}:{:02}:{:02} UTC", static_cast<unsigned>(date.day()),
        static_cast<unsigned>(date.month()), static_cast<int>(date.year()), clock.hours().count(),
        clock.minutes().count(), clock.seconds().count());
}

}  // namespace bearing
