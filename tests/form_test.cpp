// The window as data, for every front-end: the control table's invariants, each click's route, and what the
// display, the option buttons, a screen reader and the clipboard are given, through a recording view.
#include "form/form.h"
#include "form/translation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using form::ControlRow;
using form::kControls;

struct RecordingView : form::View {
    std::string shown = "0", log; // what the display shows; every other call, each ended by |
    bool options[2] = {true, false};
    bool failDisplay = false; // the next display update runs out of memory

    void showDisplay(std::string_view text) override
    {
        if (std::exchange(failDisplay, false))
            throw std::bad_alloc();
        shown = text;
    }
    void showOption(engine::AngleOption o, bool value) override { options[static_cast<int>(o)] = value; }
    void announce(std::string_view spoken) override { log += "say:" + std::string(spoken) + "|"; }
    void unload() override { log += "unload|"; }
    void end() override { log += "end|"; }
    void showAbout() override { log += "about|"; }
    void copy(std::string_view text) override { log += "copy:" + std::string(text) + "|"; }
};

struct Window {
    RecordingView view;
    form::Form form{view};

    // Clicks controls by caption ("Off", "DEG" too) or menu entry ("mnuCopy"); returns the display shown.
    const std::string& click(const std::string& keys)
    {
        std::istringstream words(keys);
        for (std::string key; words >> key;) {
            const auto row = std::ranges::find_if(kControls, [&key](const ControlRow& row) {
                return row.caption == key && (row.kind == form::Key || row.kind == form::Option);
            });
            if (row != kControls.end())
                form.click(*row);
            else
                form.click(form::routeOf(key).route);
        }
        return view.shown;
    }
};

TEST(Table, EveryControlHasItsPlaceNameRouteAndFocus)
{
    std::set<std::string> names, spoken;
    std::set<int> tabs;
    for (const ControlRow& row : kControls) {
        EXPECT_TRUE(names.insert(form::controlName(row)).second) << form::controlName(row);
        EXPECT_TRUE(tabs.insert(row.tabIndex).second) << row.tabIndex;
        const auto parent = std::ranges::find(kControls, row.parent, &ControlRow::name);
        // inside its frame, or the client area
        const int width = row.parent.empty() ? form::kClientWidth : parent->width;
        const int height = row.parent.empty() ? form::kClientHeight : parent->height;
        EXPECT_TRUE(row.left >= 0 && row.top >= 0 && row.left + row.width <= width &&
                    row.top + row.height <= height)
            << row.name;
        if (row.kind != form::Key && row.kind != form::Option)
            continue;
        EXPECT_NE(form::routeOf(row.name).route, form::Route::None) << row.name;
        EXPECT_TRUE(spoken.insert(std::string(form::accessibleName(row))).second) << row.name;
        if (row.name == "Digit") {
            EXPECT_EQ(row.caption, std::to_string(row.index));
        }
        for (const ControlRow& other : kControls) { // keys do not overlap
            if (&other != &row && other.kind == form::Key) {
                EXPECT_TRUE(row.left + row.width <= other.left || other.left + other.width <= row.left ||
                            row.top + row.height <= other.top || other.top + other.height <= row.top)
                    << row.caption << " on " << other.caption;
            }
        }
    }
    EXPECT_EQ(*tabs.begin(), 0);
    EXPECT_EQ(std::ranges::find(kControls, 0, &ControlRow::tabIndex)->caption, "MC"); // the focus at start
    EXPECT_EQ(form::twipsToPixels(form::kClientWidth), 224);
    EXPECT_EQ(form::twipsToPixels(form::kClientHeight, 144), 516);
}

// A .mo file of these texts (sorted) in either byte order, laid out as msgfmt writes one, without the hash.
using Texts = std::vector<std::pair<std::string, std::string>>;
std::string moFile(const Texts& texts, bool bigEndian = false)
{
    std::string out, strings;
    const auto word = [&out, bigEndian](std::size_t value) {
        for (int i = 0; i < 4; ++i)
            out += char(value >> 8 * (bigEndian ? 3 - i : i));
    };
    const std::size_t count = texts.size(), stringsAt = 28 + 16 * count;
    for (const std::size_t value : {std::size_t{0x950412de}, std::size_t{0}, count, std::size_t{28},
                                    28 + 8 * count, std::size_t{0}, stringsAt})
        word(value);
    for (const bool translation : {false, true})
        for (const auto& [english, translated] : texts) {
            word((translation ? translated : english).size());
            word(stringsAt + strings.size());
            strings += (translation ? translated : english) + '\0';
        }
    return out + strings;
}

const Texts kGerman = {{"", "Content-Type: text/plain; charset=UTF-8\n"},
                       {"Cannot divide by 0", "Teilen durch 0 unmöglich"},
                       {std::string("plural\0plurals", 14), std::string("Mehrzahl\0Mehrzahlen", 19)},
                       {"shortcut\4Ctrl", "Strg"}};

// The display and state after clicks through the table: each array key passes its own index, whose caption
// the engine dispatches on, and the window hands the engine its starting display text.
struct Clicks {
    const char* name;
    const char* keys;
    const char* shown;
    const char* log = "";
    bool german = false;        // with kGerman's catalogue
    const char* text = nullptr; // the display text, where it is not what is shown (a translated message)
};
// A row's log is checked where it names calls, announcements only where it names one.
// clang-format off
const Clicks kClicks[] = {
    {"PointFirst", ".", "0."}, {"SignFirst", "+/-", "-0"}, {"CopyFirst", "mnuCopy", "0", "copy:0|"},
    {"Digits", "1 2 3 4 5 6 7 8 9 0", "1234567890"}, {"Operators", "2 + 3 * 4 - 6 / 2 Xy 3 =", " 343"},
    {"Functions", "1 0 0 log X3 sqrt 1/x ln X2", " 1.08102"}, {"FactorialPiMemory", "5 n! M C pi MR", "120"},
    {"TrigByCaption", "4 5 tan sin cos", "0.9999999"}, {"ClearKeys", "5 + 3 CE 2 = C", "0"},
    {"RadThenDeg", "RAD 1 sin DEG 1 sin", "1.745241E-02"},
    // announcements: once per change of the display, the sign's blank unspoken; none when it stays
    {"Announces", "2 + 3 = M", " 5", "say:2|say:3|say:5|"},
    // the window's own actions, each once; About changes nothing
    {"Off", "Off", "0", "unload|"}, {"Exit", "mnuFExit", "0", "end|"},
    {"About", "1 + 2 mnuHAbout =", " 3", "about|"},
    // Copy: no blank for the sign, a message as it stands
    {"SignSpokenAndCopied", "2 + 3 = +/- mnuCopy", "- 5", "say:2|say:3|say:5|say:- 5|copy:-5|"},
    {"CopyMessage", "0 log mnuCopy", "Invalid input for function", "copy:Invalid input for function|"},
    // a message in German (kGerman): shown, spoken and copied translated, and read back as in English
    {"GermanMessage", "1 / 0 = mnuCopy", "Teilen durch 0 unmöglich",
     "say:1|say:0|say:Teilen durch 0 unmöglich|copy:Teilen durch 0 unmöglich|", true, "Cannot divide by 0"},
    {"GermanReadBack", "1 / 0 = 5 + 2 =", " 7", "", true}};
// clang-format on

class Click : public testing::TestWithParam<Clicks> {};

TEST_P(Click, Sequence)
{
    const Clicks& row = GetParam();
    ASSERT_EQ(form::loadCatalogue(row.german ? moFile(kGerman) : ""), row.german);
    Window window;
    EXPECT_EQ(window.click(row.keys), row.shown);
    form::loadCatalogue({});
    EXPECT_EQ(window.form.displayText(), row.text ? row.text : row.shown);
    if (!*row.log)
        return;
    const bool spoken = std::string_view(row.log).starts_with("say:");
    std::string log;
    std::istringstream calls(window.view.log);
    for (std::string call; std::getline(calls, call, '|');)
        if (spoken || !call.starts_with("say:"))
            log += call + "|";
    EXPECT_EQ(log, row.log);
}

INSTANTIATE_TEST_SUITE_P(Form, Click, testing::ValuesIn(kClicks),
                         [](const auto& info) { return info.param.name; });

TEST(Options, AClickSelectsItsButtonAndClearsTheOther)
{
    Window window;
    for (const char* step : {"RAD", "RAD", "DEG", "DEG", "RAD"}) {
        window.click(step);
        const bool rad = std::string(step) == "RAD";
        EXPECT_EQ(window.view.options[0], !rad) << step;
        EXPECT_EQ(window.view.options[1], rad) << step;
        EXPECT_EQ(window.form.optionValue(engine::AngleOption::Rad), rad);
    }
}

TEST(Errors, MemoryRunningOutEndsTheClickNotTheProgram)
{
    Window window;
    window.click("1 2");
    window.view.failDisplay = true;
    EXPECT_NO_THROW(window.click("3"));
    EXPECT_EQ(window.click("4"), "1234"); // the form kept the text the display could not take
}

// On a light and on a dark scheme: the fixed colours exact, system colours the desktop's, and every
// text at 4.5:1 or better on its background; a text colour that reads already is kept.
TEST(Colours, FixedExactSystemFollowedEveryTextReadable)
{
    const form::SystemColours dark{
        {252, 252, 252}, {49, 54, 59}, {252, 252, 252}, {61, 174, 233}, {35, 38, 41}};
    EXPECT_NEAR(form::contrast({0, 0, 0}, {255, 255, 255}), 21, 1e-9);
    EXPECT_NEAR(form::contrast({64, 64, 64}, {128, 128, 128}), 2.6, 0.05);
    for (const form::SystemColours& scheme : {form::kClassicColours, dark}) {
        for (const ControlRow& row : kControls) {
            const form::ControlColours c = form::coloursOf(row, scheme);
            const form::Rgb resolved = form::resolve(row.back, scheme);
            EXPECT_EQ(c.back, row.back.system == form::SystemColour::None ? row.back.fixed : resolved);
            if (row.fontPx > 0) {
                EXPECT_GE(form::contrast(c.fore, c.back), 4.5) << row.name;
            }
            if (form::contrast(form::resolve(row.fore, scheme), c.back) >= 4.5) {
                EXPECT_EQ(c.fore, form::resolve(row.fore, scheme)) << row.name;
            }
        }
        EXPECT_EQ(form::resolve(form::kWindowBackground, scheme), scheme.applicationWorkspace);
    }
    const auto key = [](std::string_view caption) {
        return *std::ranges::find_if(
            kControls, [&](const ControlRow& r) { return r.kind == form::Key && r.caption == caption; });
    };
    EXPECT_EQ(form::coloursOf(key("0"), dark).back, dark.activeBorder);
    EXPECT_EQ(form::coloursOf(key("6"), dark).fore, (form::Rgb{0, 0, 0})); // light text on 192 does not read
    EXPECT_EQ(form::coloursOf(key("Off"), form::kClassicColours).fore, (form::Rgb{0, 0, 0}));
}

TEST(Catalogue, ReadsBothByteOrdersAndLeavesEnglishForEveryDamagedFile)
{
    for (const bool bigEndian : {false, true}) {
        form::Catalogue catalogue;
        const std::string mo = moFile(kGerman, bigEndian);
        ASSERT_TRUE(catalogue.load(mo));
        EXPECT_EQ(catalogue.find("Cannot divide by 0"), "Teilen durch 0 unmöglich");
        EXPECT_EQ(std::string(catalogue.find("shortcut", "Ctrl")) + std::string(catalogue.find("Ctrl")),
                  "StrgCtrl");
        EXPECT_EQ(catalogue.find("plural"), "Mehrzahl");
        for (std::size_t size = 0; size < mo.size(); ++size) // every truncation, the strings' NULs too
            EXPECT_FALSE(catalogue.load(mo.substr(0, size)) || !catalogue.empty()) << size;
        // A newer format; a count, table offset, length or string offset past the end.
        // clang-format off
        for (const auto& [at, value] : {std::pair{4, 0x20000u}, {8, 0x20000000u}, {16, unsigned(mo.size())},
                                        {28, 0xffffffffu}, {64, 0x7fffffffu}}) {
            std::string bad = mo;
            for (int i = 0; i < 4; ++i)
                bad[at + i] = char(value >> 8 * (bigEndian ? 3 - i : i));
            EXPECT_FALSE(catalogue.load(mo) && catalogue.load(bad)) << at;
            EXPECT_EQ(catalogue.find("Cannot divide by 0"), "Cannot divide by 0") << at;
        }
        // clang-format on
        EXPECT_FALSE(catalogue.load(std::string(64, '\xde')));
    }
}

// gettext's order: LANGUAGE's list unless the locale is C or POSIX, else LC_ALL, LC_MESSAGES, LANG.
// clang-format off
const std::pair<form::LocaleVariables, const char*> kLanguages[] = {
    {{"", "", "", "pt_BR.UTF-8"}, "pt_BR pt "}, {{"", "", "", ""}, "C "},
    {{"de:fr_FR", "", "", "en_US.UTF-8"}, "de fr_FR fr "}, {{"de", "POSIX", "", "de_DE.UTF-8"}, "C "},
    {{"de", "", "", "C.UTF-8"}, "de "}, {{"", "", "ja_JP.UTF-8", "de_DE.UTF-8"}, "ja_JP ja "},
    {{"", "sr_RS.UTF-8@latin", "", ""}, "sr_RS@latin sr@latin sr_RS sr "},
    {{"::", "", "", "de_DE"}, "de_DE de "}, {{"xx:C:de", "", "", "de_DE"}, "xx C de "}};
// clang-format on

TEST(Catalogue, LanguagesInGettextsOrder)
{
    for (const auto& [variables, languages] : kLanguages) {
        std::string got;
        for (const std::string& language : form::languagesFrom(variables))
            got += language + " ";
        EXPECT_EQ(got, languages) << variables.language << "|" << variables.lcAll << "|" << variables.lang;
    }
    ASSERT_TRUE(form::loadCatalogue(moFile(kGerman)));
    EXPECT_EQ(form::shortcutName("Ctrl+X"), "Strg+X");
    form::loadCatalogue({});
}

} // namespace
