// The window in which the show runs: a child of the host's preview window, or
// the full-screen variant that ends on any input.
#pragma once

#include "framework/wnd.h"

class ShowWnd : public CWnd {
public:
    explicit ShowWnd(BOOL autoDelete);
    ~ShowWnd() override;

    virtual BOOL Create(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        void* context);

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    void PostNcDestroy() override;
    static const MessageMap messageMap;

private:
    BOOL autoDelete;
};

class FullScreenShowWnd : public ShowWnd {
public:
    FullScreenShowWnd();
    ~FullScreenShowWnd() override;

    BOOL CreateFullScreen();

protected:
    const MessageMap* GetMessageMap() const override { return &messageMap; }
    static const MessageMap messageMap;

private:
    static const MessageMapEntry messageEntries[];
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
};
