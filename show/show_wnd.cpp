#include "show/show_wnd.h"

#include "app/random.h"
#include "app/saver_settings.h"
#include "framework/dc.h"
#include "framework/gdi_object.h"
#include "framework/win_app.h"
#include "framework/wnd_class.h"
#include "picture/display.h"
#include "res/resource.h"
#include "show/folder_scan.h"
#include "show/timer_period.h"

#include <string>

namespace {
constexpr UINT_PTR ShowTimer = 1;
static_assert(LongestTimerPeriod == USER_TIMER_MAXIMUM);

int32_t Width(const RECT& rect) {
    return rect.right - rect.left;
}
int32_t Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

// A scattered offset: 0 for a draw of 0, the whole free space for RandomMax.
int32_t ScatteredOffset(int32_t draw, int32_t freeSpace) {
    return static_cast<int32_t>(int64_t{draw} * freeSpace / RandomMax);
}
} // namespace

const MessageMapEntry ShowWnd::messageEntries[] = {
    OnMessage<&ShowWnd::OnCreate>(WM_CREATE),
    OnMessage<&ShowWnd::OnPaint>(WM_PAINT),
    OnMessage<&ShowWnd::OnTimer>(WM_TIMER),
    OnMessage<&ShowWnd::LoadNext>(WM_LOADNEXT),
};
const MessageMap ShowWnd::messageMap{&CWnd::messageMap, ShowWnd::messageEntries};

ShowWnd::ShowWnd(BOOL autoDelete) : autoDelete(autoDelete) {}

// The members go in reverse order: the list is emptied, then the picture freed.
ShowWnd::~ShowWnd() = default;

BOOL ShowWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT, void*) {
    static std::string className;
    if (className.empty()) {
        // The class cursor is transparent: no pointer over either variant.
        HCURSOR cursor = ::LoadCursorA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDC_TRANSPARENT));
        className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, cursor);
    }
    return CreateEx(exStyle, className.c_str(), "", style, rect.left, rect.top, Width(rect),
                    Height(rect), parent != nullptr ? parent->m_hWnd : nullptr, nullptr);
}

void ShowWnd::PostNcDestroy() {
    if (autoDelete) {
        delete this;
    }
}

// The show starts: timer, scan, order, the first picture loaded and drawn.
int ShowWnd::OnCreate(CREATESTRUCTA*) {
    if (Default() == -1) {
        return -1;
    }
    ::SetTimer(m_hWnd, ShowTimer, TimerPeriod(SaverSettings.Delay), nullptr);
    ScanFolder(SaverSettings.Path, pictures);
    pictures.Sort(SaverSettings.Random != 0 ? PictureList::Shuffled : PictureList::ByName);
    LoadNext();
    OnPaint();
    return 0;
}

// A repaint shows the current picture alone on black, and moves the show on.
void ShowWnd::OnPaint() {
    CPaintDC dc(this);
    SelectDisplayPalette(dc);
    FillBlack(dc);
    ShowPicture(dc);
}

void ShowWnd::OnTimer(UINT_PTR id) {
    if (id != ShowTimer) {
        Default();
        return;
    }
    CClientDC dc(this);
    ShowPicture(dc);
}

// Decodes the next file of the order (wrapping to the first) into the picture,
// fitted into the client area, or into half of it for small pictures.
void ShowWnd::LoadNext() {
    PictureEntry* entry = pictures.Next();
    if (entry == nullptr) {
        entry = pictures.First();
    }
    if (entry == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(&client);
    int32_t maxWidth = Width(client);
    int32_t maxHeight = Height(client);
    if (SaverSettings.Size != 0) {
        maxWidth /= 2;
        maxHeight /= 2;
    }
    picture.Load(entry->name.c_str(), maxWidth, maxHeight);
}

// A picture that failed or is not there yet leaves the window untouched.
void ShowWnd::ShowPicture(CDC& dc) {
    if (picture.loaded == 1 && picture.failed == 0) {
        SelectDisplayPalette(dc);
        if (SaverSettings.Overlap == 0) {
            FillBlack(dc);
        }
        RECT client;
        GetClientRect(&client);
        const int32_t freeWidth = Width(client) - picture.width;
        const int32_t freeHeight = Height(client) - picture.height;
        int32_t x;
        int32_t y;
        if (SaverSettings.Position != 0) {
            x = freeWidth / 2;
            y = freeHeight / 2;
        } else {
            x = ScatteredOffset(NextRandom(), freeWidth);
            y = ScatteredOffset(NextRandom(), freeHeight);
        }
        picture.Draw(dc, x, y);
    }
    PostMessage(WM_LOADNEXT);
}

// On an 8-bit display the program's colour cube must be realised before drawing.
// The device context is released right after the draw, so the selection is not
// undone.
void ShowWnd::SelectDisplayPalette(CDC& dc) {
    if (PaletteDisplay) {
        ::SelectPalette(dc.GetSafeHdc(), DisplayPalette.Handle(), TRUE);
        ::RealizePalette(dc.GetSafeHdc());
    }
}

void ShowWnd::FillBlack(CDC& dc) {
    RECT client;
    GetClientRect(&client);
    const CBrush black(RGB(0, 0, 0));
    ::FillRect(dc.GetSafeHdc(), &client, black.Handle());
}
