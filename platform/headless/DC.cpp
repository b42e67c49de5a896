// Device contexts of the host build: the drawing state, the record of every
// operation, and the painting of memory bitmaps (and of windows that keep
// their pixels).
#include "platform/headless/HeadlessInternal.h"

#include "platform/DC.h"
#include "platform/System.h"
#include "platform/Wnd.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>

static_assert(sizeof(wchar_t) == sizeof(COLORREF), "rows are filled as wide characters");

namespace headless {

namespace {

std::unordered_set<DCImpl*>& LiveDCs()
{
    static std::unordered_set<DCImpl*> live;
    return live;
}

DCImpl* D(HDC hdc)
{
    return reinterpret_cast<DCImpl*>(hdc);
}

bool EmptyRect(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

RECT IntersectRects(const RECT& a, const RECT& b)
{
    RECT r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
    if (EmptyRect(r))
        r = RECT{0, 0, 0, 0};
    return r;
}

RECT Normalized(RECT r)
{
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

// The part of the surface that may be painted.
RECT PaintArea(DCImpl* dc, Surface* surface)
{
    RECT bounds = {0, 0, surface->width, surface->height};
    return IntersectRects(ClipRect(dc), bounds);
}

COLORREF Rop2(int rop, COLORREF dst, COLORREF pen)
{
    const COLORREF m = 0x00FFFFFF;
    switch (rop) {
    case R2_BLACK: return 0;
    case R2_NOTMERGEPEN: return ~(dst | pen) & m;
    case R2_MASKNOTPEN: return (~pen & dst) & m;
    case R2_NOTCOPYPEN: return ~pen & m;
    case R2_MASKPENNOT: return (pen & ~dst) & m;
    case R2_NOT: return ~dst & m;
    case R2_XORPEN: return (dst ^ pen) & m;
    case R2_NOTMASKPEN: return ~(dst & pen) & m;
    case R2_MASKPEN: return dst & pen & m;
    case R2_NOTXORPEN: return ~(dst ^ pen) & m;
    case R2_NOP: return dst & m;
    case R2_MERGENOTPEN: return (~pen | dst) & m;
    case R2_MERGEPENNOT: return (pen | ~dst) & m;
    case R2_MERGEPEN: return (pen | dst) & m;
    case R2_WHITE: return m;
    default: return pen & m;
    }
}

void FillSolid(Surface* s, const RECT& area, const RECT& r, COLORREF color)
{
    RECT f = IntersectRects(area, r);
    if (EmptyRect(f))
        return;
    COLORREF c = s->Store(color);
    size_t n = static_cast<size_t>(f.right - f.left);
    for (int y = f.top; y < f.bottom; ++y)
        std::wmemset(reinterpret_cast<wchar_t*>(s->Row(y) + f.left), static_cast<wchar_t>(c), n);
}

bool HatchOn(int hatch, int x, int y)
{
    bool h = (y & 7) == 0, v = (x & 7) == 0, f = ((x - y) & 7) == 0, b = ((x + y) & 7) == 0;
    switch (hatch) {
    case HS_HORIZONTAL: return h;
    case HS_VERTICAL: return v;
    case HS_FDIAGONAL: return f;
    case HS_BDIAGONAL: return b;
    case HS_CROSS: return h || v;
    default: return f || b;
    }
}

void FillBrush(Surface* s, const RECT& area, const RECT& r, const GdiObj* brush, const DCAttributes& attr)
{
    if (!brush || brush->brushStyle == BS_NULL)
        return;
    if (brush->brushStyle == BS_SOLID) {
        FillSolid(s, area, r, brush->brushColor);
        return;
    }
    RECT f = IntersectRects(area, r);
    for (int y = f.top; y < f.bottom; ++y) {
        COLORREF* row = s->Row(y);
        for (int x = f.left; x < f.right; ++x) {
            if (brush->brushStyle == BS_PATTERN && brush->pattern && brush->pattern->width > 0) {
                const Surface& p = *brush->pattern;
                COLORREF c = const_cast<Surface&>(p).Row(((y % p.height) + p.height) % p.height)[((x % p.width) + p.width) % p.width];
                row[x] = s->Store(c);
            } else if (HatchOn(brush->hatch, x, y)) {
                row[x] = s->Store(brush->brushColor);
            } else if (attr.bkMode == OPAQUE) {
                row[x] = s->Store(attr.bkColor);
            }
        }
    }
}

void XorArea(Surface* s, const RECT& area, const RECT& r, COLORREF mask)
{
    RECT f = IntersectRects(area, r);
    for (int y = f.top; y < f.bottom; ++y) {
        COLORREF* row = s->Row(y);
        for (int x = f.left; x < f.right; ++x)
            row[x] = s->Store((row[x] ^ mask) & 0x00FFFFFF);
    }
}

void PutPixel(Surface* s, const RECT& area, int x, int y, COLORREF c, int rop)
{
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom)
        return;
    COLORREF& p = s->Row(y)[x];
    p = s->Store(Rop2(rop, p & 0x00FFFFFF, c));
}

// Dash patterns (pixels on, off, on, ...) of one-pixel pens.
const std::vector<int>* PenPattern(int style)
{
    static const std::vector<int> dash = {18, 6}, dot = {3, 3}, dashDot = {9, 6, 3, 6},
                                  dashDotDot = {9, 3, 3, 3, 3, 3}, alternate = {1, 1};
    switch (style) {
    case PS_DASH: return &dash;
    case PS_DOT: return &dot;
    case PS_DASHDOT: return &dashDot;
    case PS_DASHDOTDOT: return &dashDotDot;
    case PS_ALTERNATE: return &alternate;
    default: return nullptr;
    }
}

// A line from (x0, y0) to (x1, y1), the end point excluded.
void DrawLine(Surface* s, const RECT& area, int x0, int y0, int x1, int y1, const GdiObj* pen, const DCAttributes& attr)
{
    if (!pen || pen->penStyle == PS_NULL)
        return;
    const std::vector<int>* pattern =
        pen->penStyle == PS_USERSTYLE ? &pen->userStyle : PenPattern(pen->penStyle);
    int width = pen->penWidth;
    long long dx = std::llabs(static_cast<long long>(x1) - x0), dy = -std::llabs(static_cast<long long>(y1) - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    long long err = dx + dy;
    int x = x0, y = y0;
    size_t segment = 0;
    int left = pattern ? (*pattern)[0] : 0;
    // Lines far outside the surface are cut short: only the pixels that can show matter.
    long long steps = std::max(dx, -dy);
    for (long long i = 0; i < steps; ++i) {
        bool on = true;
        if (pattern) {
            on = (segment % 2) == 0;
            if (--left == 0) {
                segment = (segment + 1) % pattern->size();
                left = (*pattern)[segment];
            }
        }
        if (on || attr.bkMode == OPAQUE) {
            COLORREF c = on ? pen->penColor : attr.bkColor;
            if (width <= 1) {
                PutPixel(s, area, x, y, c, on ? attr.rop2 : R2_COPYPEN);
            } else {
                int from = -(width - 1) / 2;
                for (int oy = from; oy < from + width; ++oy)
                    for (int ox = from; ox < from + width; ++ox)
                        PutPixel(s, area, x + ox, y + oy, c, attr.rop2);
            }
        }
        long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

DrawOp Blank()
{
    DrawOp op = {};
    return op;
}

COLORREF Rop3(DWORD rop, COLORREF dst, COLORREF src, COLORREF pat)
{
    const COLORREF m = 0x00FFFFFF;
    switch (rop) {
    case SRCPAINT: return (dst | src) & m;
    case SRCAND: return dst & src & m;
    case SRCINVERT: return (dst ^ src) & m;
    case SRCERASE: return (src & ~dst) & m;
    case NOTSRCCOPY: return ~src & m;
    case NOTSRCERASE: return ~(dst | src) & m;
    case MERGECOPY: return src & pat & m;
    case MERGEPAINT: return (~src | dst) & m;
    case PATCOPY: return pat & m;
    case PATPAINT: return (pat | ~src | dst) & m;
    case PATINVERT: return (pat ^ dst) & m;
    case DSTINVERT: return ~dst & m;
    case BLACKNESS: return 0;
    case WHITENESS: return m;
    default: return src & m;
    }
}

enum class BlitMode { Rop, Alpha, Transparent };

// Block transfer with nearest-pixel stretching. Colour to monochrome: the
// source's background colour becomes white, the rest black; monochrome to
// colour: white becomes the destination's background colour, black its text
// colour (the system's rules).
void Blit(DCImpl* dst, int x, int y, int w, int h, DCImpl* srcDC, int xs, int ys, int ws, int hs, DWORD rop,
          BlitMode mode, BLENDFUNCTION blend, COLORREF transparent)
{
    Surface* d = TargetSurface(dst);
    if (!d || w == 0 || h == 0)
        return;
    Surface* s = srcDC ? TargetSurface(srcDC) : nullptr;
    POINT dp = ToDevice(dst, x, y);
    POINT sp = srcDC ? ToDevice(srcDC, xs, ys) : POINT{0, 0};
    RECT area = PaintArea(dst, d);
    RECT target = Normalized(RECT{dp.x, dp.y, dp.x + w, dp.y + h});
    RECT f = IntersectRects(area, target);
    if (EmptyRect(f))
        return;
    bool needsSource = !(rop == PATCOPY || rop == PATINVERT || rop == DSTINVERT || rop == BLACKNESS || rop == WHITENESS) ||
                       mode != BlitMode::Rop;
    if (needsSource && !s)
        return;
    COLORREF pat = dst->attr.brush ? dst->attr.brush->brushColor : 0;
    std::vector<COLORREF> copy;
    int copyWidth = 0;
    if (s == d) {
        copy = s->pixels;  // overlapping transfers read the pixels as they were
        copyWidth = s->width;
    }
    for (int py = f.top; py < f.bottom; ++py) {
        COLORREF* row = d->Row(py);
        for (int px = f.left; px < f.right; ++px) {
            COLORREF src = 0;
            if (needsSource) {
                long long ox = w > 0 ? px - dp.x : dp.x - 1 - px;
                long long oy = h > 0 ? py - dp.y : dp.y - 1 - py;
                long long sx = sp.x + (ox * ws) / std::llabs(static_cast<long long>(w));
                long long sy = sp.y + (oy * hs) / std::llabs(static_cast<long long>(h));
                if (ws < 0)
                    sx -= 1;
                if (hs < 0)
                    sy -= 1;
                if (sx < 0 || sy < 0 || sx >= s->width || sy >= s->height)
                    continue;
                src = s == d ? copy[static_cast<size_t>(sy) * copyWidth + sx] : s->Row(static_cast<int>(sy))[sx];
                if (s->mono && !d->mono)
                    src = (src & 0x00FFFFFF) ? dst->attr.bkColor : dst->attr.textColor;
                else if (!s->mono && d->mono)
                    src = ((src & 0x00FFFFFF) == (srcDC->attr.bkColor & 0x00FFFFFF)) ? RGB(255, 255, 255) : RGB(0, 0, 0);
            }
            COLORREF& out = row[px];
            switch (mode) {
            case BlitMode::Rop:
                out = d->Store(Rop3(rop, out & 0x00FFFFFF, src, pat));
                break;
            case BlitMode::Transparent:
                if ((src & 0x00FFFFFF) != (transparent & 0x00FFFFFF))
                    out = d->Store(src);
                break;
            case BlitMode::Alpha: {
                int a = blend.SourceConstantAlpha;
                if (blend.AlphaFormat & AC_SRC_ALPHA)
                    a = a * static_cast<int>((src >> 24) & 0xFF) / 255;
                auto mix = [a](int sc, int dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
                COLORREF o = out & 0x00FFFFFF;
                out = d->Store(RGB(mix(GetRValue(src), GetRValue(o)), mix(GetGValue(src), GetGValue(o)),
                                   mix(GetBValue(src), GetBValue(o))));
                break;
            }
            }
        }
    }
}

DrawOp& RecordBlit(DCImpl* dc, DrawKind kind, int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs,
                   DWORD rop)
{
    DrawOp& op = Record(dc, kind);
    POINT p = ToDevice(dc, x, y);
    op.rect = RECT{p.x, p.y, p.x + w, p.y + h};
    op.flags = rop;
    if (src && src->m_hDC) {
        DCImpl* s = D(src->m_hDC);
        POINT q = ToDevice(s, xs, ys);
        op.source = RECT{q.x, q.y, q.x + ws, q.y + hs};
        op.sourceTarget = RecordTarget(s);
    }
    return op;
}

void ReleaseAttributes(DCAttributes& attr)
{
    Release(attr.pen);
    Release(attr.brush);
    Release(attr.font);
    attr.pen = attr.brush = attr.font = nullptr;
}

void RetainAttributes(const DCAttributes& attr)
{
    AddRef(attr.pen);
    AddRef(attr.brush);
    AddRef(attr.font);
}

}  // namespace

POINT ToDevice(const DCImpl* dc, int x, int y)
{
    return POINT{x - dc->attr.windowOrg.x + dc->attr.viewportOrg.x, y - dc->attr.windowOrg.y + dc->attr.viewportOrg.y};
}

RECT ToDevice(const DCImpl* dc, const RECT& logical)
{
    POINT a = ToDevice(dc, logical.left, logical.top);
    POINT b = ToDevice(dc, logical.right, logical.bottom);
    return RECT{a.x, a.y, b.x, b.y};
}

DCImpl* NewDC(DCImpl::Kind kind, HWND hwnd, const RECT& base)
{
    DCImpl* dc = new DCImpl;
    dc->kind = kind;
    dc->hwnd = hwnd;
    dc->base = base;
    dc->attr.pen = StockObject(BLACK_PEN);
    dc->attr.brush = StockObject(WHITE_BRUSH);
    dc->attr.font = StockObject(SYSTEM_FONT);
    RetainAttributes(dc->attr);
    if (kind == DCImpl::Kind::Memory) {
        dc->bitmap = DefaultBitmap();
        AddRef(dc->bitmap);
        dc->base = RECT{0, 0, dc->bitmap->bitmap.width, dc->bitmap->bitmap.height};
    }
    LiveDCs().insert(dc);
    return dc;
}

void FreeDC(DCImpl* dc)
{
    if (!dc || !LiveDCs().count(dc))
        return;
    ReleaseAttributes(dc->attr);
    for (DCAttributes& saved : dc->saved)
        ReleaseAttributes(saved);
    Release(dc->bitmap);
    LiveDCs().erase(dc);
    delete dc;
}

size_t LiveDCCount()
{
    return LiveDCs().size();
}

Surface* TargetSurface(DCImpl* dc)
{
    if (dc->kind == DCImpl::Kind::Memory)
        return dc->bitmap ? &dc->bitmap->bitmap : nullptr;
    return WindowSurface(FindWindow(dc->hwnd));
}

const void* RecordTarget(DCImpl* dc)
{
    if (dc->kind == DCImpl::Kind::Memory)
        return dc->bitmap;
    return dc->hwnd;
}

RECT ClipRect(DCImpl* dc)
{
    return dc->attr.hasClip ? IntersectRects(dc->base, dc->attr.clip) : dc->base;
}

void FillDeviceRect(DCImpl* dc, const RECT& device, COLORREF color)
{
    if (Surface* s = TargetSurface(dc))
        FillSolid(s, PaintArea(dc, s), device, color);
}

DrawOp& Record(DCImpl* dc, DrawKind kind)
{
    State& s = S();
    static DrawOp scratch;
    DrawOp* op;
    if (s.recording) {
        s.drawLog.push_back(Blank());
        op = &s.drawLog.back();
    } else {
        scratch = Blank();
        op = &scratch;
    }
    const DCAttributes& a = dc->attr;
    op->kind = kind;
    op->target = RecordTarget(dc);
    op->clip = ClipRect(dc);
    op->textColor = a.textColor;
    op->bkColor = a.bkColor;
    op->bkMode = a.bkMode;
    op->rop2 = a.rop2;
    if (a.pen) {
        op->penStyle = a.pen->penStyle;
        op->penWidth = a.pen->penWidth;
        op->penColor = a.pen->penColor;
        op->penType = a.pen->penType;
        op->penUserStyle = a.pen->userStyle;
    }
    if (a.brush) {
        op->brushStyle = a.brush->brushStyle;
        op->brushColor = a.brush->brushColor;
    }
    return *op;
}

}  // namespace headless

using namespace headless;

namespace Headless {

size_t DCCount()
{
    return LiveDCCount();
}

}  // namespace Headless

// ------------------------------------------------------------------ CDC

BOOL CDC::CreateCompatibleDC(CDC*)
{
    if (m_hDC != nullptr)
        return FALSE;
    DCImpl* dc = NewDC(DCImpl::Kind::Memory, nullptr, RECT{0, 0, 0, 0});
    m_hDC = m_hAttribDC = reinterpret_cast<HDC>(dc);
    m_bOwned = true;
    return TRUE;
}

void PlatformForgetTempDC(HDC hDC);

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    HDC hdc = Detach();
    PlatformForgetTempDC(hdc);
    FreeDC(D(hdc));
    return TRUE;
}

int CDC::SaveDC()
{
    if (!m_hDC)
        return 0;
    DCImpl* dc = D(m_hDC);
    dc->saved.push_back(dc->attr);
    RetainAttributes(dc->attr);
    return static_cast<int>(dc->saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    if (!m_hDC)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    int count = static_cast<int>(dc->saved.size());
    int level = nSavedDC < 0 ? count + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > count)
        return FALSE;
    ReleaseAttributes(dc->attr);
    dc->attr = dc->saved[static_cast<size_t>(level - 1)];  // takes over the saved state's selections
    for (int i = count - 1; i >= level; --i)
        ReleaseAttributes(dc->saved[static_cast<size_t>(i)]);
    dc->saved.resize(static_cast<size_t>(level - 1));
    return TRUE;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (!m_hDC)
        return nullptr;
    DCImpl* dc = D(m_hDC);
    GdiObj* obj = ToObject(hObject);
    if (!obj)
        return nullptr;
    GdiObj** slot = nullptr;
    switch (obj->kind) {
    case ObjKind::Pen: slot = &dc->attr.pen; break;
    case ObjKind::Brush: slot = &dc->attr.brush; break;
    case ObjKind::Font: slot = &dc->attr.font; break;
    case ObjKind::Bitmap:
        if (dc->kind != DCImpl::Kind::Memory)
            return nullptr;
        slot = &dc->bitmap;
        break;
    case ObjKind::Region: {
        CRgn* rgn = CRgn::FromHandle(static_cast<HRGN>(hObject));
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(rgn)));
    }
    }
    GdiObj* old = *slot;
    AddRef(obj);
    *slot = obj;
    if (obj->kind == ObjKind::Bitmap)
        dc->base = RECT{0, 0, obj->bitmap.width, obj->bitmap.height};
    HGDIOBJ oldHandle = old;
    Release(old);
    return oldHandle;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    GdiObj* obj = StockObject(nIndex);
    if (!obj)
        return nullptr;
    HGDIOBJ old = SelectObject(static_cast<HGDIOBJ>(obj));
    return old ? CGdiObject::FromHandle(old) : nullptr;
}

CPen* CDC::GetCurrentPen() const
{
    return m_hDC ? CPen::FromHandle(static_cast<HPEN>(static_cast<HGDIOBJ>(D(m_hDC)->attr.pen))) : nullptr;
}

CBrush* CDC::GetCurrentBrush() const
{
    return m_hDC ? CBrush::FromHandle(static_cast<HBRUSH>(static_cast<HGDIOBJ>(D(m_hDC)->attr.brush))) : nullptr;
}

CFont* CDC::GetCurrentFont() const
{
    return m_hDC ? CFont::FromHandle(static_cast<HFONT>(static_cast<HGDIOBJ>(D(m_hDC)->attr.font))) : nullptr;
}

CBitmap* CDC::GetCurrentBitmap() const
{
    if (!m_hDC || !D(m_hDC)->bitmap)
        return nullptr;
    return CBitmap::FromHandle(static_cast<HBITMAP>(static_cast<HGDIOBJ>(D(m_hDC)->bitmap)));
}

#define KIVO_DC_SETTER(Type, Name, field)      \
    Type CDC::Set##Name(Type value)            \
    {                                          \
        if (!m_hDC)                            \
            return 0;                          \
        Type old = D(m_hDC)->attr.field;       \
        D(m_hDC)->attr.field = value;          \
        return old;                            \
    }                                          \
    Type CDC::Get##Name() const                \
    {                                          \
        return m_hDC ? D(m_hDC)->attr.field : 0; \
    }

KIVO_DC_SETTER(COLORREF, TextColor, textColor)
KIVO_DC_SETTER(COLORREF, BkColor, bkColor)
KIVO_DC_SETTER(int, BkMode, bkMode)
KIVO_DC_SETTER(UINT, TextAlign, textAlign)
KIVO_DC_SETTER(int, ROP2, rop2)
KIVO_DC_SETTER(int, MapMode, mapMode)
#undef KIVO_DC_SETTER

int CDC::SetStretchBltMode(int nStretchMode)
{
    if (!m_hDC)
        return 0;
    int old = D(m_hDC)->attr.stretchMode;
    D(m_hDC)->attr.stretchMode = nStretchMode;
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    if (!m_hDC)
        return CPoint();
    POINT old = D(m_hDC)->attr.windowOrg;
    D(m_hDC)->attr.windowOrg = POINT{x, y};
    return CPoint(old);
}

CPoint CDC::GetWindowOrg() const
{
    return m_hDC ? CPoint(D(m_hDC)->attr.windowOrg) : CPoint();
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    CPoint old = GetWindowOrg();
    SetWindowOrg(old.x + nWidth, old.y + nHeight);
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    if (!m_hDC)
        return CPoint();
    POINT old = D(m_hDC)->attr.viewportOrg;
    D(m_hDC)->attr.viewportOrg = POINT{x, y};
    return CPoint(old);
}

CPoint CDC::GetViewportOrg() const
{
    return m_hDC ? CPoint(D(m_hDC)->attr.viewportOrg) : CPoint();
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    CPoint old = GetViewportOrg();
    SetViewportOrg(old.x + nWidth, old.y + nHeight);
    return old;
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    if (!m_hDC)
        return;
    for (int i = 0; i < nCount; ++i)
        lpPoints[i] = ToDevice(D(m_hDC), lpPoints[i].x, lpPoints[i].y);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    if (!m_hDC)
        return;
    const DCAttributes& a = D(m_hDC)->attr;
    for (int i = 0; i < nCount; ++i) {
        lpPoints[i].x = lpPoints[i].x - a.viewportOrg.x + a.windowOrg.x;
        lpPoints[i].y = lpPoints[i].y - a.viewportOrg.y + a.windowOrg.y;
    }
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

// --------------------------------------------------------------- clipping

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    if (!m_hDC)
        return ERROR;
    DCImpl* dc = D(m_hDC);
    RECT device = ToDevice(dc, RECT{x1, y1, x2, y2});
    dc->attr.clip = IntersectRects(ClipRect(dc), device);
    dc->attr.hasClip = true;
    return EmptyRect(dc->attr.clip) ? NULLREGION : SIMPLEREGION;
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    if (!m_hDC)
        return ERROR;
    DCImpl* dc = D(m_hDC);
    if (pRgn == nullptr) {
        dc->attr.hasClip = false;
    } else {
        RECT box;
        if (pRgn->GetRgnBox(&box) == ERROR)
            return ERROR;
        dc->attr.hasClip = true;
        dc->attr.clip = box;  // regions are in device coordinates
    }
    return EmptyRect(ClipRect(dc)) ? NULLREGION : SIMPLEREGION;
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    if (!m_hDC || !lpRect)
        return ERROR;
    DCImpl* dc = D(m_hDC);
    RECT clip = ClipRect(dc);
    if (EmptyRect(clip)) {
        *lpRect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    *lpRect = clip;
    DPtoLP(lpRect);
    return SIMPLEREGION;
}

BOOL CDC::PtVisible(int x, int y) const
{
    if (!m_hDC)
        return FALSE;
    POINT p = ToDevice(D(m_hDC), x, y);
    RECT clip = ClipRect(D(m_hDC));
    return p.x >= clip.left && p.x < clip.right && p.y >= clip.top && p.y < clip.bottom;
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    if (!m_hDC || !lpRect)
        return FALSE;
    RECT device = Normalized(ToDevice(D(m_hDC), *lpRect));
    return !EmptyRect(IntersectRects(device, ClipRect(D(m_hDC))));
}

// --------------------------------------------------------- lines and shapes

CPoint CDC::MoveTo(int x, int y)
{
    if (!m_hDC)
        return CPoint();
    POINT old = D(m_hDC)->attr.position;
    D(m_hDC)->attr.position = POINT{x, y};
    return CPoint(old);
}

BOOL CDC::LineTo(int x, int y)
{
    if (!m_hDC)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    POINT from = ToDevice(dc, dc->attr.position.x, dc->attr.position.y);
    POINT to = ToDevice(dc, x, y);
    DrawOp& op = Record(dc, DrawKind::Line);
    op.from = from;
    op.to = to;
    op.rect = Normalized(RECT{from.x, from.y, to.x, to.y});
    if (Surface* s = TargetSurface(dc))
        DrawLine(s, PaintArea(dc, s), from.x, from.y, to.x, to.y, dc->attr.pen, dc->attr);
    dc->attr.position = POINT{x, y};
    return TRUE;
}

CPoint CDC::GetCurrentPosition() const
{
    return m_hDC ? CPoint(D(m_hDC)->attr.position) : CPoint();
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    if (!m_hDC || !lpPoints || nCount < 2)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    POINT saved = dc->attr.position;
    MoveTo(lpPoints[0].x, lpPoints[0].y);
    for (int i = 1; i < nCount; ++i)
        LineTo(lpPoints[i].x, lpPoints[i].y);
    dc->attr.position = saved;  // Polyline leaves the current position alone
    return TRUE;
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    if (!m_hDC || !lpPoints || nCount < 2)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    std::vector<POINT> pts;
    RECT bounds = {0, 0, 0, 0};
    for (int i = 0; i < nCount; ++i) {
        POINT p = ToDevice(dc, lpPoints[i].x, lpPoints[i].y);
        pts.push_back(p);
        if (i == 0)
            bounds = RECT{p.x, p.y, p.x + 1, p.y + 1};
        bounds = RECT{std::min(bounds.left, p.x), std::min(bounds.top, p.y), std::max<LONG>(bounds.right, p.x + 1),
                      std::max<LONG>(bounds.bottom, p.y + 1)};
    }
    DrawOp& op = Record(dc, DrawKind::Polygon);
    op.points = pts;
    op.rect = bounds;
    if (Surface* s = TargetSurface(dc)) {
        RECT area = PaintArea(dc, s);
        // Even-odd fill at pixel centres, then the outline.
        if (dc->attr.brush && dc->attr.brush->brushStyle != BS_NULL) {
            for (int y = std::max(bounds.top, area.top); y < std::min(bounds.bottom, area.bottom); ++y) {
                double cy = y + 0.5;
                std::vector<double> xs;
                for (size_t i = 0; i < pts.size(); ++i) {
                    POINT a = pts[i], b = pts[(i + 1) % pts.size()];
                    if ((a.y <= cy && b.y > cy) || (b.y <= cy && a.y > cy))
                        xs.push_back(a.x + (cy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
                }
                std::sort(xs.begin(), xs.end());
                for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                    int x0 = static_cast<int>(std::ceil(xs[i] - 0.5));
                    int x1 = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
                    FillBrush(s, area, RECT{x0, y, x1, y + 1}, dc->attr.brush, dc->attr);
                }
            }
        }
        for (size_t i = 0; i < pts.size(); ++i) {
            POINT a = pts[i], b = pts[(i + 1) % pts.size()];
            DrawLine(s, area, a.x, a.y, b.x, b.y, dc->attr.pen, dc->attr);
        }
    }
    return TRUE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    if (!m_hDC)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    RECT r = Normalized(ToDevice(dc, RECT{x1, y1, x2, y2}));
    DrawOp& op = Record(dc, DrawKind::Rectangle);
    op.rect = r;
    Surface* s = TargetSurface(dc);
    if (!s)
        return TRUE;
    RECT area = PaintArea(dc, s);
    const GdiObj* pen = dc->attr.pen;
    if (!pen || pen->penStyle == PS_NULL) {
        FillBrush(s, area, RECT{r.left, r.top, r.right - 1, r.bottom - 1}, dc->attr.brush, dc->attr);
        return TRUE;
    }
    FillBrush(s, area, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, dc->attr.brush, dc->attr);
    if (r.right - r.left < 1 || r.bottom - r.top < 1)
        return TRUE;
    POINT corners[5] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1},
                        {r.left, r.top}};
    for (int i = 0; i < 4; ++i)
        DrawLine(s, area, corners[i].x, corners[i].y, corners[i + 1].x, corners[i + 1].y, pen, dc->attr);
    if (r.right - r.left == 1 || r.bottom - r.top == 1)
        PutPixel(s, area, r.right - 1, r.bottom - 1, pen->penColor, dc->attr.rop2);
    return TRUE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    if (!m_hDC)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    RECT r = Normalized(ToDevice(dc, RECT{x1, y1, x2, y2}));
    DrawOp& op = Record(dc, DrawKind::Ellipse);
    op.rect = r;
    Surface* s = TargetSurface(dc);
    if (!s || EmptyRect(r))
        return TRUE;
    RECT area = PaintArea(dc, s);
    int h = r.bottom - r.top;
    double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    double rx = (r.right - r.left) / 2.0, ry = h / 2.0;
    std::vector<int> from(static_cast<size_t>(h)), to(static_cast<size_t>(h));
    for (int i = 0; i < h; ++i) {
        double dy = (r.top + i + 0.5 - cy) / ry;
        double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        from[static_cast<size_t>(i)] = static_cast<int>(std::lround(cx - half));
        to[static_cast<size_t>(i)] = static_cast<int>(std::lround(cx + half));  // exclusive
    }
    bool outline = dc->attr.pen && dc->attr.pen->penStyle != PS_NULL;
    for (int i = 0; i < h; ++i) {
        int y = r.top + i;
        int a = from[static_cast<size_t>(i)], b = to[static_cast<size_t>(i)];
        FillBrush(s, area, RECT{a, y, b, y + 1}, dc->attr.brush, dc->attr);
        if (!outline)
            continue;
        for (int x = a; x < b; ++x) {
            bool edge = x == a || x == b - 1 || i == 0 || i == h - 1;
            if (!edge) {
                size_t up = static_cast<size_t>(i - 1), down = static_cast<size_t>(i + 1);
                edge = x < from[up] || x >= to[up] || x < from[down] || x >= to[down];
            }
            if (edge)
                PutPixel(s, area, x, y, dc->attr.pen->penColor, dc->attr.rop2);
        }
    }
    return TRUE;
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (!m_hDC || !lpRect)
        return;
    DCImpl* dc = D(m_hDC);
    GdiObj* brush = pBrush ? ToObject(pBrush->m_hObject) : nullptr;
    RECT r = ToDevice(dc, *lpRect);
    DrawOp& op = Record(dc, DrawKind::FillRect);
    op.rect = r;
    op.brushStyle = brush ? brush->brushStyle : BS_NULL;
    op.brushColor = op.color = brush ? brush->brushColor : 0;
    if (Surface* s = TargetSurface(dc))
        FillBrush(s, PaintArea(dc, s), r, brush, dc->attr);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    if (!m_hDC || !lpRect)
        return;
    DCImpl* dc = D(m_hDC);
    dc->attr.bkColor = clr;
    RECT r = ToDevice(dc, *lpRect);
    DrawOp& op = Record(dc, DrawKind::FillRect);
    op.rect = r;
    op.brushStyle = BS_SOLID;
    op.brushColor = op.color = clr & 0x00FFFFFF;
    if (Surface* s = TargetSurface(dc))
        FillSolid(s, PaintArea(dc, s), r, clr);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (!m_hDC || !lpRect)
        return;
    DCImpl* dc = D(m_hDC);
    GdiObj* brush = pBrush ? ToObject(pBrush->m_hObject) : nullptr;
    RECT r = ToDevice(dc, *lpRect);
    DrawOp& op = Record(dc, DrawKind::FrameRect);
    op.rect = r;
    op.brushStyle = brush ? brush->brushStyle : BS_NULL;
    op.brushColor = op.color = brush ? brush->brushColor : 0;
    Surface* s = TargetSurface(dc);
    if (!s || EmptyRect(r))
        return;
    RECT area = PaintArea(dc, s);
    FillBrush(s, area, RECT{r.left, r.top, r.right, r.top + 1}, brush, dc->attr);
    FillBrush(s, area, RECT{r.left, r.bottom - 1, r.right, r.bottom}, brush, dc->attr);
    FillBrush(s, area, RECT{r.left, r.top, r.left + 1, r.bottom}, brush, dc->attr);
    FillBrush(s, area, RECT{r.right - 1, r.top, r.right, r.bottom}, brush, dc->attr);
}

void CDC::InvertRect(LPCRECT lpRect)
{
    if (!m_hDC || !lpRect)
        return;
    DCImpl* dc = D(m_hDC);
    RECT r = ToDevice(dc, *lpRect);
    Record(dc, DrawKind::InvertRect).rect = r;
    if (Surface* s = TargetSurface(dc))
        XorArea(s, PaintArea(dc, s), r, 0x00FFFFFF);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (!m_hDC || !lpRect)
        return;
    DCImpl* dc = D(m_hDC);
    RECT r = ToDevice(dc, *lpRect);
    DrawOp& op = Record(dc, DrawKind::Draw3dRect);
    op.rect = r;
    op.color = clrTopLeft & 0x00FFFFFF;
    op.color2 = clrBottomRight & 0x00FFFFFF;
    dc->attr.bkColor = clrBottomRight;
    Surface* s = TargetSurface(dc);
    if (!s)
        return;
    RECT area = PaintArea(dc, s);
    int cx = r.right - r.left, cy = r.bottom - r.top;
    FillSolid(s, area, RECT{r.left, r.top, r.left + cx - 1, r.top + 1}, clrTopLeft);
    FillSolid(s, area, RECT{r.left, r.top, r.left + 1, r.top + cy - 1}, clrTopLeft);
    FillSolid(s, area, RECT{r.left + cx - 1, r.top, r.left + cx, r.top + cy}, clrBottomRight);
    FillSolid(s, area, RECT{r.left, r.top + cy - 1, r.left + cx, r.top + cy}, clrBottomRight);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    if (!m_hDC || !lpRect)
        return;
    DCImpl* dc = D(m_hDC);
    RECT r = ToDevice(dc, *lpRect);
    Record(dc, DrawKind::DrawFocusRect).rect = r;
    Surface* s = TargetSurface(dc);
    if (!s || EmptyRect(r))
        return;
    RECT area = PaintArea(dc, s);
    for (int x = r.left; x < r.right; ++x) {
        if (((x - r.left) & 1) == 0) {
            XorArea(s, area, RECT{x, r.top, x + 1, r.top + 1}, 0x00FFFFFF);
            XorArea(s, area, RECT{x, r.bottom - 1, x + 1, r.bottom}, 0x00FFFFFF);
        }
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        if (((y - r.top) & 1) == 0) {
            XorArea(s, area, RECT{r.left, y, r.left + 1, y + 1}, 0x00FFFFFF);
            XorArea(s, area, RECT{r.right - 1, y, r.right, y + 1}, 0x00FFFFFF);
        }
    }
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    if (!m_hDC || !lpRect)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    RECT r = ToDevice(dc, *lpRect);
    DrawOp& op = Record(dc, DrawKind::DrawEdge);
    op.rect = r;
    op.param = nEdge;
    op.flags = nFlags;
    Surface* s = TargetSurface(dc);
    RECT inner = r;
    // Outer ring, then inner ring: top-left and bottom-right colours of each.
    struct Ring {
        UINT raised, sunken;
        int raisedTL, raisedBR, sunkenTL, sunkenBR;
    };
    const Ring rings[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    };
    for (const Ring& ring : rings) {
        int tl = -1, br = -1;
        if (nEdge & ring.raised) {
            tl = ring.raisedTL;
            br = ring.raisedBR;
        } else if (nEdge & ring.sunken) {
            tl = ring.sunkenTL;
            br = ring.sunkenBR;
        }
        if (tl < 0)
            continue;
        if (s) {
            RECT area = PaintArea(dc, s);
            if (nFlags & BF_TOP)
                FillSolid(s, area, RECT{inner.left, inner.top, inner.right, inner.top + 1}, GetSysColor(tl));
            if (nFlags & BF_LEFT)
                FillSolid(s, area, RECT{inner.left, inner.top, inner.left + 1, inner.bottom}, GetSysColor(tl));
            if (nFlags & BF_BOTTOM)
                FillSolid(s, area, RECT{inner.left, inner.bottom - 1, inner.right, inner.bottom}, GetSysColor(br));
            if (nFlags & BF_RIGHT)
                FillSolid(s, area, RECT{inner.right - 1, inner.top, inner.right, inner.bottom}, GetSysColor(br));
        }
        if (nFlags & BF_TOP)
            ++inner.top;
        if (nFlags & BF_LEFT)
            ++inner.left;
        if (nFlags & BF_BOTTOM)
            --inner.bottom;
        if (nFlags & BF_RIGHT)
            --inner.right;
    }
    if ((nFlags & BF_MIDDLE) && s)
        FillSolid(s, PaintArea(dc, s), inner, GetSysColor(COLOR_BTNFACE));
    if (nFlags & BF_ADJUST) {
        lpRect->left += inner.left - r.left;
        lpRect->top += inner.top - r.top;
        lpRect->right += inner.right - r.right;
        lpRect->bottom += inner.bottom - r.bottom;
    }
    return TRUE;
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    if (!m_hDC || !lpRect)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    RECT r = ToDevice(dc, *lpRect);
    DrawOp& op = Record(dc, DrawKind::DrawFrameControl);
    op.rect = r;
    op.param = nType;
    op.flags = nState;
    Surface* s = TargetSurface(dc);
    if (!s || EmptyRect(r))
        return TRUE;
    RECT area = PaintArea(dc, s);
    // A plain picture: a white box in a shadow frame; checked adds a black mark.
    FillSolid(s, area, r, GetSysColor((nState & DFCS_PUSHED) ? COLOR_BTNFACE : COLOR_WINDOW));
    COLORREF frame = GetSysColor(COLOR_BTNSHADOW);
    FillSolid(s, area, RECT{r.left, r.top, r.right, r.top + 1}, frame);
    FillSolid(s, area, RECT{r.left, r.bottom - 1, r.right, r.bottom}, frame);
    FillSolid(s, area, RECT{r.left, r.top, r.left + 1, r.bottom}, frame);
    FillSolid(s, area, RECT{r.right - 1, r.top, r.right, r.bottom}, frame);
    if (nState & DFCS_CHECKED) {
        int w = r.right - r.left, h = r.bottom - r.top;
        FillSolid(s, area, RECT{r.left + w / 4, r.top + h / 4, r.right - w / 4, r.bottom - h / 4}, RGB(0, 0, 0));
    }
    return TRUE;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush*, CBrush*)
{
    if (!m_hDC)
        return;
    DCImpl* dc = D(m_hDC);
    DrawOp& op = Record(dc, DrawKind::DragRect);
    if (lpRect)
        op.rect = ToDevice(dc, *lpRect);
    if (lpRectLast)
        op.rect2 = ToDevice(dc, *lpRectLast);
    op.from = POINT{size.cx, size.cy};
    op.to = POINT{sizeLast.cx, sizeLast.cy};
    Surface* s = TargetSurface(dc);
    if (!s)
        return;
    RECT area = PaintArea(dc, s);
    auto frame = [&](const RECT& r, SIZE t) {
        if (EmptyRect(r))
            return;
        RECT in = {r.left + t.cx, r.top + t.cy, r.right - t.cx, r.bottom - t.cy};
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                bool inside = x >= in.left && x < in.right && y >= in.top && y < in.bottom;
                if (!inside && ((x + y) & 1) == 0)
                    XorArea(s, area, RECT{x, y, x + 1, y + 1}, 0x00FFFFFF);
            }
        }
    };
    if (lpRectLast)
        frame(op.rect2, sizeLast);
    if (lpRect)
        frame(op.rect, size);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    if (!m_hDC)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    POINT p = ToDevice(dc, x, y);
    DrawOp& op = Record(dc, DrawKind::PatBlt);
    op.rect = Normalized(RECT{p.x, p.y, p.x + nWidth, p.y + nHeight});
    op.flags = dwRop;
    op.color = dc->attr.brush ? dc->attr.brush->brushColor : 0;
    if (dwRop == PATCOPY) {
        if (Surface* s = TargetSurface(dc))
            FillBrush(s, PaintArea(dc, s), op.rect, dc->attr.brush, dc->attr);
        return TRUE;
    }
    BLENDFUNCTION none = {};
    Blit(dc, x, y, nWidth, nHeight, nullptr, 0, 0, 0, 0, dwRop, BlitMode::Rop, none, 0);
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    if (!m_hDC)
        return CLR_INVALID;
    DCImpl* dc = D(m_hDC);
    POINT p = ToDevice(dc, x, y);
    DrawOp& op = Record(dc, DrawKind::SetPixel);
    op.from = p;
    op.rect = RECT{p.x, p.y, p.x + 1, p.y + 1};
    op.color = crColor & 0x00FFFFFF;
    RECT clip = ClipRect(dc);
    if (p.x < clip.left || p.x >= clip.right || p.y < clip.top || p.y >= clip.bottom)
        return CLR_INVALID;
    Surface* s = TargetSurface(dc);
    if (!s)
        return crColor & 0x00FFFFFF;
    RECT area = PaintArea(dc, s);
    if (p.x < area.left || p.x >= area.right || p.y < area.top || p.y >= area.bottom)
        return CLR_INVALID;
    COLORREF stored = s->Store(crColor);
    s->Row(p.y)[p.x] = stored;
    return stored;
}

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
    return SetPixel(x, y, crColor) != CLR_INVALID;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    // Any pixel of the target can be read; the clip region limits drawing only
    // (as the system answers in practice).
    if (!m_hDC)
        return CLR_INVALID;
    DCImpl* dc = D(m_hDC);
    Surface* s = TargetSurface(dc);
    if (!s)
        return CLR_INVALID;
    POINT p = ToDevice(dc, x, y);
    if (p.x < 0 || p.x >= s->width || p.y < 0 || p.y >= s->height)
        return CLR_INVALID;
    return s->Row(p.y)[p.x] & 0x00FFFFFF;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    const State& s = S();
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    switch (nIndex) {
    case LOGPIXELSX:
    case LOGPIXELSY: return s.logPixels;
    case HORZRES: return width;
    case VERTRES: return height;
    case HORZSIZE: return s.logPixels ? width * 254 / (s.logPixels * 10) : 0;
    case VERTSIZE: return s.logPixels ? height * 254 / (s.logPixels * 10) : 0;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case RASTERCAPS: return 0x7E99;
    default: return 0;
    }
}

// ---------------------------------------------------------- block transfers

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    if (!m_hDC)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    RecordBlit(dc, DrawKind::BitBlt, x, y, nWidth, nHeight, pSrcDC, xSrc, ySrc, nWidth, nHeight, dwRop);
    BLENDFUNCTION none = {};
    Blit(dc, x, y, nWidth, nHeight, pSrcDC && pSrcDC->m_hDC ? D(pSrcDC->m_hDC) : nullptr, xSrc, ySrc, nWidth, nHeight,
         dwRop, BlitMode::Rop, none, 0);
    return TRUE;
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    if (!m_hDC)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    RecordBlit(dc, DrawKind::StretchBlt, x, y, nWidth, nHeight, pSrcDC, xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
    BLENDFUNCTION none = {};
    Blit(dc, x, y, nWidth, nHeight, pSrcDC && pSrcDC->m_hDC ? D(pSrcDC->m_hDC) : nullptr, xSrc, ySrc, nSrcWidth,
         nSrcHeight, dwRop, BlitMode::Rop, none, 0);
    return TRUE;
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    if (!m_hDC || !pSrcDC || !pSrcDC->m_hDC || nDestWidth < 0 || nDestHeight < 0 || nSrcWidth < 0 || nSrcHeight < 0)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    RecordBlit(dc, DrawKind::AlphaBlend, xDest, yDest, nDestWidth, nDestHeight, pSrcDC, xSrc, ySrc, nSrcWidth,
               nSrcHeight, SRCCOPY)
        .param = blend.SourceConstantAlpha;
    Blit(dc, xDest, yDest, nDestWidth, nDestHeight, D(pSrcDC->m_hDC), xSrc, ySrc, nSrcWidth, nSrcHeight, SRCCOPY,
         BlitMode::Alpha, blend, 0);
    return TRUE;
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    if (!m_hDC || !pSrcDC || !pSrcDC->m_hDC || nDestWidth < 0 || nDestHeight < 0 || nSrcWidth < 0 || nSrcHeight < 0)
        return FALSE;
    DCImpl* dc = D(m_hDC);
    RecordBlit(dc, DrawKind::TransparentBlt, xDest, yDest, nDestWidth, nDestHeight, pSrcDC, xSrc, ySrc, nSrcWidth,
               nSrcHeight, SRCCOPY)
        .color = clrTransparent & 0x00FFFFFF;
    BLENDFUNCTION none = {};
    Blit(dc, xDest, yDest, nDestWidth, nDestHeight, D(pSrcDC->m_hDC), xSrc, ySrc, nSrcWidth, nSrcHeight, SRCCOPY,
         BlitMode::Transparent, none, clrTransparent);
    return TRUE;
}

// ------------------------------------------------------- paint and client DCs

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    HDC hdc = BeginPaintDC(m_hWnd, &m_ps);
    m_hDC = m_hAttribDC = hdc;
}

CPaintDC::~CPaintDC()
{
    if (m_hDC) {
        EndPaintDC(m_hWnd, &m_ps);
        m_hDC = m_hAttribDC = nullptr;
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Window* w = FindWindow(m_hWnd);
    if (w) {
        DCImpl* dc = NewDC(DCImpl::Kind::Window, m_hWnd, ClientRectOf(w));
        m_hDC = m_hAttribDC = reinterpret_cast<HDC>(dc);
    }
}

CClientDC::~CClientDC()
{
    if (m_hDC) {
        HDC hdc = m_hDC;
        m_hDC = m_hAttribDC = nullptr;
        PlatformForgetTempDC(hdc);
        FreeDC(D(hdc));
    }
}
