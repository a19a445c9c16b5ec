// Picture::Draw: the picture's pixels onto a device context, at their own size.
#include "picture/picture.h"

#include "framework/dc.h"

#include <cstddef>

static_assert(sizeof(BitmapInfo) == sizeof(BITMAPINFO), "BitmapInfo mirrors BITMAPINFO");
static_assert(offsetof(BitmapInfoHeader, biHeight) == offsetof(BITMAPINFOHEADER, biHeight) &&
                  offsetof(BitmapInfoHeader, biBitCount) ==
                      offsetof(BITMAPINFOHEADER, biBitCount) &&
                  offsetof(BitmapInfoHeader, biClrImportant) ==
                      offsetof(BITMAPINFOHEADER, biClrImportant),
              "BitmapInfoHeader mirrors BITMAPINFOHEADER");

// The caller has selected and realised DisplayPalette on palette displays. The
// result of the copy is not examined: a failed draw leaves the window as it was.
void Picture::Draw(CDC& dc, int32_t x, int32_t y) {
    if (!PrepareDraw()) {
        return;
    }
    ::SetDIBitsToDevice(dc.GetSafeHdc(), x, y, static_cast<DWORD>(width),
                        static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height),
                        pixels.get(), reinterpret_cast<const BITMAPINFO*>(header.get()),
                        DIB_RGB_COLORS);
}
