// Device contexts: CDC wraps a handle it does not own; CPaintDC and CClientDC
// own theirs for exactly their own lifetime.
#pragma once

#include <windows.h>

class CWnd;

class CDC {
public:
    explicit CDC(HDC hdc = nullptr) : m_hDC(hdc) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    HDC GetSafeHdc() const { return m_hDC; }
    // Fills the rectangle with one colour; a failure leaves it as it was.
    void FillSolidRect(const RECT& rect, COLORREF colour);

protected:
    HDC m_hDC;
};

// An object selected into a device context for as long as this lives; the one
// it replaced is selected back at the end.
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object) : dc(dc), replaced(::SelectObject(dc, object)) {}
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;
    ~CSelection() {
        if (replaced != nullptr) {
            ::SelectObject(dc, replaced);
        }
    }

    // False when the object could not be selected.
    bool Made() const { return replaced != nullptr; }

private:
    HDC dc;
    HGDIOBJ replaced;
};

// BeginPaint and EndPaint of one WM_PAINT.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

private:
    PAINTSTRUCT m_ps;
    HWND hwnd;
};

// GetDC and ReleaseDC of a window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND hwnd;
};
