#include "filmreport.h"

#include "designcheck.h"
#include "filmcharts.h"
#include "numbertext.h"
#include "reporthtml.h"
#include "svgwriter.h"

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace bearing {

namespace {

// The texts the section needs of each input: its name with its unit, and how it is
// written in the formulas.
struct FilmInputRow {
    std::string_view name;
    std::optional<std::string> text;
    std::optional<double> read;  // none: the default
    std::string defaultNote;     // how a default was taken, when it was
};

class Section {
public:
    explicit Section(std::string_view separator)
        : separator_(separator)
    {
    }

    // Every figure shown as the design check shows its figures: four significant digits,
    // never fewer than the whole units.
    [[nodiscard]] std::string shown(double value) const { return formatCheckFigure(value, separator_); }
    // The shortest decimal that reads back as the same double.
    [[nodiscard]] std::string full(double value) const
    {
        return std::isfinite(value) ? formatShortest(value, separator_) : formatCheckFigure(value, separator_);
    }

    void raw(std::string_view text) { html_.raw(text); }
    void element(std::string_view tag, std::string_view text, std::string_view attributes = {})
    {
        html_.element(tag, text, attributes);
    }
    // A table row; each cell's text is escaped, and a cell's class ("n", "f") is given
    // before its text.
    void row(std::initializer_list<std::pair<std::string_view, std::string>> cells, std::string_view tag = "td")
    {
        std::vector<Cell> escaped;
        for (const auto& [kind, text] : cells) {
            escaped.emplace_back(kind, xmlEscaped(text));
        }
        html_.row(escaped, tag);
    }
    // A table whose columns take `widths` (percentages) of the page, so that the names and
    // formulas get the room and the figures only what they need.
    void tableHead(
        std::initializer_list<std::pair<std::string_view, std::string>> headings, std::initializer_list<int> widths)
    {
        raw("<table>\n<colgroup>");
        for (const int width : widths) {
            raw("<col style=\"width: " + std::to_string(width) + "%\"/>");
        }
        raw("</colgroup>\n<thead>");
        row(headings, "th");
        raw("</thead>\n<tbody>");
    }
    void tableEnd() { raw("</tbody>\n</table>\n"); }
    // A formula's row: the figure, the formula with its numbers, the figure as shown and
    // unrounded.
    void figure(std::string_view name, std::string formula, double value)
    {
        row({{"", std::string(name)}, {"f", std::move(formula)}, {"n", shown(value)}, {"n", full(value)}});
    }
    // A row of a figure that the solution gives, said in words: no formula to put numbers in.
    void solved(std::string_view name, std::string_view how, double value)
    {
        row({{"", std::string(name)}, {"", "из решения: " + std::string(how)}, {"n", shown(value)},
            {"n", full(value)}});
    }
    // A coded message, its CR LF line breaks as <br/>.
    void message(std::string_view text, std::string_view code)
    {
        html_.raw(R"(<div class="message" data-code=")" + xmlEscaped(code) + "\">" + messageHtml(text) + "</div>\n");
    }
    void figureElement(std::string_view svg, std::string_view caption) { html_.figure(svg, caption); }
    [[nodiscard]] std::string take() { return html_.take(); }

private:
    std::string_view separator_;
    Html html_;
};

void inputsTable(Section& html, const FilmReportCase& c, const std::optional<FilmInput>& read)
{
    const FilmInput in = read.value_or(FilmInput{});
    const std::string defaultNote = " — по умолчанию";
    const std::vector<FilmInputRow> rows{
        {"Радиальное усилие F, Н", c.load, in.load, {}},
        {"Частота вращения n, об/мин", c.frequency, in.frequency, {}},
        {"Диаметр цапфы d, мм", c.diameter, in.diameter, {}},
        {"Длина подшипника L, мм", c.length, in.length, {}},
        {"Диаметральный зазор Δ, мкм", c.clearance, in.clearance, {}},
        {"Динамическая вязкость масла µ, Па·с", c.viscosity, in.viscosity, {}},
        {"Шероховатость цапфы Rz_ц, мкм", c.journalRoughness, in.journalRoughness,
            html.full(defaultJournalRoughness) + defaultNote + " (шлифованная цапфа)"},
        {"Шероховатость вкладыша Rz_в, мкм", c.boreRoughness, in.boreRoughness,
            html.full(defaultBoreRoughness) + defaultNote + " (тонко расточенный вкладыш)"},
        {"Требуемый запас K толщины слоя над Rz_ц + Rz_в", c.margin, in.margin,
            html.full(defaultFilmMargin) + " — по обычному правилу"},
    };
    html.element("h3", "Исходные данные");
    if (read) {
        html.tableHead({{"", "Величина"}, {"", "Как задано"}, {"", "Как прочитано"}}, {40, 20, 40});
    } else {
        html.tableHead({{"", "Величина"}, {"", "Как задано"}}, {40, 60});
    }
    for (const FilmInputRow& row : rows) {
        const std::string given = row.text ? "«" + *row.text + "»" : "не задана";
        if (!read) {
            html.row({{"", std::string(row.name)}, {row.text ? "f" : "", given}});
        } else {
            html.row({{"", std::string(row.name)}, {row.text ? "f" : "", given},
                {row.read ? "n" : "", row.read ? html.full(*row.read) : row.defaultNote}});
        }
    }
    html.tableEnd();
}

// ψ, c, L/d, P, N, ω, S and Φ: the figures the inputs give before the film is solved.
void dimensionedTable(Section& html, const FilmInput& in, const OilFilm& film)
{
    const auto n = [&](double value) { return html.full(value); };
    const auto s = [&](double value) { return html.shown(value); };
    const double revolutions = in.frequency / 60;
    html.element("h3", "Расчет по исходным данным");
    html.element("p",
        "Все величины вычисляются с двойной точностью из чисел, как они прочитаны. Показанные значения округлены до "
        "четырех значащих цифр (но не меньше чем до целых); половина округляется вверх. В формулах числа, "
        "вычисленные раньше, подставлены как показаны.");
    html.tableHead(
        {{"", "Величина"}, {"", "Формула с числами"}, {"", "Как показано"}, {"", "Без округления"}}, {24, 46, 11, 19});
    html.figure("Относительный зазор ψ",
        "ψ = Δ / d = " + n(in.clearance) + " мкм / " + n(in.diameter) + " мм = " + n(in.clearance) + " / (1000·"
            + n(in.diameter) + ")",
        film.relativeClearance);
    html.figure("Радиальный зазор c, мкм", "c = Δ / 2 = " + n(in.clearance) + " / 2", film.radialClearance);
    html.figure("Отношение длины к диаметру L/d", "L / d = " + n(in.length) + " / " + n(in.diameter), film.lengthRatio);
    html.figure("Среднее давление P, МПа",
        "P = F / (L·d) = " + n(in.load) + " / (" + n(in.length) + "·" + n(in.diameter) + ")", film.meanPressure);
    html.figure("Частота вращения N, об/с", "N = n / 60 = " + n(in.frequency) + " / 60", revolutions);
    html.figure("Угловая скорость ω, 1/с", "ω = 2π·n / 60 = 2π·" + n(in.frequency) + " / 60", film.angularSpeed);
    html.figure("Число Зоммерфельда S",
        "S = (r/c)²·µ·N / P = (" + n(in.diameter / 2) + " мм / " + n(in.clearance / 2000) + " мм)²·" + n(in.viscosity)
            + "·" + s(revolutions) + " / (" + s(film.meanPressure) + "·10⁶ Па)",
        film.sommerfeld);
    html.figure("Коэффициент нагруженности Φ",
        "Φ = F·ψ² / (µ·ω·L·d) = " + n(in.load) + "·" + s(film.relativeClearance) + "² / (" + n(in.viscosity) + "·"
            + s(film.angularSpeed) + "·" + n(in.length / 1000) + " м·" + n(in.diameter / 1000) + " м) = 1 / (2π·S)",
        film.loadCoefficient);
    html.tableEnd();
}

// What the solution gave, and the figures that follow from it.
void solutionTable(Section& html, const FilmInput& in, const OilFilm& film)
{
    const auto n = [&](double value) { return html.full(value); };
    const auto s = [&](double value) { return html.shown(value); };
    // An angle that the solution gives from the largest gap, and the same angle from the load line.
    const auto angle = [&](std::string_view name, std::string_view how, double fromGap, double fromLoadLine) {
        html.solved(name, how, fromGap);
        html.figure("Он же от линии нагрузки, °",
            "θ − (180° − φ) = " + s(fromGap) + " − (180 − " + s(film.attitudeAngle) + ")", fromLoadLine);
    };
    // r, c and L in centimetres, for the flows in cm³/s.
    const double flowScale = in.diameter / 20 * (in.clearance / 2e4) * (in.frequency / 60) * (in.length / 10);

    html.element("h3", "Решение уравнения Рейнольдса");
    html.element("p",
        "Уравнение Рейнольдса для слоя решено численно на сетке " + std::to_string(standardFilmGrid.circumferential)
            + " × " + std::to_string(standardFilmGrid.axial)
            + " (по окружности × по половине длины) с условием разрыва слоя Рейнольдса (давление нигде не ниже "
              "окружающего); эксцентриситет подобран так, чтобы слой нес нагрузку, то есть давал найденное выше "
              "число S. Величины, помеченные «из решения», получены интегрированием поля давления и замкнутой "
              "формулы не имеют. Углы θ отсчитываются от наибольшего зазора по направлению вращения: наименьший "
              "зазор при θ = 180°, линия нагрузки при θ = 180° − φ.");
    html.tableHead(
        {{"", "Величина"}, {"", "Как получена"}, {"", "Как показано"}, {"", "Без округления"}}, {24, 46, 11, 19});
    html.solved("Относительный эксцентриситет ε",
        "ε, при котором слой несет S = " + s(film.sommerfeld) + " при L/d = " + s(film.lengthRatio), film.eccentricity);
    html.solved("Угол положения φ, °", "угол между линией нагрузки и линией центров", film.attitudeAngle);
    html.figure("Наименьшая толщина слоя h_min, мкм",
        "h_min = c·(1 − ε) = " + s(film.radialClearance) + "·(1 − " + s(film.eccentricity) + ")",
        film.minFilmThickness);
    html.figure("Сумма шероховатостей, мкм",
        "Rz_ц + Rz_в = " + n(film.journalRoughness) + " + " + n(film.boreRoughness), film.roughnessSum);
    const std::string required = "; требуется K = " + n(film.requiredMargin);
    html.figure("Запас толщины слоя",
        film.roughnessSum > 0
            ? "h_min / (Rz_ц + Rz_в) = " + s(film.minFilmThickness) + " / " + s(film.roughnessSum) + required
            : "h_min / (Rz_ц + Rz_в): обе шероховатости равны нулю" + required,
        film.filmMargin);
    html.solved("Отношение P/p_max",
        "наибольшее давление в средней плоскости по параболе через наибольший узел и два соседних", film.pressureRatio);
    html.figure("Наибольшее давление p_max, МПа",
        "p_max = P / (P/p_max) = " + s(film.meanPressure) + " / " + s(film.pressureRatio), film.maxPressure);
    angle("Угол наибольшего давления θ, °", "там же, от наибольшего зазора", film.maxPressureAngle,
        film.maxPressureAngleFromLoad);
    angle("Конец несущего слоя θ, °",
        "где слой в средней плоскости разрывается (давление и его градиент спадают до нуля), от наибольшего зазора",
        film.filmEndAngle, film.filmEndAngleFromLoad);
    html.figure("Параметр трения (r/c)·f",
        "(r/c)·f = 2π²·S / √(1 − ε²) + (ε/2)·sin φ = 2π²·" + s(film.sommerfeld) + " / √(1 − " + s(film.eccentricity)
            + "²) + (" + s(film.eccentricity) + "/2)·sin " + s(film.attitudeAngle) + "°",
        film.frictionVariable);
    html.figure("Коэффициент трения f", "f = (r/c)·f·ψ = " + s(film.frictionVariable) + "·" + s(film.relativeClearance),
        film.frictionCoefficient);
    html.figure("Момент трения T, Н·м",
        "T = f·F·r = " + s(film.frictionCoefficient) + "·" + n(in.load) + " Н·" + n(in.diameter / 2000) + " м",
        film.frictionTorque);
    html.figure(
        "Мощность трения, Вт", "T·ω = " + s(film.frictionTorque) + "·" + s(film.angularSpeed), film.frictionPower);
    html.solved("Параметр расхода Q/(r·c·N·L)",
        "поток в слой через наибольший зазор, 2π·∫(H/2 − H³·∂p̄/∂θ / 12) dζ при θ = 0", film.flowVariable);
    html.figure("Расход масла в слой Q, см³/с",
        "Q = (Q/(r·c·N·L))·r·c·N·L = " + s(film.flowVariable) + "·" + n(in.diameter / 20) + " см·"
            + n(in.clearance / 2e4) + " см·" + s(in.frequency / 60) + " об/с·" + n(in.length / 10) + " см",
        film.flow);
    html.solved("Утечка через торцы Q_s, см³/с",
        "−(π/6)·(d/L)²·∫H³·∂p̄/∂ζ dθ на обоих торцах, умноженное на r·c·N·L = " + s(flowScale) + " см³/с",
        film.sideFlow);
    html.figure(
        "Доля утечки через торцы Q_s/Q", "Q_s / Q = " + s(film.sideFlow) + " / " + s(film.flow), film.sideFlowRatio);
    html.tableEnd();
}

void verdict(Section& html, const OilFilm& film)
{
    const bool faulted = film.fault != FilmFault::None;
    const std::string text = faulted ? "не рассчитан" : (film.passes ? "проходит" : "не проходит");
    html.raw(std::string("<div class=\"verdict\"><p>Итог: <span class=\"") + (film.passes ? "pass" : "fail") + "\">"
        + xmlEscaped("подшипник " + text) + "</span>.</p>\n");
    if (faulted) {
        html.message(filmFaultMessage(film.fault), filmFaultCode(film.fault));
    } else if (film.limit != FilmLimit::None) {
        html.message(filmLimitMessage(film.limit), filmLimitCode(film.limit));
    }
    if (film.solved) {
        const std::string required
            = html.full(film.requiredMargin) + (film.marginDefaulted ? " (по обычному правилу)" : "");
        if (film.roughnessSum > 0) {
            html.element("p",
                "Запас h_min / (Rz_ц + Rz_в) = " + html.shown(film.minFilmThickness) + " / "
                    + html.shown(film.roughnessSum) + " = " + html.shown(film.filmMargin)
                    + (film.filmMargin >= film.requiredMargin ? " ≥" : " <") + " K = " + required + ".");
        } else {
            html.element("p", "Обе шероховатости равны нулю: запас толщины слоя бесконечен, K = " + required + ".");
        }
    }
    html.raw("</div>\n");
}

void charts(Section& html, const OilFilm& film, std::string_view separator)
{
    html.element("h3", "Диаграммы");
    if (film.solved) {
        html.figureElement(filmPressureSvg(filmPressureChartOf(film, std::string(separator))),
            "Давление в масляном слое в средней плоскости подшипника по углу от наибольшего зазора.");
    }
    html.figureElement(filmDesignChartSvg(filmDesignChartOf(film, std::string(separator))),
        "Расчетная диаграмма масляного слоя для L/d этого подшипника и его рабочая точка.");
}

}  // namespace

FilmTexts FilmReportCase::texts() const { return filmTextsOf(*this); }

FilmReportCase filmReportCase(const FilmTexts& texts)
{
    const auto optional = [](const std::optional<std::string_view>& text) {
        return text ? std::optional<std::string>(*text) : std::nullopt;
    };
    FilmReportCase c{.load = std::string(texts.load),
        .frequency = std::string(texts.frequency),
        .diameter = std::string(texts.diameter),
        .length = std::string(texts.length),
        .clearance = std::string(texts.clearance),
        .viscosity = std::string(texts.viscosity),
        .journalRoughness = optional(texts.journalRoughness),
        .boreRoughness = optional(texts.boreRoughness),
        .margin = optional(texts.margin),
        .film = {}};
    c.film = solveOilFilm(c.texts());
    return c;
}

std::string filmReportSectionHtml(const FilmReportCase& c, std::string_view decimalSeparator)
{
    Section html(decimalSeparator);
    const OilFilm& film = c.film;
    html.raw("<section class=\"film\" xmlns=\"http://www.w3.org/1999/xhtml\">\n");
    html.element("h2", "Масляный слой: подшипник жидкостного трения");
    html.element("p",
        "Полный (360°) радиальный подшипник, жесткая цапфа без перекоса, постоянная нагрузка, вязкость масла "
        "одна во всем слое (заданная при рабочей температуре), масло несжимаемо, без смазочной канавки, на торцах "
        "давление окружающей среды.");

    const FilmReading reading = readFilmInput(c.texts());
    if (film.fault != FilmFault::None) {
        inputsTable(html, c, std::nullopt);
        verdict(html, film);
        html.raw("</section>\n");
        return html.take();
    }
    inputsTable(html, c, reading.input);
    dimensionedTable(html, reading.input, film);
    if (film.solved) {
        solutionTable(html, reading.input, film);
    }
    verdict(html, film);
    charts(html, film, decimalSeparator);
    html.raw("</section>\n");
    return html.take();
}

}  // namespace bearing
