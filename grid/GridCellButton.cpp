#include "grid/GridCellButton.h"

#include "base/CArchive.h"
#include "base/NumberText.h"
#include "document/TemplateVersion.h"
#include "grid/CellRecordIO.h"
#include "grid/GridCtrl.h"
#include "grid/GridInputState.h"
#include "grid/GridMessages.h"
#include "grid/SkinBitmaps.h"
#include "platform/DC.h"
#include "platform/Gdi.h"
#include "platform/System.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CGridCellButton, CGridCell)

namespace {

int Scaled(int n, double zoom)
{
    return static_cast<int>(n * zoom);
}

bool Present(const CXmlElement& element, LPCTSTR szKey)
{
    return element.FindAttribute(szKey) >= 0;
}

const char* const kImageKeys[5] = {"btnimgindex", "btnimgfocusedindex", "btnimgpressedindex", "btnimghotindex",
                                   "btnimgdisabledindex"};

// Splits at every occurrence of the separator.
std::vector<CString> Split(const CString& text, const char* separator)
{
    std::vector<CString> parts;
    const std::string s(static_cast<LPCTSTR>(text));
    const std::string sep(separator);
    size_t start = 0;
    for (;;) {
        const size_t at = s.find(sep, start);
        if (at == std::string::npos) {
            parts.emplace_back(s.substr(start).c_str());
            return parts;
        }
        parts.emplace_back(s.substr(start, at - start).c_str());
        start = at + sep.size();
    }
}

}  // namespace

// --- control attributes -------------------------------------------------------------

BOOL CGridCellButton::SetControl(LPCTSTR szControl)
{
    m_element = CXmlElement(szControl != nullptr ? szControl : "", "control");
    ApplyAttributes();
    return TRUE;
}

CString CGridCellButton::GetControl()
{
    return m_element.GetXmlText();
}

BOOL CGridCellButton::SetControlProperty(LPCTSTR szKey, LPCTSTR szValue)
{
    // -1 is a refusal; any other answer is the index written, 0 included.
    const short result = m_element.SetAttribute(szKey, szValue);
    ApplyAttributes();
    return result >= 0 ? TRUE : FALSE;
}

CString CGridCellButton::GetControlProperty(LPCTSTR szKey)
{
    return m_element.GetAttribute(szKey);
}

BOOL CGridCellButton::DelControlProperty(LPCTSTR szKey)
{
    const BOOL result = m_element.DeleteAttribute(szKey);
    ApplyAttributes();
    return result;
}

BOOL CGridCellButton::ConvertStyle()
{
    const CString style = m_element.GetAttribute("style");
    if (style.IsEmpty())
        return FALSE;
    // The older form holds six lines, as the button object's SetStyle writes
    // them: scroll, button type, width, group, align (0 left, 1 right,
    // 2 whole cell) and the button text.
    enum { kScroll, kButtonType, kWidth, kGroup, kAlign, kText, kPartCount };
    const std::vector<CString> parts = Split(Split(style, "\n\n\n").front(), "\n");
    if (parts.size() >= kPartCount) {
        m_nButtonWidth = AToI(parts[kWidth]);
        static const int kAlignOfOlder[3] = {0, 2, 1};
        const int older = AToI(parts[kAlign]);
        if (older >= 0 && older <= 2)
            m_nButtonAlign = kAlignOfOlder[older];
        if (m_nButtonWidth == 0)
            m_nButtonAlign = 1;
        m_strButtonText = parts[kText];
    }
    m_element.SetAttribute("style", "");
    m_element.SetAttribute("btntext", m_strButtonText);
    m_element.SetAttributeInt("align", m_nButtonAlign);
    m_element.SetAttributeInt("btnwidth", m_nButtonWidth);
    return TRUE;
}

void CGridCellButton::ApplyAttributes()
{
    CXmlElement& e = m_element;
    if (!ConvertStyle()) {
        if (Present(e, "btntext"))
            m_strButtonText = e.GetAttribute("btntext");
        else
            e.SetAttribute("btntext", m_strButtonText);
        if (Present(e, "align"))
            m_nButtonAlign = AToI(e.GetAttribute("align"));
        else
            e.SetAttributeInt("align", m_nButtonAlign);
        if (Present(e, "btnwidth"))
            m_nButtonWidth = AToI(e.GetAttribute("btnwidth"));
        else
            e.SetAttributeInt("btnwidth", m_nButtonWidth);
    }
    auto readInt = [&](LPCTSTR key, int& field) {
        if (Present(e, key))
            field = AToI(e.GetAttribute(key));
        else
            e.SetAttributeInt(key, field);
    };
    int disabled = m_bDisabled;
    readInt("disable", disabled);
    m_bDisabled = disabled != 0;
    int textAlign = static_cast<int>(m_nTextAlign);
    readInt("btntextalign", textAlign);
    m_nTextAlign = static_cast<UINT>(textAlign) | DT_SINGLELINE;
    for (int i = 0; i < 5; ++i)
        readInt(kImageKeys[i], m_nImages[i]);
    readInt("textimagepos", m_nTextImagePos);
    readInt("leavetype", m_nLeaveType);
    if (m_bDisabled)
        m_nState = GBS_DISABLED;
    else if (m_nState == GBS_DISABLED)
        m_nState = GBS_NORMAL;
}

void CGridCellButton::SetCoords(int nRow, int nCol)
{
    CGridCell::SetCoords(nRow, nCol);
    m_nButtonRow = nRow;
    m_nButtonCol = nCol;
}

// --- geometry -------------------------------------------------------------------------

void CGridCellButton::ComputeRects(const CRect& cell, int nAlign, int nWidth, CRect* pButton, CRect* pText)
{
    CRect button = cell;
    CRect text = cell;
    if (nAlign == 0) {
        button.right = cell.left + nWidth;
        text.left = cell.left + nWidth;
    } else if (nAlign == 2) {
        button.left = cell.right - nWidth;
        text.right = cell.right - nWidth;
    }
    if (pButton != nullptr)
        *pButton = button;
    if (pText != nullptr)
        *pText = text;
}

CSize CGridCellButton::GetCellExtent(CDC* pDC, int nCol)
{
    if (m_nButtonAlign != 0 && m_nButtonAlign != 2) {
        const int height = m_pGrid != nullptr ? m_pGrid->GetRowHeight(m_nRow) : m_rcDrawn.Height();
        return CSize(m_nButtonWidth, std::max(0, height));
    }
    CSize size = GetTextExtent(GetDisplayText(), pDC, nCol);
    size.cx += m_nButtonWidth;
    return size;
}

int CGridCellButton::GetTextAreaWidth(CDC* pDC, int nCol)
{
    const int whole = CGridCell::GetTextAreaWidth(pDC, nCol);
    if (m_nButtonAlign != 0 && m_nButtonAlign != 2)
        return whole;
    return std::max(0, whole - m_nButtonWidth);
}

// --- input ------------------------------------------------------------------------------

BOOL CGridCellButton::ClientPoint(CPoint ptCellRelative, CPoint* pPoint, CRect* pButton)
{
    if (m_pGrid == nullptr)
        return FALSE;
    CRect rect;
    CPoint origin;
    if (!m_pGrid->GetCellRect(m_nRow, m_nCol, &rect) || !m_pGrid->GetCellTopLeft(m_nRow, m_nCol, &origin))
        return FALSE;
    *pPoint = CPoint(origin.x + ptCellRelative.x, origin.y + ptCellRelative.y);
    ComputeRects(rect, m_nButtonAlign, m_nButtonWidth, pButton, nullptr);
    return TRUE;
}

void CGridCellButton::PostToParent(UINT message, int nCode)
{
    if (m_pGrid == nullptr)
        return;
    m_pGrid->PostGridMessage(message,
                             static_cast<WPARAM>(MAKELONG(static_cast<WORD>(m_nRow), static_cast<WORD>(m_nCol))),
                             static_cast<LPARAM>(MAKELONG(0, nCode)), GridEventLines{m_nRow, m_nCol});
}

void CGridCellButton::OnMouseOver()
{
    if (m_bDisabled) {
        m_nState = GBS_DISABLED;
        return;
    }
    m_nState = GBS_NORMAL;
    if (m_pGrid == nullptr || m_pGrid->GetSafeHwnd() == nullptr)
        return;
    CPoint point;
    GetCursorPos(&point);
    m_pGrid->ScreenToClient(&point);
    CRect rect;
    CRect button;
    if (m_pGrid->GetCellRect(m_nRow, m_nCol, &rect)) {
        ComputeRects(rect, m_nButtonAlign, m_nButtonWidth, &button, nullptr);
        if (button.PtInRect(point))
            m_nState = GBS_HOT;
    }
}

void CGridCellButton::OnMouseLeave()
{
    m_nState = m_bDisabled ? GBS_DISABLED : GBS_NORMAL;
}

void CGridCellButton::OnClickDown(CPoint ptCellRelative)
{
    if (m_bDisabled) {
        m_nState = GBS_DISABLED;
        return;
    }
    CPoint point;
    CRect button;
    if (!ClientPoint(ptCellRelative, &point, &button) || !button.PtInRect(point))
        return;
    m_nState = GBS_PRESSED;
    PostToParent(WM_GRID_CELLBTNLCLICKDOWN, 2);
}

void CGridCellButton::OnClick(CPoint ptCellRelative)
{
    // A disabled button reports no release either: it reported no press.
    if (m_bDisabled) {
        m_nState = GBS_DISABLED;
        return;
    }
    CPoint point;
    CRect button;
    if (!ClientPoint(ptCellRelative, &point, &button) || !button.PtInRect(point))
        return;
    m_nState = GBS_RELEASED;
    // The pressed face goes at once, not with the next paint of the cell.
    if (m_pGrid != nullptr)
        m_pGrid->RedrawCell(m_nRow, m_nCol);
    PostToParent(WM_GRID_CELLBTNLCLICKUP, 1);
}

BOOL CGridCellButton::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    CRect button;
    CRect text;
    ComputeRects(rect, m_nButtonAlign, m_nButtonWidth, &button, &text);
    if (nChar == GRID_EDIT_START_BY_MOUSE && button.PtInRect(point))
        return FALSE;
    return CGridCell::Edit(nRow, nCol, text, point, nID, nChar);
}

// --- painting ---------------------------------------------------------------------------

BOOL CGridCellButton::Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd)
{
    return DrawButtonCell(pDC, nRow, nCol, rect, bEraseBkgnd, FALSE);
}

BOOL CGridCellButton::DrawContent(CDC* pDC, int nRow, int nCol, CRect rect)
{
    return DrawButtonCell(pDC, nRow, nCol, rect, TRUE, TRUE);
}

BOOL CGridCellButton::DrawButtonCell(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd, BOOL bPrinting)
{
    if (pDC == nullptr || rect.IsRectEmpty())
        return FALSE;
    m_rcDrawn = rect;
    m_nButtonRow = nRow;
    m_nButtonCol = nCol;
    CRect button;
    CRect text;
    ComputeRects(rect, m_nButtonAlign, m_nButtonWidth, &button, &text);
    const CRect content = (IsFocused() || m_nLeaveType == 1) ? text : rect;
    if (bPrinting)
        CGridCell::DrawContent(pDC, nRow, nCol, content);
    else
        CGridCell::Draw(pDC, nRow, nCol, content, bEraseBkgnd);
    if (!IsVisible())
        return TRUE;
    DrawFace(pDC, button);
    if (m_pGrid != nullptr)
        DrawBorders(m_pGrid, pDC, rect, nRow, nCol, bPrinting);
    return TRUE;
}

void CGridCellButton::DrawFace(CDC* pDC, CRect rect)
{
    const BOOL focused = IsFocused();
    if (!focused && m_nLeaveType == 0)
        return;
    const double zx = m_pGrid != nullptr ? m_pGrid->GetZoomX() : 1.0;
    const double zy = m_pGrid != nullptr ? m_pGrid->GetZoomY() : 1.0;
    rect.left += Scaled(2, zx);
    rect.top += Scaled(2, zy);
    if (rect.IsRectEmpty())
        return;
    pDC->FillSolidRect(&rect, RGB(255, 255, 255));

    int face = (m_nState >= 0 && m_nState < 5) ? m_nState : GBS_NORMAL;
    if (focused && m_nState == GBS_NORMAL)
        face = GBS_RELEASED;
    CBitmap* pSkin = m_pGrid != nullptr ? m_pGrid->GetSkinBitmap(SKIN_BUTTON) : nullptr;
    if (pSkin != nullptr && pSkin->GetSafeHandle() != nullptr) {
        const CSize size = pSkin->GetSize();
        const int fh = size.cy / 5;
        CDC source;
        if (fh > 4 && size.cx > 4 && source.CreateCompatibleDC(pDC)) {
            CBitmap* pOld = source.SelectObject(pSkin);
            pDC->SetStretchBltMode(COLORONCOLOR);
            const int sy = face * fh;
            const int cx = std::max(1, Scaled(2, zx));
            const int cy = std::max(1, Scaled(2, zy));
            const int w = rect.Width();
            const int h = rect.Height();
            const int midW = std::max(0, w - 2 * cx);
            const int midH = std::max(0, h - 2 * cy);
            const int sw = size.cx;
            // Corners, edges and the middle, each piece of the face scaled.
            pDC->StretchBlt(rect.left, rect.top, cx, cy, &source, 0, sy, 2, 2, SRCCOPY);
            pDC->StretchBlt(rect.right - cx, rect.top, cx, cy, &source, sw - 2, sy, 2, 2, SRCCOPY);
            pDC->StretchBlt(rect.left, rect.bottom - cy, cx, cy, &source, 0, sy + fh - 2, 2, 2, SRCCOPY);
            pDC->StretchBlt(rect.right - cx, rect.bottom - cy, cx, cy, &source, sw - 2, sy + fh - 2, 2, 2, SRCCOPY);
            pDC->StretchBlt(rect.left + cx, rect.top, midW, cy, &source, 2, sy, sw - 4, 2, SRCCOPY);
            pDC->StretchBlt(rect.left + cx, rect.bottom - cy, midW, cy, &source, 2, sy + fh - 2, sw - 4, 2, SRCCOPY);
            pDC->StretchBlt(rect.left, rect.top + cy, cx, midH, &source, 0, sy + 2, 2, fh - 4, SRCCOPY);
            pDC->StretchBlt(rect.right - cx, rect.top + cy, cx, midH, &source, sw - 2, sy + 2, 2, fh - 4, SRCCOPY);
            pDC->StretchBlt(rect.left + cx, rect.top + cy, midW, midH, &source, 2, sy + 2, sw - 4, fh - 4, SRCCOPY);
            source.SelectObject(pOld);
        }
    }

    CFont* pFont = GetFontObject();
    CFont* pOldFont = pFont != nullptr ? pDC->SelectObject(pFont) : nullptr;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->SetTextColor(GetTextColor());

    const int image = m_nImages[face];
    HBITMAP hPicture = nullptr;
    if (image >= 0 && m_pGrid != nullptr) {
        CGridPictureList& pictures = m_pGrid->GetPictureList();
        if (image < pictures.GetCount())
            hPicture = pictures.GetBitmap(pictures.GetPictureId(image));
    }
    CBitmap* pPicture = hPicture != nullptr ? CBitmap::FromHandle(hPicture) : nullptr;
    // Nothing of the face reaches past the button: not the text of a short
    // row, not a picture taller than the row.
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(rect);
    if (pPicture == nullptr) {
        CRect textRect = rect;
        textRect.top -= Scaled(GetMargin() + 2, zy);
        pDC->DrawText(m_strButtonText, &textRect, m_nTextAlign);
    } else {
        const CSize own = pPicture->GetSize();
        const CSize textSize = pDC->GetTextExtent(m_strButtonText);
        const int textW = static_cast<int>(textSize.cx);
        const int textH = static_cast<int>(textSize.cy);
        const bool sideBySide = m_nTextImagePos == 1 || m_nTextImagePos == 3;
        const CSize gapX = pDC->GetTextExtent(CString("X"));
        int gap = static_cast<int>(sideBySide ? gapX.cx / 2 : gapX.cy / 2);
        // The picture shrinks (keeping its shape) to the height the button
        // has for it; stacked, the text keeps its line and the gap goes
        // first, but the picture keeps at least half the height.
        int picW = static_cast<int>(own.cx);
        int picH = static_cast<int>(own.cy);
        const int height = static_cast<int>(rect.Height());
        int room = height;
        if (!sideBySide) {
            gap = std::max(0, std::min(gap, room - textH - picH));
            room = std::max(room - textH - gap, height / 2);
        }
        if (picH > room && own.cy > 0) {
            picH = std::max(0, room);
            picW = static_cast<int>(static_cast<long long>(own.cx) * picH / own.cy);
        }
        const CSize pic(picW, picH);
        // Stacked in a button lower than both, the text gets what the picture
        // leaves (and is cut to it).
        const int textLine = sideBySide ? textH : std::max(0, std::min(textH, height - picH - gap));
        const CSize block = sideBySide ? CSize(picW + textW + gap, std::max(picH, textH))
                                       : CSize(std::max(picW, textW), picH + textLine + gap);
        CPoint at(rect.left, rect.top);
        if (m_nTextAlign & DT_BOTTOM)
            at.y = rect.bottom - block.cy;
        else if (m_nTextAlign & DT_VCENTER)
            at.y = rect.top + (rect.Height() - block.cy) / 2;
        if (m_nTextAlign & DT_RIGHT)
            at.x = rect.right - block.cx;
        else if (m_nTextAlign & DT_CENTER)
            at.x = rect.left + (rect.Width() - block.cx) / 2;
        // A block larger than the button starts at its top left corner.
        if (at.x < rect.left)
            at.x = rect.left;
        if (at.y < rect.top)
            at.y = rect.top;
        CPoint picAt = at;
        CRect textRect(at.x, at.y, at.x + block.cx, at.y + block.cy);
        switch (m_nTextImagePos) {
        case 1:   // text, then the picture
            textRect.right = at.x + textW;
            picAt.x = textRect.right + gap;
            break;
        case 2:   // text above the picture
            textRect.bottom = at.y + textLine;
            picAt.y = textRect.bottom + gap;
            break;
        case 4:   // picture above the text
            textRect.top = at.y + pic.cy + gap;
            break;
        default:  // picture, then the text
            textRect.left = at.x + pic.cx + gap;
            break;
        }
        CDC source;
        if (pic.cx > 0 && pic.cy > 0 && source.CreateCompatibleDC(pDC)) {
            CBitmap* pOld = source.SelectObject(pPicture);
            if (pic == own) {
                pDC->BitBlt(picAt.x, picAt.y, pic.cx, pic.cy, &source, 0, 0, SRCCOPY);
            } else {
                pDC->SetStretchBltMode(COLORONCOLOR);
                pDC->StretchBlt(picAt.x, picAt.y, pic.cx, pic.cy, &source, 0, 0, own.cx, own.cy, SRCCOPY);
            }
            source.SelectObject(pOld);
        }
        pDC->DrawText(m_strButtonText, &textRect, m_nTextAlign);
    }
    pDC->RestoreDC(saved);
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

// --- the record ---------------------------------------------------------------------------

void CGridCellButton::WriteButtonItems(CCellRecordWriter& w)
{
    const CString control = GetControl();
    if (!control.IsEmpty())
        w.Text(CELL_RECORD_BUTTON_CONTROL, control);
    if (m_nButtonRow >= 0)
        w.Int(CELL_RECORD_BUTTON_ROW, m_nButtonRow);
    if (m_nButtonCol >= 0)
        w.Int(CELL_RECORD_BUTTON_COL, m_nButtonCol);
}

int CGridCellButton::GetRecordSize()
{
    CCellRecordWriter counter(nullptr);
    WriteButtonItems(counter);
    return CellRecordLevelSize(CGridCell::GetRecordSize(), counter.GetItemBytes());
}

void CGridCellButton::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring()) {
        ar << CGridCellButton::GetRecordSize();
        CGridCell::SerializeRecord(ar, nullptr);
        CCellRecordWriter writer(&ar);
        WriteButtonItems(writer);
        ar << CELL_RECORD_BUTTON_END;
        return;
    }
    // Templates up to "03.81" hold the shorter level; outside a template
    // (no version read) the record is this system's own.
    const bool older = !GetTemplateVersionText().IsEmpty() && !IsTemplateVersionAbove("03.81");
    CCellRecordReader rd(ar, pnRunningSize);
    if (older)
        CGridCellBase::SerializeRecord(ar, rd.Counter());
    else
        CGridCell::SerializeRecord(ar, rd.Counter());
    if (rd.ReadEndOfEmptyLevel())
        return;
    int tag = 0;
    int length = 0;
    while (rd.NextItem(CELL_RECORD_BUTTON_END, tag, length)) {
        CString text;
        int value = 0;
        if (tag == CELL_RECORD_BUTTON_CONTROL) {
            if (rd.ReadText(text))
                SetControl(text);
        } else if (!older && tag == CELL_RECORD_BUTTON_ROW) {
            if (rd.ReadInt(value))
                m_nButtonRow = value;
        } else if (!older && tag == CELL_RECORD_BUTTON_COL) {
            if (rd.ReadInt(value))
                m_nButtonCol = value;
        } else {
            rd.SkipItem();
        }
    }
}
