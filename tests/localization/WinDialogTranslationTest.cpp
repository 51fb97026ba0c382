#include "localization/WinDialogTranslation.h"

#include "localization/TextListLocalization.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const TextListLocalization twoTexts({L"Anwendung", L"Gr\u00FC\u00DFe"});

// A hidden window with three labelled children, destroyed with the test.
class LabelledWindow {
public:
    LabelledWindow()
    {
        window = CreateWindowExW(0, L"STATIC", L"template title", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        for (const int id : {1053, 3, 2})
            CreateWindowExW(0, L"STATIC", L"template", WS_CHILD, 0, 0, 50, 10, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    }
    ~LabelledWindow() { DestroyWindow(window); }
    LabelledWindow(const LabelledWindow&) = delete;
    LabelledWindow& operator=(const LabelledWindow&) = delete;

    HWND get() const { return window; }
    std::wstring text(int id) const
    {
        wchar_t buffer[64] = {};
        GetDlgItemTextW(window, id, buffer, 64);
        return buffer;
    }
    std::wstring title() const
    {
        wchar_t buffer[64] = {};
        GetWindowTextW(window, buffer, 64);
        return buffer;
    }

private:
    HWND window;
};

TEST(WinDialogTranslation, SetsTheControlsAndTheTitle)
{
    LabelledWindow window;
    ASSERT_NE(window.get(), nullptr);
    const DialogTranslationEntry table[] = {{1053, 0, dialogTextColon}, {3, 1, 0}, {0, 1, 0}};
    applyDialogTranslation(window.get(), table, twoTexts);
    EXPECT_EQ(window.text(1053), L"Anwendung:");
    EXPECT_EQ(window.text(3), L"Gr\u00FC\u00DFe");
    EXPECT_EQ(window.text(2), L"template");
    EXPECT_EQ(window.title(), L"Gr\u00FC\u00DFe");
}

TEST(WinDialogTranslation, LeavesTheTitleWhenTheTableNamesNone)
{
    LabelledWindow window;
    ASSERT_NE(window.get(), nullptr);
    const DialogTranslationEntry table[] = {{2, 7, 0}, {0, 0, 0}};
    applyDialogTranslation(window.get(), table, twoTexts);
    EXPECT_EQ(window.text(2), L"");
    EXPECT_EQ(window.title(), L"template title");
}

// English, then a language whose words lack the access keys' letters, then
// English again: the keys the template gives come back.
TEST(WinDialogTranslation, AccessKeysSurviveARoundTripThroughAnotherLanguage)
{
    LabelledWindow window;
    ASSERT_NE(window.get(), nullptr);
    SetDlgItemTextW(window.get(), 1053, L"&Brightness:");
    SetDlgItemTextW(window.get(), 3, L"&Contrast:");
    const DialogTranslationEntry table[] = {{1053, 0, dialogTextColon}, {3, 1, dialogTextColon}, {0, 0, 0}};
    const TextListLocalization english({L"Brightness", L"Contrast"});
    const TextListLocalization german({L"Helligkeit", L"Kontrast"});
    WinDialogTranslator translator;

    translator.apply(window.get(), table, english);
    EXPECT_EQ(window.text(1053), L"&Brightness:");
    EXPECT_EQ(window.text(3), L"&Contrast:");
    translator.apply(window.get(), table, german);
    EXPECT_EQ(window.text(1053), L"Helligkeit:");
    EXPECT_EQ(window.text(3), L"Kontrast:");
    translator.apply(window.get(), table, english);
    EXPECT_EQ(window.text(1053), L"&Brightness:");
    EXPECT_EQ(window.text(3), L"&Contrast:");
}

} // namespace
