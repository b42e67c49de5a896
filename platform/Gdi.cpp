// The parts of the drawing objects shared by both builds: ownership, temporary
// objects for foreign handles, and the convenience constructors.
#include "platform/Gdi.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace {

enum class TempKind { Any, Pen, Brush, Font, Bitmap, Region };

struct TempMap {
    std::mutex lock;
    std::map<std::pair<HGDIOBJ, TempKind>, std::unique_ptr<CGdiObject>> objects;
};

TempMap& Temps()
{
    static TempMap map;
    return map;
}

template <typename T>
T* TempObject(HGDIOBJ handle, TempKind kind)
{
    if (handle == nullptr)
        return nullptr;
    TempMap& temps = Temps();
    std::lock_guard<std::mutex> guard(temps.lock);
    std::unique_ptr<CGdiObject>& slot = temps.objects[std::make_pair(handle, kind)];
    if (!slot) {
        T* object = new T;
        object->m_hObject = handle;
        slot.reset(object);
    }
    return static_cast<T*>(slot.get());
}

}  // namespace

void PlatformDeleteTempGdiObjects()
{
    std::map<std::pair<HGDIOBJ, TempKind>, std::unique_ptr<CGdiObject>> doomed;
    {
        TempMap& temps = Temps();
        std::lock_guard<std::mutex> guard(temps.lock);
        doomed.swap(temps.objects);
    }
    for (auto& entry : doomed)
        entry.second->m_hObject = nullptr;  // never deleted through a temporary object
}

CGdiObject::CGdiObject() : m_hObject(nullptr), m_bOwned(true) {}

CGdiObject::~CGdiObject()
{
    if (m_bOwned)
        DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr || m_hObject != nullptr)
        return FALSE;
    m_hObject = hObject;
    m_bOwned = true;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = m_hObject;
    m_hObject = nullptr;
    return handle;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return TempObject<CGdiObject>(hObject, TempKind::Any);
}
CPen* CPen::FromHandle(HPEN hPen)
{
    return TempObject<CPen>(hPen, TempKind::Pen);
}
CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return TempObject<CBrush>(hBrush, TempKind::Brush);
}
CFont* CFont::FromHandle(HFONT hFont)
{
    return TempObject<CFont>(hFont, TempKind::Font);
}
CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return TempObject<CBitmap>(hBitmap, TempKind::Bitmap);
}
CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return TempObject<CRgn>(hRgn, TempKind::Region);
}

CPen::CPen() = default;
CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    CreatePen(nPenStyle, nWidth, crColor);
}

CBrush::CBrush() = default;
CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}
CBrush::CBrush(int nIndex, COLORREF crColor)
{
    CreateHatchBrush(nIndex, crColor);
}
CBrush::CBrush(CBitmap* pBitmap)
{
    CreatePatternBrush(pBitmap);
}

CFont::CFont() = default;

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    LOGFONT lf = {};
    lf.lfHeight = nHeight;
    lf.lfWidth = nWidth;
    lf.lfEscapement = nEscapement;
    lf.lfOrientation = nOrientation;
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic;
    lf.lfUnderline = bUnderline;
    lf.lfStrikeOut = cStrikeOut;
    lf.lfCharSet = nCharSet;
    lf.lfOutPrecision = nOutPrecision;
    lf.lfClipPrecision = nClipPrecision;
    lf.lfQuality = nQuality;
    lf.lfPitchAndFamily = nPitchAndFamily;
    if (lpszFacename != nullptr) {
        for (int i = 0; i < LF_FACESIZE - 1 && lpszFacename[i] != '\0'; ++i)
            lf.lfFaceName[i] = lpszFacename[i];
    }
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const
{
    return GetObject(sizeof(LOGFONT), pLogFont);
}

CBitmap::CBitmap() = default;

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return GetObject(sizeof(BITMAP), pBitMap);
}

CSize CBitmap::GetSize() const
{
    BITMAP bm = {};
    if (m_hObject == nullptr || GetBitmap(&bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    return GetObject(sizeof(LOGPEN), pLogPen);
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    return GetObject(sizeof(LOGBRUSH), pLogBrush);
}

CRgn::CRgn() = default;

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    if (lpRect == nullptr)
        return FALSE;
    return CreateRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    RECT box;
    if (GetRgnBox(&box) != SIMPLEREGION)
        return FALSE;
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}
