// calculator.exe driven from another program, as a user, another program and a screen reader meet it under
// Wine: keys clicked (BM_CLICK) and typed (SendInput), the display read (WM_GETTEXT), About, the ways it
// ends, the clipboard, MSAA's names and roles, the client size at 96 and 192 DPI; the texts in the user's
// language (WINE_LOCALE), English under C.
//   windows_window_test CALCULATOR_EXE [GoogleTest options]
#include "colour_check.h"
#include "form/form.h"
#include "form/translation.h"
#include "tools/replay.h"
#include "tools/window_png_win32.h"
#include "win32/calc_window.h"
#include "win32/language.h"
#include "win32/text.h"

#include <gtest/gtest.h>

#include <oleacc.h>
#include <uiautomationclient.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::wstring g_calculator; // the program under test
bool g_translated = false; // this process speaks calculator.exe's catalogue of the user's language

const form::ControlRow& rowNamed(std::string_view name)
{
    return *std::ranges::find(form::kControls, name, &form::ControlRow::name);
}

// Up to 10 s for `done`, then false: a missing window fails the test, never hangs it.
template <typename Done> bool poll(Done done)
{
    for (int i = 0; i < 200; ++i, Sleep(50))
        if (done())
            return true;
    return false;
}

const form::MenuRow& menuRow(form::Route route)
{
    return *std::ranges::find(form::kMenus, route, &form::MenuRow::route);
}

// Dispatches what is queued; what a destroyed window left (its quit too) goes.
void pump()
{
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&message);
}

constexpr auto kNamed = [](const auto& info) { return std::string(info.param.name); };

void press(std::initializer_list<WORD> keys) // together, then released in reverse
{
    std::vector<INPUT> inputs;
    for (const WORD key : keys)
        inputs.push_back({INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        inputs.push_back({INPUT_KEYBOARD, {.ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0}}});
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string textOf(HWND hwnd)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return "(no answer)";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return winui::narrow(text);
}

// One run of calculator.exe, ended when the test ends.
class Calculator {
  public:
    // `show`: as a shortcut's Run setting starts it (Normal, Maximized, Minimized).
    explicit Calculator(WORD show = SW_SHOWNORMAL)
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = show;
        std::wstring commandLine = L"\"" + g_calculator + L"\"";
        if (!CreateProcessW(g_calculator.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &m_process)) {
            ADD_FAILURE() << "cannot start calculator.exe: error " << GetLastError();
            return;
        }
        const bool shown = poll([this] {
            for (HWND hwnd = FindWindowW(winui::kWindowClass, nullptr); hwnd;
                 hwnd = FindWindowExW(nullptr, hwnd, winui::kWindowClass, nullptr)) {
                DWORD process = 0;
                GetWindowThreadProcessId(hwnd, &process);
                if (process == m_process.dwProcessId && IsWindowVisible(hwnd))
                    m_hwnd = hwnd;
            }
            return m_hwnd && std::ranges::all_of(form::kControls, [this](const form::ControlRow& row) {
                       return row.kind != form::Key || GetDlgItem(m_hwnd, winui::controlId(row));
                   });
        });
        EXPECT_TRUE(shown) << "calculator.exe showed no window within 10 s";
    }
    ~Calculator()
    {
        if (m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 99);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }

    HWND hwnd() const { return m_hwnd; }
    HWND control(const form::ControlRow& row) const // DEG and RAD in their frame
    {
        HWND parent = row.parent.empty() ? m_hwnd : control(rowNamed(row.parent));
        return GetDlgItem(parent, winui::controlId(row));
    }
    std::string display() const { return textOf(control(rowNamed("lblDisplay"))); }

    // Clicks the keys by caption, as calc-replay names them; returns the display.
    std::string click(std::string_view keys) const
    {
        std::istringstream words{std::string(keys)};
        for (std::string key; words >> key;) {
            const form::ControlRow* row = key == "Off" ? &rowNamed("cmdQuit") : replay::controlFor(key);
            DWORD_PTR ignored = 0;
            if (!row || !SendMessageTimeoutW(control(*row), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored))
                ADD_FAILURE() << "cannot click " << key;
        }
        return display();
    }
    void command(form::Route route) const
    {
        PostMessageW(m_hwnd, WM_COMMAND, WPARAM(winui::commandId(menuRow(route))), 0);
    }
    HWND focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(m_hwnd, nullptr), &info);
        return info.hwndFocus;
    }
    // The exit status once it has ended, within 10 s; -1 if it is still running.
    long exitStatus() const
    {
        DWORD status = 0;
        const bool ended = WaitForSingleObject(m_process.hProcess, 10000) == WAIT_OBJECT_0;
        return ended && GetExitCodeProcess(m_process.hProcess, &status) ? long(status) : -1;
    }

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_hwnd = nullptr;
};

std::string clipboard()
{
    std::string text = "(nothing)";
    if (!poll([] { return OpenClipboard(nullptr); }))
        return "(cannot open the clipboard)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = winui::narrow(chars);
            GlobalUnlock(data);
        }
    EmptyClipboard();
    CloseClipboard();
    return text;
}

// Keys clicked, then the whole display as WM_GETTEXT reads it and the option button that is checked; then,
// where `copied` is given, Ctrl+C or the display's menu, and the clipboard as another program reads it.
struct Keys {
    const char* name;
    const char* keys;
    const char* display;
    const char* copied = nullptr;
    bool byMenu = false;
    const char* checked = "optDeg";
};
const Keys kKeys[] = {
    {"OperatorFirst", "*", "0"},
    {"Add", "2 + 3 =", " 5", "5"},
    {"DegThenRad", "RAD 9 0 sin DEG 9 0 sin RAD", "1", nullptr, false, "optRad"},
    {"Memory", "2 + 3 = M C 4 M+ MR", "9"},
    {"LongEntry", "1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 7 8 9 0",
     "123456789012345678901234567890"},
    {"Signed", "2 + 3 = +/-", "- 5", "-5"},
    {"SignedByMenu", "2 + 3 = +/-", "- 5", "-5", true},
    {"Message", "1 / 0 =", "Cannot divide by 0", "Cannot divide by 0"},
};

class Clicked : public testing::TestWithParam<Keys> {};

TEST_P(Clicked, DisplayOptionsAndCopy)
{
    const Calculator calculator;
    ASSERT_TRUE(calculator.hwnd());
    clipboard();
    const std::string shown = calculator.click(GetParam().keys);
    EXPECT_EQ(shown, form::shownText(GetParam().display));
    for (const char* option : {"optDeg", "optRad"}) {
        const LRESULT checked = SendMessageW(calculator.control(rowNamed(option)), BM_GETCHECK, 0, 0);
        EXPECT_EQ(checked, std::string_view(option) == GetParam().checked ? BST_CHECKED : BST_UNCHECKED)
            << option;
    }
    if (!GetParam().copied)
        return;
    if (GetParam().byMenu) {
        const HWND display = calculator.control(rowNamed("lblDisplay"));
        RECT rect{};
        GetWindowRect(display, &rect);
        PostMessageW(calculator.hwnd(), WM_CONTEXTMENU, WPARAM(display),
                     MAKELPARAM(rect.left + 5, rect.top + 5));
        ASSERT_TRUE(poll([] { return IsWindowVisible(FindWindowW(L"#32768", nullptr)); })) << "no menu";
        press({'C'});
    } else {
        press({VK_CONTROL, 'C'});
    }
    const std::string copied(form::shownText(GetParam().copied));
    std::string read;
    EXPECT_TRUE(poll([&] { return (read = clipboard()) == copied; })) << read;
    EXPECT_EQ(calculator.display(), shown);
}

INSTANTIATE_TEST_SUITE_P(Window, Clicked, testing::ValuesIn(kKeys), kNamed);

// Every way out ends the program with status 0.
struct Ending {
    const char* name;
    void (*end)(const Calculator&);
};
const Ending kEndings[] = {
    {"OffKey", [](const Calculator& calculator) { calculator.click("Off"); }},
    {"CtrlX", [](const Calculator&) { press({VK_CONTROL, 'X'}); }},
    {"FileExit", [](const Calculator& calculator) { calculator.command(form::Route::mnuFExit); }},
    {"CloseButton", [](const Calculator& calc) { PostMessageW(calc.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

class Ends : public testing::TestWithParam<Ending> {};

TEST_P(Ends, WithStatusZero)
{
    const Calculator calculator;
    ASSERT_TRUE(calculator.hwnd());
    calculator.click("7");
    GetParam().end(calculator);
    EXPECT_EQ(calculator.exitStatus(), 0);
}

INSTANTIATE_TEST_SUITE_P(Window, Ends, testing::ValuesIn(kEndings), kNamed);

TEST(Keyboard, FocusStartsOnMcTabMovesSpacePressesDigitsDoNothing)
{
    const Calculator calculator;
    ASSERT_TRUE(calculator.hwnd());
    const auto byTab = [](int tabIndex) -> const form::ControlRow& {
        return *std::ranges::find(form::kControls, tabIndex, &form::ControlRow::tabIndex);
    };
    const auto tabTo = [&](const form::ControlRow& row, std::initializer_list<WORD> keys = {VK_TAB}) {
        press(keys);
        return poll([&] { return calculator.focus() == calculator.control(row); });
    };
    ASSERT_TRUE(tabTo(byTab(0), {})) << "not on MC";
    for (int tabIndex = 1; tabIndex <= 12; ++tabIndex)
        ASSERT_TRUE(tabTo(byTab(tabIndex))) << "Tab did not reach " << form::controlName(byTab(tabIndex));
    press({VK_SPACE});
    EXPECT_TRUE(poll([&] { return calculator.display() == "1"; })) << calculator.display();
    for (const WORD key : {WORD('7'), WORD(VK_NUMPAD8), WORD(VK_SPACE)}) // Space handled after the digits
        press({key});
    EXPECT_TRUE(poll([&] { return calculator.display() == "11"; })) << calculator.display();
    // On round by the tab index, whatever the window order: past RAD, not checked, and back from MC to Off.
    for (int tabIndex = 13; tabIndex <= 40; ++tabIndex) {
        const form::ControlRow& row = byTab(tabIndex % 40);
        if (row.kind == form::Key || row.name == "optDeg") {
            ASSERT_TRUE(tabTo(row)) << "Tab did not reach " << form::controlName(row);
        }
    }
    EXPECT_TRUE(tabTo(rowNamed("cmdQuit"), {VK_SHIFT, VK_TAB}));
}

TEST(About, ModalSharedTextChangesNothing)
{
    const Calculator calculator;
    ASSERT_TRUE(calculator.hwnd());
    calculator.click("1 + 2");
    const HWND focus = calculator.focus();
    calculator.command(form::Route::mnuHAbout);
    const std::wstring title = winui::widen(form::tr(form::kAboutTitle));
    HWND box = nullptr;
    ASSERT_TRUE(poll([&] { return IsWindowVisible(box = FindWindowW(L"#32770", title.c_str())); }))
        << "no About box";
    EXPECT_FALSE(IsWindowEnabled(calculator.hwnd())) << "the window is not disabled while About shows";
    std::string texts;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts += textOf(child) + "|";
    EXPECT_NE(texts.find(form::tr(form::kAboutText)), std::string::npos) << texts;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(poll([&] { return !IsWindow(box) && IsWindowEnabled(calculator.hwnd()); }));
    EXPECT_EQ(calculator.focus(), focus);
    EXPECT_EQ(calculator.click("="), " 3");
}

std::string menuText(HMENU menu, int position)
{
    wchar_t text[100] = {};
    GetMenuStringW(menu, UINT(position), text, 100, MF_BYPOSITION);
    return winui::narrow(text);
}

// The title and the menus, their shortcuts' names too, from the catalogue of the user's language that
// calculator.exe carries; exactly the table's English where it carries none (C). A window in this process:
// Wine shows no other process's menus (About, the message and the names come from calculator.exe itself).
TEST(Language, TitleAndMenus)
{
    EXPECT_EQ(g_translated, PRIMARYLANGID(GetUserDefaultUILanguage()) != LANG_ENGLISH);
    const winui::CalcWindow window(GetModuleHandleW(nullptr));
    EXPECT_EQ(textOf(window.hwnd()), form::tr(form::kTitle));
    std::string menus, expected;
    for (int i = 0; HMENU menu = GetSubMenu(GetMenu(window.hwnd()), i); ++i) {
        menus += menuText(GetMenu(window.hwnd()), i) + "|";
        for (int item = 0; item < GetMenuItemCount(menu); ++item)
            menus += menuText(menu, item) + "|";
    }
    for (const form::MenuRow& row : form::kMenus)
        expected += std::string(form::tr(row.caption)) +
                    (row.shortcut.empty() ? "" : "\t" + form::shortcutName(row.shortcut)) + "|";
    EXPECT_EQ(menus, expected);
}

// Windows' names of the display languages, most preferred first -> the catalogue calculator.exe answers with,
// by its name of the program.
TEST(Language, FirstDisplayLanguageWithACatalogue)
{
    const HMODULE program = LoadLibraryExW(g_calculator.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const std::pair<std::vector<std::string>, const char*> kCases[] = {
        {{"de-DE"}, "Rechner"}, {{"pt-BR"}, "Calculadora"}, {{"zh-Hans-CN"}, "计算器"}, {{"zh-Hans"}, "计算器"},
        {{"xx-YY", "fr-CA"}, "Calculatrice"}, {{"en-GB", "de-DE"}, "Calculator"}, {{}, "Calculator"}};
    for (const auto& [languages, name] : kCases) {
        form::Catalogue catalogue;
        catalogue.load(winui::catalogueFor(program, languages));
        EXPECT_EQ(catalogue.find(form::kTitle), name) << (languages.empty() ? "none" : languages.back());
    }
}

// By kind (Label, Frame, Option, Key): the MSAA role, and the UI Automation control type.
constexpr long kRoles[] = {ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_GROUPING, ROLE_SYSTEM_RADIOBUTTON,
                           ROLE_SYSTEM_PUSHBUTTON};
constexpr long kControlTypes[] = {50020, 50026, 50013, 50000}; // Text, Group, RadioButton, Button

constexpr IID kAccIdentity = {0x7852b78d, 0x1cfd, 0x41c1, {0xa6, 0x15, 0x9c, 0x0c, 0x85, 0x96, 0x0b, 0x5f}};

// What a screen reader asks each control through MSAA, from this other process. Read as on Linux: the
// display first, then "angle unit" holding DEG and RAD, then the keys row by row; the windows in order, each
// followed by those it holds, are the table's rows.
TEST(ScreenReader, EveryControlsNameAndRoleInReadingOrder)
{
    const Calculator calculator;
    ASSERT_TRUE(calculator.hwnd());
    calculator.click("4 2");
    std::vector<int> order, table;
    EnumChildWindows(
        calculator.hwnd(),
        [](HWND child, LPARAM ids) {
            reinterpret_cast<std::vector<int>*>(ids)->push_back(GetDlgCtrlID(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&order));
    for (const form::ControlRow& row : form::kControls) {
        table.push_back(winui::controlId(row));
        if (!row.parent.empty()) {
            EXPECT_EQ(GetParent(calculator.control(row)), calculator.control(rowNamed(row.parent))) << row.name;
        }
        IAccessible* accessible = nullptr;
        ASSERT_EQ(AccessibleObjectFromWindow(calculator.control(row), OBJID_CLIENT, IID_IAccessible,
                                             reinterpret_cast<void**>(&accessible)),
                  S_OK)
            << row.name;
        VARIANT self{};
        self.vt = VT_I4; // CHILDID_SELF
        BSTR name = nullptr;
        VARIANT role{}, state{};
        EXPECT_EQ(accessible->get_accName(self, &name), S_OK);
        EXPECT_EQ(winui::narrow(name ? name : L""),
                  row.name == "lblDisplay" ? "42" : form::accessibleName(row))
            << form::controlName(row);
        EXPECT_EQ(accessible->get_accRole(self, &role), S_OK);
        EXPECT_EQ(role.lVal, kRoles[int(row.kind)]) << form::controlName(row);
        if (row.kind == form::Option) {
            EXPECT_EQ(accessible->get_accState(self, &state), S_OK);
            EXPECT_EQ((state.lVal & STATE_SYSTEM_CHECKED) != 0, row.name == "optDeg") << row.name;
        }
        // No route to the system's object, named by the caption, nor a sign that this is a system proxy.
        for (const IID& iid : {IID_IServiceProvider, kAccIdentity}) {
            void* other = nullptr;
            EXPECT_EQ(accessible->QueryInterface(iid, &other), E_NOINTERFACE) << row.name;
            if (other)
                static_cast<IUnknown*>(other)->Release();
        }
        SysFreeString(name);
        accessible->Release();
    }
    EXPECT_EQ(order, table);
}

std::string g_announced; // what a screen reader is told in this process (onEvent), each ended by |

// Keys clicked in this process's window, each handled before the next.
void clickIn(const winui::CalcWindow& window, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        SendMessageW(window.control(*replay::controlFor(key)), BM_CLICK, 0, 0);
        pump();
    }
}

// What a screen reader is told: the display's name at each live-region event, and "window" or "focus" with
// the name of a window that comes forward or takes the focus.
void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    IAccessible* accessible = nullptr;
    VARIANT self{};
    BSTR name = nullptr;
    if (event == EVENT_SYSTEM_FOREGROUND || event == EVENT_OBJECT_FOCUS) {
        g_announced += (event == EVENT_OBJECT_FOCUS ? "focus " : "window ") + textOf(hwnd) + "|";
    } else if (AccessibleObjectFromEvent(hwnd, DWORD(object), DWORD(child), &accessible, &self) == S_OK) {
        if (accessible->get_accName(self, &name) == S_OK)
            g_announced += winui::narrow(name ? name : L"") + "|";
        SysFreeString(name);
        accessible->Release();
    }
}

// As a screen reader hears the display: one polite live-region event for each change, and none for a key
// that changes nothing. In this process, where the hook is called as each event is raised.
TEST(ScreenReader, EachChangeOfTheDisplayAnnouncedOnce)
{
    winui::CalcWindow window(GetModuleHandleW(nullptr));
    ASSERT_TRUE(window.hwnd());
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr, onEvent,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);
    g_announced.clear();
    clickIn(window, {"2", "+", "3", "=", "+", "1", "/", "0", "="});
    UnhookWinEvent(hook);
    EXPECT_EQ(g_announced, "2|3| 5|1| 6|0|Cannot divide by 0|");
}

#ifdef __IUIAutomation_INTERFACE_DEFINED__ // MinGW-w64 12 (Debian 13) on; Debian 12's headers lack the client

std::mutex g_heardMutex;
std::string g_heard; // the display's name at each UI Automation live-region event, each ended by |

// Called on UI Automation's own thread.
struct LiveRegionEvents final : IUIAutomationEventHandler {
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        *object = iid == IID_IUnknown || iid == __uuidof(IUIAutomationEventHandler) ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; } // lives on the test's stack, past the handler
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE HandleAutomationEvent(IUIAutomationElement* sender, EVENTID) override
    {
        BSTR name = nullptr;
        sender->get_CurrentName(&name);
        const std::lock_guard lock(g_heardMutex);
        g_heard += winui::narrow(name ? name : L"") + "|";
        SysFreeString(name);
        return S_OK;
    }
};

std::string heard()
{
    const std::lock_guard lock(g_heardMutex);
    return g_heard;
}

// The window as a UI Automation client (Narrator) reads it, from this other process: every control's name
// and control type, the display a polite live region that raises one event for each change (the order that
// UI Automation walks is the windows', EveryControlsNameAndRoleInReadingOrder). Each check runs as far as
// the system's UI Automation goes; what it cannot answer is named in the skip.
TEST(UiAutomation, NamesTypesOrderAndTheLiveRegion)
{
    constexpr CLSID kCuiAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
    IUIAutomation* automation = nullptr;
    if (CoCreateInstance(kCuiAutomation, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IUIAutomation),
                         reinterpret_cast<void**>(&automation)) != S_OK)
        GTEST_SKIP() << "this system has no UI Automation client (CoCreateInstance(CLSID_CUIAutomation))";
    const Calculator calculator;
    ASSERT_TRUE(calculator.hwnd());
    calculator.click("4 2");
    std::string unanswered;
    for (const form::ControlRow& row : form::kControls) {
        IUIAutomationElement* element = nullptr;
        ASSERT_EQ(automation->ElementFromHandle(calculator.control(row), &element), S_OK) << row.name;
        BSTR name = nullptr;
        CONTROLTYPEID type = 0;
        element->get_CurrentName(&name);
        element->get_CurrentControlType(&type);
        EXPECT_EQ(winui::narrow(name ? name : L""), row.name == "lblDisplay" ? "42" : form::accessibleName(row));
        EXPECT_EQ(type, kControlTypes[int(row.kind)]) << row.name;
        SysFreeString(name);
        element->Release();
    }
    // The display: a polite live region, one event for each change (a repeated one would come before the
    // last key's).
    IUIAutomationElement* display = nullptr;
    ASSERT_EQ(automation->ElementFromHandle(calculator.control(rowNamed("lblDisplay")), &display), S_OK);
    VARIANT live{};
    display->GetCurrentPropertyValue(UIA_LiveSettingPropertyId, &live);
    if (live.vt == VT_I4)
        EXPECT_EQ(live.lVal, Polite);
    else
        unanswered += "no LiveSetting (VARIANT type " + std::to_string(live.vt) + "); ";
    LiveRegionEvents events;
    ASSERT_EQ(automation->AddAutomationEventHandler(UIA_LiveRegionChangedEventId, display, TreeScope_Element,
                                                    nullptr, &events),
              S_OK);
    calculator.click("C 2 + 3 = + 1");
    if (poll([] { return heard().ends_with("1|"); }) || !heard().empty())
        EXPECT_EQ(heard(), "0|2|3| 5|1|");
    else
        unanswered += "no live-region event; ";
    automation->RemoveAllEventHandlers();
    display->Release();
    automation->Release();
    if (!unanswered.empty())
        GTEST_SKIP() << "this UI Automation gave " << unanswered << "those checks skipped";
}

#endif

// The client area at each DPI, and the keys in it: each in a prefix and an X server of that DPI, as a
// Windows session has one from its start. Started as a shortcut set to Maximized or Minimized starts it, the
// window keeps its one size once restored.
struct Dpi {
    const char* name;
    LONG width, height, keyWidth;
    WORD show = SW_SHOWNORMAL;
};
const Dpi kDpis[] = {{"At96", 224, 344, 33},
                     {"At192", 448, 688, 66},
                     {"MaximizedAt96", 224, 344, 33, SW_SHOWMAXIMIZED},
                     {"MinimizedAt96", 224, 344, 33, SW_SHOWMINIMIZED}};

class Scaled : public testing::TestWithParam<Dpi> {};

TEST_P(Scaled, ClientAreaAndKeysCentred)
{
    const Calculator calculator(GetParam().show);
    ASSERT_TRUE(calculator.hwnd());
    EXPECT_EQ(IsIconic(calculator.hwnd()), GetParam().show == SW_SHOWMINIMIZED);
    PostMessageW(calculator.hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(poll([&] { return !IsIconic(calculator.hwnd()); }));
    EXPECT_FALSE(IsZoomed(calculator.hwnd()));
    // Not GetDpiForWindow: Wine answers with the asking process's DPI.
    RECT client{}, key{}, frame{}, work{};
    GetClientRect(calculator.hwnd(), &client);
    GetClientRect(calculator.control(rowNamed("Memoryclear")), &key);
    EXPECT_EQ((std::array{client.right, client.bottom, key.right}),
              (std::array{GetParam().width, GetParam().height, GetParam().keyWidth}));
    GetWindowRect(calculator.hwnd(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0); // the primary monitor's
    EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1) << "not centred";
    EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1) << "not centred";
}

INSTANTIATE_TEST_SUITE_P(Window, Scaled, testing::ValuesIn(kDpis), kNamed);

// From the moment the window shows, the focus is on MC, set as it activates (never first on the window): a
// screen reader hears the window, then MC, once each, and a key pressed at once presses it: Space on MC
// clears the 7 that M+ stored. The program then ends from File > Exit.
TEST(InProcess, TheFocusIsOnMcFromTheStartAndSpacePressesIt)
{
    pump(); // an earlier window's quit too
    winui::CalcWindow window(GetModuleHandleW(nullptr));
    ASSERT_TRUE(window.hwnd());
    g_announced.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_OBJECT_FOCUS, nullptr, onEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    for (const char* key : {"7", "M+"}) { // as the keys tell it, without the focus a click would take
        const form::ControlRow& row = *replay::controlFor(key);
        SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(winui::controlId(row), BN_CLICKED),
                     reinterpret_cast<LPARAM>(window.control(row)));
    }
    ASSERT_EQ(window.state().sngMemory, 7.0f);
    ShowWindow(window.hwnd(), SW_SHOW);
    HWND clear = window.control(rowNamed("Memoryclear"));
    EXPECT_EQ(GetFocus(), clear);
    pump();
    UnhookWinEvent(hook);
    // Wine 8 raises neither for a thread's first window and focus; Wine 10 both, as Windows does.
    const std::string heard = "window " + std::string(form::tr(form::kTitle)) + "|focus MC|";
    EXPECT_TRUE(g_announced.empty() || g_announced == heard) << g_announced;
    PostMessageW(clear, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageW(clear, WM_KEYUP, VK_SPACE, LPARAM(0xC0390001));
    PostMessageW(window.hwnd(), WM_COMMAND, WPARAM(winui::commandId(menuRow(form::Route::mnuFExit))), 0);
    EXPECT_EQ(window.run(), 0);
    EXPECT_EQ(window.state().sngMemory, 0.0f);
}

bool g_refuseChildren; // which windows refuseWindows refuses: the controls, or the window itself

LRESULT CALLBACK refuseWindows(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
    const bool refused = code == HCBT_CREATEWND && (create->lpcs->hwndParent != nullptr) == g_refuseChildren;
    return refused ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

// Windows refusing the window or a control: no window, the reason said, and no quit message left behind,
// which would close the error box at once.
TEST(InProcess, AWindowThatCannotBeMadeSaysWhyAndLeavesNoQuit)
{
    for (const auto& [children, said] : {std::pair(false, "Windows could not create the calculator's window."),
                                         std::pair(true, "Windows could not create the calculator's keys.")}) {
        pump();
        g_refuseChildren = children;
        HHOOK hook = SetWindowsHookExW(WH_CBT, refuseWindows, nullptr, GetCurrentThreadId());
        ASSERT_TRUE(hook);
        const winui::CalcWindow window(GetModuleHandleW(nullptr));
        UnhookWindowsHookEx(hook);
        EXPECT_FALSE(window.hwnd()) << said;
        // In the user's language, then Windows' reason and its number.
        EXPECT_TRUE(winui::narrow(window.failure()).starts_with(form::tr(said)) &&
                    window.failure().find(L"(error ") != std::wstring::npos)
            << winui::narrow(window.failure());
        MSG quit{};
        EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << said;
    }
}

// Wine never moves a window to a monitor of another DPI, so the messages are sent here as Windows sends them,
// to a window of this process: the size asked for at the new DPI, then that window rectangle, kept centred
// where the window stands. The rectangle applied as sent, in one move where the frame is the size the system
// gave (Wine's frame keeps its size at any DPI: a second move then makes the client the table's); the centre
// and the display's text kept.
int g_moves = 0;
RECT g_firstMove{}, g_clientAfterIt{};

LRESULT CALLBACK countMoves(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == WM_WINDOWPOSCHANGED && !GetParent(message->hwnd) &&
        (~reinterpret_cast<const WINDOWPOS*>(message->lParam)->flags & (SWP_NOMOVE | SWP_NOSIZE)) &&
        g_moves++ == 0) {
        GetWindowRect(message->hwnd, &g_firstMove);
        GetClientRect(message->hwnd, &g_clientAfterIt);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(InProcess, EachDpiChangeIsOneMoveToTheSuggestedRectangle)
{
    winui::CalcWindow window(GetModuleHandleW(nullptr));
    ASSERT_TRUE(window.hwnd());
    const form::ControlRow& seven = *replay::controlFor("7");
    clickIn(window, {"7"});
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, countMoves, nullptr, GetCurrentThreadId());
    int from = int(GetDpiForWindow(window.hwnd()));
    for (const auto& [dpi, width, height, fontHeight] :
         {std::array{144, 336, 516, -20}, std::array{192, 448, 688, -26}, std::array{96, 224, 344, -13}}) {
        RECT before{};
        GetWindowRect(window.hwnd(), &before);
        // Unanswered, Windows scales the window's size.
        SIZE size{MulDiv(before.right - before.left, dpi, from), MulDiv(before.bottom - before.top, dpi, from)};
        SendMessageW(window.hwnd(), WM_GETDPISCALEDSIZE, WPARAM(dpi), reinterpret_cast<LPARAM>(&size));
        const int cx = (before.left + before.right) / 2, cy = (before.top + before.bottom) / 2;
        RECT suggested{cx - size.cx / 2, cy - size.cy / 2, cx - size.cx / 2 + size.cx, cy - size.cy / 2 + size.cy};
        g_moves = 0;
        SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        from = dpi;
        RECT client{}, key{}, after{};
        GetClientRect(window.hwnd(), &client);
        GetClientRect(window.control(seven), &key);
        GetWindowRect(window.hwnd(), &after);
        EXPECT_TRUE(EqualRect(&g_firstMove, &suggested)) << dpi << ": not the suggested rectangle";
        EXPECT_EQ(g_moves, g_clientAfterIt.right == width && g_clientAfterIt.bottom == height ? 1 : 2) << dpi;
        EXPECT_EQ(std::pair(int(client.right), int(client.bottom)), std::pair(width, height)) << dpi;
        EXPECT_LE(std::abs(after.left + after.right - 2 * cx) + std::abs(after.top + after.bottom - 2 * cy), 2)
            << dpi << ": the centre moved";
        EXPECT_EQ(key.right, form::twipsToPixels(seven.width, dpi)) << dpi;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window.control(seven), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        EXPECT_EQ(font.lfHeight, fontHeight) << dpi;
        EXPECT_EQ(textOf(window.control(rowNamed("lblDisplay"))), "7") << dpi;
    }
    UnhookWindowsHookEx(hook);
}

// Wine keeps no contrast theme: contrast_theme.dll, beside this test, gives one to the programs it is
// loaded into, this one first, set as Windows' Settings sets it.
void setContrast(bool on)
{
    HIGHCONTRASTW contrast{sizeof contrast, on ? DWORD(HCF_HIGHCONTRASTON) : 0, nullptr};
    ASSERT_TRUE(LoadLibraryW(L"contrast_theme.dll"));
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, SPIF_SENDCHANGE));
}

constexpr int kElements[] = {COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_ACTIVEBORDER,
                             COLOR_APPWORKSPACE};
using Colours = std::array<COLORREF, std::size(kElements)>;

Colours systemColours()
{
    Colours colours{};
    std::ranges::transform(kElements, colours.begin(), GetSysColor);
    return colours;
}

form::SystemColours scheme(const Colours& c)
{
    const auto rgb = [&c](int i) { return form::Rgb{GetRValue(c[i]), GetGValue(c[i]), GetBValue(c[i])}; };
    return {rgb(0), rgb(1), rgb(2), rgb(3), rgb(4)};
}

// Each control's fill and text, as `window` is drawn now, against the colours `set` and `contrast` give.
std::vector<std::string> coloursWrong(HWND window, bool contrast, const Colours& set = systemColours())
{
    const std::optional<replay::WindowPicture> picture = replay::captureWindow(window);
    if (!picture)
        return {"cannot capture the window"};
    const auto at = [&picture](int x, int y) { return picture->at(x, y); };
    return testing_support::checkColours(at, 0, picture->clientTop, 1, scheme(set), false, contrast);
}

// A contrast theme on before the window starts, then Windows' colours as the prefix has them, a dark scheme,
// the contrast theme again and back, each set while the window runs: each control's fill and text sampled
// from the window as drawn, the display and the focus kept. In this process: under Wine a change made by
// another program does not reach a running window.
TEST(InProcess, ColoursFollowTheSystemColoursAndContrastThemesLive)
{
    const Colours classic = systemColours();
    EXPECT_EQ(scheme(classic), form::kClassicColours);
    // As COLORREFs, 0x00bbggrr. The theme's each its own: a text or fill taken from the wrong one shows.
    const Colours dark = {0xffffff, 0, 0xffffff, 0x404040, 0},
                  theme = {0x0000ff, 0, 0x00ffff, 0x808080, 0x800000};
    SetSysColors(5, kElements, theme.data());
    setContrast(true);
    winui::CalcWindow window(GetModuleHandleW(nullptr));
    ASSERT_TRUE(window.hwnd());
    ShowWindow(window.hwnd(), SW_SHOW);
    clickIn(window, {"1", "2", "+", "3"});
    HWND three = window.control(*replay::controlFor("3"));
    SetFocus(three);
    bool started = true; // the first: as the window started
    for (const auto& [set, contrast] : {std::pair(theme, true), std::pair(classic, false),
                                        std::pair(dark, false), std::pair(theme, true),
                                        std::pair(classic, false)}) {
        if (!std::exchange(started, false)) {
            SetSysColors(5, kElements, set.data());
            setContrast(contrast);
        }
        pump();
        EXPECT_EQ(coloursWrong(window.hwnd(), contrast, set), std::vector<std::string>{})
            << (contrast ? "contrast theme" : set == dark ? "dark" : "classic");
    }
    EXPECT_EQ(textOf(window.control(rowNamed("lblDisplay"))), "3");
    EXPECT_EQ(GetFocus(), three);
}

// The theme turned on and off by this other program while calculator.exe runs, which reads it with the
// theme's DLL loaded: every control in the system's button colours while it is on (Off too), the fixed
// colours again once it is off.
TEST(Contrast, OnAndOffFromAnotherProgram)
{
    const Calculator calculator;
    ASSERT_TRUE(calculator.hwnd());
    // Hooked with the theme's passOn, calculator.exe loads the DLL at its next message.
    const HMODULE theme = LoadLibraryW(L"contrast_theme.dll");
    const auto passOn = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(theme, "passOn")));
    // The hook goes with calculator.exe's thread.
    ASSERT_TRUE(SetWindowsHookExW(WH_CALLWNDPROC, passOn, theme,
                                  GetWindowThreadProcessId(calculator.hwnd(), nullptr)));
    for (const bool on : {true, false}) { // painted by another process: sampled again until it has drawn
        setContrast(on);
        std::vector<std::string> wrong;
        EXPECT_TRUE(poll([&] { return (wrong = coloursWrong(calculator.hwnd(), on)).empty(); }))
            << (on ? "on: " : "off: ") << testing::PrintToString(wrong);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: windows_window_test CALCULATOR_EXE [GoogleTest options]\n");
        return 2;
    }
    g_calculator = winui::widen(argv[1]);
    // The texts to expect: this process takes the same language from the same catalogues.
    g_translated =
        winui::useLanguage(LoadLibraryExW(g_calculator.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    // Sizes in this process as the calculator has them, not scaled for a program unaware of DPI.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return RUN_ALL_TESTS();
}
