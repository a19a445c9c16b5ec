// GDI objects that own their handle and delete it when they go.
#pragma once

#include <windows.h>

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() { DeleteObject(); }

    HGDIOBJ GetSafeHandle() const { return m_hObject; }

protected:
    // Takes ownership of a handle (releasing any held before).
    void Attach(HGDIOBJ handle);
    void DeleteObject();

    HGDIOBJ m_hObject = nullptr;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { Attach(::CreateSolidBrush(colour)); }
    HBRUSH Handle() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTW* logFont);
    HFONT Handle() const { return static_cast<HFONT>(m_hObject); }
};

class CPalette : public CGdiObject {
public:
    BOOL CreatePalette(const LOGPALETTE* logPalette);
    UINT SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries);
    HPALETTE Handle() const { return static_cast<HPALETTE>(m_hObject); }
};
