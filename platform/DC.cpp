// The parts of CDC shared by both builds: ownership, temporary objects, and the
// overloads that forward to one form.
#include "platform/DC.h"

#include "platform/System.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

struct TempDCs {
    std::mutex lock;
    std::unordered_map<HDC, std::unique_ptr<CDC>> objects;
};

TempDCs& Temps()
{
    static TempDCs temps;
    return temps;
}

}  // namespace

struct CDCAccess {
    static void Disown(CDC* dc) { dc->m_hDC = nullptr; dc->m_hAttribDC = nullptr; }
};

void PlatformDeleteTempDCs()
{
    std::unordered_map<HDC, std::unique_ptr<CDC>> doomed;
    {
        TempDCs& temps = Temps();
        std::lock_guard<std::mutex> guard(temps.lock);
        doomed.swap(temps.objects);
    }
    for (auto& entry : doomed)
        CDCAccess::Disown(entry.second.get());
}

// Forgets the temporary object of a DC that is being released.
void PlatformForgetTempDC(HDC hDC)
{
    std::unique_ptr<CDC> doomed;
    {
        TempDCs& temps = Temps();
        std::lock_guard<std::mutex> guard(temps.lock);
        auto it = temps.objects.find(hDC);
        if (it == temps.objects.end())
            return;
        doomed = std::move(it->second);
        temps.objects.erase(it);
    }
    CDCAccess::Disown(doomed.get());
}

CDC::CDC() : m_hDC(nullptr), m_hAttribDC(nullptr), m_bPrinting(FALSE), m_bOwned(false) {}

CDC::~CDC()
{
    if (m_bOwned && m_hDC != nullptr)
        DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr)
        return FALSE;
    m_hDC = hDC;
    m_hAttribDC = hDC;
    m_bOwned = true;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    m_bOwned = false;
    return hDC;
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (hDC == nullptr)
        return nullptr;
    TempDCs& temps = Temps();
    std::lock_guard<std::mutex> guard(temps.lock);
    std::unique_ptr<CDC>& slot = temps.objects[hDC];
    if (!slot) {
        slot.reset(new CDC);
        slot->m_hDC = hDC;
        slot->m_hAttribDC = hDC;
    }
    return slot.get();
}

// ----------------------------------------------------------- selections

CPen* CDC::SelectObject(CPen* pPen)
{
    HGDIOBJ old = SelectObject(pPen ? pPen->m_hObject : nullptr);
    return old ? CPen::FromHandle(static_cast<HPEN>(old)) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    HGDIOBJ old = SelectObject(pBrush ? pBrush->m_hObject : nullptr);
    return old ? CBrush::FromHandle(static_cast<HBRUSH>(old)) : nullptr;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    HGDIOBJ old = SelectObject(pFont ? pFont->m_hObject : nullptr);
    return old ? CFont::FromHandle(static_cast<HFONT>(old)) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    HGDIOBJ old = SelectObject(pBitmap ? pBitmap->m_hObject : nullptr);
    return old ? CBitmap::FromHandle(static_cast<HBITMAP>(old)) : nullptr;
}

int CDC::SelectObject(CRgn* pRgn)
{
    return SelectClipRgn(pRgn);
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    HGDIOBJ old = SelectObject(pObject ? pObject->m_hObject : nullptr);
    return old ? CGdiObject::FromHandle(old) : nullptr;
}

// ------------------------------------------------------- forwarding forms

CPoint CDC::SetWindowOrg(POINT point)
{
    return SetWindowOrg(point.x, point.y);
}

CPoint CDC::SetViewportOrg(POINT point)
{
    return SetViewportOrg(point.x, point.y);
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    RECT rect = {x, y, x + cx, y + cy};
    Draw3dRect(&rect, clrTopLeft, clrBottomRight);
}

COLORREF CDC::SetPixel(POINT point, COLORREF crColor)
{
    return SetPixel(point.x, point.y, crColor);
}

COLORREF CDC::GetPixel(POINT point) const
{
    return GetPixel(point.x, point.y);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str.GetString(), str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, str.GetString(), static_cast<UINT>(str.GetLength()), lpDxWidths);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    return GetTextExtent(lpszString, nCount);
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}
