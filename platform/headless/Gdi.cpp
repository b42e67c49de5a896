// Drawing objects of the host build: pens, brushes, fonts, bitmaps (pixel
// buffers) and rectangular regions, with the stock objects.
#include "platform/headless/HeadlessInternal.h"

#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"

#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>

namespace headless {

namespace {

struct Registry {
    std::unordered_set<GdiObj*> live;      // created objects (not stock)
    std::vector<std::unique_ptr<GdiObj>> stock;
    std::vector<std::unique_ptr<GdiObj>> sysBrushes;
};

Registry& Reg()
{
    static Registry reg;
    return reg;
}

void CopyFace(LOGFONT& lf, const char* face)
{
    std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

void BuildStock(Registry& reg)
{
    auto make = [](ObjKind kind) {
        std::unique_ptr<GdiObj> obj(new GdiObj);
        obj->kind = kind;
        obj->stock = true;
        return obj;
    };
    reg.stock.resize(DC_PEN + 1);
    const COLORREF brushColors[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64),
                                    RGB(0, 0, 0)};
    for (int i = WHITE_BRUSH; i <= BLACK_BRUSH; ++i) {
        reg.stock[i] = make(ObjKind::Brush);
        reg.stock[i]->brushColor = brushColors[i];
    }
    reg.stock[NULL_BRUSH] = make(ObjKind::Brush);
    reg.stock[NULL_BRUSH]->brushStyle = BS_NULL;
    reg.stock[WHITE_PEN] = make(ObjKind::Pen);
    reg.stock[WHITE_PEN]->penColor = RGB(255, 255, 255);
    reg.stock[BLACK_PEN] = make(ObjKind::Pen);
    reg.stock[NULL_PEN] = make(ObjKind::Pen);
    reg.stock[NULL_PEN]->penStyle = PS_NULL;
    reg.stock[DC_BRUSH] = make(ObjKind::Brush);
    reg.stock[DC_BRUSH]->brushColor = RGB(255, 255, 255);
    reg.stock[DC_PEN] = make(ObjKind::Pen);
    // Fonts: the system font is 16 high; the GUI font is 9 points.
    const int fonts[] = {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT,
                         SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT};
    for (int index : fonts) {
        reg.stock[index] = make(ObjKind::Font);
        LOGFONT& lf = reg.stock[index]->font;
        lf.lfHeight = index == DEFAULT_GUI_FONT ? -12 : 16;
        lf.lfWeight = index == SYSTEM_FONT ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = GB2312_CHARSET;
        CopyFace(lf, index == DEFAULT_GUI_FONT ? "SimSun" : "System");
    }
    reg.stock[DEFAULT_PALETTE] = make(ObjKind::Region);  // palettes are not drawn with
    // The default bitmap of a memory DC: 1 x 1, monochrome.
    std::unique_ptr<GdiObj> bitmap = make(ObjKind::Bitmap);
    bitmap->bitmap.mono = true;
    bitmap->bitmap.Resize(1, 1);
    bitmap->bitsPixel = 1;
    reg.stock.push_back(std::move(bitmap));
    reg.sysBrushes.resize(31);
    for (int i = 0; i < 31; ++i) {
        reg.sysBrushes[i] = make(ObjKind::Brush);
        reg.sysBrushes[i]->brushColor = GetSysColor(i);
    }
}

Registry& Ready()
{
    Registry& reg = Reg();
    if (reg.stock.empty())
        BuildStock(reg);
    return reg;
}

bool IsStock(GdiObj* obj)
{
    Registry& reg = Ready();
    for (auto& s : reg.stock) {
        if (s.get() == obj)
            return true;
    }
    for (auto& s : reg.sysBrushes) {
        if (s.get() == obj)
            return true;
    }
    return false;
}

}  // namespace

void Surface::Resize(int w, int h)
{
    width = w > 0 ? w : 0;
    height = h > 0 ? h : 0;
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
}

COLORREF Surface::Store(COLORREF c) const
{
    if (!mono)
        return c & 0x00FFFFFF;
    int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
    return sum >= 384 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

GdiObj* NewObject(ObjKind kind)
{
    Registry& reg = Ready();
    GdiObj* obj = new GdiObj;
    obj->kind = kind;
    reg.live.insert(obj);
    return obj;
}

GdiObj* ToObject(HGDIOBJ handle)
{
    if (handle == nullptr)
        return nullptr;
    GdiObj* obj = static_cast<GdiObj*>(handle);
    Registry& reg = Ready();
    if (reg.live.count(obj))
        return obj->deletePending ? nullptr : obj;
    return IsStock(obj) ? obj : nullptr;
}

GdiObj* StockObject(int index)
{
    Registry& reg = Ready();
    if (index < 0 || index > DC_PEN)
        return nullptr;
    return reg.stock[index].get();
}

GdiObj* DefaultBitmap()
{
    return Ready().stock.back().get();
}

GdiObj* SysColorBrush(int index)
{
    Registry& reg = Ready();
    if (index < 0 || index >= 31 || reg.sysBrushes.empty())
        return nullptr;
    return reg.sysBrushes[index].get();
}

void AddRef(GdiObj* obj)
{
    if (obj)
        ++obj->refs;
}

void Release(GdiObj* obj)
{
    if (!obj)
        return;
    if (obj->refs > 0)
        --obj->refs;
    if (obj->refs == 0 && obj->deletePending) {
        Reg().live.erase(obj);
        delete obj;
    }
}

BOOL DeleteGdiObject(HGDIOBJ handle)
{
    GdiObj* obj = static_cast<GdiObj*>(handle);
    Registry& reg = Ready();
    if (handle == nullptr || !reg.live.count(obj) || obj->deletePending)
        return FALSE;
    if (obj->refs > 0) {
        // Still selected: it goes when the last DC lets it go.
        obj->deletePending = true;
        return TRUE;
    }
    reg.live.erase(obj);
    delete obj;
    return TRUE;
}

}  // namespace headless

using namespace headless;

// --------------------------------------------------------------- objects

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    HGDIOBJ handle = Detach();
    return DeleteGdiObject(handle);
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    GdiObj* obj = StockObject(nIndex);
    if (!obj || m_hObject != nullptr)
        return FALSE;
    m_hObject = obj;
    m_bOwned = false;  // stock objects are never deleted
    return TRUE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    GdiObj* obj = ToObject(m_hObject);
    if (!obj || !lpObject)
        return 0;
    switch (obj->kind) {
    case ObjKind::Pen: {
        if (nCount < static_cast<int>(sizeof(LOGPEN)))
            return 0;
        LOGPEN pen = {static_cast<UINT>(obj->penStyle), {obj->penWidth, 0}, obj->penColor};
        std::memcpy(lpObject, &pen, sizeof(pen));
        return sizeof(pen);
    }
    case ObjKind::Brush: {
        if (nCount < static_cast<int>(sizeof(LOGBRUSH)))
            return 0;
        LOGBRUSH brush = {static_cast<UINT>(obj->brushStyle), obj->brushColor, static_cast<ULONG_PTR>(obj->hatch)};
        std::memcpy(lpObject, &brush, sizeof(brush));
        return sizeof(brush);
    }
    case ObjKind::Font: {
        int n = nCount < static_cast<int>(sizeof(LOGFONT)) ? nCount : static_cast<int>(sizeof(LOGFONT));
        std::memcpy(lpObject, &obj->font, static_cast<size_t>(n));
        return n;
    }
    case ObjKind::Bitmap: {
        if (nCount < static_cast<int>(sizeof(BITMAP)))
            return 0;
        BITMAP bm = {};
        bm.bmWidth = obj->bitmap.width;
        bm.bmHeight = obj->bitmap.height;
        bm.bmPlanes = 1;
        bm.bmBitsPixel = static_cast<WORD>(obj->bitsPixel);
        bm.bmWidthBytes = obj->bitsPixel == 1 ? ((obj->bitmap.width + 15) / 16) * 2 : obj->bitmap.width * 4;
        std::memcpy(lpObject, &bm, sizeof(bm));
        return sizeof(bm);
    }
    case ObjKind::Region:
        return 0;
    }
    return 0;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (m_hObject != nullptr)
        return FALSE;
    int style = nPenStyle & PS_STYLE_MASK;
    if (style > PS_ALTERNATE)
        return FALSE;
    GdiObj* obj = NewObject(ObjKind::Pen);
    obj->penWidth = nWidth < 1 ? 1 : nWidth;
    // Styled lines wider than one pixel are drawn solid, as the system does.
    if (obj->penWidth > 1 && style >= PS_DASH && style <= PS_DASHDOTDOT)
        style = PS_SOLID;
    if (style == PS_INSIDEFRAME || style == PS_USERSTYLE)
        style = PS_SOLID;
    obj->penStyle = style;
    obj->penColor = crColor & 0x00FFFFFF;
    m_hObject = obj;
    return TRUE;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    if (m_hObject != nullptr || pLogBrush == nullptr || pLogBrush->lbStyle != BS_SOLID)
        return FALSE;
    const int style = nPenStyle & PS_STYLE_MASK;
    const bool geometric = (nPenStyle & PS_GEOMETRIC) != 0;
    // As the system: a cosmetic pen is one pixel wide; a user style needs
    // its lengths (at most 16), other styles take none. The stand-in also
    // refuses a zero length, which its line drawing cannot step through.
    if (style > PS_INSIDEFRAME && style != PS_USERSTYLE && style != PS_ALTERNATE)
        return FALSE;
    if (!geometric && nWidth != 1)
        return FALSE;
    if (style == PS_USERSTYLE) {
        if (nStyleCount < 1 || nStyleCount > 16 || lpStyle == nullptr)
            return FALSE;
        for (int i = 0; i < nStyleCount; ++i)
            if (lpStyle[i] == 0 || lpStyle[i] > 0x7FFFFFFF)
                return FALSE;
    } else if (nStyleCount != 0) {
        return FALSE;
    }
    GdiObj* obj = NewObject(ObjKind::Pen);
    obj->penWidth = nWidth < 1 ? 1 : nWidth;
    obj->penStyle = style == PS_INSIDEFRAME ? PS_SOLID : style;
    obj->penColor = pLogBrush->lbColor & 0x00FFFFFF;
    obj->penType = nPenStyle & ~PS_STYLE_MASK;
    for (int i = 0; style == PS_USERSTYLE && i < nStyleCount; ++i)
        obj->userStyle.push_back(static_cast<int>(lpStyle[i]));
    m_hObject = obj;
    return TRUE;
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    if (lpLogPen == nullptr)
        return FALSE;
    return CreatePen(static_cast<int>(lpLogPen->lopnStyle), lpLogPen->lopnWidth.x, lpLogPen->lopnColor);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    if (m_hObject != nullptr)
        return FALSE;
    GdiObj* obj = NewObject(ObjKind::Brush);
    obj->brushColor = crColor & 0x00FFFFFF;
    m_hObject = obj;
    return TRUE;
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    if (m_hObject != nullptr || nIndex < HS_HORIZONTAL || nIndex > HS_DIAGCROSS)
        return FALSE;
    GdiObj* obj = NewObject(ObjKind::Brush);
    obj->brushStyle = BS_HATCHED;
    obj->hatch = nIndex;
    obj->brushColor = crColor & 0x00FFFFFF;
    m_hObject = obj;
    return TRUE;
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (m_hObject != nullptr || pBitmap == nullptr)
        return FALSE;
    GdiObj* source = ToObject(pBitmap->m_hObject);
    if (!source || source->kind != ObjKind::Bitmap || source->bitmap.width == 0)
        return FALSE;
    GdiObj* obj = NewObject(ObjKind::Brush);
    obj->brushStyle = BS_PATTERN;
    obj->pattern = std::make_shared<Surface>(source->bitmap);  // the brush keeps its own copy
    m_hObject = obj;
    return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    if (m_hObject != nullptr || nIndex < 0 || nIndex >= 31)
        return FALSE;
    return CreateSolidBrush(GetSysColor(nIndex));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (m_hObject != nullptr || lpLogFont == nullptr)
        return FALSE;
    GdiObj* obj = NewObject(ObjKind::Font);
    obj->font = *lpLogFont;
    obj->font.lfFaceName[LF_FACESIZE - 1] = '\0';
    m_hObject = obj;
    return TRUE;
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf = {};
    int dpi = pDC ? pDC->GetDeviceCaps(LOGPIXELSY) : S().logPixels;
    // Tenths of a point to pixels, rounded half away from zero.
    long long pixels = (static_cast<long long>(nPointSize) * dpi * 2 + 720) / 1440;
    lf.lfHeight = -static_cast<LONG>(pixels);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName)
        std::strncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    if (m_hObject != nullptr || nWidth < 0 || nHeight < 0)
        return FALSE;
    // Bounded so that a width times a height from anywhere cannot exhaust memory.
    if (static_cast<long long>(nWidth) * nHeight > 64LL * 1024 * 1024)
        return FALSE;
    bool mono = false;
    if (pDC && pDC->m_hDC) {
        DCImpl* dc = reinterpret_cast<DCImpl*>(pDC->m_hDC);
        mono = dc->kind == DCImpl::Kind::Memory && dc->bitmap && dc->bitmap->bitmap.mono;
    }
    GdiObj* obj = NewObject(ObjKind::Bitmap);
    obj->bitmap.mono = mono;
    obj->bitsPixel = mono ? 1 : 32;
    if (nWidth == 0 || nHeight == 0) {
        // The system answers a 1 x 1 monochrome bitmap for an empty size.
        obj->bitmap.mono = true;
        obj->bitsPixel = 1;
        nWidth = nHeight = 1;
    }
    obj->bitmap.Resize(nWidth, nHeight);
    m_hObject = obj;
    return TRUE;
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    if (m_hObject != nullptr || nWidth <= 0 || nHeight <= 0 || nPlanes != 1 || (nBitcount != 1 && nBitcount != 32))
        return FALSE;
    if (static_cast<long long>(nWidth) * nHeight > 64LL * 1024 * 1024)
        return FALSE;
    GdiObj* obj = NewObject(ObjKind::Bitmap);
    obj->bitmap.mono = nBitcount == 1;
    obj->bitsPixel = static_cast<int>(nBitcount);
    obj->bitmap.Resize(nWidth, nHeight);
    if (lpBits) {
        const BYTE* bytes = static_cast<const BYTE*>(lpBits);
        for (int y = 0; y < nHeight; ++y) {
            COLORREF* row = obj->bitmap.Row(y);
            if (nBitcount == 1) {
                const BYTE* src = bytes + static_cast<size_t>(y) * (((nWidth + 15) / 16) * 2);
                for (int x = 0; x < nWidth; ++x)
                    row[x] = (src[x / 8] & (0x80 >> (x % 8))) ? RGB(255, 255, 255) : RGB(0, 0, 0);
            } else {
                const BYTE* src = bytes + static_cast<size_t>(y) * nWidth * 4;
                for (int x = 0; x < nWidth; ++x)
                    row[x] = RGB(src[x * 4 + 2], src[x * 4 + 1], src[x * 4]) | (static_cast<DWORD>(src[x * 4 + 3]) << 24);
            }
        }
    }
    m_hObject = obj;
    return TRUE;
}

BOOL CBitmap::CreateFromPixels(int nWidth, int nHeight, const COLORREF* pPixels)
{
    if (m_hObject != nullptr || nWidth <= 0 || nHeight <= 0 || pPixels == nullptr)
        return FALSE;
    if (static_cast<long long>(nWidth) * nHeight > 64LL * 1024 * 1024)
        return FALSE;
    GdiObj* obj = NewObject(ObjKind::Bitmap);
    obj->bitmap.Resize(nWidth, nHeight);
    for (size_t i = 0; i < obj->bitmap.pixels.size(); ++i)
        obj->bitmap.pixels[i] = pPixels[i] & 0x00FFFFFF;
    m_hObject = obj;
    return TRUE;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    State& s = S();
    auto it = s.bitmapResources.find(nIDResource);
    if (it == s.bitmapResources.end())
        return FALSE;
    SIZE size = s.bitmapResourceSizes[nIDResource];
    return CreateFromPixels(size.cx, size.cy, it->second.data());
}

BOOL CBitmap::LoadFromFile(LPCTSTR lpszPath)
{
    if (m_hObject != nullptr || lpszPath == nullptr)
        return FALSE;
    std::ifstream in(lpszPath, std::ios::binary);
    if (!in)
        return FALSE;
    // Skin bitmaps are small; anything over 64 MB is not one.
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size <= 0 || size > 64LL * 1024 * 1024)
        return FALSE;
    in.seekg(0, std::ios::beg);
    std::vector<BYTE> data(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char*>(data.data()), size))
        return FALSE;
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    if (!DecodeBmpFile(data, &width, &height, &pixels))
        return FALSE;
    return CreateFromPixels(width, height, pixels.data());
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    if (m_hObject != nullptr)
        return FALSE;
    GdiObj* obj = NewObject(ObjKind::Region);
    RECT r = {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
    obj->region = r;
    m_hObject = obj;
    return TRUE;
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    GdiObj* obj = ToObject(m_hObject);
    if (!obj || obj->kind != ObjKind::Region || !lpRect)
        return ERROR;
    *lpRect = obj->region;
    bool empty = obj->region.right <= obj->region.left || obj->region.bottom <= obj->region.top;
    if (empty)
        *lpRect = RECT{0, 0, 0, 0};
    return empty ? NULLREGION : SIMPLEREGION;
}

namespace Headless {

size_t GdiObjectCount()
{
    return Ready().live.size();
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y)
{
    GdiObj* obj = ToObject(bitmap);
    if (!obj || obj->kind != ObjKind::Bitmap || x < 0 || y < 0 || x >= obj->bitmap.width || y >= obj->bitmap.height)
        return CLR_INVALID;
    return obj->bitmap.Row(y)[x] & 0x00FFFFFF;
}

}  // namespace Headless
