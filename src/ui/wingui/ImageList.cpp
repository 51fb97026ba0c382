#include "ui/wingui/ImageList.h"

// GDI+ needs the COM property types that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace wingui {

namespace {

// Straight (not premultiplied) BGRA pixels, top row first, as image lists of
// 32-bit colour take them.
using Pixels = std::vector<std::uint32_t>;

// A GDI bitmap, deleted with the object.
class Bitmap {
public:
    explicit Bitmap(HBITMAP owned) : bitmap(owned) {}
    ~Bitmap()
    {
        if (bitmap)
            DeleteObject(bitmap);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    HBITMAP handle() const { return bitmap; }

private:
    HBITMAP bitmap;
};

// The PNG file's image scaled to size × size, or fully transparent pixels
// when the file cannot be read.
Pixels decodePng(const std::wstring& path, int size)
{
    Pixels pixels(static_cast<size_t>(size) * size, 0);
    Gdiplus::Bitmap source(path.c_str());
    if (source.GetLastStatus() != Gdiplus::Ok || source.GetWidth() == 0 || source.GetHeight() == 0)
        return pixels;
    Gdiplus::Bitmap scaled(size, size, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics canvas(&scaled);
        canvas.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        canvas.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        canvas.Clear(Gdiplus::Color(0, 0, 0, 0));
        canvas.DrawImage(&source, 0, 0, size, size);
    }
    Gdiplus::Rect area(0, 0, size, size);
    Gdiplus::BitmapData data{};
    if (scaled.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return pixels;
    for (int row = 0; row < size; ++row)
        std::memcpy(&pixels[static_cast<size_t>(row) * size], static_cast<const BYTE*>(data.Scan0) + row * data.Stride,
                    static_cast<size_t>(size) * sizeof(std::uint32_t));
    scaled.UnlockBits(&data);
    return pixels;
}

HBITMAP colourBitmap(const Pixels& pixels, int size)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap)
        std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    return bitmap;
}

// Set bits mark the transparent pixels; rows are padded to 16 bits.
HBITMAP maskBitmap(const Pixels& pixels, int size)
{
    const int rowBytes = (size + 15) / 16 * 2;
    std::vector<BYTE> bits(static_cast<size_t>(rowBytes) * size, 0);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            if ((pixels[static_cast<size_t>(row) * size + column] >> 24) == 0)
                bits[static_cast<size_t>(row) * rowBytes + column / 8] |= static_cast<BYTE>(0x80 >> (column % 8));
        }
    }
    return CreateBitmap(size, size, 1, 1, bits.data());
}

// Grey by the pixel's luminance, at 40 % of its opacity.
void greyOut(Pixels& pixels)
{
    for (std::uint32_t& pixel : pixels) {
        const std::uint32_t red = (pixel >> 16) & 0xFF;
        const std::uint32_t green = (pixel >> 8) & 0xFF;
        const std::uint32_t blue = pixel & 0xFF;
        const std::uint32_t alpha = (pixel >> 24) * 2 / 5;
        const std::uint32_t grey = (red * 299 + green * 587 + blue * 114) / 1000;
        pixel = (alpha << 24) | (grey << 16) | (grey << 8) | grey;
    }
}

} // namespace

ImageList::ImageList(int size)
    : size(size), images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 8, 4))
{
}

ImageList::~ImageList()
{
    if (images)
        ImageList_Destroy(images);
}

int ImageList::count() const
{
    return ImageList_GetImageCount(images);
}

int ImageList::addPngFile(const std::wstring& path, bool greyed)
{
    Pixels pixels = decodePng(path, size);
    if (greyed)
        greyOut(pixels);
    Bitmap colour(colourBitmap(pixels, size));
    Bitmap mask(maskBitmap(pixels, size));
    if (!colour.handle() || !mask.handle())
        return -1;
    return ImageList_Add(images, colour.handle(), mask.handle());
}

int ImageList::addIcon(HICON icon)
{
    return ImageList_AddIcon(images, icon);
}

} // namespace wingui
