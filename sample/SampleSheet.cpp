#include "sample/SampleSheet.h"

#include "platform/System.h"

namespace {

const int kHeaderHeight = 24;
const int kRowHeight = 22;
const int kNumberWidth = 40;
const int kColumnWidths[] = {140, 80, 90, 110, 120, 90, 90, 90};
const int kColumnCount = sizeof(kColumnWidths) / sizeof(kColumnWidths[0]);
const COLORREF kHeaderFill = RGB(0xEE, 0xE8, 0xE0);
const COLORREF kHeaderLine = RGB(0xB0, 0xA8, 0xA0);
const COLORREF kGridLine = RGB(0xD0, 0xD7, 0xE5);
const COLORREF kSelection = RGB(0xEA, 0xEC, 0xF5);
const int kSheetChildId = 923;

struct Row {
    const char* cells[6];
};

const Row kRows[] = {
    {{"产品名称", "数量", "单价", "金额", "备注", ""}},
    {{"钢笔", "12", "15.50", "186.00", "办公用品", ""}},
    {{"笔记本", "40", "6.80", "272.00", "", ""}},
    {{"打印纸 A4", "5", "29.90", "149.50", "每箱五包", ""}},
    {{"文件夹", "120", "2.35", "282.00", "", ""}},
    {{"计算器", "3", "88.00", "264.00", "含电池", ""}},
    {{"合计", "180", "", "1,153.50", "", ""}},
};
const int kRowCount = sizeof(kRows) / sizeof(kRows[0]);

void CopyFace(LOGFONT& lf, const char* face)
{
    for (int i = 0; i < LF_FACESIZE - 1 && face[i] != '\0'; ++i)
        lf.lfFaceName[i] = face[i];
}

bool IsNumberColumn(int column)
{
    return column >= 1 && column <= 3;
}

}  // namespace

void SampleSheet::PaintSheet(CDC* dc, const CRect& client)
{
    dc->FillSolidRect(&client, RGB(255, 255, 255));

    LOGFONT lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    CopyFace(lf, "宋体");
    CFont font;
    font.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&lf);
    CFont* oldFont = dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);

    // Header band and row-number column.
    dc->FillSolidRect(0, 0, client.right, kHeaderHeight, kHeaderFill);
    dc->FillSolidRect(0, 0, kNumberWidth, client.bottom, kHeaderFill);

    // The selected cell (row 3, column C).
    int selLeft = kNumberWidth + kColumnWidths[0] + kColumnWidths[1];
    int selTop = kHeaderHeight + 2 * kRowHeight;
    dc->FillSolidRect(selLeft + 1, selTop + 1, kColumnWidths[2] - 1, kRowHeight - 1, kSelection);

    // Grid lines.
    CPen gridPen(PS_SOLID, 1, kGridLine);
    CPen headerPen(PS_SOLID, 1, kHeaderLine);
    CPen* oldPen = dc->SelectObject(&gridPen);
    for (int y = kHeaderHeight; y < client.bottom; y += kRowHeight) {
        dc->MoveTo(kNumberWidth, y);
        dc->LineTo(client.right, y);
    }
    int x = kNumberWidth;
    for (int c = 0; c <= kColumnCount && x < client.right; ++c) {
        dc->MoveTo(x, kHeaderHeight);
        dc->LineTo(x, client.bottom);
        if (c < kColumnCount)
            x += kColumnWidths[c];
    }
    dc->SelectObject(&headerPen);
    dc->MoveTo(0, kHeaderHeight - 1);
    dc->LineTo(client.right, kHeaderHeight - 1);
    dc->MoveTo(kNumberWidth - 1, 0);
    dc->LineTo(kNumberWidth - 1, client.bottom);

    // Column letters and row numbers.
    dc->SetTextColor(RGB(60, 60, 60));
    x = kNumberWidth;
    for (int c = 0; c < kColumnCount && x < client.right; ++c) {
        char letter[2] = {static_cast<char>('A' + c), '\0'};
        CRect r(x, 0, x + kColumnWidths[c], kHeaderHeight);
        dc->DrawText(letter, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc->SelectObject(&headerPen);
        dc->MoveTo(x + kColumnWidths[c] - 1, 3);
        dc->LineTo(x + kColumnWidths[c] - 1, kHeaderHeight - 3);
        x += kColumnWidths[c];
    }
    int row = 1;
    for (int y = kHeaderHeight; y < client.bottom; y += kRowHeight, ++row) {
        CString number;
        number.Format("%d", row);
        CRect r(0, y, kNumberWidth, y + kRowHeight);
        dc->DrawText(number, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    // Cell texts: titles and the total in bold, numbers on the right.
    dc->SetTextColor(RGB(0, 0, 0));
    for (int r = 0; r < kRowCount; ++r) {
        bool strong = r == 0 || r == kRowCount - 1;
        dc->SelectObject(strong ? &bold : &font);
        x = kNumberWidth;
        for (int c = 0; c < 5; ++c) {
            CRect cell(x + 4, kHeaderHeight + r * kRowHeight, x + kColumnWidths[c] - 4,
                       kHeaderHeight + (r + 1) * kRowHeight);
            UINT align = (r > 0 && IsNumberColumn(c)) ? DT_RIGHT : (r == 0 ? DT_CENTER : DT_LEFT);
            if (r == kRowCount - 1 && c == 3)
                dc->SetTextColor(RGB(0xC0, 0, 0));
            dc->DrawText(kRows[r].cells[c], -1, &cell, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
            dc->SetTextColor(RGB(0, 0, 0));
            x += kColumnWidths[c];
        }
    }

    // A frame around the selected cell.
    CPen framePen(PS_SOLID, 2, RGB(0, 0, 0));
    dc->SelectObject(&framePen);
    dc->SelectStockObject(NULL_BRUSH);
    dc->Rectangle(selLeft, selTop, selLeft + kColumnWidths[2] + 1, selTop + kRowHeight + 1);

    dc->SelectObject(oldPen);
    dc->SelectObject(oldFont);
}

void SampleSheet::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    // Composed off screen, shown with one transfer.
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
        PaintSheet(&dc, client);
        return;
    }
    CBitmap* old = memory.SelectObject(&bitmap);
    PaintSheet(&memory, client);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

BOOL SampleSheet::OnEraseBkgnd(CDC*)
{
    return TRUE;  // everything is painted by OnPaint
}

void SampleSheet::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Invalidate(FALSE);
}

int SampleFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    if (!m_sheet.CreateEx(WS_EX_CLIENTEDGE, "KivoSampleSheet", "", WS_CHILD | WS_VISIBLE, client, this, kSheetChildId))
        return -1;
    return 0;
}

void SampleFrame::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_sheet.GetSafeHwnd())
        m_sheet.MoveWindow(0, 0, cx, cy);
}

void SampleFrame::OnDestroy()
{
    CWnd::OnDestroy();
    PlatformPostQuit(0);
}
