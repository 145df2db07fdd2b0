#include "filmreport.h"

#include "designcheck.h"
#include "numbertext.h"
#include "oilfilm.h"
#include "xmldocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bearing {
namespace {

std::size_t count(const XmlDocument& html, const std::string& xpath) { return html.select(xpath).size(); }

// The worked example of docs/oil-film.md, roughnesses and margin by default.
FilmReportCase workedExample(std::optional<std::string_view> journal = {}, std::optional<std::string_view> bore = {},
    std::optional<std::string_view> margin = {}, std::string_view load = "10000")
{
    return filmReportCase({.load = load,
        .frequency = "1500",
        .diameter = "80",
        .length = "80",
        .clearance = "120",
        .viscosity = "0.02",
        .journalRoughness = journal,
        .boreRoughness = bore,
        .margin = margin});
}

// The row of a figure: its name in the first cell.
std::string rowOf(const std::string& name) { return "//h:tr[h:td[1]='" + name + "']"; }

TEST(FilmReport, WorkedCaseShowsEveryFigureAsShownAndUnroundedWithTheFormulasAndDefaults)
{
    const FilmReportCase c = workedExample();
    const OilFilm& f = c.film;
    ASSERT_TRUE(f.passes);
    for (const std::string separator : {",", "."}) {
        SCOPED_TRACE(separator);
        const XmlDocument html(filmReportSectionHtml(c, separator));
        ASSERT_TRUE(html.valid()) << html.error();
        const std::vector<std::pair<std::string, double>> figures{
            {"Относительный зазор ψ", f.relativeClearance},
            {"Радиальный зазор c, мкм", f.radialClearance},
            {"Отношение длины к диаметру L/d", f.lengthRatio},
            {"Среднее давление P, МПа", f.meanPressure},
            {"Угловая скорость ω, 1/с", f.angularSpeed},
            {"Число Зоммерфельда S", f.sommerfeld},
            {"Коэффициент нагруженности Φ", f.loadCoefficient},
            {"Относительный эксцентриситет ε", f.eccentricity},
            {"Угол положения φ, °", f.attitudeAngle},
            {"Наименьшая толщина слоя h_min, мкм", f.minFilmThickness},
            {"Сумма шероховатостей, мкм", f.roughnessSum},
            {"Запас толщины слоя", f.filmMargin},
            {"Отношение P/p_max", f.pressureRatio},
            {"Наибольшее давление p_max, МПа", f.maxPressure},
            {"Угол наибольшего давления θ, °", f.maxPressureAngle},
            {"Конец несущего слоя θ, °", f.filmEndAngle},
            {"Параметр трения (r/c)·f", f.frictionVariable},
            {"Коэффициент трения f", f.frictionCoefficient},
            {"Момент трения T, Н·м", f.frictionTorque},
            {"Мощность трения, Вт", f.frictionPower},
            {"Параметр расхода Q/(r·c·N·L)", f.flowVariable},
            {"Расход масла в слой Q, см³/с", f.flow},
            {"Утечка через торцы Q_s, см³/с", f.sideFlow},
            {"Доля утечки через торцы Q_s/Q", f.sideFlowRatio},
        };
        for (const auto& [name, value] : figures) {
            EXPECT_EQ(count(html,
                          rowOf(name) + "[h:td[3]='" + formatCheckFigure(value, separator) + "' and h:td[4]='"
                              + formatShortest(value, separator) + "']"),
                1U)
                << name;
        }
        // The angles from the load line share a name; each sits after its angle from the thickest film.
        for (const auto& [before, value] : {std::pair{"Угол наибольшего давления θ, °", f.maxPressureAngleFromLoad},
                 std::pair{"Конец несущего слоя θ, °", f.filmEndAngleFromLoad}}) {
            EXPECT_EQ(
                count(html,
                    rowOf(before) + "/following-sibling::h:tr[1][h:td[1]='Он же от линии нагрузки, °' and h:td[3]='"
                        + formatCheckFigure(value, separator) + "']"),
                1U)
                << before;
        }
        EXPECT_EQ(count(html, rowOf("Среднее давление P, МПа") + "/h:td[2][.='P = F / (L·d) = 10000 / (80·80)']"), 1U);
        EXPECT_EQ(
            count(html, "//h:td[.='«0.02»']/following-sibling::h:td[.='" + formatShortest(0.02, separator) + "']"), 1U);
        EXPECT_EQ(count(html, "//h:td[.='не задана']/following-sibling::h:td[contains(., 'по умолчанию')]"), 2U);
        EXPECT_EQ(count(html, "//h:td[.='не задана']/following-sibling::h:td[.='2 — по обычному правилу']"), 1U);
        EXPECT_EQ(count(html,
                      "//h:div[@class='verdict'][h:p/h:span[@class='pass' and .='подшипник проходит']][contains(., '≥ "
                      "K = 2 (по обычному правилу)')][not(h:div[@class='message'])]"),
            1U);
        EXPECT_EQ(count(html, "//h:figure/s:svg"), 2U);
        EXPECT_EQ(count(html, "//h:td[contains(., '0,02')]") > 0, separator == ",");
    }
}

// A fault shows the inputs and its message and nothing computed; a limit shows its message
// in the verdict, beside the figures the solution reached.
TEST(FilmReport, FaultsAndLimitsShowTheirMessages)
{
    struct Row {
        std::string name;
        FilmReportCase c;
        std::string code;
        bool solved;  // the solution's rows shown
        std::size_t charts;
    };
    const std::vector<Row> rows{
        {"a clearance not a number",
            filmReportCase({.load = "10000",
                .frequency = "1500",
                .diameter = "80",
                .length = "80",
                .clearance = "0,12 мм",
                .viscosity = "0.02",
                .journalRoughness = {},
                .boreRoughness = {},
                .margin = {}}),
            "clearance_not_a_number", false, 0},
        {"a load beyond the film", workedExample({}, {}, {}, "10000000"), "load_beyond_film", false, 1},
        {"a film thinner than the roughness", workedExample("20", "20", "1,5"), "film_thinner_than_roughness", true, 2},
        {"an eccentricity beyond the model, smooth surfaces", workedExample("0", "0", {}, "220000"),
            "eccentricity_beyond_model", true, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const OilFilm& f = row.c.film;
        const bool faulted = f.fault != FilmFault::None;
        const std::string message = std::string(faulted ? filmFaultMessage(f.fault) : filmLimitMessage(f.limit));
        ASSERT_EQ(faulted ? filmFaultCode(f.fault) : filmLimitCode(f.limit), row.code);

        const XmlDocument html(filmReportSectionHtml(row.c, ","));
        ASSERT_TRUE(html.valid()) << html.error();
        const std::string verdict = faulted ? "подшипник не рассчитан" : "подшипник не проходит";
        // The message's lines, its CR LF breaks as <br/>, inside the verdict beside its text.
        const std::string firstLine = message.substr(0, message.find('\r'));
        std::string beside = "//h:div[@class='verdict'][h:p/h:span[@class='fail' and .='" + verdict;
        beside += "']]/h:div[@class='message' and @data-code='" + row.code;
        beside += "' and starts-with(., '" + firstLine + "')]";
        EXPECT_EQ(count(html, beside), 1U);
        EXPECT_EQ(count(html, "//h:div[@class='message']/h:br"),
            static_cast<std::size_t>(std::count(message.begin(), message.end(), '\n')));
        EXPECT_EQ(count(html, "//h:td[.='«80»']"), 2U);
        EXPECT_EQ(count(html, "//h:th[.='Без округления']"), faulted ? 0U : (row.solved ? 2U : 1U));
        EXPECT_EQ(count(html, rowOf("Относительный эксцентриситет ε")), row.solved ? 1U : 0U);
        EXPECT_EQ(count(html, "//h:figure/s:svg"), row.charts);
        if (row.solved) {
            EXPECT_EQ(count(html,
                          rowOf("Наименьшая толщина слоя h_min, мкм") + "/h:td[3][.='"
                              + formatCheckFigure(f.minFilmThickness, ",") + "']"),
                1U);
        }
    }
}

}  // namespace
}  // namespace bearing
