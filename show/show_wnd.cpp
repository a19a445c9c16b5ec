#include "show/show_wnd.h"

#include "common/random.h"
#include "framework/dc.h"
#include "framework/gdi_object.h"
#include "framework/win_app.h"
#include "framework/wnd_class.h"
#include "picture/display.h"
#include "picture/picture_draw.h"
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

ShowWnd::ShowWnd(BOOL autoDelete, const Settings& settings, const Display& display)
    : settings(settings), display(display), autoDelete(autoDelete) {}

// The members go in reverse order: the list is emptied, then the picture freed.
ShowWnd::~ShowWnd() = default;

// The class is registered on the first call; later calls find it by its name.
BOOL ShowWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent) {
    // The class cursor is transparent: no pointer over either variant.
    HCURSOR cursor = ::LoadCursorA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDC_TRANSPARENT));
    const std::string className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, cursor);
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
    ::SetTimer(m_hWnd, ShowTimer, TimerPeriod(settings.Delay), nullptr);
    ScanFolder(settings.Path, pictures);
    pictures.Sort(settings.Random != 0 ? PictureList::Shuffled : PictureList::ByName);
    LoadNext();
    OnPaint();
    return 0;
}

// A repaint shows the current picture alone on black, and moves the show on.
void ShowWnd::OnPaint() {
    CPaintDC dc(this);
    display.SelectPalette(dc);
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
// fitted into the stage, or into half of it for small pictures.
void ShowWnd::LoadNext() {
    PictureEntry* entry = pictures.Next();
    if (entry == nullptr) {
        entry = pictures.First();
    }
    if (entry == nullptr) {
        return;
    }
    const RECT area = Stage();
    int32_t maxWidth = Width(area);
    int32_t maxHeight = Height(area);
    if (settings.Size != 0) {
        maxWidth /= 2;
        maxHeight /= 2;
    }
    picture.Load(entry->name.c_str(), maxWidth, maxHeight);
}

// A picture that failed or is not there yet leaves the window untouched.
void ShowWnd::ShowPicture(CDC& dc) {
    if (picture.IsDrawable()) {
        display.SelectPalette(dc);
        if (settings.Overlap == 0) {
            FillBlack(dc);
        }
        const RECT area = Stage();
        const int32_t freeWidth = Width(area) - picture.Width();
        const int32_t freeHeight = Height(area) - picture.Height();
        int32_t x;
        int32_t y;
        if (settings.Position != 0) {
            x = freeWidth / 2;
            y = freeHeight / 2;
        } else {
            x = ScatteredOffset(NextRandom(), freeWidth);
            y = ScatteredOffset(NextRandom(), freeHeight);
        }
        DrawPicture(dc, picture, area.left + x, area.top + y, display);
    }
    PostMessage(WM_LOADNEXT);
}

void ShowWnd::FillBlack(CDC& dc) {
    RECT client;
    GetClientRect(&client);
    const CBrush black(RGB(0, 0, 0));
    ::FillRect(dc.GetSafeHdc(), &client, black.Handle());
}

RECT ShowWnd::Stage() const {
    if (stage) {
        return *stage;
    }
    RECT client;
    GetClientRect(&client);
    return client;
}
