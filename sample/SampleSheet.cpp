#include "sample/SampleSheet.h"

#include "grid/GridCellTypes.h"
#include "grid/TreeColumn.h"
#include "platform/System.h"

#include <cstdio>
#include <cstring>
#include <vector>
#include <string>

namespace {

const int kGridChildId = 923;
const int kSampleRows = 300;

const char* const kTitles[] = {"产品名称", "数量", "单价", "金额", "备注", "仓库", "日期"};
const int kColumnWidths[] = {48, 130, 70, 80, 100, 120, 110, 110};

struct Product {
    const char* name;
    const char* note;
};
const Product kProducts[] = {
    {"钢笔", "办公用品"}, {"笔记本", ""}, {"打印纸 A4", "每箱五包"}, {"文件夹", ""}, {"计算器", "含电池"},
    {"订书机", "金属"}, {"便利贴", "黄色"}, {"白板笔", "黑色"}, {"胶带", ""}, {"剪刀", "不锈钢"},
};
const char* const kStores[] = {"北京一号库", "上海二号库", "广州三号库"};
// The warehouse is chosen from a list, the date typed into date fields, and
// the note ticked from a few tags on the first rows.
const char kStoreControl[] =
    "<control controltype = \"combobox\" style = \"1\" datasource = \"北京一号库\n上海二号库\n广州三号库\" ></control>";
const char kDateControl[] = "<control controltype = \"datetime\" splitertype = \"1\" datetimestyle = \"0\" ></control>";
const char kNoteControl[] =
    "<control controltype = \"combocheck\" style = \"1\" datasource = \"办公用品\n含电池\n金属\n黄色\n黑色\" ></control>";

void SetGridFont(CGridCtrl& grid)
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -13;
    lf.lfWeight = 400;
    lf.lfCharSet = 134;  // GB2312: Chinese glyphs
    std::strcpy(lf.lfFaceName, "宋体");
    for (int i = 0; i < 4; ++i)
        grid.GetDefaultCell(i & 1, (i >> 1) & 1)->SetFont(&lf);
}

// A 16 x 16 picture (a blue-to-green square with a white frame) as a
// 24-bit BMP file, for the image cells.
std::vector<BYTE> SamplePicture()
{
    std::vector<BYTE> b;
    auto u16 = [&b](int v) { b.push_back(BYTE(v & 0xFF)); b.push_back(BYTE((v >> 8) & 0xFF)); };
    auto u32 = [&u16](int v) { u16(v & 0xFFFF); u16((v >> 16) & 0xFFFF); };
    const int image = 16 * 16 * 3;
    b.push_back('B');
    b.push_back('M');
    for (int v : {14 + 40 + image, 0, 14 + 40, 40, 16, 16})
        u32(v);
    u16(1);
    u16(24);
    for (int v : {0, image, 2835, 2835, 0, 0})
        u32(v);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool frame = x == 0 || y == 0 || x == 15 || y == 15;
            b.push_back(frame ? 255 : BYTE(255 - y * 12));   // blue
            b.push_back(frame ? 255 : BYTE(80 + y * 10));    // green
            b.push_back(frame ? 255 : 40);                   // red
        }
    }
    return b;
}

// Rows 40 to 44 of the note column, below the store outline, show the
// control-text cells: a check box, a push button, a number-only cell, a link
// and a picture.
void AddTypedCells(CGridCtrl& grid)
{
    const int kTypedRow = 40;
    const std::vector<BYTE> picture = SamplePicture();
    const int id = grid.GetPictureList().AddPictureData(picture.data(), static_cast<int>(picture.size()));
    char image[128];
    std::snprintf(image, sizeof(image), "<control controltype=\"image\" index=\"%d\" sizetype=\"0\" align=\"5\" ></control>", id);
    const char* const kControls[] = {
        "<control controltype=\"checkbox\" setcheck=\"1\" ></control>",
        "<control controltype=\"button\" btntext=\"详情\" leavetype=\"1\" ></control>",
        "<control controltype=\"numeric\" limit=\"1\" inputmin=\"0\" inputmax=\"999\" ></control>",
        "<control controltype=\"url\" openmode=\"click\" ></control>",
        image,
    };
    const char* const kTexts[] = {"已入库", "", "12", "www.example.cn", ""};
    // The text first: a check cell takes its state from a text set later.
    for (int i = 0; i < 5; ++i) {
        grid.GetCell(kTypedRow + i, 5)->SetText(kTexts[i]);
        grid.SetCellControl(kTypedRow + i, 5, kControls[i]);
    }
}

// Rows 46 to 48 of the note column hold rich-text notes: coloured and bold
// runs and a second line, edited with the format toolbar (F2 or a double
// click). The rows with two lines are taller.
const int kRichRow = 46;
const int kRichCol = 5;
const char kRtfHead[] =
    "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
    "{\\colortbl ;\\red200\\green0\\blue0;\\red0\\green80\\blue200;}\\pard\\plain\\f0\\fs18 ";
// "加急 订单" with the first word bold and red, "下周一发货" on a second line in blue.
const char kRichUrgent[] =
    "\\b\\cf1 \\'bc\\'d3\\'bc\\'b1\\b0\\cf0  \\'b6\\'a9\\'b5\\'a5\\par \\cf2 \\'cf\\'c2\\'d6\\'dc\\'d2\\'bb\\'b7\\'a2\\'bb\\'f5\\cf0}";
// "重要" bold, then plain "说明".
const char kRichImportant[] = "\\b \\'d6\\'d8\\'d2\\'aa\\b0  \\'cb\\'b5\\'c3\\'f7}";
// "备注" in blue italics over a plain second line.
const char kRichNote[] = "\\i\\cf2 \\'b1\\'b8\\'d7\\'a2\\i0\\cf0\\par Line 2}";

void AddRichTextCells(CGridCtrl& grid)
{
    const char* const kBodies[] = {kRichUrgent, kRichImportant, kRichNote};
    // The plain text goes with the formatted one: the grid's text members,
    // sorting and searching read it.
    const char* const kTexts[] = {"加急 订单\r\n下周一发货", "重要 说明", "备注\r\nLine 2"};
    const int kHeights[] = {40, 22, 40};
    for (int i = 0; i < 3; ++i) {
        const int row = kRichRow + i;
        if (!grid.SetCellType(row, kRichCol, GCT_SUPEREDIT))
            continue;
        grid.SetCellRichText(row, kRichCol, (std::string(kRtfHead) + kBodies[i]).c_str());
        grid.GetCell(row, kRichCol)->SetText(kTexts[i]);
        grid.SetRowHeight(row, kHeights[i]);
    }
}

// The first 31 product rows as an outline in the name column: all stores,
// then each store with its ten products, each store's amount summed from its
// products. A click on a box folds or unfolds a store.
void AddStoreTree(CGridCtrl& grid)
{
    CTreeColumn* tree = grid.AddTree(2, 1);
    if (tree == nullptr)
        return;
    std::string levels = "1";
    for (int store = 0; store < 3; ++store) {
        levels += ",2";
        for (int product = 0; product < 9; ++product)
            levels += ",3";
    }
    tree->SetControl(("<control treerow = \"" + levels + "\" ></control>").c_str());
    grid.SetCellText(2, 1, "全部仓库");
    for (int store = 0; store < 3; ++store) {
        const int row = 3 + store * 10;
        grid.SetCellText(row, 1, kStores[store]);
        for (int c = 2; c < 8; ++c)
            grid.SetCellText(row, c, "");
        for (int product = 1; product <= 9; ++product)
            grid.SetCellText(row + product, 6, kStores[store]);
        tree->SumChildrenInColumn(row, 4);
        grid.GetCell(row, 4)->SetAlign(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    tree->SumChildrenInColumn(2, 4);
    grid.GetCell(2, 4)->SetAlign(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    for (int c = 2; c < 8; ++c) {
        if (c != 4)
            grid.SetCellText(2, c, "");
    }
    tree->Collapse(23);
    tree->ApplyRowVisibility();
}

}  // namespace

void SampleFrame::FillSampleGrid(CGridCtrl& grid)
{
    SetGridFont(grid);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    grid.SetColumnCount(8);
    grid.SetRowCount(kSampleRows + 1);
    for (int c = 0; c < 8; ++c)
        grid.SetColumnWidth(c, kColumnWidths[c]);
    for (int r = 0; r <= kSampleRows + 1 && r < grid.GetRowCount(); ++r)
        grid.SetRowHeight(r, 22);

    char text[64];
    for (int c = 1; c < 8; ++c) {
        CGridCellBase* cell = grid.GetCell(1, c);
        cell->SetText(kTitles[c - 1]);
        cell->SetAlign(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        cell->SetBackColor(RGB(0xFF, 0xF4, 0xD6));
        cell->SetBorder(CBF_BOTTOM, RGB(0x40, 0x60, 0xA0), 0, 2);
    }
    double total = 0;
    for (int r = 2; r <= kSampleRows; ++r) {
        const Product& p = kProducts[(r - 2) % 10];
        grid.SetCellControl(r, 6, kStoreControl);
        grid.SetCellControl(r, 7, kDateControl);
        if (r < 12)
            grid.SetCellControl(r, 5, kNoteControl);
        int count = 3 + (r * 7) % 120;
        double price = 1.5 + ((r * 13) % 90) * 0.95;
        double amount = count * price;
        total += amount;
        grid.GetCell(r, 1)->SetText(p.name);
        grid.GetCell(r, 2)->SetValue(count);
        std::snprintf(text, sizeof(text), "%.2f", price);
        grid.GetCell(r, 3)->SetText(text);
        grid.GetCell(r, 3)->SetAlign(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        std::snprintf(text, sizeof(text), "%.2f", amount);
        grid.GetCell(r, 4)->SetText(text);
        grid.GetCell(r, 4)->SetAlign(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        grid.GetCell(r, 5)->SetText(p.note);
        grid.GetCell(r, 6)->SetText(kStores[r % 3]);
        std::snprintf(text, sizeof(text), "2024-%02d-%02d", 1 + r % 12, 1 + r % 28);
        grid.GetCell(r, 7)->SetText(text);
        if (r % 10 == 1) {
            for (int c = 1; c < 8; ++c)
                grid.GetCell(r, c)->SetBorder(CBF_BOTTOM, RGB(0xC0, 0x30, 0x30), 0, 1);
        }
    }
    grid.GetCell(kSampleRows, 1)->SetText("合计");
    std::snprintf(text, sizeof(text), "%.2f", total);
    grid.GetCell(kSampleRows, 4)->SetText(text);
    grid.GetCell(kSampleRows, 4)->SetBorder(CBF_LEFT | CBF_TOP | CBF_RIGHT | CBF_BOTTOM, RGB(0x20, 0x80, 0x20), 0, 2);

    AddTypedCells(grid);
    AddRichTextCells(grid);
    AddStoreTree(grid);

    grid.SetFreezeTopRows(1);
    grid.SetFreezeLeftCols(1);
    grid.SetFreezeBottomRows(1);
    grid.SetFocusCell(3, 2);
    grid.SetSelectedRange(3, 2, 5, 3, FALSE, TRUE);
}

int SampleFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    FillSampleGrid(m_grid);
    if (!m_grid.Create(client, this, kGridChildId, WS_CHILD | WS_VISIBLE | WS_TABSTOP))
        return -1;
    m_grid.UpdateScrollBars();
    return 0;
}

void SampleFrame::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_grid.GetSafeHwnd()) {
        m_grid.MoveWindow(0, 0, cx, cy);
        m_grid.UpdateScrollBars();
    }
}

void SampleFrame::OnDestroy()
{
    CWnd::OnDestroy();
    PlatformPostQuit(0);
}
