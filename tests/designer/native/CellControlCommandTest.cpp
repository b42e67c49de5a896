// The control-type and display-format commands, the cell menu's own
// commands and the view's file and clipboard commands, run through the
// command table on the control core.
#include "designer/DesignerFixture.h"
#include "designer/DesignerCommands.h"
#include "designer/commands/CellCommandIds.h"
#include "designer/dialogs/CellToolDialogs.h"
#include "designer/dialogs/ControlTypeDialogs.h"
#include "designer/dialogs/FormatDialogs.h"
#include "control/PictureSignature.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace designertest;
using namespace cellcmd;

namespace {

// A scripted answer: fills the dialog as a user would, then presses OK (the
// answer is IDCANCEL when the dialog refused its fields).
template <class Dialog>
std::function<int(CDesignerDialog&)> Ok(ScriptedUi& ui, std::function<void(Dialog&)> fill)
{
    return [&ui, fill](CDesignerDialog& base) {
        auto* dlg = dynamic_cast<Dialog*>(&base);
        EXPECT_NE(nullptr, dlg);
        if (dlg == nullptr)
            return IDCANCEL;
        fill(*dlg);
        return dlg->Accept(ui) ? IDOK : IDCANCEL;
    };
}

// A 2 x 2 bitmap of 24-bit pixels.
std::string WriteBitmap()
{
    static const unsigned char bmp[] = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,
        0, 0, 0, 0, 16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};
    char name[] = "/tmp/kivo_pictureXXXXXX";
    const int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(static_cast<ssize_t>(sizeof bmp), write(fd, bmp, sizeof bmp));
    close(fd);
    return name;
}

std::string TempPath(const char* leaf)
{
    char dir[] = "/tmp/kivo_viewXXXXXX";
    EXPECT_NE(nullptr, mkdtemp(dir));
    return std::string(dir) + "/" + leaf;
}

}  // namespace

TEST(ControlTypeCommands, DialogFilledFromTheFirstCellAndAppliedToAll)
{
    Designer d;
    d.grid.GridSetSelectRange(1, 1, 1, 2);
    ASSERT_EQ(2, d.grid.GridGetSelectedCount());
    EXPECT_TRUE(d.State(kControlCombo).enabled);
    EXPECT_FALSE(d.State(kControlCombo).checked);
    EXPECT_TRUE(d.State(kControlEdit).checked);

    d.ui.dialogs.push_back(Ok<CComboBoxControlDlg>(d.ui, [](CComboBoxControlDlg& dlg) {
        EXPECT_TRUE(dlg.m_items.empty());
        dlg.m_items = {CString("北京"), CString("上海")};
    }));
    EXPECT_TRUE(d.Run(kControlCombo));
    for (LONG col : {1, 2}) {
        EXPECT_EQ(1, d.grid.CellGetControlType(1, col));
        EXPECT_EQ("北京\n上海\n", d.grid.CellGetControlProperty(1, col, CString("datasource")).Str());
    }
    EXPECT_TRUE(d.State(kControlCombo).checked);
    EXPECT_FALSE(d.State(kControlEdit).checked);
    EXPECT_TRUE(d.doc.IsModified());

    // Opened again on a combo cell: the dialog shows its items; Cancel changes nothing.
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& dlg = dynamic_cast<CComboBoxControlDlg&>(base);
        EXPECT_EQ(2u, dlg.m_items.size());
        dlg.m_items.clear();
        return IDCANCEL;
    });
    d.Run(kControlCombo);
    EXPECT_EQ("北京\n上海\n", d.grid.CellGetControlProperty(1, 2, CString("datasource")).Str());

    // "数值" on a combo cell opens with its own defaults; on a numeric cell with the cell's range.
    d.ui.dialogs.push_back(Ok<CNumericControlDlg>(d.ui, [](CNumericControlDlg& dlg) {
        EXPECT_EQ(-1, dlg.m_nInputType);
        EXPECT_EQ(0.0, dlg.m_dMax);
        dlg.m_nInputType = 1;
        dlg.m_nLimit = 1;
        dlg.m_dMin = 1.5;
        dlg.m_dMax = 9;
    }));
    d.Run(kControlNumeric);
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& dlg = dynamic_cast<CNumericControlDlg&>(base);
        EXPECT_EQ(1.5, dlg.m_dMin);
        EXPECT_EQ(9.0, dlg.m_dMax);
        return IDCANCEL;
    });
    d.Run(kControlNumeric);
    EXPECT_TRUE(d.State(kControlNumeric).checked);

    // "按钮" on a numeric cell opens with the button's own defaults.
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& dlg = dynamic_cast<CButtonControlDlg&>(base);
        EXPECT_EQ("...", dlg.m_strText.Str());
        EXPECT_EQ(22, dlg.m_nWidth);
        return IDCANCEL;
    });
    d.Run(kControlButton);

    // "普通" turns the cells back into edit cells.
    EXPECT_TRUE(d.Run(kControlEdit));
    EXPECT_EQ(0, d.grid.CellGetControlType(1, 1));
    EXPECT_TRUE(d.State(kControlEdit).checked);

    // "超级编辑框" makes rich-text cells.
    EXPECT_TRUE(d.Run(kControlRichText));
    EXPECT_EQ(10, d.grid.CellGetControlType(1, 2));
    EXPECT_TRUE(d.State(kControlRichText).checked);
}

TEST(ControlTypeCommands, LinkCellsTakeTheDisplayTextAsValue)
{
    Designer d;
    d.grid.GridSetSelectRange(2, 1, 3, 1);
    d.ui.dialogs.push_back(Ok<CUrlControlDlg>(d.ui, [](CUrlControlDlg& dlg) {
        dlg.m_strUrl = "http://127.0.0.1/";
        dlg.m_strDisplay = "首页";
    }));
    EXPECT_TRUE(d.Run(kControlUrl));
    for (LONG row : {2, 3}) {
        EXPECT_EQ(9, d.grid.CellGetControlType(row, 1));
        EXPECT_EQ("首页", d.grid.CellGetValue(row, 1).Str());
        EXPECT_EQ("http://127.0.0.1/", d.grid.CellGetControlProperty(row, 1, CString("url")).Str());
    }
    // Without a selection nothing is enabled.
    Designer empty;
    empty.grid.GridSetSelectRange(-1, -1, -1, -1);
    if (empty.grid.GridGetSelectedCount() == 0)
        EXPECT_FALSE(empty.State(kControlUrl).enabled);
}

TEST(FormatTypeCommands, FormatsAppliedAndReopenedWithTheirSettings)
{
    Designer d;
    d.grid.GridSetSelectRange(1, 1, 2, 1);
    d.ui.dialogs.push_back(Ok<CNumericFormatDlg>(d.ui, [](CNumericFormatDlg& dlg) {
        dlg.m_rules[2].value = 5;
        dlg.m_rules[2].colour = RGB(0, 0, 200);
    }));
    EXPECT_TRUE(d.Run(kFormatNumeric));
    EXPECT_EQ("numeric", d.grid.CellGetTextFormatProperty(2, 1, CString("datatype")).Str());
    EXPECT_TRUE(d.State(kFormatNumeric).checked);
    EXPECT_FALSE(d.State(kFormatCurrency).checked);
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& dlg = dynamic_cast<CNumericFormatDlg&>(base);
        EXPECT_EQ(RGB(0, 0, 200), dlg.m_rules[2].colour);
        return IDCANCEL;
    });
    d.Run(kFormatNumeric);

    // A numeric cell under "货币" opens the currency dialog with its defaults.
    d.ui.dialogs.push_back(Ok<CCurrencyFormatDlg>(d.ui, [](CCurrencyFormatDlg& dlg) {
        EXPECT_EQ(1, dlg.m_nChinese);
        EXPECT_EQ(255u, dlg.m_rules[1].colour);
        dlg.m_nChinese = 0;
    }));
    d.Run(kFormatCurrency);
    EXPECT_TRUE(d.State(kFormatCurrency).checked);

    // Cancel, or a dialog refusing its fields, changes nothing.
    d.ui.dialogs.push_back(Ok<CPercentageFormatDlg>(d.ui, [](CPercentageFormatDlg& dlg) { dlg.m_nDecimal = 9; }));
    d.Run(kFormatPercentage);
    EXPECT_EQ("currency", d.grid.CellGetTextFormatProperty(1, 1, CString("datatype")).Str());
}

TEST(CellMenuCommands, MemosOnTheFirstCellOrTheWholeRange)
{
    Designer d;
    d.grid.GridSetSelectRange(1, 1, 1, 2);
    d.ui.dialogs.push_back([](CDesignerDialog& base) {
        auto& dlg = dynamic_cast<CFootnoteDlg&>(base);
        EXPECT_TRUE(dlg.m_strText.IsEmpty());
        dlg.m_strText = "备注一";
        return IDOK;
    });
    EXPECT_TRUE(d.Run(kInsertMemo));
    EXPECT_EQ("备注一", d.grid.CellGetMemo(1, 1).Str());
    EXPECT_TRUE(d.grid.CellGetMemo(1, 2).IsEmpty());
    d.grid.CellSetMemo(1, 2, CString("二"));

    // A list of single cells: only the first loses its memo.
    d.grid.GridSetSelectRange(1, 1, 1, 2);
    EXPECT_TRUE(d.Run(kDeleteMemo));
    EXPECT_TRUE(d.grid.CellGetMemo(1, 1).IsEmpty());
    EXPECT_EQ("二", d.grid.CellGetMemo(1, 2).Str());

    // A range selection: every cell of it.
    d.grid.CellSetMemo(1, 1, CString("一"));
    d.grid.GridSetSelectRange(1, 1, 1, 2);
    d.Engine().SetSelectionKind(GSK_ALL);
    ASSERT_NE(0, d.grid.GridGetCurSelectType());
    EXPECT_TRUE(d.Run(kDeleteMemo));
    EXPECT_TRUE(d.grid.CellGetMemo(1, 1).IsEmpty());
    EXPECT_TRUE(d.grid.CellGetMemo(1, 2).IsEmpty());
}

TEST(CellMenuCommands, DiagonalsToggleAndFullBorderUsesTheToolbarLine)
{
    Designer d;
    d.grid.GridSetSelectRange(2, 2, 2, 3);
    d.ui.lineStyle = 1;  // solid, width 2
    d.ui.lineColor = RGB(200, 0, 0);
    EXPECT_FALSE(d.State(kDiagonalRight).checked);
    EXPECT_TRUE(d.Run(kDiagonalRight));
    for (LONG col : {2, 3})
        EXPECT_EQ(16, d.grid.CellGetBorderFlags(2, col) & 16);
    LONG style = -1, colour = -1, width = -1;
    ASSERT_TRUE(d.grid.CellGetBorder(2, 3, 16, style, colour, width));
    EXPECT_EQ(RGB(200, 0, 0), static_cast<COLORREF>(colour));
    EXPECT_EQ(2, width);
    EXPECT_TRUE(d.State(kDiagonalRight).checked);
    EXPECT_FALSE(d.State(kDiagonalLeft).checked);
    EXPECT_TRUE(d.Run(kDiagonalRight));  // off again
    EXPECT_EQ(0, d.grid.CellGetBorderFlags(2, 2) & 16);

    // No line style chosen: nothing changes.
    d.ui.lineStyle = -1;
    d.Run(kDoubleDiagonalLeft);
    d.Run(kFullBorder);
    EXPECT_EQ(0, d.grid.CellGetBorderFlags(2, 2));

    d.ui.lineStyle = 0;
    d.Run(kDoubleDiagonalLeft);
    EXPECT_TRUE(d.Run(kFullBorder));
    EXPECT_EQ(63 | 128, d.grid.CellGetBorderFlags(2, 3));
}

TEST(CellMenuCommands, ControlAndFormatTextShownForTheFocusCell)
{
    Designer d;
    d.grid.CellSetFocus(1, 1);
    d.Run(kShowControlText);
    d.Run(kShowFormatText);
    EXPECT_TRUE(d.ui.boxes.empty());  // a plain cell shows nothing
    d.grid.CellSetControl(1, 1, CString(kRichTextControlText));
    d.grid.CellSetTextFormat(1, 1, CString("<format datatype=\"percentage\"  decimal=\"3\" ></format>"));
    d.Run(kShowControlText);
    d.Run(kShowFormatText);
    ASSERT_EQ(2u, d.ui.boxes.size());
    EXPECT_EQ(d.grid.CellGetControl(1, 1).Str(), d.ui.boxes[0].text);
    EXPECT_EQ("直接按下: [Ctrl + C] 即可复制提示框内容!!", d.ui.boxes[0].caption);
    EXPECT_NE(std::string::npos, d.ui.boxes[1].text.find("percentage"));
}

// A file that is not a picture is refused by the control with its failure
// value and the list says so; the picture list is left as it was.
TEST(CellMenuCommands, AFileThatIsNotAPictureIsRefused)
{
    Designer d;
    const std::string bitmap = WriteBitmap();
    ASSERT_EQ(0, d.grid.GridAddImage(CString(bitmap.c_str())));
    const std::string text = TempPath("notes.bmp");
    {
        std::ofstream out(text, std::ios::binary);
        out << "these are words, not a picture";
    }
    const std::string empty = TempPath("empty.png");
    std::ofstream(empty, std::ios::binary).close();
    // A bitmap whose pixels would start at 0x7FFFFFF0, far past its 246 bytes.
    const std::string hostile = TempPath("hostile.bmp");
    {
        std::string bytes(246, '\0');
        const unsigned char head[] = {'B', 'M', 246, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0xFF, 0xFF, 0x7F,
                                      40,  0,   0,   0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0};
        bytes.replace(0, sizeof head, reinterpret_cast<const char*>(head), sizeof head);
        std::ofstream(hostile, std::ios::binary) << bytes;
    }
    for (const std::string& path : {text, empty, hostile, std::string("/nonexistent/y.png")})
        EXPECT_EQ(-1, d.grid.GridAddImage(CString(path.c_str()))) << path;
    EXPECT_EQ(1, d.grid.GridGetImageCount());
    CImageListDlg list(&d.grid, d.ui);
    list.m_strPath = text.c_str();
    EXPECT_FALSE(list.Add());
    EXPECT_EQ("添加图片失败!", d.ui.boxes.back().text);
    EXPECT_EQ(1u, list.Ids().size());

    const struct {
        const char* bytes;
        size_t count;
        bool picture;
    } heads[] = {
        {"BM", 2, true},
        {"\x89PNG\r\n\x1a\n", 8, true},
        {"\x89PNG\r\n", 6, false},   // cut short
        {"\xFF\xD8\xFF\xE0", 4, true},
        {"GIF89a", 6, true},
        {"GIF90a", 6, false},
        {"\0\0\1\0", 4, true},
        {"B", 1, false},
        {"", 0, false},
        {"<html>", 6, false},
    };
    for (const auto& h : heads)
        EXPECT_EQ(h.picture, LooksLikePicture(reinterpret_cast<const BYTE*>(h.bytes), h.count)) << h.bytes;
    EXPECT_FALSE(LooksLikePicture(nullptr, 4));
}

TEST(CellMenuCommands, PicturesByIdThroughTheListAndTheImageControl)
{
    Designer d;
    const std::string bitmap = WriteBitmap();
    CImageListDlg list(&d.grid, d.ui);
    list.m_strPath = "/nonexistent/x.bmp";
    EXPECT_FALSE(list.Add());
    EXPECT_EQ("文件不存在!", d.ui.boxes.back().text);
    for (int i = 0; i < 3; ++i) {
        list.m_strPath = bitmap.c_str();
        EXPECT_TRUE(list.Add()) << i;
        EXPECT_TRUE(list.m_strPath.IsEmpty());
    }
    ASSERT_EQ(3u, list.Ids().size());
    EXPECT_FALSE(list.Delete(-1));
    EXPECT_EQ("请选择图片!", d.ui.boxes.back().text);
    EXPECT_TRUE(list.Delete(0));  // the first picture goes: positions no longer match ids
    const long kept = list.Ids()[1];
    EXPECT_EQ("图片INDEX:[" + std::to_string(kept) + "]", CImageListDlg::EntryText(kept).Str());

    d.grid.GridSetSelectRange(1, 1, 1, 2);
    d.ui.dialogs.push_back(Ok<CImageControlDlg>(d.ui, [kept](CImageControlDlg& dlg) {
        EXPECT_EQ(-1, dlg.m_nPicture);  // not an image cell: defaults
        dlg.m_nPicture = kept;
        dlg.m_nSizeType = 2;
    }));
    EXPECT_TRUE(d.Run(kInsertImage));
    EXPECT_EQ(12, d.grid.CellGetControlType(1, 2));
    EXPECT_EQ(std::to_string(kept), d.grid.CellGetControlProperty(1, 2, CString("index")).Str());
    EXPECT_TRUE(d.State(kInsertImage).checked);
    d.ui.dialogs.push_back([kept](CDesignerDialog& base) {
        auto& dlg = dynamic_cast<CImageControlDlg&>(base);
        EXPECT_EQ(kept, dlg.m_nPicture);
        EXPECT_EQ(2, dlg.m_nSizeType);
        return IDCANCEL;
    });
    d.Run(kInsertImage);
    std::remove(bitmap.c_str());
}

TEST(ViewFileCommands, SaveAsksOnceAndReportsAFailedSave)
{
    Designer d;
    const std::string path = TempPath("view.kvx");
    d.ui.savePaths.push_back(path);
    d.grid.CellSetValue(1, 1, CString("v"));
    d.doc.SetModifiedFlag(TRUE);
    EXPECT_TRUE(d.Run(designer_cmd::kFileSave));
    EXPECT_EQ(1u, d.ui.saveSuggestions.size());
    EXPECT_EQ(path, d.view.m_strFilePath.Str());
    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_EQ("view.kvx", d.doc.GetTitle().Str());  // the window names the file it now shows
    EXPECT_EQ(path, d.doc.GetPathName().Str());
    EXPECT_TRUE(d.ui.boxes.empty());
    d.Run(designer_cmd::kFileSave);
    EXPECT_EQ(1u, d.ui.saveSuggestions.size());

    // A path that cannot be written: the message, and the mark stays.
    Designer ro;
    ro.view.m_strFilePath = "/nonexistent-dir/x.kvx";
    ro.doc.SetModifiedFlag(TRUE);
    ro.Run(designer_cmd::kFileSave);
    ASSERT_EQ(1u, ro.ui.boxes.size());
    EXPECT_EQ(CKivoSheetDesignerDoc::kSaveFailed, ro.ui.boxes[0].text);
    EXPECT_TRUE(ro.doc.IsModified());

    // Cancelling the save dialog saves nothing.
    Designer cancel;
    cancel.Run(designer_cmd::kFileSave);
    EXPECT_TRUE(cancel.view.m_strFilePath.IsEmpty());
    std::remove(path.c_str());
}

TEST(ViewFileCommands, OpenLoadsIntoThisWindowAfterAskingAboutChanges)
{
    const std::string path = TempPath("open.kvx");
    {
        Designer src;
        src.grid.CellSetValue(2, 2, CString("载入"));
        ASSERT_EQ(1, src.grid.GridSaveFile(CString(path.c_str()), CString()));
    }
    Designer d;
    d.doc.SetModifiedFlag(TRUE);
    d.ui.answers.push_back(IDCANCEL);  // "是否保存对 ... 的修改?" cancelled: nothing opens
    d.ui.openPaths.push_back(path);
    d.Run(designer_cmd::kFileOpen);
    EXPECT_TRUE(d.grid.CellGetValue(2, 2).IsEmpty());
    EXPECT_EQ(1u, d.ui.openPaths.size());

    d.ui.answers.push_back(IDNO);
    d.Run(designer_cmd::kFileOpen);
    EXPECT_EQ("载入", d.grid.CellGetValue(2, 2).Str());
    EXPECT_EQ(path, d.view.m_strFilePath.Str());
    EXPECT_EQ("open.kvx", d.doc.GetTitle().Str());   // the close prompt names the file shown
    EXPECT_EQ(path, d.doc.GetPathName().Str());

    // A file that is not a template leaves the path as it was.
    const std::string junk = TempPath("junk.kvx");
    std::ofstream(junk) << "not a template";
    d.ui.openPaths.push_back(junk);
    d.Run(designer_cmd::kFileOpen);
    EXPECT_EQ(path, d.view.m_strFilePath.Str());
    EXPECT_EQ("载入", d.grid.CellGetValue(2, 2).Str());
    std::remove(path.c_str());
    std::remove(junk.c_str());
}

TEST(ViewFileCommands, ClipboardCommandsNeedASelection)
{
    Designer d;
    d.grid.CellSetFocus(1, 1);
    EXPECT_TRUE(d.State(designer_cmd::kEditCopy).enabled);
    EXPECT_TRUE(d.State(designer_cmd::kEditCut).enabled);
    EXPECT_TRUE(d.State(designer_cmd::kEditPaste).enabled);
    EXPECT_TRUE(d.State(designer_cmd::kFilePrint).enabled);
    EXPECT_TRUE(d.State(designer_cmd::kFilePrintPreview).enabled);
}
