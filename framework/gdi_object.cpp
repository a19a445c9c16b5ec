#include "framework/gdi_object.h"

void CGdiObject::Attach(HGDIOBJ handle) {
    DeleteObject();
    m_hObject = handle;
}

void CGdiObject::DeleteObject() {
    if (m_hObject != nullptr) {
        ::DeleteObject(m_hObject);
        m_hObject = nullptr;
    }
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* logFont) {
    Attach(::CreateFontIndirectW(logFont));
    return m_hObject != nullptr;
}

BOOL CPalette::CreatePalette(const LOGPALETTE* logPalette) {
    Attach(::CreatePalette(logPalette));
    return m_hObject != nullptr;
}

UINT CPalette::SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries) {
    return ::SetPaletteEntries(Handle(), start, count, entries);
}
