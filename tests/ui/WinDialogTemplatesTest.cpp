// The program's resources: every dialog template works from the keyboard
// (Tab order follows the layout, every input control is a tab stop,
// mnemonics are unique), the controls sit where the screens expect them, and
// the icons, menus and manifest are what the program needs.
#include "ui/resource.h"
#include "ui/wingui/Dialog.h"

#include "ui/wingui/WinguiTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

namespace {

struct TemplateCase {
    int id;
    bool child; // made inside a host window: pages and embedded editors
    int width;  // dialog units
    int height;
};

const TemplateCase templates[] = {
    {IDD_ABOUTBOX, false, 289, 135},          {IDD_VANTREL_DIALOG, false, 236, 176},
    {IDD_PROFILE_NAME, false, 181, 50},       {IDD_SETTINGS_HOTKEYS, true, 415, 210},
    {IDD_HOTKEY_ACTION, false, 241, 127},     {IDD_SETTINGS_APPLICATIONS, true, 415, 210},
    {IDD_APPLICATION_ACTION, false, 241, 127}, {IDD_USER_ACTION, true, 230, 68},
    {IDD_UA_ADJUST_BRIGHTNESS, true, 124, 46}, {IDD_SETTINGS_GENERAL, true, 415, 210},
    {IDD_UA_SET_PROFILE, true, 189, 39},
};

std::wstring className(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring windowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

LONG_PTR styleOf(HWND window)
{
    return GetWindowLongPtrW(window, GWL_STYLE);
}

std::vector<HWND> controls(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

bool takesInput(HWND control)
{
    const std::wstring name = className(control);
    if (_wcsicmp(name.c_str(), L"Button") == 0)
        return (styleOf(control) & BS_TYPEMASK) != BS_GROUPBOX;
    for (const wchar_t* input : {L"ComboBox", L"Edit", TRACKBAR_CLASSW, WC_LISTVIEWW, HOTKEY_CLASSW}) {
        if (_wcsicmp(name.c_str(), input) == 0)
            return true;
    }
    return false;
}

bool isTabStop(HWND control)
{
    const LONG_PTR style = styleOf(control);
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// Pixels of a rectangle given in dialog units. The system converts a
// control's position and size each on its own, so the right edge is the
// converted left plus the converted width.
RECT inDialogUnits(HWND dialog, int x, int y, int width, int height)
{
    RECT converted{x, y, width, height};
    MapDialogRect(dialog, &converted);
    return {converted.left, converted.top, converted.left + converted.right, converted.top + converted.bottom};
}

class DialogTemplates : public ::testing::TestWithParam<TemplateCase> {
protected:
    // Large enough for the biggest child template.
    wingui_test::PlainWindow host{900, 700};
    wingui::Dialog dialog{GetParam().id};

    void SetUp() override { ASSERT_TRUE(dialog.createModeless(GetParam().child ? host.window : nullptr)); }
};

} // namespace

TEST_P(DialogTemplates, HasItsSize)
{
    RECT client{};
    GetClientRect(dialog.hwnd(), &client);
    const RECT expected = inDialogUnits(dialog.hwnd(), 0, 0, GetParam().width, GetParam().height);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
}

TEST_P(DialogTemplates, EveryInputControlIsATabStop)
{
    for (HWND control : controls(dialog.hwnd())) {
        if ((styleOf(control) & WS_VISIBLE) && takesInput(control)) {
            EXPECT_TRUE(styleOf(control) & WS_TABSTOP) << "control " << GetDlgCtrlID(control);
        }
    }
}

// Tab visits the controls in reading order: each tab stop is either on a
// later row than the one before, or on the same row further right.
TEST_P(DialogTemplates, TabOrderFollowsTheLayout)
{
    const LONG sameRow = inDialogUnits(dialog.hwnd(), 0, 0, 0, 5).bottom;
    std::vector<HWND> stops;
    for (HWND control : controls(dialog.hwnd())) {
        if (isTabStop(control))
            stops.push_back(control);
    }
    for (size_t index = 1; index < stops.size(); ++index) {
        RECT before{};
        RECT after{};
        GetWindowRect(stops[index - 1], &before);
        GetWindowRect(stops[index], &after);
        const bool laterRow = after.top >= before.top + sameRow;
        const bool sameRowFurtherRight = std::abs(after.top - before.top) < sameRow && after.left > before.left;
        EXPECT_TRUE(laterRow || sameRowFurtherRight)
            << "control " << GetDlgCtrlID(stops[index]) << " comes after " << GetDlgCtrlID(stops[index - 1]);
    }
}

TEST_P(DialogTemplates, MnemonicsAreUnique)
{
    std::multiset<wchar_t> mnemonics;
    for (HWND control : controls(dialog.hwnd())) {
        if (className(control) == L"Static" && (styleOf(control) & SS_NOPREFIX))
            continue;
        const std::wstring text = windowText(control);
        for (size_t at = text.find(L'&'); at != std::wstring::npos && at + 1 < text.size();
             at = text.find(L'&', at + 2)) {
            if (text[at + 1] != L'&')
                mnemonics.insert(static_cast<wchar_t>(std::towlower(text[at + 1])));
        }
    }
    for (wchar_t letter : mnemonics)
        EXPECT_EQ(mnemonics.count(letter), 1u) << "mnemonic " << static_cast<char>(letter);
}

INSTANTIATE_TEST_SUITE_P(AllTemplates, DialogTemplates, ::testing::ValuesIn(templates),
                         [](const ::testing::TestParamInfo<TemplateCase>& info) {
                             return "Template" + std::to_string(info.param.id);
                         });

TEST(DialogTemplateControls, SitWhereTheScreensPlaceThem)
{
    const struct {
        int templateId;
        int controlId;
        int x, y, width, height;
    } placed[] = {
        {IDD_PROFILE_NAME, IDC_PROFILE_NAME, 7, 7, 166, 12},
        {IDD_PROFILE_NAME, IDOK, 70, 29, 50, 14},
        {IDD_PROFILE_NAME, IDCANCEL, 124, 29, 50, 14},
        {IDD_ABOUTBOX, IDOK, 220, 7, 61, 15},
        {IDD_ABOUTBOX, IDC_PRODUCT_NAME, 45, 7, 170, 8},
        {IDD_ABOUTBOX, IDC_VERSION, 45, 18, 160, 9},
        {IDD_ABOUTBOX, IDC_WEBSITE_LINK, 91, 31, 82, 9},
        {IDD_ABOUTBOX, IDC_CONTACT_LINK, 46, 59, 239, 8},
        {IDD_ABOUTBOX, IDC_DOWNLOAD_LINK, 46, 73, 235, 8},
        {IDD_ABOUTBOX, IDC_ABOUT_TEXT, 16, 97, 266, 31},
        {IDD_SETTINGS_GENERAL, IDC_AUTORUN_CHECK, 7, 38, 207, 12},
        {IDD_SETTINGS_GENERAL, IDC_TRANSLATE_LINK, 209, 9, 116, 11},
        {IDD_SETTINGS_GENERAL, IDC_TRAY_PROFILES_CHECK, 7, 57, 372, 12},
        {IDD_SETTINGS_HOTKEYS, IDC_ENABLE_CHECK, 7, 7, 401, 8},
        {IDD_SETTINGS_HOTKEYS, IDC_PAGE_DESCRIPTION, 14, 19, 394, 8},
        {IDD_SETTINGS_HOTKEYS, IDC_HOTKEY_LIST, 7, 51, 401, 125},
        {IDD_SETTINGS_HOTKEYS, IDC_ADD, 223, 187, 59, 16},
        {IDD_SETTINGS_HOTKEYS, IDC_REMOVE, 286, 187, 59, 16},
        {IDD_SETTINGS_HOTKEYS, IDC_EDIT, 349, 187, 59, 16},
        {IDD_SETTINGS_APPLICATIONS, IDC_RULE_LIST, 7, 51, 401, 125},
        {IDD_HOTKEY_ACTION, IDC_HOTKEY_CAPTION, 7, 9, 78, 13},
        {IDD_HOTKEY_ACTION, IDC_HOTKEY, 87, 7, 132, 17},
        {IDD_HOTKEY_ACTION, IDC_ACTION_PLACE, 7, 28, 228, 73},
        {IDD_HOTKEY_ACTION, IDOK, 131, 106, 50, 14},
        {IDD_HOTKEY_ACTION, IDCANCEL, 185, 106, 50, 14},
        {IDD_APPLICATION_ACTION, IDC_APPLICATION_CAPTION, 7, 9, 45, 13},
        {IDD_APPLICATION_ACTION, IDC_ACTION_PLACE, 7, 28, 228, 73},
        {IDD_APPLICATION_ACTION, IDC_BROWSE, 184, 6, 50, 14},
        {IDD_APPLICATION_ACTION, IDC_APPLICATION_NAME, 76, 9, 103, 10},
        {IDD_USER_ACTION, IDC_ACTION_GROUP, 0, 2, 225, 66},
        {IDD_UA_ADJUST_BRIGHTNESS, IDC_BRIGHTNESS_STEP_CHECK, 7, 6, 70, 13},
        {IDD_UA_ADJUST_BRIGHTNESS, IDC_BRIGHTNESS_STEP, 89, 7, 17, 13},
        {IDD_UA_ADJUST_BRIGHTNESS, IDC_CONTRAST_STEP_CHECK, 7, 25, 70, 13},
        {IDD_UA_ADJUST_BRIGHTNESS, IDC_CONTRAST_STEP, 89, 25, 17, 13},
        {IDD_UA_SET_PROFILE, IDC_SET_PROFILE_CAPTION, 7, 7, 107, 9},
    };
    // Large enough for the biggest child template.
    wingui_test::PlainWindow host{900, 700};
    for (const auto& control : placed) {
        const bool child = control.templateId != IDD_PROFILE_NAME && control.templateId != IDD_ABOUTBOX &&
                           control.templateId != IDD_HOTKEY_ACTION && control.templateId != IDD_APPLICATION_ACTION;
        wingui::Dialog dialog(control.templateId);
        ASSERT_TRUE(dialog.createModeless(child ? host.window : nullptr)) << control.templateId;
        HWND item = GetDlgItem(dialog.hwnd(), control.controlId);
        ASSERT_NE(item, nullptr) << control.templateId << "/" << control.controlId;
        RECT actual{};
        GetWindowRect(item, &actual);
        MapWindowPoints(nullptr, dialog.hwnd(), reinterpret_cast<POINT*>(&actual), 2);
        const RECT expected = inDialogUnits(dialog.hwnd(), control.x, control.y, control.width, control.height);
        EXPECT_EQ(actual.left, expected.left) << control.templateId << "/" << control.controlId;
        EXPECT_EQ(actual.top, expected.top) << control.templateId << "/" << control.controlId;
        EXPECT_EQ(actual.right, expected.right) << control.templateId << "/" << control.controlId;
        EXPECT_EQ(actual.bottom, expected.bottom) << control.templateId << "/" << control.controlId;
    }
}

TEST(ProgramResources, IconsHoldTheirOwn16And32And48PixelImages)
{
    for (int iconId : {IDR_MAINFRAME, IDI_DEFAULT_APPLICATION}) {
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(iconId), MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
        ASSERT_NE(found, nullptr) << iconId;
        const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
        ASSERT_NE(group, nullptr);
        // A group header of three words, then 14-byte entries: width, height,
        // colours, reserved, planes (word), bits per pixel (word), ...
        const WORD count = *reinterpret_cast<const WORD*>(group + 4);
        std::set<int> sizes;
        for (WORD entry = 0; entry < count; ++entry) {
            const BYTE* image = group + 6 + 14 * entry;
            EXPECT_EQ(image[0], image[1]);
            EXPECT_EQ(*reinterpret_cast<const WORD*>(image + 6), 32) << "32-bit colour with alpha";
            sizes.insert(image[0]);
        }
        EXPECT_EQ(sizes, (std::set<int>{16, 32, 48})) << iconId;
    }
}

TEST(ProgramResources, TrayMenuHasItsCommandsAndTheFeedbackSubmenuAtPosition4)
{
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU tray = GetSubMenu(menu, 0);
    ASSERT_NE(tray, nullptr);
    HMENU feedback = GetSubMenu(tray, 4);
    ASSERT_NE(feedback, nullptr);
    EXPECT_EQ(GetMenuItemID(feedback, 0), static_cast<UINT>(ID_VISIT_FORUM));
    EXPECT_EQ(GetMenuItemID(feedback, 1), static_cast<UINT>(ID_FEATURE_REQUEST));
    for (UINT command : {ID_SHOW_MAIN_WINDOW, ID_LOAD_ON_STARTUP, ID_APP_ABOUT, ID_APP_EXIT})
        EXPECT_NE(GetMenuState(tray, command, MF_BYCOMMAND), static_cast<UINT>(-1)) << command;
    DestroyMenu(menu);

    HMENU browse = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_BROWSE_APPS_MENU));
    ASSERT_NE(browse, nullptr);
    HMENU running = GetSubMenu(GetSubMenu(browse, 0), 0);
    ASSERT_NE(running, nullptr);
    EXPECT_EQ(GetMenuItemID(running, 0), static_cast<UINT>(ID_RUNNING_APPLICATION_FIRST));
    DestroyMenu(browse);
}

// The manifest's effects on the running process: version 6 of the common
// controls, and per-monitor DPI awareness.
TEST(ProgramResources, ManifestSelectsCommonControls6AndPerMonitorDpiAwareness)
{
    // Version 6 lives in its side-by-side assembly; without the manifest's
    // dependency the system folder's version 5 is loaded instead.
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH), 0u);
    std::wstring loaded(path);
    std::transform(loaded.begin(), loaded.end(), loaded.begin(), [](wchar_t c) { return std::towlower(c); });
    EXPECT_NE(loaded.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0."), std::wstring::npos)
        << "comctl32 loaded from " << std::string(loaded.begin(), loaded.end());

    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
}
