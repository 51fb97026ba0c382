#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace wingui {

// Owns an image list of square 32-bit images with alpha (and a mask, for
// the drawing paths that ignore alpha). Controls that show it do not own it:
// it must outlive them.
class ImageList {
public:
    // size: each image's width and height in pixels.
    explicit ImageList(int size);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    HIMAGELIST handle() const { return images; }
    int imageSize() const { return size; }
    int count() const;

    // Appends the PNG file's image scaled to the list's size and returns its
    // index. A file that is missing or cannot be decoded still takes its
    // slot, as an empty (fully transparent) image, so that the images after
    // it keep their indexes and a button without its image stays in its
    // place. Decoding uses GDI+: a GdiplusSession must be alive. Returns -1
    // only when the list itself refuses the image. Greyed, the image is
    // drawn in grey and faint, as a disabled button shows it.
    int addPngFile(const std::wstring& path, bool greyed = false);
    // Appends a copy of the icon; returns its index or -1.
    int addIcon(HICON icon);

private:
    int size;
    HIMAGELIST images;
};

} // namespace wingui
