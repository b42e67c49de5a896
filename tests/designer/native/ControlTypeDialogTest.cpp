// The control-type dialogs: the attribute texts their defaults and main
// variants build, their field checks, and the round trip of every type
// through a real cell: build, set on a cell, read back with the reader, the
// same dialog state.
#include "designer/DesignerFixture.h"
#include "designer/dialogs/ControlTypeDialogs.h"
#include "designer/dialogs/ItemListGrid.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace designertest;

namespace {

AttrGetter FromMap(const std::map<std::string, std::string>& values)
{
    return [values](const char* name) {
        const auto it = values.find(name);
        return it == values.end() ? CString() : CString(it->second.c_str());
    };
}

// Sets the text on cell (1, 1), reads it back into a fresh dialog and asks
// that it builds the same text again.
template <class Dialog>
std::string RoundTrip(Designer& d, const Dialog& dlg, Dialog& back)
{
    const CString text = dlg.BuildText();
    EXPECT_TRUE(d.grid.CellSetControl(1, 1, text)) << text.Str();
    back.Read(ControlAttributes(d.grid, 1, 1));
    return back.BuildText().Str();
}

}  // namespace

TEST(ControlTypeDialogs, DefaultsAndVariantsBuildTheirTexts)
{
    CCheckBoxControlDlg check;
    EXPECT_EQ("<control controltype = \"checkbox\"  displaystyle = \"2\"  setcheck = \"0\"  enablecheck = \"1\" "
              "size=\"13\"  align=\"0\"  showtext=\"1\"  sidecolor=\"12163461\"  tickcolor=\"1420031\"  "
              "bgcolor=\"16448255\"  ></control>",
              check.BuildText().Str());
    check.m_nStyle = 1;  // "平面": no colours
    check.m_nHorz = 2;
    check.m_nVert = 1;
    EXPECT_EQ("<control controltype = \"checkbox\"  displaystyle = \"1\"  setcheck = \"0\"  enablecheck = \"1\" "
              "size=\"13\"  align=\"12\"  showtext=\"1\"  ></control>",
              check.BuildText().Str());

    CComboBoxControlDlg combo;
    EXPECT_EQ("<control controltype = \"combobox\"  style=\"0\"  datasource=\"\"  listheight=\"100\"  ismatch=\"1\"  "
              "leavetype=\"1\"  autodropdown=\"1\"  ></control>",
              combo.BuildText().Str());
    combo.m_items = {CString("甲"), CString("50%")};
    EXPECT_EQ("<control controltype = \"combobox\"  style=\"0\"  datasource=\"甲\n50%\n\"  listheight=\"100\"  "
              "ismatch=\"1\"  leavetype=\"1\"  autodropdown=\"1\"  ></control>",
              combo.BuildText().Str());

    CComboCheckControlDlg multi;
    multi.m_strSeparator.Empty();  // an empty box is written as ","
    EXPECT_EQ("<control controltype = \"combocheck\"  style=\"0\"  datasource=\"\"  listheight=\"100\"  ismatch=\"1\"  "
              "leavetype=\"1\"  autodropdown=\"1\"  itemspliter=\",\"  ></control>",
              multi.BuildText().Str());
    multi.m_strSeparator = "#";
    EXPECT_NE(std::string::npos, multi.BuildText().Str().find(" itemspliter=\"#\"  ></control>"));

    CNumericControlDlg numeric;
    EXPECT_EQ("<control controltype = \"numeric\"  inputtype = \"0\"  ></control>", numeric.BuildText().Str());
    numeric.m_nInputType = 1;
    numeric.m_nLimit = 1;
    numeric.m_dMin = 1.5;
    numeric.m_dMax = 9;
    EXPECT_EQ("<control controltype = \"numeric\"  inputtype = \"2\"  limit = \"1\"  inputmin = \"1.500000\" "
              "inputmax = \"9.000000\"  ></control>",
              numeric.BuildText().Str());
    numeric.m_dMax = 1234567.89;  // double precision, not 1234567.875000
    EXPECT_NE(std::string::npos, numeric.BuildText().Str().find("inputmax = \"1234567.890000\""));

    CUrlControlDlg url;
    EXPECT_EQ("<control controltype = \"url\"  openurl=\"1\"  openmode=\"0\"  urlcolor=\"32768\"  "
              "url=\"mailto:support@kivosheet.com\"  ></control>",
              url.BuildText().Str());

    CDateTimeControlDlg date;
    EXPECT_EQ("<control controltype = \"datetime\"  dttype=\"0\"  dataformat=\"1\"  splitertype=\"0\"  leavetype=\"1\"  "
              "></control>",
              date.BuildText().Str());
    EXPECT_EQ("时分秒", CDateTimeControlDlg::Separators(1)[0].Str());

    CButtonControlDlg button;
    EXPECT_EQ("<control controltype = \"button\"  btntext=\"...\"  align=\"2\"  btntextalign=\"5\"  btnwidth=\"22\"  "
              "disable=\"0\"  leavetype=\"1\"  textimagepos=\"4\"  ></control>",
              button.BuildText().Str());
    // Pictures are written by id and only when listed; a "%" stays as typed.
    button.m_pictureIds = {7, 9};
    button.m_nImages[0] = 9;
    button.m_nImages[3] = 4;  // not in the list: not written
    button.m_strText = "100%d";
    const std::string withPictures = button.BuildText().Str();
    EXPECT_NE(std::string::npos, withPictures.find(" btntext=\"100%d\" "));
    EXPECT_NE(std::string::npos, withPictures.find("textimagepos=\"4\"  btnimgindex=\"9\"  ></control>"));
    EXPECT_EQ(std::string::npos, withPictures.find("btnimghotindex"));
}

TEST(ControlTypeDialogs, PictureTextInEachSizeType)
{
    CImageControlDlg image;
    image.m_pictureIds = {3, 5};
    image.m_nPicture = 5;
    image.m_nHeight = 40;
    image.m_nWidth = 60;
    image.m_nOffsetLeft = 1;
    image.m_nOffsetTop = 2;
    image.m_nOffsetRight = 3;
    image.m_nOffsetBottom = 4;
    image.m_nVert = 1;
    image.m_nHorz = 2;
    const char* const expected[4] = {
        "<control controltype=\"image\" index=\"5\" sizetype =\"0\" align =\"6\" ></control>",
        "<control controltype=\"image\" index=\"5\" sizetype =\"1\" userheight =\"40\" userwidth =\"60\" ></control>",
        "<control controltype=\"image\" index=\"5\" sizetype =\"2\" align =\"32\" offsetleft =\"1\" offsettop=\"2\" "
        "offsetright=\"3\" offsetbottom=\"4\"></control>",
        "<control controltype=\"image\" index=\"5\" sizetype =\"3\" align =\"6\" ></control>",
    };
    for (int type = 0; type < 4; ++type) {
        image.m_nSizeType = type;
        EXPECT_EQ(expected[type], image.BuildText().Str()) << type;
    }
}

TEST(ControlTypeDialogs, ChecksRefuseWithAMessageAndKeepTheResult)
{
    ScriptedUi ui;
    CCheckBoxControlDlg check;
    check.m_nSize = 31;
    EXPECT_FALSE(check.Accept(ui));
    EXPECT_EQ(1068, check.FocusField());
    check.m_nSize = 30;
    EXPECT_TRUE(check.Accept(ui));
    EXPECT_FALSE(check.GetAttributeText().IsEmpty());

    CComboBoxControlDlg combo;
    combo.m_nListHeight = 99;
    EXPECT_FALSE(combo.Accept(ui));
    combo.m_nListHeight = 500;
    combo.m_items = {CString("a\"b")};
    EXPECT_FALSE(combo.Accept(ui));
    EXPECT_EQ(1074, combo.FocusField());
    EXPECT_TRUE(combo.GetAttributeText().IsEmpty());

    CButtonControlDlg button;
    button.m_strText = "say \"hi\"";
    EXPECT_FALSE(button.Accept(ui));
    CUrlControlDlg url;
    url.m_strUrl = "http://x/\"";
    EXPECT_FALSE(url.Accept(ui));
    CComboCheckControlDlg multi;
    multi.m_strSeparator = "\"";
    EXPECT_FALSE(multi.Accept(ui));

    // No picture chosen (or one no longer in the list).
    CImageControlDlg image;
    image.m_pictureIds = {2};
    image.m_nPicture = 4;
    EXPECT_FALSE(image.Accept(ui));
    ASSERT_FALSE(ui.boxes.empty());
    EXPECT_EQ("请选择图片!", ui.boxes.back().text);
    image.m_nPicture = 2;
    EXPECT_TRUE(image.Accept(ui));

    for (const auto& box : ui.boxes)
        EXPECT_EQ("提示", box.caption);
    EXPECT_EQ(7u, ui.boxes.size());
}

TEST(ControlTypeDialogs, EveryTypeComesBackFromACell)
{
    Designer d;
    {
        CCheckBoxControlDlg a, b;
        a.m_nStyle = 2;
        a.m_nCheck = 1;
        a.m_nSize = 17;
        a.m_nVert = 2;
        a.m_nHorz = 1;
        a.m_crSide = RGB(1, 2, 3);
        EXPECT_EQ(a.BuildText().Str(), RoundTrip(d, a, b));
        EXPECT_EQ(2, d.grid.CellGetControlType(1, 1));
        CCheckBoxControlDlg flat, flatBack;
        flat.m_nStyle = 1;
        EXPECT_EQ(flat.BuildText().Str(), RoundTrip(d, flat, flatBack));
        EXPECT_EQ(0, flatBack.m_nVert);  // left and top stay left and top
        EXPECT_EQ(0, flatBack.m_nHorz);
    }
    {
        CComboBoxControlDlg a, b;
        a.m_items = {CString("一"), CString("二"), CString("三")};
        a.m_nStyle = 1;
        a.m_nListHeight = 240;
        EXPECT_EQ(a.BuildText().Str(), RoundTrip(d, a, b));
        EXPECT_EQ(3u, b.m_items.size());
    }
    {
        CComboCheckControlDlg a, b;
        a.m_items = {CString("x"), CString("y")};
        a.m_strSeparator = "$";
        a.m_nMatch = 0;
        EXPECT_EQ(a.BuildText().Str(), RoundTrip(d, a, b));
    }
    {
        CNumericControlDlg a, b;
        a.m_nInputType = 1;
        a.m_nLimit = 1;
        a.m_dMin = -2.25;
        a.m_dMax = 1234567.89;
        EXPECT_EQ(a.BuildText().Str(), RoundTrip(d, a, b));
        CNumericControlDlg free, freeBack;
        free.m_nInputType = 0;
        RoundTrip(d, free, freeBack);
        EXPECT_EQ(0, freeBack.m_nLimit);
        EXPECT_EQ(1000.0, freeBack.m_dMax);
    }
    {
        CDateTimeControlDlg a, b;
        a.m_nType = 1;
        a.m_nFormat = 0;
        a.m_nSeparator = 2;
        a.m_nLeaveType = 0;
        EXPECT_EQ(a.BuildText().Str(), RoundTrip(d, a, b));
    }
    {
        CUrlControlDlg a, b;
        a.m_nOpenMode = 1;
        a.m_crUrl = RGB(10, 20, 30);
        a.m_strUrl = "http://example.invalid/a?b=50%";
        EXPECT_EQ(a.BuildText().Str(), RoundTrip(d, a, b));
    }
    {
        CButtonControlDlg a, b;
        a.m_strText = "选择";
        a.m_nAlign = 0;
        a.m_nTextVert = 2;
        a.m_nTextHorz = 0;
        a.m_nWidth = 30;
        a.m_nDisable = 1;
        a.m_nTextImagePos = 0;
        EXPECT_EQ(a.BuildText().Str(), RoundTrip(d, a, b));
        for (LONG id : b.m_nImages)
            EXPECT_EQ(-1, id);  // no picture chosen stays no picture
    }
}

TEST(ControlTypeDialogs, ReadersTakeColourWordsAndBitsAsTheCellDoes)
{
    CCheckBoxControlDlg check;
    check.Read(FromMap({{"displaystyle", "xp"}, {"sidecolor", "RGB(1,2,3)"}, {"tickcolor", "255"}, {"align", "20"}}));
    EXPECT_EQ(2, check.m_nStyle);
    EXPECT_EQ(RGB(1, 2, 3), check.m_crSide);
    EXPECT_EQ(255u, check.m_crTick);
    EXPECT_EQ(2, check.m_nHorz);
    EXPECT_EQ(2, check.m_nVert);
    check.Read(FromMap({{"displaystyle", "2K3D"}}));
    EXPECT_EQ(0, check.m_nStyle);

    CImageControlDlg image;
    image.Read(FromMap({{"index", "4"}, {"align", "32"}, {"sizetype", "9"}}));
    EXPECT_EQ(4, image.m_nPicture);
    EXPECT_EQ(3, image.m_nSizeType);
    EXPECT_EQ(0, image.m_nHorz);
    image.Read(FromMap({{"align", "9"}}));
    EXPECT_EQ(-1, image.m_nPicture);
    EXPECT_EQ(1, image.m_nHorz);
    EXPECT_EQ(2, image.m_nVert);

    CNumericControlDlg numeric;
    numeric.Read(FromMap({{"inputtype", "2"}, {"limit", "1"}, {"inputmin", "abc"}, {"inputmax", "1e999"}}));
    EXPECT_EQ(1, numeric.m_nInputType);
    EXPECT_EQ(0.0, numeric.m_dMin);
    EXPECT_EQ(0.0, numeric.m_dMax);
}

TEST(ControlTypeDialogs, ItemListGridAddsDeletesAndReadsItems)
{
    Designer d;
    itemlist::Fill(d.grid, {CString("甲"), CString("乙"), CString("丙")});
    EXPECT_EQ(4, d.grid.RowGetCount());
    EXPECT_EQ("下拉内容", d.grid.CellGetValue(0, 1).Str());
    EXPECT_EQ(2, d.grid.CellGetControlType(3, 2));

    // Nothing ticked: nothing deleted, and never the header.
    itemlist::DeleteTicked(d.grid);
    EXPECT_EQ(4, d.grid.RowGetCount());
    d.grid.CellSetControlProperty(1, 2, CString("setcheck"), CString("1"));
    d.grid.CellSetControlProperty(3, 2, CString("setcheck"), CString("1"));
    itemlist::DeleteTicked(d.grid);
    ASSERT_EQ(2, d.grid.RowGetCount());
    EXPECT_EQ("乙", d.grid.CellGetValue(1, 1).Str());

    itemlist::AddRow(d.grid);
    d.grid.CellSetValue(2, 1, CString("丁"));
    EXPECT_EQ(2, d.grid.CellGetControlType(2, 2));
    const std::vector<CString> items = itemlist::Read(d.grid);
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ("丁", items[1].Str());

    itemlist::Fill(d.grid, {});
    EXPECT_EQ(1, d.grid.RowGetCount());
    EXPECT_TRUE(itemlist::Read(d.grid).empty());
}
