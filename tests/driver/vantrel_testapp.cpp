// A program of our own for the running-application tests, started by them
// with any command line, which it does not look at. It shows two titled
// windows, "Vantrel test window" and "Vantrel test window 2", keeps a titled
// window hidden ("Vantrel test helper"), and brings its first window to the
// front. A window that is sent WM_APP comes to the front itself (without a
// window manager only a program can bring its own window forward). It ends
// when its first window is closed, or after two minutes so that a failed
// test never leaves it behind.
#include <windows.h>

namespace {

constexpr UINT_PTR lifetimeTimer = 1;
constexpr UINT lifetimeMs = 120000;
const wchar_t className[] = L"VantrelTestApplication";

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_APP:
        SetForegroundWindow(window);
        return 0;
    case WM_TIMER:
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND makeWindow(HINSTANCE instance, const wchar_t* title, int left)
{
    return CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, left, 40, 320, 200, nullptr, nullptr, instance,
                           nullptr);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    if (!RegisterClassW(&windowClass))
        return 2;
    const HWND helper = CreateWindowExW(0, L"STATIC", L"Vantrel test helper", WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, instance, nullptr);
    const HWND second = makeWindow(instance, L"Vantrel test window 2", 380);
    const HWND first = makeWindow(instance, L"Vantrel test window", 40);
    if (!helper || !second || !first)
        return 3;
    // Showing a window activates it; the second one must not come to the
    // front before the first, or the tests would see it in front first.
    ShowWindow(second, SW_SHOWNOACTIVATE);
    ShowWindow(first, SW_SHOW);
    SetForegroundWindow(first);
    SetTimer(first, lifetimeTimer, lifetimeMs, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
