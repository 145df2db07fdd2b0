#include "sizing.h"

#include "fakewindow.h"
#include "numbertext.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace bearing {
namespace {

using Events = std::vector<std::string>;

class Sizing : public testing::Test {
protected:
    MaterialCatalogue catalogue{CatalogueVariant::BearingWindow};
    SizingState state;
    FakeWindow window;

    void enter(const std::string& material, const std::string& load, const std::string& frequency,
        const std::string& length = {})
    {
        window.texts[Control::MaterialList] = material;
        window.texts[Control::Load] = load;
        window.texts[Control::Frequency] = frequency;
        window.texts[Control::Length] = length;
    }

    Events size()
    {
        window.events.clear();
        calculateSizing(catalogue, state, window);
        return window.events;
    }

    Events diameterForLength(const char* separator = ",")
    {
        window.events.clear();
        calculateDiameterForLength(catalogue, state, window, separator);
        return window.events;
    }

    std::string shown(Control control) const { return window.text(control); }
};

const std::string bronze = "Бронза БрО10Ф1";

TEST_F(Sizing, BronzeExampleGivesDiameterAndPvLength)
{
    enter(bronze, "5000", "300");
    EXPECT_EQ(
        size(), (Events{"txtMaxDiam=максимальный диаметр = 636.6 мм", "txtMinLength=минимальная длина = 5.2 мм"}));
    EXPECT_TRUE(state.resultValid);
    EXPECT_EQ(state.maxDiameter, 636.6F);
    EXPECT_EQ(state.minLength, static_cast<float>(5000.0 * 300.0 * static_cast<double>(3.14159265F) / 900000.0));
    EXPECT_FLOAT_EQ(state.minLength, 5.235988F);
    EXPECT_FLOAT_EQ(state.minArea, 333.3333F);
    EXPECT_FLOAT_EQ(state.pressureLength, 0.5236151F);
    EXPECT_EQ(state.maxPressure, 15.0F);
    EXPECT_EQ(state.maxSpeed, 10.0F);
    EXPECT_EQ(state.maxPV, 15.0F);
    EXPECT_EQ(state.maxTemperature, 250.0F);
}

TEST_F(Sizing, GraphiteExampleTakesThePressureLength)
{
    enter("Графит", "1000", "1000");
    EXPECT_EQ(
        size(), (Events{"txtMaxDiam=максимальный диаметр = 28.6 мм", "txtMinLength=минимальная длина = 69.9 мм"}));
    EXPECT_FLOAT_EQ(state.pressureLength, 69.93007F);
    EXPECT_EQ(state.minLength, state.pressureLength);
}

TEST_F(Sizing, DiameterForLengthFollowsTheSeparator)
{
    for (const char* separator : {",", "."}) {
        SCOPED_TRACE(separator);
        enter(bronze, "5000", "300", "20");
        EXPECT_EQ(diameterForLength(separator),
            (Events{"txtMaxDiam=максимальный диаметр = 636.6 мм", "txtMinLength=минимальная длина = 5.2 мм",
                std::string("txtMinDiamOnLength=16") + separator + "7"}));
    }
}

TEST_F(Sizing, LengthBelowTheUnroundedMinimumIsRefusedAndKeepsTheOldDiameter)
{
    enter(bronze, "5000", "300", "20");
    diameterForLength();
    for (const char* length : {"5", "5.2", "-1", ""}) {
        SCOPED_TRACE(length);
        window.texts[Control::Length] = length;
        EXPECT_EQ(diameterForLength(),
            (Events{"txtMaxDiam=максимальный диаметр = 636.6 мм", "txtMinLength=минимальная длина = 5.2 мм",
                "message:Введенная длина подшипника меньше расчитанной минимально допустимой длины"}));
        EXPECT_EQ(shown(Control::MinDiameterOnLength), "16,7");
    }
    window.texts[Control::Length] = "5.24";
    EXPECT_EQ(diameterForLength().back(), "txtMinDiamOnLength=63,6");
}

TEST_F(Sizing, LengthEqualToTheUnroundedMinimumPasses)
{
    enter(bronze, "5000", "300");
    size();
    std::array<char, 32> shortest{};
    auto* const end = std::to_chars(shortest.data(), shortest.data() + shortest.size(), state.minLength).ptr;
    window.texts[Control::Length] = std::string(shortest.data(), end);
    diameterForLength();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(shown(Control::MinDiameterOnLength), "63,7");
}

TEST_F(Sizing, MessagesCarryTheErrorTitleAndWarningIcon)
{
    enter("", "5000", "300");
    size();
    ASSERT_EQ(window.messages.size(), 1U);
    EXPECT_EQ(window.messages[0].text, "Выберите материал");
    EXPECT_EQ(window.messages[0].title, "Ошибка");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Warning);
}

TEST_F(Sizing, MissingMaterialEmptiesTheLinesBeforeItsMessage)
{
    for (const char* material : {"", "БЕЗ СМАЗКИ", "СО СМАЗКОЙ", "графит"}) {
        SCOPED_TRACE(material);
        enter(bronze, "5000", "300");
        size();
        window.texts[Control::MaterialList] = material;
        window.texts[Control::Frequency] = "";  // the material is checked first
        EXPECT_EQ(size(), (Events{"txtMaxDiam=", "txtMinLength=", "message:Выберите материал"}));
        EXPECT_FALSE(state.resultValid);
        EXPECT_EQ(state.maxDiameter, 636.6F);  // the last good results stay
    }
}

TEST_F(Sizing, NegativeLoadOrNoFrequencyIsRefused)
{
    const Events refused{
        "txtMaxDiam=", "txtMinLength=", "message:Задайте радиальное усилие на подшипник и частоту вращения"};
    for (const auto& [load, frequency] : std::vector<std::pair<std::string, std::string>>{
             {"-1", "300"}, {"5000", ""}, {"5000", "0"}, {"5000", "-300"}, {"5000", "abc"}, {"-0.001", "1"}}) {
        SCOPED_TRACE(load + "/" + frequency);  // NOLINT(performance-inefficient-string-concatenation)
        enter(bronze, load, frequency);
        EXPECT_EQ(size(), refused);
        EXPECT_FALSE(state.resultValid);
    }
}

TEST_F(Sizing, StoppedSizingStopsTheDiameterForLengthWithoutAMessageOfItsOwn)
{
    enter(bronze, "5000", "300", "20");
    diameterForLength();
    window.texts[Control::Frequency] = "";
    EXPECT_EQ(diameterForLength(),
        (Events{"txtMaxDiam=", "txtMinLength=", "message:Задайте радиальное усилие на подшипник и частоту вращения"}));
    EXPECT_EQ(shown(Control::MinDiameterOnLength), "16,7");
}

TEST_F(Sizing, InputsAreReadAsNumbersFromTheirStart)
{
    enter(bronze, "1,5", "300 об/мин");  // the comma ends the load: it reads as 1
    size();
    EXPECT_EQ(state.minArea, static_cast<float>(1.0 / 15.0));
    EXPECT_EQ(shown(Control::MaxDiameterLine), "максимальный диаметр = 636.6 мм");
}

TEST_F(Sizing, ZeroLoadPassesAndNeedsNoLengthOrDiameter)
{
    enter(bronze, "", "300", "20");
    EXPECT_EQ(diameterForLength().back(), "txtMinDiamOnLength=0");
    EXPECT_EQ(shown(Control::MinLengthLine), "минимальная длина = 0 мм");
    EXPECT_EQ(state.minLength, 0.0F);
    EXPECT_EQ(state.minArea, 0.0F);
    EXPECT_EQ(state.pressureLength, 0.0F);
    // 0 divided by 0: no load on no length still needs no diameter.
    window.texts[Control::Length] = "0";
    EXPECT_EQ(diameterForLength().back(), "txtMinDiamOnLength=0");
    window.texts[Control::Length] = "-1";
    EXPECT_EQ(diameterForLength().back(),
        "message:Введенная длина подшипника меньше расчитанной минимально допустимой длины");
}

TEST_F(Sizing, LubricatedNamesakeUsesItsOwnRow)
{
    enter("Фторопласт-4 ", "1000", "100");
    size();
    EXPECT_EQ(state.maxPressure, 1.5F);
    EXPECT_EQ(state.maxTemperature, 200.0F);
    enter("Фторопласт-4", "1000", "100");
    size();
    EXPECT_EQ(state.maxPressure, 0.7F);
    EXPECT_EQ(state.maxPV, 0.06F);
}

TEST_F(Sizing, RunningTwiceGivesIdenticalTexts)
{
    enter("Капрон", "123.456", "789.5");
    const Events first = size();
    EXPECT_EQ(size(), first);
}

TEST_F(Sizing, DiameterRoundsHalfUpAtTheFiveHundredthsBoundary)
{
    // Capron, [v] 0.2: the unrounded diameter 12000/(n·π) crosses 0.05 mm between these speeds.
    enter("Капрон", "100", "76394");
    EXPECT_EQ(size().front(), "txtMaxDiam=максимальный диаметр = .1 мм");
    window.texts[Control::Frequency] = "76395";
    EXPECT_EQ(size(),
        (Events{"txtMaxDiam=максимальный диаметр = 0 мм",
            "message:Ошибка: деление на ноль\r\n\r\nСлишком мал расчетный максимальный "
            "диаметр\r\nЗадайте меньшую частоту вращения",
            "txtMinLength=минимальная длина = 4000 мм"}));
    EXPECT_TRUE(state.resultValid);
}

// What a press returns is what it showed: figures exactly when the run left results, the
// figures of the same singles, and the length's check after the diameter button.
TEST_F(Sizing, PressReturnsTheFiguresBehindItsTexts)
{
    struct Case {
        const char* load;
        const char* length;  // nullptr: the sizing button
        bool results;
        std::optional<LengthCheck> check;
    };
    for (const Case& c : {Case{"5000", nullptr, true, std::nullopt}, Case{"5000", "20", true, LengthCheck::Accepted},
             Case{"5000", "1", true, LengthCheck::BelowMinimum}, Case{"-1", nullptr, false, std::nullopt},
             Case{"1e39", "20", false, std::nullopt}, Case{"5000", "1e39", false, std::nullopt}}) {
        SCOPED_TRACE(std::string(c.load) + " / " + (c.length != nullptr ? c.length : "-"));
        enter(bronze, c.load, "300", c.length != nullptr ? c.length : "");
        const PressFigures press = c.length != nullptr ? calculateDiameterForLength(catalogue, state, window, ",")
                                                       : calculateSizing(catalogue, state, window);
        EXPECT_EQ(press.sizing.has_value(), c.results);
        EXPECT_EQ(state.resultValid, c.results);
        EXPECT_EQ(press.forLength ? std::optional(press.forLength->check) : std::nullopt, c.check);
        if (press.sizing) {
            const SizingFigures expected
                = sizeBearing(catalogue.row(catalogue.findMaterial(bronze)), std::stof(c.load), 300.0F);
            EXPECT_EQ(press.sizing->minLength, expected.minLength);
            EXPECT_EQ(press.sizing->pvLength, expected.pvLength);
            EXPECT_EQ(press.sizing->pressureLength, expected.pressureLength);
            EXPECT_EQ(press.sizing->maxDiameter, state.maxDiameter);
            EXPECT_EQ(press.sizing->minArea, state.minArea);
        }
        if (press.forLength && press.forLength->check == LengthCheck::Accepted) {
            EXPECT_EQ(shown(Control::MinDiameterOnLength), formatLocale(roundToTenth(press.forLength->diameter), ","));
        }
    }
}

TEST(RoundToTenth, HalvesRoundUp)
{
    EXPECT_EQ(roundToTenth(0.25), 0.3);
    EXPECT_EQ(roundToTenth(0.75), 0.8);
    EXPECT_EQ(roundToTenth(2.25), 2.3);
    EXPECT_EQ(roundToTenth(-0.25), -0.2);
    EXPECT_EQ(roundToTenth(0.0499999), 0.0);
    EXPECT_EQ(roundToTenth(0.05), 0.1);
    EXPECT_EQ(roundToTenth(636.6198), 636.6);
}

TEST_F(Sizing, ZeroDiameterDoesNotReuseAnEarlierPressureLength)
{
    enter("Графит", "1000", "1000");
    size();
    ASSERT_GT(state.pressureLength, 60.0F);
    enter("Капрон", "1", "100000");
    size();
    EXPECT_EQ(state.pressureLength, 0.0F);
    EXPECT_EQ(state.minLength,
        static_cast<float>(1.0 * 100000.0 * static_cast<double>(3.14159265F) / (static_cast<double>(0.1F) * 60000.0)));
    EXPECT_EQ(shown(Control::MinLengthLine), "минимальная длина = 52.4 мм");
}

TEST_F(Sizing, ZeroDiameterStillLetsTheLengthCheckRun)
{
    enter("Капрон", "1", "100000", "100");
    const Events events = diameterForLength();
    ASSERT_EQ(events.size(), 4U);
    EXPECT_EQ(events[1].rfind("message:Ошибка: деление на ноль", 0), 0U);
    EXPECT_EQ(events[3], "txtMinDiamOnLength=0");
}

TEST_F(Sizing, InputsBeyondTheNumberRangeStopTheRun)
{
    struct Case {
        std::string load, frequency;
        std::string_view message;
    };
    for (const Case& c : {Case{"1e39", "300", messages::loadOutOfRange}, Case{"1e400", "300", messages::loadOutOfRange},
             Case{"-1e39", "", messages::loadOutOfRange}, Case{"5000", "1e39", messages::frequencyOutOfRange},
             Case{"5000", "&H" + std::string(40, 'F'), messages::frequencyOutOfRange}}) {
        SCOPED_TRACE(c.load + " / " + c.frequency);
        enter(bronze, "5000", "300");
        size();
        enter("", c.load, c.frequency);  // read before the material is looked up
        EXPECT_EQ(size(), (Events{"txtMaxDiam=", "txtMinLength=", "message:" + std::string(c.message)}));
        EXPECT_FALSE(state.resultValid);
    }
}

TEST_F(Sizing, ResultsBeyondTheSingleRangeStopTheRun)
{
    const Events stopped{"txtMaxDiam=", "txtMinLength=", "message:" + std::string(messages::resultOutOfRange)};
    // The diameter for a vanishing frequency.
    enter(bronze, "5000", "1e-45");
    EXPECT_EQ(size(), stopped);
    EXPECT_FALSE(state.resultValid);
    // The area for a load near the largest single: the diameter line is written, then emptied.
    enter("Графит", "3e38", "1000");
    const Events events = size();
    ASSERT_EQ(events.size(), 4U);
    EXPECT_EQ(events[0], "txtMaxDiam=максимальный диаметр = 28.6 мм");
    EXPECT_EQ(Events(events.begin() + 1, events.end()), stopped);
    // The pv length for a huge load and speed.
    enter("Баббит Б83", "1e30", "1e20");
    EXPECT_EQ(size().back(), stopped.back());
}

TEST_F(Sizing, DiameterBeyondTheSingleRangeStopsTheRun)
{
    // A vanishing area over a zero length that passes a minimum length that underflowed to 0.
    enter("Графит", "1e-45", "1e-30", "0");
    const Events events = diameterForLength();
    EXPECT_EQ(events.back(), "message:" + std::string(messages::resultOutOfRange));
    EXPECT_FALSE(state.resultValid);
    EXPECT_EQ(shown(Control::MaxDiameterLine), "");
    EXPECT_EQ(shown(Control::MinDiameterOnLength), "");
}

TEST_F(Sizing, LengthBeyondTheNumberRangeStopsBeforeSizing)
{
    enter(bronze, "5000", "300", "1e39");
    EXPECT_EQ(diameterForLength(),
        (Events{"txtMaxDiam=", "txtMinLength=", "message:" + std::string(messages::lengthOutOfRange)}));
    EXPECT_FALSE(state.resultValid);
}

}  // namespace
}  // namespace bearing
