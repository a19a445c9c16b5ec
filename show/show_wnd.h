// The window in which the show runs: a child of the host's preview window, or
// the full-screen variant that ends on any input.
#pragma once

#include "common/settings.h"
#include "framework/wnd.h"
#include "library/play_order.h"
#include "library/show_memory.h"
#include "picture/colour_profile.h"
#include "picture/picture.h"
#include "show/frame_pacer.h"
#include "show/full_screen_geometry.h"
#include "show/partner_search.h"
#include "show/screen_names.h"
#include "show/show_clock.h"
#include "show/show_worker.h"
#include "show/stage.h"
#include "show/stage_turns.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CDC;
class Display;

// Posted by the window to itself after each draw of a stage (wParam: which):
// ask for that stage's next picture.
constexpr UINT WM_LOADNEXT = WM_USER + 10;
// Posted by the show's worker thread when it has finished work to hand over.
constexpr UINT WM_WORKDONE = WM_USER + 11;
// Posted by the show's frame pacer when the display is due a frame of the
// moving pictures.
constexpr UINT WM_MOTIONFRAME = WM_USER + 12;

class ShowWnd : public CWnd {
public:
    // The show runs with its own copy of the settings and draws on the display,
    // which must outlive the window.
    ShowWnd(BOOL autoDelete, const Settings& settings, const Display& display);
    ~ShowWnd() override;

    // Creates the window; creation starts the show.
    virtual BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent);

    // Whether the show waits for its worker: the walk goes on, or a picture has
    // been asked for and not yet come.
    bool Busy() const;

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    void PostNcDestroy() override;
    // The show ends as at a key: the worker stops, or is left behind when it
    // is blocked, before the program ends.
    void OnHandlerFailure() noexcept override;
    static const MessageMap messageMap;

    // Where pictures are boxed and placed, in client coordinates; the whole
    // client area when none are given before the window is created.
    std::vector<RECT> stageAreas;
    // Whether the Fade setting may fade pictures in here, and the Captions
    // setting write captions: not in the preview.
    bool fadeAllowed = false;
    bool captionsAllowed = false;

    // Before the window is created: the show goes on from what the shows
    // before it left, when that was of its folder, and remembers what it
    // draws for the next, handing it to the keeper once a minute while it
    // runs and at KeepMemory. The keeper must outlive the window.
    void GoOnFrom(ShowMemory stored, MemoryKeeper& memoryKeeper);
    void KeepMemory();

    // The keys of the full-screen show, with the Keys setting on. A step shows
    // the next pictures (or those before) on every stage at once, or as soon as
    // they have come, and the delay starts again.
    bool KeysSteer() const { return settings.Keys != 0; }
    void StepForward();
    void StepBack();
    void TogglePause();

private:
    static const MessageMapEntry messageEntries[];
    int OnCreate(CREATESTRUCTA* create);
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void LoadNext(UINT_PTR stage);
    void OnWorkDone();
    void OnMotionFrame();

    // Draws the stage's picture if it is drawable, then asks for the next one;
    // a picture still on its way is drawn when it comes. `softly`: it fades in,
    // where the settings and the display let it.
    void ShowPicture(CDC& dc, std::size_t stage, bool softly);
    void ShowEveryStage();
    void RestartTimer();
    void StartFadeTimer(CDC& dc, Stage& stage);
    // Whether pictures move: the Motion setting, on a display of true colour.
    bool Moving() const;
    void StartPacer();
    void NextFadeFrames();
    void DrawnAt(std::size_t stage, bool shown);
    // Hands the next picture of the order to the worker, when none is on its way.
    void AskWorker();
    // Pairs: the screen of a picture the order has just handed out, the stage's
    // load of it, and the headers the worker is to read ahead.
    Pairing PairingIn(const RECT& area) const; // None with Pairs off
    ScreenNames ScreenFor(std::size_t stage, std::string name);
    LoadRequest RequestFor(std::size_t stage, const ScreenNames& screen) const;
    void ReadShapesAhead();
    void TakePicture(std::size_t stage, Picture picture, std::optional<Picture> partner);
    void StopWorker();
    // Both pictures of a pair count as drawn (ShowMemory::Drew).
    void Remember(const std::string& drawn, const std::string& partner);
    // The DPI of the monitor of a stage whose pictures carry captions; 0 where
    // they carry none.
    UINT CaptionDpi(const RECT& area) const;
    // The colour profile of the monitor that shows a stage's area.
    ColourProfile MonitorColours(const RECT& area) const;
    // A stage's area in screen coordinates.
    RECT OnScreen(const RECT& area) const;

    const Settings settings;
    const Display& display;
    const std::string folder; // the show's folder, in full
    std::vector<Stage> stages;
    ShowClock clock;                         // the time moving pictures follow
    std::vector<ColourProfile> stageColours; // each stage's monitor's, read once
    std::optional<StageTurns> turns;         // from the window's creation on
    PlayOrder order;
    PartnerSearch partners;
    ScreenNames askedScreen; // of the pictures on their way, relative to the folder
    ShowMemory memory;
    MemoryKeeper* keeper = nullptr; // none: the show remembers nothing
    bool memoryChanged = false;     // since the keeper last had it
    BOOL autoDelete;
    // It uses nothing of the window, and is stopped first, by the destructor.
    std::unique_ptr<ShowWorker> worker;
    // The frames of moving pictures; none when pictures stand still.
    std::unique_ptr<FramePacer> pacer;
};

// The monitors as the system reports them now, in device pixels.
ScreenLayout ReadScreenLayout();

class FullScreenShowWnd : public ShowWnd {
public:
    // The show goes on from the memory and hands what it draws to the keeper,
    // when it is given one.
    FullScreenShowWnd(const Settings& settings, const Display& display, ShowMemory memory = {},
                      MemoryKeeper* keeper = nullptr);
    ~FullScreenShowWnd() override;

    // A top-most popup covering every monitor, each of which shows pictures.
    BOOL CreateFullScreen(const ScreenLayout& layout = ReadScreenLayout());

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];
    LRESULT OnSysCommand(WPARAM command, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnSetCursor(WPARAM, LPARAM);
    LRESULT OnNcActivate(WPARAM active, LPARAM);
    LRESULT OnActivate(WPARAM state, LPARAM);
    LRESULT OnActivateApp(WPARAM active, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM position);
    LRESULT OnPress(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    LRESULT OnDisplayChange(WPARAM, LPARAM);

    // Ends the show: the default processing of WM_CLOSE destroys the window.
    void Close();

    int32_t firstMouseX = -1;
    int32_t firstMouseY = -1;
};
