#include "framework/dc.h"

#include "framework/gdi_object.h"
#include "framework/wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : hwnd(wnd->m_hWnd) {
    m_hDC = ::BeginPaint(hwnd, &m_ps);
}

CPaintDC::~CPaintDC() {
    ::EndPaint(hwnd, &m_ps);
}

CClientDC::CClientDC(CWnd* wnd) : hwnd(wnd->m_hWnd) {
    m_hDC = ::GetDC(hwnd);
}

CClientDC::~CClientDC() {
    ::ReleaseDC(hwnd, m_hDC);
}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
    const CBrush brush(colour);
    ::FillRect(m_hDC, &rect, brush.Handle());
}
