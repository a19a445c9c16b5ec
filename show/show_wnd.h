// The window in which the show runs: a child of the host's preview window, or
// the full-screen variant that ends on any input.
#pragma once

#include "common/settings.h"
#include "framework/wnd.h"
#include "picture/picture.h"
#include "show/full_screen_geometry.h"
#include "show/picture_list.h"

#include <optional>

class CDC;
class Display;

// Posted by the window to itself after each draw: load the next picture.
constexpr UINT WM_LOADNEXT = WM_USER + 10;

class ShowWnd : public CWnd {
public:
    // The show runs with its own copy of the settings and draws on the display,
    // which must outlive the window.
    ShowWnd(BOOL autoDelete, const Settings& settings, const Display& display);
    ~ShowWnd() override;

    // Creates the window; creation starts the show.
    virtual BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent);

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    void PostNcDestroy() override;
    static const MessageMap messageMap;

    // Where pictures are boxed and placed, in client coordinates; the whole
    // client area when not set.
    std::optional<RECT> stage;

private:
    static const MessageMapEntry messageEntries[];
    int OnCreate(CREATESTRUCTA* create);
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void LoadNext();

    // Draws the current picture if it is drawable, then asks for the next one.
    void ShowPicture(CDC& dc);
    void FillBlack(CDC& dc);
    RECT Stage() const;

    const Settings settings;
    const Display& display;
    Picture picture;
    PictureList pictures;
    BOOL autoDelete;
};

// The monitors as the system reports them now.
ScreenLayout ReadScreenLayout();

class FullScreenShowWnd : public ShowWnd {
public:
    FullScreenShowWnd(const Settings& settings, const Display& display);
    ~FullScreenShowWnd() override;

    // A top-most popup covering every monitor; the pictures go on the primary one.
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

    // Ends the show: the default processing of WM_CLOSE destroys the window.
    void Close();

    int32_t firstMouseX = -1;
    int32_t firstMouseY = -1;
};
