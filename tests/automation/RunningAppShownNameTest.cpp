#include "automation/RunningAppShownName.h"

#include "automation/FakeWindowApi.h"
#include "automation/ProgramPathText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct NameCase {
    const char* what;
    std::vector<FakeWindow> windows;
    std::wstring programPath;
    std::wstring expected;
};

TEST(RunningAppShownName, TheMainWindowsTitleWithTheFileName)
{
    const std::vector<NameCase> cases = {
        {"a hidden titled window listed before the visible main window",
         {{1, L"Hidden helper", false}, {1, L"Report.txt - Editor", true}},
         L"C:\\Program Files\\Editor\\editor.exe",
         L"Report.txt - Editor (editor.exe)"},
        {"a titled window with an owner is never the main window",
         {{1, L"Find", true, true}, {1, L"", true}},
         L"C:\\Tools\\tool.exe",
         L"tool.exe"},
        {"a visible untitled window yields to a hidden titled one",
         {{1, L"", true}, {1, L"Tray helper", false}},
         L"C:\\Tools\\tray.exe",
         L"Tray helper (tray.exe)"},
        {"no window at all", {}, L"C:\\Windows\\System32\\svchost.exe", L"svchost.exe"},
        {"forward slashes only", {}, L"C:/Games/Runner/runner.exe", L"runner.exe"},
        {"no separator at all", {}, L"runner.exe", L"runner.exe"},
        {"among equals the enumeration order decides",
         {{1, L"First", true}, {1, L"Second", true}},
         L"C:\\a.exe",
         L"First (a.exe)"},
    };
    for (const NameCase& nameCase : cases) {
        SCOPED_TRACE(nameCase.what);
        FakeWindowApi windowApi;
        std::vector<WindowHandle> windows;
        for (const FakeWindow& window : nameCase.windows)
            windows.push_back(windowApi.add(window));
        EXPECT_EQ(runningAppShownName(windows, windowApi, nameCase.programPath), nameCase.expected);
    }
}

TEST(RunningAppShownName, StopsAtTheFirstTitleFound)
{
    FakeWindowApi windowApi;
    const std::vector<WindowHandle> windows = {windowApi.add({1, L"Main", true}), windowApi.add({1, L"Other", true}),
                                               windowApi.add({1, L"Third", true})};
    EXPECT_EQ(runningAppShownName(windows, windowApi, L"C:\\a.exe"), L"Main (a.exe)");
    EXPECT_EQ(windowApi.titlesRead, 1);
}

TEST(ProgramPathText, FileNameIsAfterTheLastBackslashElseTheLastSlash)
{
    EXPECT_EQ(ProgramPathText::fileName(L"C:\\Program Files\\App\\app.exe"), L"app.exe");
    EXPECT_EQ(ProgramPathText::fileName(L"C:/Games/run.exe"), L"run.exe");
    EXPECT_EQ(ProgramPathText::fileName(L"C:\\Mixed/sub\\x.exe"), L"x.exe");
    EXPECT_EQ(ProgramPathText::fileName(L"C:\\Mixed\\sub/x.exe"), L"sub/x.exe");
    EXPECT_EQ(ProgramPathText::fileName(L"app.exe"), L"app.exe");
    EXPECT_EQ(ProgramPathText::fileName(L"C:\\folder\\"), L"");
}

TEST(ProgramPathText, PathsDifferingInLetterCaseOnlyAreTheSame)
{
    EXPECT_TRUE(ProgramPathText::samePath(L"C:\\Program Files\\App\\App.exe", L"c:\\program files\\app\\APP.EXE"));
    EXPECT_FALSE(ProgramPathText::samePath(L"C:\\App\\app.exe", L"C:\\App\\app.ex"));
    EXPECT_FALSE(ProgramPathText::samePath(L"C:\\App\\app.exe", L"C:\\Ap\\app.exe"));
    EXPECT_TRUE(ProgramPathText::samePath(L"", L""));
}

} // namespace
