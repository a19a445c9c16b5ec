#include "show/show_wnd.h"

#include "decode/picture_shape.h"
#include "decode/platform_decoder.h"
#include "display/display.h"
#include "display/monitor_profile.h"
#include "framework/dc.h"
#include "framework/rect_size.h"
#include "framework/win_app.h"
#include "framework/wnd_class.h"
#include "library/folder_scan.h"
#include "library/folder_walk.h"
#include "res/resource.h"
#include "show/display_frame_waiter.h"
#include "show/timer_period.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>

namespace {
constexpr UINT_PTR ShowTimer = 1;
// The frames of a fade: 16 make half a second.
constexpr UINT_PTR FadeTimer = 2;
constexpr UINT FadeFramePeriod = 31;
// What the show drew is kept once a minute, so that a power cut loses little.
constexpr UINT_PTR KeepTimer = 3;
constexpr UINT KeepPeriod = 60 * 1000;
static_assert(LongestTimerPeriod == USER_TIMER_MAXIMUM);

PictureList::Order PlayingOrder(const Settings& settings) {
    return settings.Random != 0 ? PictureList::Shuffled : PictureList::ByName;
}
} // namespace

const MessageMapEntry ShowWnd::messageEntries[] = {
    OnMessage<&ShowWnd::OnCreate>(WM_CREATE),
    OnMessage<&ShowWnd::OnPaint>(WM_PAINT),
    OnMessage<&ShowWnd::OnTimer>(WM_TIMER),
    OnMessage<&ShowWnd::LoadNext>(WM_LOADNEXT),
    OnMessage<&ShowWnd::OnWorkDone>(WM_WORKDONE),
    OnMessage<&ShowWnd::OnMotionFrame>(WM_MOTIONFRAME),
};
const MessageMap ShowWnd::messageMap{&CWnd::messageMap, ShowWnd::messageEntries};

ShowWnd::ShowWnd(BOOL autoDelete, const Settings& settings, const Display& display)
    : settings(settings), display(display), folder(ShowFolderPath(settings.Path)),
      order(PlayingOrder(settings)), autoDelete(autoDelete) {}

// The worker and the pacer go first: they are stopped before the rest of the
// window goes.
ShowWnd::~ShowWnd() {
    pacer.reset();
    StopWorker();
}

// A worker blocked in a file or folder call is not waited for: the program ends
// without it.
void ShowWnd::StopWorker() {
    if (worker && !worker->Stop()) {
        if (CWinApp* app = AfxGetApp()) {
            app->LeaveBlockedThreadBehind();
        }
    }
}

void ShowWnd::OnHandlerFailure() noexcept {
    StopWorker();
    CWnd::OnHandlerFailure();
}

// The class is registered on the first call; later calls find it by its name.
BOOL ShowWnd::Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent) {
    // The class cursor is transparent: no pointer over either variant.
    HCURSOR cursor = ::LoadCursorA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDC_TRANSPARENT));
    const std::string className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, cursor);
    return CreateEx(exStyle, className.c_str(), "", style, rect.left, rect.top, Width(rect),
                    Height(rect), parent != nullptr ? parent->m_hWnd : nullptr, nullptr);
}

bool ShowWnd::Busy() const {
    return (turns && turns->Loading()) || !order.WalkOver();
}

void ShowWnd::GoOnFrom(ShowMemory stored, MemoryKeeper& memoryKeeper) {
    memory = MemoryFor(std::move(stored), folder, settings.Subfolders != 0);
    keeper = &memoryKeeper;
}

void ShowWnd::KeepMemory() {
    if (keeper != nullptr && memoryChanged) {
        keeper->Keep(memory);
        memoryChanged = false;
    }
}

void ShowWnd::Remember(const std::string& drawn, const std::string& partner) {
    if (keeper != nullptr) {
        memory.Drew(drawn, partner);
        memoryChanged = true;
    }
}

UINT ShowWnd::CaptionDpi(const RECT& area) const {
    if (!captionsAllowed || settings.Captions == 0) {
        return 0;
    }
    return MonitorDpi(OnScreen(area));
}

ColourProfile ShowWnd::MonitorColours(const RECT& area) const {
    return MonitorColourProfile(OnScreen(area));
}

RECT ShowWnd::OnScreen(const RECT& area) const {
    RECT onScreen = area;
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&onScreen), 2);
    return onScreen;
}

void ShowWnd::PostNcDestroy() {
    if (autoDelete) {
        delete this;
    }
}

// The show starts: the timer, and the worker, which walks the folder. Each
// stage's first picture is asked for as soon as the walk has found it. A show
// without its timer would never move on: it is not created, and so ends.
int ShowWnd::OnCreate(CREATESTRUCTA*) {
    if (Default() == -1 ||
        ::SetTimer(m_hWnd, ShowTimer, TimerPeriod(settings.Delay), nullptr) == 0) {
        return -1;
    }
    // The preview's one stage shows the primary monitor's colours.
    const bool preview = stageAreas.empty();
    if (preview) {
        RECT client;
        GetClientRect(&client);
        stageAreas.push_back(client);
    }
    stages.reserve(stageAreas.size());
    for (const RECT& area : stageAreas) {
        stages.emplace_back(area, settings, display, fadeAllowed, CaptionDpi(area), Moving());
        stageColours.push_back(preview ? PrimaryMonitorColourProfile() : MonitorColours(area));
    }
    turns.emplace(stages.size());
    if (keeper != nullptr) {
        // The creation's draw takes one picture a stage, which is never seen.
        order.GoOnFrom(memory, stages.size());
        ::SetTimer(m_hWnd, KeepTimer, KeepPeriod, nullptr); // without it, kept at the end only
    }
    const FolderWalk walk(settings.Subfolders != 0, PlayingOrder(settings), ::GetTickCount());
    const HWND hwnd = m_hWnd;
    worker = std::make_unique<ShowWorker>(
        walk,
        // The formats the system decodes are asked for at the first listing,
        // on the worker's thread.
        [root = folder, names = std::optional<PictureNames>()](
            const std::string& relative, const std::atomic_bool& stop) mutable {
            if (!names) {
                names.emplace(PlatformPictureExtensions());
            }
            return ListFolder(root, relative, *names, stop);
        },
        ShowPictureLoader(),
        [root = folder](const std::string& name, const std::atomic_bool& stop) {
            return ReadPictureShape(PicturePath(root, name).c_str(), &stop);
        },
        [hwnd] { ::PostMessageA(hwnd, WM_WORKDONE, 0, 0); });
    StartPacer();
    return 0;
}

bool ShowWnd::Moving() const {
    return settings.Motion != 0 && display.format.trueColour;
}

// The frames come at the refresh rate of the monitor the window starts on.
void ShowWnd::StartPacer() {
    if (!Moving()) {
        return;
    }
    const HWND hwnd = m_hWnd;
    const int refresh = MonitorRefreshRate(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY));
    std::unique_ptr<FrameWaiter> waiter = MakeDisplayFrameWaiter(refresh);
    if (!waiter) {
        return; // no timer to be had: the pictures stand still
    }
    pacer = std::make_unique<FramePacer>(std::move(waiter),
                                         [hwnd] { ::PostMessageA(hwnd, WM_MOTIONFRAME, 0, 0); });
    pacer->SetActive(true);
}

// A repaint shows the current pictures alone on black, at once, and moves the
// show on; a fade under way ends there, its picture shown whole until the next
// one has come.
void ShowWnd::OnPaint() {
    CPaintDC dc(this);
    display.SelectPalette(dc);
    RECT client;
    GetClientRect(&client);
    dc.FillSolidRect(client, RGB(0, 0, 0));
    for (std::size_t index = 0; index < stages.size(); ++index) {
        stages[index].Repainted(dc);
        if (turns->Paused()) {
            turns->Again(index); // paused, a repaint shows the same pictures
        }
        ShowPicture(dc, index, false);
    }
}

void ShowWnd::OnTimer(UINT_PTR id) {
    if (id == FadeTimer) {
        NextFadeFrames();
        return;
    }
    if (id == KeepTimer) {
        KeepMemory();
        return;
    }
    if (id != ShowTimer) {
        Default();
        return;
    }
    if (!turns->Paused()) {
        ShowEveryStage();
    }
}

void ShowWnd::LoadNext(UINT_PTR stage) {
    turns->Queue(stage);
    AskWorker();
}

// What the worker finished: the folders it walked join the order, and a
// picture goes to its stage, which draws it at once if a draw waits for it.
void ShowWnd::OnWorkDone() {
    FinishedWork work = worker->Take();
    for (const std::unique_ptr<PictureList>& pictures : work.folders) {
        order.Add(*pictures);
    }
    if (work.walkOver) {
        order.EndWalk();
    }
    for (PictureShape& shape : work.shapes) {
        partners.Read(shape.name, shape.size);
    }
    if (work.picture) {
        TakePicture(static_cast<std::size_t>(work.stage), std::move(*work.picture),
                    std::move(work.partner));
    }
    AskWorker();
    ReadShapesAhead();
}

// One frame of every stage's moving pictures; the next comes once this one is
// drawn, so that frames never pile up behind a slow one.
void ShowWnd::OnMotionFrame() {
    CClientDC dc(this);
    display.SelectPalette(dc);
    const std::chrono::milliseconds now = clock.Now();
    for (Stage& stage : stages) {
        stage.NextMotionFrame(dc, now);
    }
    if (pacer) {
        pacer->FrameTaken();
    }
}

void ShowWnd::TakePicture(std::size_t index, Picture picture, std::optional<Picture> partner) {
    Stage& stage = stages[index];
    stage.Hold(std::move(picture), std::move(askedScreen.name),
               partner ? std::move(*partner) : Picture(), std::move(askedScreen.partner));
    switch (turns->Arrived(index)) {
    case StageTurns::Arrival::Keep:
        break;
    case StageTurns::Arrival::DrawUnseen:
        stage.ShowUnseen();
        DrawnAt(index, stage.HoldsDrawable());
        break;
    case StageTurns::Arrival::Draw: {
        CClientDC dc(this);
        ShowPicture(dc, index, true);
        break;
    }
    }
}

// The next file of the order (wrapping to the first), reduced or fitted into the
// stage or, for small pictures, into half of it. Stages with nothing to show once the
// walk has found nothing wait no more: their draws find nothing drawable.
void ShowWnd::AskWorker() {
    const std::optional<std::size_t> stage = turns->Turn();
    if (!stage) {
        return;
    }
    ScreenNames screen; // relative to the show's folder
    if (const ScreenNames* before = turns->Wanted()) {
        screen = *before;
    } else if (const PictureEntry* entry = order.Next()) {
        screen = ScreenFor(*stage, entry->name);
    } else {
        if (order.None()) {
            turns->NothingToAsk();
        }
        return;
    }
    turns->Asked(screen);
    LoadRequest request = RequestFor(*stage, screen);
    askedScreen = std::move(screen);
    request.target = stageColours[*stage];
    worker->Load(std::move(request));
    ReadShapesAhead();
}

Pairing ShowWnd::PairingIn(const RECT& area) const {
    return settings.Pairs != 0 ? PairingOf(Width(area), Height(area)) : Pairing::None;
}

ScreenNames ShowWnd::ScreenFor(std::size_t stage, std::string name) {
    if (settings.Pairs == 0) {
        return ScreenNames{std::move(name), {}};
    }
    return partners.Choose(PairingIn(stages[stage].Area()), std::move(name), order);
}

// A pair shares the picture box: each picture gets its half, less the gap.
LoadRequest ShowWnd::RequestFor(std::size_t stage, const ScreenNames& screen) const {
    const RECT& area = stages[stage].Area();
    PictureSize box{Width(area), Height(area)};
    if (settings.Size != 0) {
        box.width /= 2;
        box.height /= 2;
    }
    std::string partnerPath;
    if (!screen.partner.empty()) {
        const Pairing pairing = PairingIn(area);
        box = HalfBox(pairing, box, PairGap(pairing, Width(area), Height(area)));
        partnerPath = PicturePath(folder, screen.partner);
    }
    return LoadRequest{static_cast<int>(stage),
                       PicturePath(folder, screen.name),
                       box.width,
                       box.height,
                       settings.Fit != 0 ? Picture::Sizing::Fit : Picture::Sizing::Reduce,
                       Moving(),
                       std::move(partnerPath)};
}

// The headers of the pictures the order hands out next, and of those their
// partners may be among, are read ahead on the worker.
void ShowWnd::ReadShapesAhead() {
    const bool pairing = std::any_of(stages.begin(), stages.end(), [this](const Stage& stage) {
        return PairingIn(stage.Area()) != Pairing::None;
    });
    if (pairing) {
        std::vector<std::string> names = partners.ToRead(order);
        if (!names.empty()) {
            worker->ReadShapes(std::move(names));
        }
    }
}

// A picture that failed leaves its stage untouched.
void ShowWnd::ShowPicture(CDC& dc, std::size_t index, bool softly) {
    if (!turns->DrawNow(index)) {
        AskWorker(); // a step may wish for a picture not asked for yet
        return;
    }
    Stage& stage = stages[index];
    const bool drawable = stage.HoldsDrawable();
    if (drawable && turns->NewToScreen(index)) {
        Remember(stage.HeldName(), stage.HeldPartnerName());
    }
    if (stage.Show(dc, softly, clock.Now())) {
        StartFadeTimer(dc, stage);
    }
    DrawnAt(index, drawable);
}

void ShowWnd::ShowEveryStage() {
    CClientDC dc(this);
    for (std::size_t stage = 0; stage < stages.size(); ++stage) {
        ShowPicture(dc, stage, true);
    }
}

void ShowWnd::StepForward() {
    for (std::size_t stage = 0; stage < stages.size(); ++stage) {
        turns->StepForward(stage);
    }
    ShowEveryStage();
    RestartTimer();
}

// A stage at the oldest picture it keeps stays as it is.
void ShowWnd::StepBack() {
    CClientDC dc(this);
    for (std::size_t stage = 0; stage < stages.size(); ++stage) {
        if (turns->StepBack(stage)) {
            ShowPicture(dc, stage, true);
        }
    }
    RestartTimer();
}

// The delay starts again when the show goes on.
void ShowWnd::TogglePause() {
    turns->TogglePause();
    if (turns->Paused()) {
        clock.Pause();
    } else {
        clock.Resume();
    }
    if (pacer) {
        pacer->SetActive(!turns->Paused());
    }
    RestartTimer();
}

void ShowWnd::RestartTimer() {
    ::SetTimer(m_hWnd, ShowTimer, TimerPeriod(settings.Delay), nullptr);
}

// Without its frames' timer a fade is the cut.
void ShowWnd::StartFadeTimer(CDC& dc, Stage& stage) {
    if (::SetTimer(m_hWnd, FadeTimer, FadeFramePeriod, nullptr) == 0) {
        stage.EndFade(dc);
        return;
    }
    stage.NextFadeFrame(dc);
}

// One frame of every fade under way; the timer stops with the last.
void ShowWnd::NextFadeFrames() {
    CClientDC dc(this);
    bool fading = false;
    for (Stage& stage : stages) {
        fading = stage.NextFadeFrame(dc) || fading;
    }
    if (!fading) {
        ::KillTimer(m_hWnd, FadeTimer);
    }
}

// The draw is done: the next picture is on its way from now on.
void ShowWnd::DrawnAt(std::size_t stage, bool shown) {
    turns->Drawn(stage, shown);
    PostMessage(WM_LOADNEXT, stage);
}
