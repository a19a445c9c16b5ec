// A Windows program of the end-to-end tests: the full-screen show of FOLDER,
// one picture a second, centred, in name order, whose window throws out of its
// key handler instead of ending the show, as a handler that runs out of memory
// would. The program must end all the same, and at once, also while the show's
// worker is blocked in a read that never returns.
//   failing_show FOLDER
// On Windows the run-time library's exit flushes every stream first, and so
// waits for the file that a blocked thread is reading; Wine's does that only
// once the other threads are gone. This program's own exit flushes them as
// Windows does, so that an end that takes the run-time library's exit hangs
// here too.
#include "display/display.h"
#include "framework/win_app.h"
#include "show/show_wnd.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {
class FailingShowWnd : public FullScreenShowWnd {
public:
    using FullScreenShowWnd::FullScreenShowWnd;

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];
    LRESULT OnKeyDown(WPARAM, LPARAM) { throw std::bad_alloc(); }
};

const MessageMapEntry FailingShowWnd::messageEntries[] = {
    OnMessage<&FailingShowWnd::OnKeyDown>(WM_KEYDOWN),
};
const MessageMap FailingShowWnd::messageMap{&FullScreenShowWnd::messageMap,
                                            FailingShowWnd::messageEntries};

class FailingShowApp : public CWinApp {
public:
    ~FailingShowApp() override { ::_flushall(); }

    BOOL InitInstance() override {
        if (ArgumentCount() != 2) {
            return FALSE;
        }
        settings.Delay = 1;
        settings.Position = 1;
        settings.Path = Argument(1);
        display = InitDisplay();
        auto* wnd = new FailingShowWnd(settings, *display);
        if (!wnd->CreateFullScreen()) {
            return FALSE;
        }
        m_pMainWnd = wnd;
        return TRUE;
    }

private:
    Settings settings;
    std::unique_ptr<const Display> display;
};

FailingShowApp theApp;
} // namespace
