#include "sizing.h"

#include "numbertext.h"
#include "press.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bearing {
namespace {

using Events = std::vector<std::string>;

// Presses the buttons as the bearing window does: the texts typed, the state kept from
// press to press, and the result texts as a display shows them after replaying every
// event so far. Events read "maxDiameter=<text>" and "message:<text>".
class Sizing : public testing::Test {
protected:
    MaterialCatalogue catalogue{CatalogueVariant::BearingWindow};
    SizingState state;
    std::string material, load, frequency, length;
    std::map<Control, std::string> screen;
    std::vector<ShownEvent> messages;  // those of the last press
    PressResult last;

    void enter(std::string newMaterial, std::string newLoad, std::string newFrequency, std::string newLength = {})
    {
        material = std::move(newMaterial);
        load = std::move(newLoad);
        frequency = std::move(newFrequency);
        length = std::move(newLength);
    }

    [[nodiscard]] PressInput input() const
    {
        return {.material = material, .load = load, .frequency = frequency, .length = length};
    }

    Events size() { return show(pressSizing(catalogue, input(), state)); }

    Events diameterForLength(const char* separator = ",")
    {
        return show(pressDiameterForLength(catalogue, input(), state, separator));
    }

    Events show(PressResult press)
    {
        static const std::map<Control, std::string> labels{{Control::MaxDiameterLine, "maxDiameter"},
            {Control::MinLengthLine, "minLength"}, {Control::MinDiameterOnLength, "minDiameter"}};
        Events events;
        messages.clear();
        for (const ShownEvent& event : press.events) {
            if (event.kind == ShownEvent::Kind::TextSet) {
                screen[event.control] = event.text;
                events.push_back(labels.at(event.control) + "=" + event.text);
            } else {
                messages.push_back(event);
                events.push_back("message:" + event.text);
            }
        }
        state = press.state;
        last = std::move(press);
        return events;
    }

    std::string shown(Control control) const
    {
        const auto found = screen.find(control);
        return found == screen.end() ? std::string() : found->second;
    }
};

const std::string bronze = "Бронза БрО10Ф1";

TEST_F(Sizing, BronzeExampleGivesDiameterAndPvLength)
{
    enter(bronze, "5000", "300");
    EXPECT_EQ(size(), (Events{"maxDiameter=максимальный диаметр = 636.6 мм", "minLength=минимальная длина = 5.2 мм"}));
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
    EXPECT_EQ(size(), (Events{"maxDiameter=максимальный диаметр = 28.6 мм", "minLength=минимальная длина = 69.9 мм"}));
    EXPECT_FLOAT_EQ(state.pressureLength, 69.93007F);
    EXPECT_EQ(state.minLength, state.pressureLength);
}

TEST_F(Sizing, DiameterForLengthFollowsTheSeparator)
{
    for (const char* separator : {",", "."}) {
        SCOPED_TRACE(separator);
        enter(bronze, "5000", "300", "20");
        EXPECT_EQ(diameterForLength(separator),
            (Events{"maxDiameter=максимальный диаметр = 636.6 мм", "minLength=минимальная длина = 5.2 мм",
                std::string("minDiameter=16") + separator + "7"}));
    }
}

TEST_F(Sizing, LengthBelowTheUnroundedMinimumIsRefusedAndKeepsTheOldDiameter)
{
    enter(bronze, "5000", "300", "20");
    diameterForLength();
    for (const char* tooShort : {"5", "5.2", "-1", ""}) {
        SCOPED_TRACE(tooShort);
        length = tooShort;
        EXPECT_EQ(diameterForLength(),
            (Events{"maxDiameter=максимальный диаметр = 636.6 мм", "minLength=минимальная длина = 5.2 мм",
                "message:Введенная длина подшипника меньше расчитанной минимально допустимой длины"}));
        EXPECT_EQ(shown(Control::MinDiameterOnLength), "16,7");
    }
    length = "5.24";
    EXPECT_EQ(diameterForLength().back(), "minDiameter=63,6");
}

TEST_F(Sizing, LengthEqualToTheUnroundedMinimumPasses)
{
    enter(bronze, "5000", "300");
    size();
    std::array<char, 32> shortest{};
    auto* const end = std::to_chars(shortest.data(), shortest.data() + shortest.size(), state.minLength).ptr;
    length = std::string(shortest.data(), end);
    diameterForLength();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(shown(Control::MinDiameterOnLength), "63,7");
}

TEST_F(Sizing, MessagesCarryTheErrorTitleAndWarningIcon)
{
    enter("", "5000", "300");
    size();
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_EQ(messages[0].text, "Выберите материал");
    EXPECT_EQ(messages[0].title, "Ошибка");
    EXPECT_EQ(messages[0].icon, MessageIcon::Warning);
}

TEST_F(Sizing, MissingMaterialEmptiesTheLinesBeforeItsMessage)
{
    for (const char* notAMaterial : {"", "БЕЗ СМАЗКИ", "СО СМАЗКОЙ", "графит"}) {
        SCOPED_TRACE(notAMaterial);
        enter(bronze, "5000", "300");
        size();
        material = notAMaterial;
        frequency = "";  // the material is checked first
        EXPECT_EQ(size(), (Events{"maxDiameter=", "minLength=", "message:Выберите материал"}));
        EXPECT_FALSE(state.resultValid);
        EXPECT_EQ(state.maxDiameter, 636.6F);  // the last good results stay
    }
}

TEST_F(Sizing, NegativeLoadOrNoFrequencyIsRefused)
{
    const Events refused{
        "maxDiameter=", "minLength=", "message:Задайте радиальное усилие на подшипник и частоту вращения"};
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
    frequency = "";
    EXPECT_EQ(diameterForLength(),
        (Events{"maxDiameter=", "minLength=", "message:Задайте радиальное усилие на подшипник и частоту вращения"}));
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
    EXPECT_EQ(diameterForLength().back(), "minDiameter=0");
    EXPECT_EQ(shown(Control::MinLengthLine), "минимальная длина = 0 мм");
    EXPECT_EQ(state.minLength, 0.0F);
    EXPECT_EQ(state.minArea, 0.0F);
    EXPECT_EQ(state.pressureLength, 0.0F);
    // 0 divided by 0: no load on no length still needs no diameter.
    length = "0";
    EXPECT_EQ(diameterForLength().back(), "minDiameter=0");
    length = "-1";
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
    EXPECT_EQ(size().front(), "maxDiameter=максимальный диаметр = .1 мм");
    frequency = "76395";
    EXPECT_EQ(size(),
        (Events{"maxDiameter=максимальный диаметр = 0 мм",
            "message:Ошибка: деление на ноль\r\n\r\nСлишком мал расчетный максимальный "
            "диаметр\r\nЗадайте меньшую частоту вращения",
            "minLength=минимальная длина = 4000 мм"}));
    EXPECT_TRUE(state.resultValid);
}

// What a press returns is what it showed: figures exactly when the run left results, the
// figures of the same singles, and the length's check after the diameter button.
TEST_F(Sizing, PressReturnsTheFiguresBehindItsTexts)
{
    struct Case {
        const char* load = nullptr;
        const char* length = nullptr;  // nullptr: the sizing button
        bool results = false;
        std::optional<LengthCheck> check;
    };
    for (const Case& c : {Case{"5000", nullptr, true, std::nullopt}, Case{"5000", "20", true, LengthCheck::Accepted},
             Case{"5000", "1", true, LengthCheck::BelowMinimum}, Case{"-1", nullptr, false, std::nullopt},
             Case{"1e39", "20", false, std::nullopt}, Case{"5000", "1e39", false, std::nullopt}}) {
        SCOPED_TRACE(std::string(c.load) + " / " + (c.length != nullptr ? c.length : "-"));
        enter(bronze, c.load, "300", c.length != nullptr ? c.length : "");
        if (c.length != nullptr) {
            diameterForLength();
        } else {
            size();
        }
        const PressFigures& press = last.figures;
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
            EXPECT_EQ(
                shown(Control::MinDiameterOnLength), formatTextBoxNumber(roundToTenth(press.forLength->diameter), ","));
        }
    }
}

// The numbers a press returns are those inside the texts it leaves on show, and only
// those: a line emptied by a stop has none, a diameter not written this press has none.
TEST_F(Sizing, PressReturnsTheNumbersItLeavesOnShow)
{
    struct Case {
        const char* name = nullptr;
        const char* material = nullptr;
        const char* load = nullptr;
        const char* frequency = nullptr;
        const char* length = nullptr;  // nullptr: the sizing button
        ShownNumbers numbers;
    };
    for (const Case& c : {
             Case{"worked example", bronze.c_str(), "5000", "300", "20", {" 636.6", " 5.2", "16,7"}},
             Case{"sizing alone", bronze.c_str(), "5000", "300", nullptr, {" 636.6", " 5.2", ""}},
             Case{"length below the minimum", bronze.c_str(), "5000", "300", "1", {" 636.6", " 5.2", ""}},
             Case{"zero diameter", "Капрон", "1", "100000", "100", {" 0", " 52.4", "0"}},
             Case{"diameter line emptied by a stop", "Графит", "3e38", "1000", nullptr, {"", "", ""}},
             Case{"no material", "", "5000", "300", "20", {"", "", ""}},
         }) {
        SCOPED_TRACE(c.name);
        enter(c.material, c.load, c.frequency, c.length != nullptr ? c.length : "");
        if (c.length != nullptr) {
            diameterForLength();
        } else {
            size();
        }
        EXPECT_EQ(last.numbers.maxDiameter, c.numbers.maxDiameter);
        EXPECT_EQ(last.numbers.minLength, c.numbers.minLength);
        EXPECT_EQ(last.numbers.minDiameter, c.numbers.minDiameter);
        for (const auto& [line, number] : {std::pair{Control::MaxDiameterLine, last.numbers.maxDiameter},
                 std::pair{Control::MinLengthLine, last.numbers.minLength}}) {
            EXPECT_EQ(number.empty(), shown(line).empty());
            EXPECT_TRUE(number.empty() || shown(line).ends_with("=" + number + " мм")) << shown(line);
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
    EXPECT_EQ(events[3], "minDiameter=0");
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
        EXPECT_EQ(size(), (Events{"maxDiameter=", "minLength=", "message:" + std::string(c.message)}));
        EXPECT_FALSE(state.resultValid);
    }
}

TEST_F(Sizing, ResultsBeyondTheSingleRangeStopTheRun)
{
    const Events stopped{"maxDiameter=", "minLength=", "message:" + std::string(messages::resultOutOfRange)};
    // The diameter for a vanishing frequency.
    enter(bronze, "5000", "1e-45");
    EXPECT_EQ(size(), stopped);
    EXPECT_FALSE(state.resultValid);
    // The area for a load near the largest single: the diameter line is written, then emptied.
    enter("Графит", "3e38", "1000");
    const Events events = size();
    ASSERT_EQ(events.size(), 4U);
    EXPECT_EQ(events[0], "maxDiameter=максимальный диаметр = 28.6 мм");
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
        (Events{"maxDiameter=", "minLength=", "message:" + std::string(messages::lengthOutOfRange)}));
    EXPECT_FALSE(state.resultValid);
}

}  // namespace
}  // namespace bearing
