#include "display/picture_draw.h"

#include "display/display.h"
#include "display/dither.h"
#include "framework/dc.h"
#include "picture/picture.h"

#include <cstddef>

static_assert(sizeof(BitmapInfo) == sizeof(BITMAPINFO), "BitmapInfo mirrors BITMAPINFO");
static_assert(offsetof(BitmapInfoHeader, biHeight) == offsetof(BITMAPINFOHEADER, biHeight) &&
                  offsetof(BitmapInfoHeader, biBitCount) ==
                      offsetof(BITMAPINFOHEADER, biBitCount) &&
                  offsetof(BitmapInfoHeader, biClrImportant) ==
                      offsetof(BITMAPINFOHEADER, biClrImportant),
              "BitmapInfoHeader mirrors BITMAPINFOHEADER");

// The result of the copy is not examined: a failed draw leaves the window as it was.
void DrawPicture(CDC& dc, Picture& picture, int32_t x, int32_t y, const Display& display) {
    if (!PrepareDraw(picture, display.format)) {
        return;
    }
    ::SetDIBitsToDevice(dc.GetSafeHdc(), x, y, static_cast<DWORD>(picture.Width()),
                        static_cast<DWORD>(picture.Height()), 0, 0, 0,
                        static_cast<UINT>(picture.Height()), picture.Pixels(),
                        reinterpret_cast<const BITMAPINFO*>(picture.Header()), DIB_RGB_COLORS);
}
