#include "framework/dc.h"

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
