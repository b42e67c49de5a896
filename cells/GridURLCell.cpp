#include "cells/GridURLCell.h"

#include "base/CArchive.h"
#include "grid/CellRecordIO.h"
#include "grid/GridCtrl.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/Shell.h"
#include "platform/System.h"

#include <cstring>
#include <string>

IMPLEMENT_DYNCREATE(CGridURLCell, CGridCell)

namespace {

const char* const kLinkPrefixes[] = {"www.",   "http:",   "mailto:", "ftp:", "https:", "news:",
                                     "gopher:", "telnet:", "url:",    "file:", "ftp."};

bool StartsNoCase(const std::string& text, const char* prefix)
{
    const size_t n = std::strlen(prefix);
    if (text.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

CString Lowered(CString s)
{
    s.MakeLower();
    return s;
}

}  // namespace

CGridURLCell::CGridURLCell() : m_crLink(static_cast<COLORREF>(GetSysColor(COLOR_HIGHLIGHT))) {}

// --- control attributes -------------------------------------------------------------

BOOL CGridURLCell::SetControl(LPCTSTR szControl)
{
    m_element = CXmlElement(szControl != nullptr ? szControl : "", "control");
    ApplyAttributes();
    return TRUE;
}

CString CGridURLCell::GetControl()
{
    return m_element.GetXmlText();
}

BOOL CGridURLCell::SetControlProperty(LPCTSTR szKey, LPCTSTR szValue)
{
    // -1 is a refusal; any other answer is the index written, 0 included.
    const short result = m_element.SetAttribute(szKey, szValue);
    ApplyAttributes();
    return result >= 0 ? TRUE : FALSE;
}

CString CGridURLCell::GetControlProperty(LPCTSTR szKey)
{
    return m_element.GetAttribute(szKey);
}

BOOL CGridURLCell::DelControlProperty(LPCTSTR szKey)
{
    const BOOL result = m_element.DeleteAttribute(szKey);
    ApplyAttributes();
    return result;
}

void CGridURLCell::ApplyAttributes()
{
    CXmlElement& e = m_element;
    m_strURL = e.GetAttribute("url");

    if (e.FindAttribute("openurl") >= 0) {
        const CString open = Lowered(e.GetAttribute("openurl"));
        if (open == "yes" || open == "1")
            m_bOpen = TRUE;
        else if (!open.IsEmpty())
            m_bOpen = FALSE;
    } else {
        m_bOpen = TRUE;
        e.SetAttribute("openurl", "1");
    }

    if (e.FindAttribute("openmode") >= 0) {
        const CString mode = Lowered(e.GetAttribute("openmode"));
        if (mode == "1" || mode == "dblclick")
            m_nOpenMode = 1;
        else if (mode == "0" || mode == "click")
            m_nOpenMode = 0;
    } else {
        m_nOpenMode = 1;
    }

    if (e.FindAttribute("urlcolor") >= 0)
        m_crLink = CXmlElement::ParseColour(Lowered(e.GetAttribute("urlcolor")));
    else
        m_crLink = static_cast<COLORREF>(GetSysColor(COLOR_HIGHLIGHT));
}

CString CGridURLCell::GetLinkTarget()
{
    if (!m_strURL.IsEmpty())
        return m_strURL;
    LPCTSTR text = GetText();
    return text != nullptr ? CString(text) : CString();
}

// --- what is a link, and what may be opened ------------------------------------------------

BOOL CGridURLCell::LooksLikeLink(LPCTSTR szText)
{
    if (szText == nullptr)
        return FALSE;
    for (const char* prefix : kLinkPrefixes) {
        if (std::strstr(szText, prefix) != nullptr)
            return TRUE;
    }
    return FALSE;
}

CString CGridURLCell::GetOpenableAddress(LPCTSTR szTarget)
{
    if (szTarget == nullptr)
        return CString();
    const std::string target(szTarget);
    // No control characters or quotes: nothing that could end the address
    // and start something else.
    for (char c : target) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '"' || c == 0x7F)
            return CString();
    }
    for (const char* scheme : {"http:", "https:", "ftp:", "mailto:", "news:"}) {
        if (StartsNoCase(target, scheme))
            return CString(target.c_str());
    }
    if (StartsNoCase(target, "www."))
        return CString(("http://" + target).c_str());
    if (StartsNoCase(target, "ftp."))
        return CString(("ftp://" + target).c_str());
    return CString();
}

CRect CGridURLCell::GetHotZone(const CRect& rect, int nTextWidth, UINT nAlign)
{
    CRect zone = rect;
    if (nAlign & DT_RIGHT) {
        zone.left = rect.right - nTextWidth;
    } else if (nAlign & DT_CENTER) {
        zone.left = rect.left + (rect.Width() - nTextWidth) / 2;
        zone.right = zone.left + nTextWidth;
    } else {
        zone.right = rect.left + nTextWidth;
    }
    return zone;
}

// --- painting ---------------------------------------------------------------------------

COLORREF CGridURLCell::GetTextColor()
{
    return m_bDrawingLink ? m_crLink : CGridCell::GetTextColor();
}

BOOL CGridURLCell::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    // The link colour holds for this paint only; the cell's own text colour
    // (and so its record) stays as it is.
    m_bDrawingLink = LooksLikeLink(GetLinkTarget());
    m_rcDrawn = rect;
    const BOOL result = CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
    m_bDrawingLink = FALSE;
    return result;
}

BOOL CGridURLCell::DrawContent(CDC* pDC, int nRow, int nCol, CRect rect)
{
    m_bDrawingLink = LooksLikeLink(GetLinkTarget());
    m_rcDrawn = rect;
    const BOOL result = CGridCell::DrawContent(pDC, nRow, nCol, rect);
    m_bDrawingLink = FALSE;
    return result;
}

CSize CGridURLCell::GetCellExtent(CDC* pDC, int nCol)
{
    CSize size = CGridCell::GetCellExtent(pDC, nCol);
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    size.cx += static_cast<int>(2 * GetMargin() * zx);
    size.cy += static_cast<int>(GetMargin() * zy);
    return size;
}

// --- opening ------------------------------------------------------------------------------

int CGridURLCell::MeasureText(const CString& text)
{
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return 0;
    CClientDC dc(m_pGrid);
    CFont* pFont = GetFontObject();
    CFont* pOld = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    const int width = dc.GetTextExtent(text).cx;
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    return width;
}

CString CGridURLCell::GetAddressAt(CPoint ptClient)
{
    if (!m_bOpen || IsReadOnly() || m_pGrid == nullptr)
        return CString();
    CRect rect;
    if (!m_pGrid->GetCellRect(m_nRow, m_nCol, &rect))
        return CString();
    const CRect zone = GetHotZone(rect, MeasureText(GetDisplayText()), GetAlign());
    if (!zone.PtInRect(ptClient))
        return CString();
    const CString target = GetLinkTarget();
    if (!LooksLikeLink(target))
        return CString();
    return GetOpenableAddress(target);
}

void CGridURLCell::OpenAt(CPoint ptCellRelative)
{
    CPoint origin;
    if (m_pGrid == nullptr || !m_pGrid->GetCellTopLeft(m_nRow, m_nCol, &origin))
        return;
    const CString address = GetAddressAt(CPoint(origin.x + ptCellRelative.x, origin.y + ptCellRelative.y));
    if (!address.IsEmpty())
        PlatformOpenLink(address);
}

BOOL CGridURLCell::OnSetCursor()
{
    // The hand where a click would open the link, the arrow elsewhere.
    if (m_pGrid != nullptr && m_pGrid->GetSafeHwnd() != nullptr) {
        const DWORD pos = GetMessagePos();
        CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
        m_pGrid->ScreenToClient(&point);
        if (!GetAddressAt(point).IsEmpty()) {
            SetCursor(PlatformLoadCursor((UINT_PTR)(IDC_HAND)));
            return TRUE;
        }
    }
    return CGridCell::OnSetCursor();
}

void CGridURLCell::OnClick(CPoint ptCellRelative)
{
    if (m_nOpenMode == 0)
        OpenAt(ptCellRelative);
}

void CGridURLCell::OnDblClick(CPoint ptCellRelative)
{
    if (m_nOpenMode == 1)
        OpenAt(ptCellRelative);
}

// --- the record ---------------------------------------------------------------------------

int CGridURLCell::GetRecordSize()
{
    return GetControlLevelSize(CELL_RECORD_URL_CONTROL);
}

void CGridURLCell::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    SerializeControlLevel(ar, pnRunningSize, CELL_RECORD_URL_CONTROL, CELL_RECORD_URL_END);
}
