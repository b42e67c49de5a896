// The picture both proofs paint: a filled rectangle, a line and a line of
// Chinese text, drawn through CDC, and a child window that paints it and
// reports to its parent.
#pragma once

#include "platform/DC.h"
#include "platform/Wnd.h"

namespace proof {

const COLORREF kFill = RGB(200, 40, 40);
const COLORREF kLine = RGB(0, 0, 160);
const COLORREF kText = RGB(0, 0, 0);
const COLORREF kBackground = RGB(255, 255, 255);
const CRect kFillRect(10, 10, 90, 50);
const CPoint kLineFrom(10, 60);
const CPoint kLineTo(150, 60);
const CRect kTextRect(10, 70, 190, 100);
const char* const kChinese = "中文表格";
const UINT kReportMessage = WM_USER + 4;  // the child's report to its parent

inline void PaintPicture(CDC* dc, const CRect& client)
{
    dc->FillSolidRect(&client, kBackground);
    dc->FillSolidRect(&kFillRect, kFill);
    CPen pen(PS_SOLID, 1, kLine);
    CPen* oldPen = dc->SelectObject(&pen);
    dc->MoveTo(kLineFrom);
    dc->LineTo(kLineTo);
    dc->SelectObject(oldPen);
    LOGFONT lf = {};
    lf.lfHeight = -20;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    const char face[] = "宋体";
    for (int i = 0; i < static_cast<int>(sizeof(face)) && i < LF_FACESIZE - 1; ++i)
        lf.lfFaceName[i] = face[i];
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* oldFont = dc->SelectObject(&font);
    dc->SetTextColor(kText);
    dc->SetBkMode(TRANSPARENT);
    CRect textRect = kTextRect;
    dc->DrawText(kChinese, -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc->SelectObject(oldFont);
}

// Paints the picture and, once painted, tells its parent.
class PictureWnd : public CWnd {
public:
    int paints = 0;

    void Paint(CDC* dc)
    {
        CRect client;
        GetClientRect(&client);
        PaintPicture(dc, client);
    }

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        Paint(&dc);
        ++paints;
        GetParent()->SendMessage(kReportMessage, static_cast<WPARAM>(GetDlgCtrlID()), paints);
    }
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PRINTCLIENT) {
            Paint(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Writes down the reports it gets.
class ParentWnd : public CWnd {
public:
    UINT lastMessage = 0;
    WPARAM lastWParam = 0;
    LPARAM lastLParam = 0;
    int reports = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kReportMessage) {
            lastMessage = message;
            lastWParam = wParam;
            lastLParam = lParam;
            ++reports;
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

}  // namespace proof
