#include "e2e/WinScreenshot.h"

#include "e2e/WinProgramUnderTest.h"
#include "ui/wingui/GdiplusSession.h"
#include "ui/wingui/WindowDc.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <system_error>
#include <vector>

namespace {

bool pngEncoder(CLSID& encoder)
{
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0)
        return false;
    std::vector<BYTE> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

std::filesystem::path saveWindowScreenshot(HWND window, const wchar_t* name)
{
    // Painted afresh first: a change just made may still wait for its paint.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    RECT frame{};
    if (!GetWindowRect(window, &frame))
        return {};
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const GdiplusSession gdiplus;
    const wingui::WindowDc screen(nullptr);
    HDC memory = CreateCompatibleDC(screen.handle());
    HBITMAP canvas = CreateCompatibleBitmap(screen.handle(), width, height);
    HGDIOBJ previous = SelectObject(memory, canvas);
    BitBlt(memory, 0, 0, width, height, screen.handle(), frame.left, frame.top, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);

    const std::filesystem::path folder = std::filesystem::path(WinProgramUnderTest::testFolder()) / "screenshots";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::filesystem::path file = folder / name;
    bool saved = false;
    {
        Gdiplus::Bitmap image(canvas, nullptr);
        CLSID encoder{};
        saved = pngEncoder(encoder) && image.Save(file.c_str(), &encoder, nullptr) == Gdiplus::Ok;
    }
    DeleteObject(canvas);
    return saved ? file : std::filesystem::path();
}
