// The window's controls and the routing of their clicks, as data: one row per control, in twips.
#pragma once

#include "form/colours.h"
#include "form/translation.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace form {

enum class ControlKind { Label, Frame, Option, Key };

// The operation a click calls; the names are the controls' click handlers without "_Click".
enum class Route {
    None,
    Digit,
    Decimal,
    PlusMinus,
    Ceclear,
    Clear,
    Operator,
    Egalite,
    Functions,
    Factorial,
    cmdPi,
    Trig,
    optDeg,
    optRad,
    Memory,
    Memoryplus,
    Memoryreturn,
    Memoryclear,
    cmdQuit,
    mnuFExit,
    mnuHAbout,
    mnuCopy,
};

// The controls' colours: system colours where it names one, so that the desktop's scheme applies.
inline constexpr Colour kApplicationWorkspace = systemColour(SystemColour::ApplicationWorkspace);
inline constexpr Colour kActiveBorder = systemColour(SystemColour::ActiveBorder);
inline constexpr Colour kButtonFace = systemColour(SystemColour::ButtonFace);
inline constexpr Colour kButtonText = systemColour(SystemColour::ButtonText);
inline constexpr Colour kWindowText = systemColour(SystemColour::WindowText);
inline constexpr Colour kDisplayGrey = fixedColour({240, 240, 240});
inline constexpr Colour kRed = fixedColour({255, 0, 0});
inline constexpr Colour kSilver = fixedColour({192, 192, 192});
inline constexpr Colour kGrey = fixedColour({128, 128, 128});
inline constexpr Colour kDarkGrey = fixedColour({64, 64, 64});
inline constexpr Colour kWindowBackground = kApplicationWorkspace;

inline constexpr int kClientWidth = 3360, kClientHeight = 5160; // twips
inline constexpr std::int16_t kNoIndex = -1;                    // not in a control array
inline constexpr bool kBold = true, kRegular = false;

// Twips to pixels at `dpi` dots per inch, to the nearest (96: logical pixels, which Qt scales itself).
constexpr int twipsToPixels(int twips, int dpi = 96)
{
    return (twips * dpi * 2 + 1440) / (2 * 1440);
}

struct ControlRow {
    std::string_view name;
    std::int16_t index;
    ControlKind kind;
    std::string_view caption;
    int left, top, width, height; // twips, relative to the parent
    int fontPx;                   // 0: shows no text
    bool bold;
    Colour back, fore;
    int tabIndex;
    std::string_view parent; // empty: the window's client area
    std::string_view spoken; // accessible name; empty: the caption
};

using enum ControlKind;

// Created in this order, so a later control is drawn in front of an earlier one. DEG and RAD both sit in
// the frame (DEG at 960, 600 in the window), so a screen reader hears them as one named group.
inline constexpr std::array kControls = {
    // clang-format off
    // TRANSLATORS: what a screen reader says for the display's description; spoken only, any length.
    ControlRow{"lblDisplay",   kNoIndex, Label,  "0",    240,  120, 2895, 255, 16, kBold, kDisplayGrey, kWindowText, 22, "", N_("display")},
    // TRANSLATORS: what a screen reader says for the group of DEG and RAD; spoken only, any length.
    ControlRow{"fmeTrig",      kNoIndex, Frame,  "",     915,  480, 1500, 390,  0, kBold, kGrey,   kWindowText, 35, "", N_("angle unit")},
    // TRANSLATORS: what a screen reader says for the DEG option button; spoken only, any length.
    ControlRow{"optDeg",       kNoIndex, Option, "DEG",   45,  120,  735, 255, 11, kBold, kSilver, kWindowText, 36, "fmeTrig", N_("degrees")},
    // TRANSLATORS: what a screen reader says for the RAD option button; spoken only, any length.
    ControlRow{"optRad",       kNoIndex, Option, "RAD",  780,  120,  705, 255, 11, kBold, kSilver, kWindowText, 37, "fmeTrig", N_("radians")},
    // TRANSLATORS: what a screen reader says for the key "sin"; spoken only, any length.
    ControlRow{"Trig",         2,        Key,    "sin",  240, 1080,  495, 375, 13, kBold, kButtonFace, kButtonText, 34, "", N_("sine")},
    // TRANSLATORS: what a screen reader says for the key "cos"; spoken only, any length.
    ControlRow{"Trig",         0,        Key,    "cos",  840, 1080,  495, 375, 13, kBold, kButtonFace, kButtonText, 32, "", N_("cosine")},
    // TRANSLATORS: what a screen reader says for the key "tan"; spoken only, any length.
    ControlRow{"Trig",         1,        Key,    "tan", 1440, 1080,  495, 375, 13, kBold, kButtonFace, kButtonText, 33, "", N_("tangent")},
    // TRANSLATORS: what a screen reader says for the key "Off"; spoken only, any length.
    ControlRow{"cmdQuit",      kNoIndex, Key,    "Off", 2025, 1080, 1095, 375, 12, kBold, kRed,        kButtonText, 39, "", N_("off")},
    // TRANSLATORS: what a screen reader says for the key "n!"; spoken only, any length.
    ControlRow{"Factorial",    kNoIndex, Key,    "n!",   240, 1560,  495, 375, 13, kBold, kButtonFace, kButtonText, 25, "", N_("factorial")},
    // TRANSLATORS: what a screen reader says for the key "log"; spoken only, any length.
    ControlRow{"Functions",    4,        Key,    "log",  840, 1560,  495, 375, 11, kBold, kButtonFace, kButtonText, 30, "", N_("common logarithm")},
    // TRANSLATORS: what a screen reader says for the key "ln"; spoken only, any length.
    ControlRow{"Functions",    5,        Key,    "ln",  1440, 1560,  495, 375, 11, kBold, kButtonFace, kButtonText, 31, "", N_("natural logarithm")},
    ControlRow{"lblcopywrite", kNoIndex, Label,  "2026      Calculator developers",
                                                        2040, 1560, 1095, 375,  9, kRegular, kGrey, kDarkGrey, 40, "", ""},
    // TRANSLATORS: what a screen reader says for the key "1/x"; spoken only, any length.
    ControlRow{"Functions",    3,        Key,    "1/x",  240, 2040,  495, 375, 13, kBold, kButtonFace, kButtonText, 29, "", N_("reciprocal")},
    // TRANSLATORS: what a screen reader says for the key "sqrt"; spoken only, any length.
    ControlRow{"Functions",    0,        Key,    "sqrt", 840, 2040,  495, 375, 11, kBold, kButtonFace, kButtonText, 26, "", N_("square root")},
    // TRANSLATORS: what a screen reader says for the key "X2"; spoken only, any length.
    ControlRow{"Functions",    1,        Key,    "X2",  1440, 2040,  495, 375, 11, kBold, kButtonFace, kButtonText, 27, "", N_("square")},
    // TRANSLATORS: what a screen reader says for the key "X3"; spoken only, any length.
    ControlRow{"Functions",    2,        Key,    "X3",  2040, 2040,  495, 375, 11, kBold, kButtonFace, kButtonText, 28, "", N_("cube")},
    // TRANSLATORS: what a screen reader says for the key "Xy"; spoken only, any length.
    ControlRow{"Operator",     4,        Key,    "Xy",  2640, 2040,  495, 375, 11, kBold, kButtonFace, kButtonText, 24, "", N_("power")},
    // TRANSLATORS: what a screen reader says for the key "pi"; spoken only, any length.
    ControlRow{"cmdPi",        kNoIndex, Key,    "pi",   240, 2520,  495, 375, 13, kBold, kButtonFace, kButtonText, 38, "", N_("pi")},
    // TRANSLATORS: what a screen reader says for the key "M"; spoken only, any length.
    ControlRow{"Memory",       kNoIndex, Key,    "M",    840, 2520,  495, 375, 11, kBold, kButtonFace, kButtonText,  3, "", N_("memory store")},
    // TRANSLATORS: what a screen reader says for the key "M+"; spoken only, any length.
    ControlRow{"Memoryplus",   kNoIndex, Key,    "M+",  1440, 2520,  495, 375, 11, kBold, kButtonFace, kButtonText,  2, "", N_("memory add")},
    // TRANSLATORS: what a screen reader says for the key "MR"; spoken only, any length.
    ControlRow{"Memoryreturn", kNoIndex, Key,    "MR",  2040, 2520,  495, 375, 11, kBold, kButtonFace, kButtonText,  1, "", N_("memory recall")},
    // TRANSLATORS: what a screen reader says for the key "MC"; spoken only, any length.
    ControlRow{"Memoryclear",  kNoIndex, Key,    "MC",  2640, 2520,  495, 375, 11, kBold, kButtonFace, kButtonText,  0, "", N_("memory clear")},
    // TRANSLATORS: what a screen reader says for the key "7"; spoken only, any length.
    ControlRow{"Digit",        7,        Key,    "7",    240, 3120,  495, 375, 13, kBold, kButtonFace, kButtonText, 18, "", N_("seven")},
    // TRANSLATORS: what a screen reader says for the key "8"; spoken only, any length.
    ControlRow{"Digit",        8,        Key,    "8",    840, 3120,  495, 375, 13, kBold, kButtonFace, kButtonText, 19, "", N_("eight")},
    // TRANSLATORS: what a screen reader says for the key "9"; spoken only, any length.
    ControlRow{"Digit",        9,        Key,    "9",   1440, 3120,  495, 375, 13, kBold, kButtonFace, kButtonText, 20, "", N_("nine")},
    // TRANSLATORS: what a screen reader says for the key "CE"; spoken only, any length.
    ControlRow{"Ceclear",      kNoIndex, Key,    "CE",  2040, 3120,  495, 375, 11, kBold, kButtonFace, kButtonText, 23, "", N_("clear entry")},
    // TRANSLATORS: what a screen reader says for the key "C"; spoken only, any length.
    ControlRow{"Clear",        0,        Key,    "C",   2640, 3120,  495, 375, 13, kBold, kButtonFace, kButtonText,  5, "", N_("clear")},
    // TRANSLATORS: what a screen reader says for the key "4"; spoken only, any length.
    ControlRow{"Digit",        4,        Key,    "4",    240, 3600,  495, 375, 13, kBold, kButtonFace, kButtonText, 15, "", N_("four")},
    // TRANSLATORS: what a screen reader says for the key "5"; spoken only, any length.
    ControlRow{"Digit",        5,        Key,    "5",    840, 3600,  495, 375, 13, kBold, kButtonFace, kButtonText, 16, "", N_("five")},
    // TRANSLATORS: what a screen reader says for the key "6"; spoken only, any length.
    ControlRow{"Digit",        6,        Key,    "6",   1440, 3600,  495, 375, 13, kBold, kSilver,     kButtonText, 17, "", N_("six")},
    // TRANSLATORS: what a screen reader says for the key "*"; spoken only, any length.
    ControlRow{"Operator",     3,        Key,    "*",   2040, 3600,  495, 375, 13, kBold, kButtonFace, kButtonText,  7, "", N_("times")},
    // TRANSLATORS: what a screen reader says for the key "/"; spoken only, any length.
    ControlRow{"Operator",     2,        Key,    "/",   2640, 3600,  495, 375, 13, kBold, kButtonFace, kButtonText,  8, "", N_("divided by")},
    // TRANSLATORS: what a screen reader says for the key "1"; spoken only, any length.
    ControlRow{"Digit",        1,        Key,    "1",    240, 4080,  495, 375, 13, kBold, kButtonFace, kButtonText, 12, "", N_("one")},
    // TRANSLATORS: what a screen reader says for the key "2"; spoken only, any length.
    ControlRow{"Digit",        2,        Key,    "2",    840, 4080,  495, 375, 13, kBold, kButtonFace, kButtonText, 13, "", N_("two")},
    // TRANSLATORS: what a screen reader says for the key "3"; spoken only, any length.
    ControlRow{"Digit",        3,        Key,    "3",   1440, 4080,  495, 375, 13, kBold, kButtonFace, kButtonText, 14, "", N_("three")},
    // TRANSLATORS: what a screen reader says for the key "+"; spoken only, any length.
    ControlRow{"Operator",     0,        Key,    "+",   2040, 4080,  495, 375, 13, kBold, kButtonFace, kButtonText, 21, "", N_("plus")},
    // TRANSLATORS: what a screen reader says for the key "-"; spoken only, any length.
    ControlRow{"Operator",     1,        Key,    "-",   2640, 4080,  495, 375, 16, kBold, kButtonFace, kButtonText, 10, "", N_("minus")},
    // TRANSLATORS: what a screen reader says for the key "0"; spoken only, any length.
    ControlRow{"Digit",        0,        Key,    "0",    240, 4560,  495, 375, 13, kBold, kActiveBorder, kButtonText, 11, "", N_("zero")},
    // TRANSLATORS: what a screen reader says for the key "."; spoken only, any length.
    ControlRow{"Decimal",      kNoIndex, Key,    ".",    840, 4560,  495, 375, 19, kBold, kButtonFace, kButtonText,  6, "", N_("decimal point")},
    // TRANSLATORS: what a screen reader says for the key "+/-"; spoken only, any length.
    ControlRow{"PlusMinus",    kNoIndex, Key,    "+/-", 1440, 4560,  495, 375, 13, kBold, kButtonFace, kButtonText,  4, "", N_("change sign")},
    // TRANSLATORS: what a screen reader says for the key "="; spoken only, any length.
    ControlRow{"Egalite",      kNoIndex, Key,    "=",   2040, 4560, 1095, 375, 13, kBold, kButtonFace, kButtonText,  9, "", N_("equals")},
    // clang-format on
};

// TRANSLATORS: the window's title bar and the taskbar; about 20 characters show in the title bar.
inline constexpr std::string_view kTitle = N_("Calculator");
// TRANSLATORS: the title of the Help > About box; about 30 characters.
inline constexpr std::string_view kAboutTitle = N_("About Calculator");
inline constexpr std::string_view kAboutText =
    // TRANSLATORS: the text of the Help > About box; one or two lines, any length.
    N_("Calculator, written by the Calculator developers in December 2026.");

// The menu bar, each menu followed by its items, and the display's own menu. A shortcut belongs to the
// window, whichever control has the focus.
struct MenuRow {
    std::string_view name, caption; // caption: '&' marks the access key
    Route route;                    // None: a menu of the bar
    std::string_view shortcut;      // as "Ctrl+X"; empty: none
};

inline constexpr std::array kMenus = {
    // TRANSLATORS: the first menu of the menu bar, which holds Exit; one short word. '&' marks the access
    // key, a letter of the word different from the other menu's.
    MenuRow{"mnuFile", N_("&File"), Route::None, ""},
    // TRANSLATORS: the File menu's item that ends the program (Ctrl+X); one or two words, '&': access key.
    MenuRow{"mnuFExit", N_("E&xit"), Route::mnuFExit, "Ctrl+X"},
    // TRANSLATORS: the second menu of the menu bar, which holds About; one short word, '&': access key,
    // a letter different from the File menu's.
    MenuRow{"mnuHelp", N_("&Help"), Route::None, ""},
    // TRANSLATORS: the Help menu's item that opens the About box; one or two words, '&': access key.
    MenuRow{"mnuHAbout", N_("&About"), Route::mnuHAbout, ""},
};
// TRANSLATORS: the only item of the display's own menu (right mouse button), which copies the display's text
// (Ctrl+C); one word, '&': access key.
inline constexpr MenuRow kDisplayMenu{"mnuCopy", N_("&Copy"), Route::mnuCopy, "Ctrl+C"};

// Control and click -> operation; an array key passes its index.
struct RouteRow {
    std::string_view control;
    Route route;
    bool passesIndex;
};

inline constexpr std::array kRoutes = {
    RouteRow{"Digit", Route::Digit, true},
    RouteRow{"Decimal", Route::Decimal, false},
    RouteRow{"PlusMinus", Route::PlusMinus, false},
    RouteRow{"Ceclear", Route::Ceclear, false},
    RouteRow{"Clear", Route::Clear, true},
    RouteRow{"Operator", Route::Operator, true},
    RouteRow{"Egalite", Route::Egalite, false},
    RouteRow{"Functions", Route::Functions, true},
    RouteRow{"Factorial", Route::Factorial, false},
    RouteRow{"cmdPi", Route::cmdPi, false},
    RouteRow{"Trig", Route::Trig, true},
    RouteRow{"optDeg", Route::optDeg, false},
    RouteRow{"optRad", Route::optRad, false},
    RouteRow{"Memory", Route::Memory, false},
    RouteRow{"Memoryplus", Route::Memoryplus, false},
    RouteRow{"Memoryreturn", Route::Memoryreturn, false},
    RouteRow{"Memoryclear", Route::Memoryclear, false},
    RouteRow{"cmdQuit", Route::cmdQuit, false},
    RouteRow{"mnuFExit", Route::mnuFExit, false},
    RouteRow{"mnuHAbout", Route::mnuHAbout, false},
    RouteRow{"mnuCopy", Route::mnuCopy, false},
};

// The routing row of a control; a control without one handles no click.
constexpr RouteRow routeOf(std::string_view control)
{
    for (const RouteRow& row : kRoutes)
        if (row.control == control)
            return row;
    return {control, Route::None, false};
}

} // namespace form
