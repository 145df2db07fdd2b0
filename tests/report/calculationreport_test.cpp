#include "calculationreport.h"

#include "designcheck.h"
#include "press.h"
#include "sizing.h"
#include "xmldocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bearing {
namespace {

const MaterialCatalogue catalogue{CatalogueVariant::ReferenceWindow};

CheckReportCase checkCase(std::string materialText, std::string diameter, std::optional<std::string> temperature = {})
{
    CheckReportCase c;
    c.materialText = std::move(materialText);
    const std::int16_t row = catalogue.findMaterial(c.materialText);
    if (row != MaterialCatalogue::noMaterial) {
        c.material = catalogue.row(row);
        c.groupName = row < 9 ? "без смазки" : "со смазкой";
    } else {
        c.messages.emplace_back("Выберите материал");
    }
    c.load = "5000";
    c.frequency = "300";
    c.diameter = std::move(diameter);
    c.length = "20";
    c.temperature = std::move(temperature);
    if (c.material) {
        std::optional<std::string_view> t;
        if (c.temperature) {
            t = *c.temperature;
        }
        c.check = checkDesign(*c.material, DesignCheckTexts{c.load, c.frequency, c.diameter, c.length, t});
    }
    return c;
}

CalculationReport reportOf(std::vector<CheckReportCase> checks)
{
    return {.programName = "plain-bearings-calc",
        .version = "1.01",
        .date = reportDate(1765141454),
        .decimalSeparator = ",",
        .sizings = {},
        .checks = std::move(checks)};
}

std::size_t count(const XmlDocument& html, const std::string& xpath) { return html.select(xpath).size(); }

// What every report must be: well-formed, self-contained, signed and dated.
void expectSelfContained(const XmlDocument& html)
{
    ASSERT_TRUE(html.valid()) << html.error();
    EXPECT_EQ(count(html, "/h:html[@lang='ru']/h:head/h:style"), 1U);
    EXPECT_EQ(count(html, "//h:script | //s:script | //@src | //@href | //h:link"), 0U);
    EXPECT_EQ(
        count(html, "//h:p[contains(., 'plain-bearings-calc 1.01') and contains(., '07.12.2025 21:04:14 UTC')]"), 1U);
}

TEST(CalculationReport, WorkedCheckShowsEveryFormulaWithItsNumbersAndTheVerdict)
{
    const std::string text = calculationReportHtml(reportOf({checkCase("Бронза БрО10Ф1", "16.7", "80")}));
    const XmlDocument html(text);
    expectSelfContained(html);
    EXPECT_EQ(count(html, "//h:td[.='«16.7»']"), 1U);  // the input as given
    EXPECT_EQ(count(html, "//h:td[.='p = F / (d·L) = 5000 / (16,7·20)']"), 1U);
    EXPECT_EQ(count(html, "//h:tr[h:td[1]='Давление p, МПа']/h:td[3][.='14,97']"), 1U);
    EXPECT_EQ(count(html, "//h:tr[h:td[1]='Давление p, МПа']/h:td[4][.='14,970059880239521']"), 1U);
    EXPECT_EQ(count(html, "//h:tr[h:td[1]='Доля [p], %']/h:td[3][.='99,8']"), 1U);
    EXPECT_EQ(count(html, "//h:tr[h:td[1]='Наибольшая нагрузка Fmax, Н']/h:td[3][.='5010']"), 1U);
    EXPECT_EQ(count(html, "//h:span[@class='pass' and .='подшипник проходит']"), 1U);
    EXPECT_EQ(count(html, "//h:p[starts-with(., 'Определяет [p] (давление): использовано 99,8 %')]"), 1U);
    EXPECT_EQ(count(html, "//h:p[.='Температура 80 °C не выше допускаемой [t] = 250 °C.']"), 1U);
    EXPECT_EQ(count(html, "//s:svg"), 2U);
    EXPECT_EQ(count(html, "//s:circle[@id='operating-point']"), 1U);
    EXPECT_EQ(count(html, "//s:circle[@id='proposed-design']"), 1U);
    EXPECT_EQ(text, calculationReportHtml(reportOf({checkCase("Бронза БрО10Ф1", "16.7", "80")})));
}

TEST(CalculationReport, SeveralChecksWorkOutTheFirstThatReachedItsFiguresAndListThemAll)
{
    const std::vector<CheckReportCase> cases{checkCase("<b>Латунь</b> & Co", "16.7"), checkCase("Бронза БрО10Ф1", "0"),
        checkCase("Графит", "16.7"), checkCase("Бронза БрО10Ф1", "16.7")};
    const XmlDocument html(calculationReportHtml(reportOf(cases)));
    expectSelfContained(html);
    EXPECT_EQ(count(html, "//h:h2[.='Подробно: случай 3']"), 1U);
    EXPECT_EQ(count(html, "//h:table[@class='rows']/h:tbody/h:tr"), 4U);
    // The user's text stays text.
    EXPECT_EQ(count(html, "//h:b"), 0U);
    EXPECT_EQ(count(html, "//h:table[@class='rows']//h:td[.='<b>Латунь</b> & Co']"), 1U);
    EXPECT_EQ(count(html, "//h:table[@class='rows']//h:td[contains(., 'Диаметр должен быть больше нуля')]"), 1U);
    EXPECT_EQ(count(html, "//h:table[@class='rows']/h:tbody/h:tr[4]/h:td[16][.='проходит*']"), 1U);
    EXPECT_EQ(count(html, "//h:table[@class='rows']/h:tbody/h:tr[3]/h:td[13][.='[p] 2994,0 %']"), 1U);
    // Two charts of the worked case and the panels of the two that were checked.
    EXPECT_EQ(count(html, "//s:svg"), 3U);
    EXPECT_EQ(count(html, "//s:g[@id='passing']/s:polygon"), 1U);
    EXPECT_EQ(count(html, "//s:g[@id='failing']/s:polygon"), 1U);
}

// In the table of all cases, a reader tells two namesakes apart by their groups and sees
// under a verdict that no temperature was compared.
TEST(CalculationReport, TableTellsNamesakesApartAndSaysWhenNoTemperatureWasCompared)
{
    CheckReportCase lubricated = checkCase("Фторопласт-4", "16.7");
    lubricated.material = catalogue.row(18);
    lubricated.groupName = "со смазкой";
    const XmlDocument html(calculationReportHtml(
        reportOf({checkCase("Фторопласт-4", "16.7", "80"), lubricated, checkCase("Бронза БрО10Ф1", "16.7")})));
    expectSelfContained(html);
    const std::string rows = "//h:table[@class='rows']/h:tbody/h:tr";
    EXPECT_EQ(count(html, rows + "[1]/h:td[2][.='Фторопласт-4, без смазки']"), 1U);
    EXPECT_EQ(count(html, rows + "[2]/h:td[2][.='Фторопласт-4, со смазкой']"), 1U);
    EXPECT_EQ(count(html, rows + "[3]/h:td[2][.='Бронза БрО10Ф1']"), 1U);
    EXPECT_EQ(count(html, rows + "/h:td[16][.='не проходит*']"), 1U);
    EXPECT_EQ(count(html, rows + "/h:td[16][.='проходит*']"), 1U);
    EXPECT_EQ(count(html, rows + "[1]/h:td[16][.='не проходит']"), 1U);
    EXPECT_EQ(count(html,
                  "//h:table[@class='rows']/following-sibling::h:p[1][.='* температура не сравнивалась: "
                  "не задана.']"),
        1U);
}

TEST(CalculationReport, SizingShowsTheWindowsLinesTheRoundedAndTheUnroundedFigures)
{
    const PressInput input{.material = "Бронза БрО10Ф1", .load = "5000", .frequency = "300", .length = "20"};
    const MaterialCatalogue window{CatalogueVariant::BearingWindow};
    SizingReportCase c = sizingReportCase("Бронза БрО10Ф1", catalogue.row(14), "со смазкой", input, true,
        pressDiameterForLength(window, input, SizingState{}, ","));
    EXPECT_EQ(c.shownLines,
        (std::vector<std::string>{
            "максимальный диаметр = 636.6 мм", "минимальная длина = 5.2 мм", "Минимальный диаметр: 16,7"}));
    CalculationReport report = reportOf({});
    report.sizings = {c};
    const XmlDocument html(calculationReportHtml(report));
    expectSelfContained(html);
    EXPECT_EQ(count(html, "//h:h1[.='Расчет подшипника скольжения']"), 1U);
    EXPECT_EQ(count(html, "//h:p[@class='shown' and .='максимальный диаметр = 636.6 мм']"), 1U);
    EXPECT_EQ(count(html, "//h:tr[starts-with(h:td[1], 'Наибольший диаметр')]/h:td[3][.='636,6']"), 1U);
    // 60000·10 / (300·3.1415927410125732): π as the single the sizing uses, not 636.6197723675814.
    EXPECT_EQ(count(html, "//h:tr[starts-with(h:td[1], 'Наибольший диаметр')]/h:td[4][.='636,6197546520227']"), 1U);
    EXPECT_EQ(count(html, "//h:tr[starts-with(h:td[1], 'Наименьшая длина')]/h:td[3][.='5,2']"), 1U);
    EXPECT_EQ(count(html, "//h:tr[starts-with(h:td[1], 'Наименьшая длина')]/h:td[4][.='5,235988']"), 1U);
    EXPECT_EQ(count(html, "//h:tr[starts-with(h:td[1], 'Наименьший диаметр')]/h:td[3][.='16,7']"), 1U);
    EXPECT_EQ(count(html, "//s:circle[@id='sizing-answer']"), 1U);
    EXPECT_EQ(count(html, "//s:circle[@id='length-answer']"), 1U);

    // A case that ended in a message shows it line by line, and no figures.
    const PressInput huge{.material = "Бронза БрО10Ф1", .load = "5000", .frequency = "1e-35", .length = {}};
    report.sizings = {sizingReportCase(
        "Бронза БрО10Ф1", catalogue.row(14), "со смазкой", huge, false, pressSizing(window, huge, SizingState{}))};
    EXPECT_EQ(report.sizings[0].messages, std::vector<std::string>{std::string(messages::resultOutOfRange)});
    const XmlDocument stopped(calculationReportHtml(report));
    ASSERT_TRUE(stopped.valid());
    EXPECT_EQ(count(stopped, "//h:div[@class='message']/h:br"), 3U);
    EXPECT_EQ(count(stopped, "//s:svg"), 0U);
}

TEST(CalculationReport, DateIsWrittenFromTheTimeStampInUtc)
{
    for (const auto& [seconds, date] : std::vector<std::pair<std::int64_t, std::string>>{{0, "01.01.1970 00:00:00 UTC"},
             {951782400, "29.02.2000 00:00:00 UTC"}, {1765141454, "07.12.2025 21:04:14 UTC"},
             {-86400, "31.12.1969 00:00:00 UTC"}}) {
        EXPECT_EQ(reportDate(seconds), date);
    }
}

}  // namespace
}  // namespace bearing
