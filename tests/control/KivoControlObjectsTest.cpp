// The eight cell-control objects: default texts, each property's attribute
// and conversions, the texts of the worked examples, a text that is not a
// "control" element, and the hand-over to and from cells through the
// control's CellSetControlEx / CellGetControlEx and a view object's
// SetControlEx / GetControlEx.
#include "control/KivoControlObjects.h"
#include "control/KivoObjectFactory.h"
#include "control/KivoObjects.gen.h"
#include "control/KivoSheetCtrl.h"
#include "control/KivoValueObjects.h"
#include "control/KivoViewObjects.h"
#include "grid/GridCellTypes.h"
#include "grid/GridCtrl.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

std::string S(const CString& s)
{
    return s.GetString();
}

template <class T>
T* As(const CKivoObjectPtr& object)
{
    return static_cast<T*>(object.get());
}

template <class T>
std::unique_ptr<T> Make(int kivoClass)
{
    CKivoObjectPtr object = CreateKivoObjectOfClass(kivoClass);
    EXPECT_NE(object, nullptr);
    EXPECT_EQ(object->GetKivoClass(), kivoClass);
    return std::unique_ptr<T>(static_cast<T*>(object.release()));
}

std::string Xml(const CKivoObject* object)
{
    CString text;
    EXPECT_TRUE(GetKivoControlText(object, text));
    return S(text);
}

TEST(KivoControlObjects, NewObjectsHoldTheirTypesDefaultText)
{
    const struct {
        int kivoClass;
        const char* text;
    } kCases[] = {
        {KivoClass_KivoButton, "<control controltype=\"button\" ></control>"},
        {KivoClass_KivoCheckBox, "<control controltype=\"checkbox\" ></control>"},
        {KivoClass_KivoComboBox, "<control controltype=\"combobox\" ></control>"},
        {KivoClass_KivoComboCheck, "<control controltype=\"combocheck\" ></control>"},
        {KivoClass_KivoDateTime, "<control controltype=\"datetime\" ></control>"},
        {KivoClass_KivoImage, "<control controltype=\"image\" ></control>"},
        {KivoClass_KivoNumeric, "<control controltype=\"numeric\" ></control>"},
        {KivoClass_KivoURL, "<control controltype=\"url\" ></control>"},
    };
    for (const auto& c : kCases) {
        CKivoObjectPtr object = CreateKivoObjectOfClass(c.kivoClass);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(Xml(object.get()), c.text) << c.kivoClass;
    }
    // Other classes are not cell-control objects.
    CString text = "kept";
    CKivoObjectPtr font = CreateKivoObjectOfClass(KivoClass_KivoFont);
    EXPECT_FALSE(GetKivoControlText(font.get(), text));
    EXPECT_FALSE(GetKivoControlText(nullptr, text));
    EXPECT_EQ(S(text), "kept");
}

TEST(KivoControlObjects, ButtonTextWrittenAfterTheElementNameAndOnceOnly)
{
    auto button = Make<CKivoButtonBase>(KivoClass_KivoButton);
    button->put_strButtonText("OK");
    CString text;
    button->get_strXml(text);
    EXPECT_EQ(S(text), "<control btntext = \"OK\"  controltype=\"button\" ></control>");
    button->get_strButtonText(text);
    EXPECT_EQ(S(text), "OK");

    button->put_strButtonText("Cancel");
    button->get_strXml(text);
    EXPECT_EQ(S(text), "<control btntext = \"Cancel\"  controltype=\"button\" ></control>");

    button->SetStyle(1, 2, 30, 0, 37, "Go");
    button->GetStyle(text);
    EXPECT_EQ(S(text), "1\n2\n30\n0\n37\nGo");
}

// Each integer property: the attribute it writes and what reads back.
TEST(KivoControlObjects, IntegerPropertiesMoveOneAttributeEach)
{
    auto check = Make<CKivoCheckBoxBase>(KivoClass_KivoCheckBox);
    auto combo = Make<CKivoComboBoxBase>(KivoClass_KivoComboBox);
    auto multi = Make<CKivoComboCheckBase>(KivoClass_KivoComboCheck);
    auto button = Make<CKivoButtonBase>(KivoClass_KivoButton);
    auto date = Make<CKivoDateTimeBase>(KivoClass_KivoDateTime);
    auto image = Make<CKivoImageBase>(KivoClass_KivoImage);
    auto numeric = Make<CKivoNumericBase>(KivoClass_KivoNumeric);
    auto url = Make<CKivoURLBase>(KivoClass_KivoURL);

    struct Case {
        CKivoObject* object;
        const char* attribute;
        long written;
        const char* stored;
        long read;
        std::function<void(long)> put;
        std::function<long()> get;
    };
#define SHORT_PROP(obj, prop)                                                  \
    [&](long v) { obj->put_##prop(static_cast<SHORT>(v)); },                    \
        [&]() {                                                                \
            SHORT s = 99;                                                      \
            obj->get_##prop(s);                                                \
            return static_cast<long>(s);                                       \
        }
#define LONG_PROP(obj, prop)                                                   \
    [&](long v) { obj->put_##prop(static_cast<LONG>(v)); },                     \
        [&]() {                                                                \
            LONG l = 99;                                                       \
            obj->get_##prop(l);                                                \
            return static_cast<long>(l);                                       \
        }
    const Case kCases[] = {
        {check.get(), "displaystyle", 2, "2", 2, SHORT_PROP(check, iDisplayStyle)},
        // The flags take any non-zero value as on (a script's True is -1).
        {check.get(), "enablecheck", -1, "1", 1, SHORT_PROP(check, iEnabled)},
        {check.get(), "enablecheck", 0, "0", 0, SHORT_PROP(check, iEnabled)},
        {check.get(), "sidecolor", 255, "255", 255, LONG_PROP(check, crSideColor)},
        {check.get(), "tickcolor", 65280, "65280", 65280, LONG_PROP(check, crTickColor)},
        {check.get(), "bgcolor", 16777215, "16777215", 16777215, LONG_PROP(check, crBgColor)},
        {check.get(), "size", 13, "13", 13, SHORT_PROP(check, iBoxSize)},
        {check.get(), "align", 37, "37", 37, LONG_PROP(check, nAlign)},
        {combo.get(), "style", 1, "1", 1, SHORT_PROP(combo, iDropList)},
        {combo.get(), "leavetype", 2, "2", 2, SHORT_PROP(combo, iLeaveType)},
        {combo.get(), "listheight", 200, "200", 200, LONG_PROP(combo, nListHeight)},
        {combo.get(), "ismatch", 1, "1", 1, SHORT_PROP(combo, iIsMatch)},
        {combo.get(), "sort", 1, "1", 1, LONG_PROP(combo, iSort)},
        {combo.get(), "setcurrentitem", 3, "3", 3, LONG_PROP(combo, nCurrentItem)},
        {combo.get(), "autodropdown", 1, "1", 1, SHORT_PROP(combo, iAutoDropList)},
        {multi.get(), "style", 1, "1", 1, SHORT_PROP(multi, iDropList)},
        {multi.get(), "autodropdown", 1, "1", 1, SHORT_PROP(multi, iAutoDropList)},
        {button.get(), "align", 2, "2", 2, LONG_PROP(button, nButtonAlign)},
        {button.get(), "btntextalign", 1, "1", 1, LONG_PROP(button, nButtonTextAlign)},
        {button.get(), "btnwidth", 40, "40", 40, LONG_PROP(button, nButtonWidth)},
        {button.get(), "disable", 1, "1", 1, SHORT_PROP(button, iButtonDisabled)},
        {button.get(), "leavetype", 1, "1", 1, SHORT_PROP(button, iLeaveType)},
        {button.get(), "textimagepos", 3, "3", 3, LONG_PROP(button, nTextInImgPos)},
        {button.get(), "btnimgindex", 4, "4", 4, LONG_PROP(button, nNormalImgIndex)},
        {button.get(), "btnimgfocusedindex", 5, "5", 5, LONG_PROP(button, nFocusedImgIndex)},
        {button.get(), "btnimgpressedindex", 6, "6", 6, LONG_PROP(button, nPressedImgIndex)},
        {button.get(), "btnimghotindex", 7, "7", 7, LONG_PROP(button, nHotImgIndex)},
        {button.get(), "btnimgdisabledindex", 8, "8", 8, LONG_PROP(button, nDisabledImgIndex)},
        {date.get(), "style", 1, "1", 1, SHORT_PROP(date, iStyle)},
        {date.get(), "datetimestyle", 2, "2", 2, SHORT_PROP(date, iDatetimeStyle)},
        {date.get(), "dttype", 3, "3", 3, SHORT_PROP(date, iDTType)},
        {date.get(), "dataformat", 4, "4", 4, SHORT_PROP(date, iDataFormat)},
        {date.get(), "splitertype", 1, "1", 1, SHORT_PROP(date, iSpliterType)},
        {date.get(), "leavetype", 2, "2", 2, SHORT_PROP(date, iLeaveType)},
        // The picture index keeps its low 16 bits, without sign.
        {image.get(), "index", 3, "3", 3, LONG_PROP(image, nImageIndex)},
        {image.get(), "index", -1, "65535", 65535, LONG_PROP(image, nImageIndex)},
        {image.get(), "index", 65537, "1", 1, LONG_PROP(image, nImageIndex)},
        {image.get(), "sizetype", 2, "2", 2, SHORT_PROP(image, iSizeType)},
        {image.get(), "align", 37, "37", 37, LONG_PROP(image, nImageAlign)},
        {numeric.get(), "inputtype", 1, "1", 1, SHORT_PROP(numeric, iInputType)},
        {numeric.get(), "limit", 1, "1", 1, SHORT_PROP(numeric, iLimited)},
        {url.get(), "openurl", 1, "1", 1, SHORT_PROP(url, iCanOpen)},
        {url.get(), "openmode", 2, "2", 2, SHORT_PROP(url, iOpenMode)},
        {url.get(), "urlcolor", 16711680, "16711680", 16711680, LONG_PROP(url, crUrlColor)},
    };
#undef SHORT_PROP
#undef LONG_PROP
    for (const Case& c : kCases) {
        c.put(c.written);
        const std::string xml = Xml(c.object);
        EXPECT_NE(xml.find(std::string(c.attribute) + " = \"" + c.stored + "\""), std::string::npos)
            << c.attribute << " " << c.written << ": " << xml;
        EXPECT_EQ(c.get(), c.read) << c.attribute << " " << c.written;
    }
}

TEST(KivoControlObjects, ShortPropertiesKeepTheLow16BitsOfWhatTheTextSays)
{
    auto check = Make<CKivoCheckBoxBase>(KivoClass_KivoCheckBox);
    check->put_strXml("<control controltype=\"checkbox\" size=\"70000\" displaystyle=\"12abc\" ></control>");
    SHORT s = 0;
    check->get_iBoxSize(s);
    EXPECT_EQ(s, static_cast<SHORT>(70000 - 65536));
    check->get_iDisplayStyle(s);
    EXPECT_EQ(s, 12);  // the leading digits
}

TEST(KivoControlObjects, CheckStateTakesAnyNonZeroValueAsChecked)
{
    auto check = Make<CKivoCheckBoxBase>(KivoClass_KivoCheckBox);
    SHORT state = 9;
    check->GetCheck(state);
    EXPECT_EQ(state, 0);
    const struct {
        SHORT set;
        SHORT read;
    } kCases[] = {{5, 1}, {0, 0}, {1, 1}, {-1, 1}, {0, 0}};
    for (const auto& c : kCases) {
        check->SetCheck(c.set);
        check->GetCheck(state);
        EXPECT_EQ(state, c.read) << c.set;
    }
    // One attribute, with the last value.
    const std::string xml = Xml(check.get());
    EXPECT_EQ(xml.find("setcheck"), xml.rfind("setcheck"));
}

TEST(KivoControlObjects, ComboItemsAndTexts)
{
    for (int kivoClass : {KivoClass_KivoComboBox, KivoClass_KivoComboCheck}) {
        CKivoObjectPtr object = CreateKivoObjectOfClass(kivoClass);
        // Both combo classes share the first members; call them through
        // their own bases.
        auto items = [&](LONG i) {
            CString v = "x";
            if (kivoClass == KivoClass_KivoComboBox)
                As<CKivoComboBoxBase>(object)->GetItemValue(i, v);
            else
                As<CKivoComboCheckBase>(object)->GetItemValue(i, v);
            return S(v);
        };
        EXPECT_EQ(items(0), "");
        if (kivoClass == KivoClass_KivoComboBox)
            As<CKivoComboBoxBase>(object)->put_strDataSource("a\nb\nc");
        else
            As<CKivoComboCheckBase>(object)->put_strDataSource("a\nb\nc");
        EXPECT_EQ(items(0), "a");
        EXPECT_EQ(items(1), "b");
        EXPECT_EQ(items(2), "c");
        EXPECT_EQ(items(3), "");
        EXPECT_EQ(items(-1), "");
    }
    auto multi = Make<CKivoComboCheckBase>(KivoClass_KivoComboCheck);
    multi->put_strItemSpliter(";");
    CString v;
    multi->get_strItemSpliter(v);
    EXPECT_EQ(S(v), ";");
    EXPECT_NE(Xml(multi.get()).find("itemspliter = \";\""), std::string::npos);
}

TEST(KivoControlObjects, ImageSizeAndOffsetsAre16BitUnsigned)
{
    auto image = Make<CKivoImageBase>(KivoClass_KivoImage);
    image->SetUserDefImageSize(-1, 20);
    std::string xml = Xml(image.get());
    EXPECT_NE(xml.find("userwidth = \"65535\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("userheight = \"20\""), std::string::npos) << xml;
    LONG v = 0;
    image->get_nUserDefImageHeight(v);
    EXPECT_EQ(v, 20);
    image->get_nUserDefImageWidth(v);
    EXPECT_EQ(v, 65535);

    image->SetImageOffset(1, 2, 65539, -2);
    LONG l = 0, t = 0, r = 0, b = 0;
    image->get_nImageOffsetLeft(l);
    image->get_nImageOffsetTop(t);
    image->get_nImageOffsetRight(r);
    image->get_nImageOffsetBottom(b);
    EXPECT_EQ(l, 1);
    EXPECT_EQ(t, 2);
    EXPECT_EQ(r, 3);
    EXPECT_EQ(b, 65534);
    // A stored value beyond 16 bits reads as its low 16 bits.
    image->put_strXml("<control controltype=\"image\" index=\"65538\" ></control>");
    image->get_nImageIndex(v);
    EXPECT_EQ(v, 2);
}

TEST(KivoControlObjects, NumericRangeAndUrlTexts)
{
    auto numeric = Make<CKivoNumericBase>(KivoClass_KivoNumeric);
    double lo = 1, hi = 1;
    numeric->get_dbInputMin(lo);
    EXPECT_EQ(lo, 0.0);
    numeric->SetInputRange(-1.5, 100.25);
    const std::string xml = Xml(numeric.get());
    EXPECT_NE(xml.find("inputmin = \"-1.500000\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("inputmax = \"100.250000\""), std::string::npos) << xml;
    EXPECT_LT(xml.find("inputmax"), xml.find("inputmin"));  // each inserted after the name
    numeric->get_dbInputMin(lo);
    numeric->get_dbInputMax(hi);
    EXPECT_EQ(lo, -1.5);
    EXPECT_EQ(hi, 100.25);

    auto url = Make<CKivoURLBase>(KivoClass_KivoURL);
    url->put_strUrl("http://example.com/a?b=1");
    CString text;
    url->get_strUrl(text);
    EXPECT_EQ(S(text), "http://example.com/a?b=1");
}

TEST(KivoControlObjects, ATextThatIsNotAControlElementIsLeftAlone)
{
    const char kFont[] = "<font fontname=\"Arial\" ></font>";
    auto button = Make<CKivoButtonBase>(KivoClass_KivoButton);
    button->put_strXml(kFont);
    button->put_strButtonText("OK");
    button->put_nButtonWidth(5);
    button->SetStyle(1, 1, 1, 1, 1, "x");
    EXPECT_EQ(Xml(button.get()), kFont);
    CString text = "x";
    button->get_strButtonText(text);
    EXPECT_EQ(S(text), "");
    LONG width = 7;
    button->get_nButtonWidth(width);
    EXPECT_EQ(width, 0);

    // Any control text loads into any class; its attributes read back.
    auto url = Make<CKivoURLBase>(KivoClass_KivoURL);
    url->put_strXml("<control controltype=\"checkbox\" openurl=\"1\" ></control>");
    SHORT open = 0;
    url->get_iCanOpen(open);
    EXPECT_EQ(open, 1);
    // A put replaces the former attributes entirely.
    url->put_strXml("<control controltype=\"url\" ></control>");
    url->get_iCanOpen(open);
    EXPECT_EQ(open, 0);
}

TEST(KivoControlObjects, MadeFromACellTypeHoldingTheCellsText)
{
    const struct {
        int cellType;
        int kivoClass;  // -1: no object
    } kCases[] = {
        {GCT_EDIT, -1},
        {GCT_COMBOBOX, KivoClass_KivoComboBox},
        {GCT_CHECKBOX, KivoClass_KivoCheckBox},
        {GCT_COMBOCHECK, KivoClass_KivoComboCheck},
        {GCT_DATETIME, KivoClass_KivoDateTime},
        {GCT_NUMERIC, KivoClass_KivoNumeric},
        {GCT_BUTTON, KivoClass_KivoButton},
        {GCT_TREE, -1},
        {GCT_RADIO, -1},
        {GCT_URL, KivoClass_KivoURL},
        {GCT_SUPEREDIT, -1},
        {GCT_FORMULA, -1},
        {GCT_IMAGE, KivoClass_KivoImage},
        {-1, -1},
        {13, -1},
    };
    for (const auto& c : kCases) {
        CKivoObjectPtr object = CreateKivoControlObject(c.cellType, "<control openmode=\"2\" ></control>");
        if (c.kivoClass < 0) {
            EXPECT_EQ(object, nullptr) << c.cellType;
            continue;
        }
        ASSERT_NE(object, nullptr) << c.cellType;
        EXPECT_EQ(object->GetKivoClass(), c.kivoClass);
        EXPECT_EQ(Xml(object.get()), "<control openmode=\"2\" ></control>");
    }
}

// ---- hand-over to cells ---------------------------------------------------------------

struct Sheet {
    Sheet()
    {
        ctl.RowSetCount(5);
        ctl.ColumnSetCount(4);
        ctl.RowSetFixedCount(1);
        ctl.ColumnSetFixedCount(1);
    }
    CGridCtrl& grid() { return *ctl.GetGrid()->GetGridCtrl(); }
    CKivoSheetCtrl ctl;
};

TEST(KivoControlObjects, ControlMembersApplyAndHandOutCellControlObjects)
{
    Sheet sheet;
    auto button = Make<CKivoButtonBase>(KivoClass_KivoButton);
    button->put_strButtonText("OK");
    EXPECT_EQ(sheet.ctl.CellSetControlEx(2, 2, button.get()), 1);
    EXPECT_EQ(sheet.grid().GetCellType(2, 2), GCT_BUTTON);
    EXPECT_EQ(S(sheet.grid().GetCellControlProperty(2, 2, "btntext")), "OK");

    CKivoObjectPtr back = sheet.ctl.CellGetControlEx(2, 2);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->GetKivoClass(), KivoClass_KivoButton);
    CString text;
    As<CKivoButtonBase>(back)->get_strButtonText(text);
    EXPECT_EQ(S(text), "OK");
    EXPECT_EQ(Xml(back.get()), S(sheet.grid().GetCellControl(2, 2)));

    // Refusals change nothing: no object, a font object, an empty text.
    const std::string before = S(sheet.grid().GetCellControl(3, 3));
    CKivoObjectPtr font = CreateKivoObjectOfClass(KivoClass_KivoFont);
    auto empty = Make<CKivoNumericBase>(KivoClass_KivoNumeric);
    empty->put_strXml("");
    EXPECT_EQ(sheet.ctl.CellSetControlEx(3, 3, nullptr), 0);
    EXPECT_EQ(sheet.ctl.CellSetControlEx(3, 3, font.get()), 0);
    EXPECT_EQ(sheet.ctl.CellSetControlEx(3, 3, empty.get()), 0);
    EXPECT_EQ(sheet.grid().GetCellType(3, 3), GCT_EDIT);
    EXPECT_EQ(S(sheet.grid().GetCellControl(3, 3)), before);

    // An edit cell and a cell outside the sheet hand out no object.
    EXPECT_EQ(sheet.ctl.CellGetControlEx(3, 3), nullptr);
    EXPECT_EQ(sheet.ctl.CellGetControlEx(9, 9), nullptr);
    EXPECT_EQ(sheet.ctl.CellSetControlEx(9, 9, button.get()), 0);
}

// The older "style" form the button object writes reaches the cell as the
// button's text, width and place, and comes back as the newer attributes.
TEST(KivoControlObjects, ButtonStyleRoundTripsThroughACell)
{
    const struct {
        SHORT scroll;
        LONG type, width;
        SHORT group;
        LONG align;
        const char* text;
        LONG cellAlign;
    } kCases[] = {
        {0, 1, 40, 0, 2, "Go", 1},   // older 2: the whole cell
        {1, 3, 25, 1, 0, "Left", 0}, // older 0: at the left
        {0, 1, 30, 0, 1, "Right", 2},
        {0, 1, 0, 0, 0, "No width", 1},
    };
    Sheet sheet;
    int row = 1;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        auto button = Make<CKivoButtonBase>(KivoClass_KivoButton);
        button->SetStyle(c.scroll, c.type, c.width, c.group, c.align, c.text);
        ASSERT_EQ(sheet.ctl.CellSetControlEx(row, 1, button.get()), 1);
        EXPECT_EQ(S(sheet.grid().GetCellControlProperty(row, 1, "btntext")), c.text);
        EXPECT_EQ(S(sheet.grid().GetCellControlProperty(row, 1, "style")), "");

        CKivoObjectPtr back = sheet.ctl.CellGetControlEx(row, 1);
        ASSERT_NE(back, nullptr);
        auto* object = As<CKivoButtonBase>(back);
        CString text;
        LONG width = -1, align = -1;
        object->get_strButtonText(text);
        object->get_nButtonWidth(width);
        object->get_nButtonAlign(align);
        EXPECT_EQ(S(text), c.text);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(align, c.cellAlign);
        ++row;
    }
}

TEST(KivoControlObjects, EachObjectAppliedToACellGivesTheSettingsItNames)
{
    Sheet sheet;
    auto check = Make<CKivoCheckBoxBase>(KivoClass_KivoCheckBox);
    check->SetCheck(1);
    auto numeric = Make<CKivoNumericBase>(KivoClass_KivoNumeric);
    numeric->put_iLimited(1);
    numeric->SetInputRange(0, 10);
    auto url = Make<CKivoURLBase>(KivoClass_KivoURL);
    url->put_strUrl("http://example.com/");
    const struct {
        CKivoObject* object;
        int type;
        const char* attribute;
        const char* value;
    } kCases[] = {
        {check.get(), GCT_CHECKBOX, "setcheck", "1"},
        {numeric.get(), GCT_NUMERIC, "inputmax", "10.000000"},
        {url.get(), GCT_URL, "url", "http://example.com/"},
    };
    int row = 1;
    for (const auto& c : kCases) {
        EXPECT_EQ(sheet.ctl.CellSetControlEx(row, 1, c.object), 1);
        EXPECT_EQ(sheet.grid().GetCellType(row, 1), c.type);
        EXPECT_EQ(S(sheet.grid().GetCellControlProperty(row, 1, c.attribute)), c.value);
        ++row;
    }
    // The check cell reads its state from the text.
    EXPECT_EQ(sheet.ctl.CellGetControlEx(1, 1)->GetKivoClass(), KivoClass_KivoCheckBox);
}

TEST(KivoControlObjects, ViewObjectsApplyToEveryCoveredCellAndReadTheFirst)
{
    Sheet sheet;
    CKivoObjectPtr column = sheet.ctl.ColumnGetObject(2);
    ASSERT_NE(column, nullptr);
    auto numeric = Make<CKivoNumericBase>(KivoClass_KivoNumeric);
    As<CKivoColumn>(column)->SetControlEx(numeric.get());
    for (int r = 1; r < 5; ++r)
        EXPECT_EQ(sheet.grid().GetCellType(r, 2), GCT_NUMERIC) << r;

    CKivoObjectPtr back;
    As<CKivoColumn>(column)->GetControlEx(back);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetKivoClass(), KivoClass_KivoNumeric);

    // A font object changes nothing; an edit column hands out nothing.
    CKivoObjectPtr other = sheet.ctl.ColumnGetObject(3);
    CKivoObjectPtr font = CreateKivoObjectOfClass(KivoClass_KivoFont);
    As<CKivoColumn>(other)->SetControlEx(font.get());
    EXPECT_EQ(sheet.grid().GetCellType(1, 3), GCT_EDIT);
    As<CKivoColumn>(other)->GetControlEx(back);
    EXPECT_EQ(back, nullptr);

    // Without a grid: nothing either way.
    CKivoObjectPtr loose = CreateKivoObjectOfClass(KivoClass_KivoRange);
    As<CKivoRange>(loose)->SetControlEx(numeric.get());
    As<CKivoRange>(loose)->GetControlEx(back);
    EXPECT_EQ(back, nullptr);
}

TEST(KivoControlObjects, ViewObjectKeptAfterItsControlHasGoneDoesNothing)
{
    CKivoObjectPtr row;
    {
        Sheet sheet;
        row = sheet.ctl.RowGetObject(2);
    }
    auto check = Make<CKivoCheckBoxBase>(KivoClass_KivoCheckBox);
    As<CKivoRow>(row)->SetControlEx(check.get());
    CKivoObjectPtr back;
    As<CKivoRow>(row)->GetControlEx(back);
    EXPECT_EQ(back, nullptr);
}

}  // namespace
