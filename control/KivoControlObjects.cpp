#include "control/KivoControlObjects.h"

#include "base/CStringArray.h"
#include "base/NumberText.h"
#include "cellcontent/StringUtil.h"
#include "control/ControlDescriptions.h"
#include "control/KivoObjects.gen.h"
#include "grid/GridCellTypes.h"

#include <cstdint>

namespace {

const char kControlElement[] = "control";

CString Decimal(long value)
{
    CString text;
    text.Format("%ld", value);
    return text;
}

// The low 16 bits, unsigned: 0 to 65535.
LONG Low16(long value)
{
    return static_cast<LONG>(static_cast<std::uint16_t>(value & 0xFFFF));
}

SHORT Short16(long value)
{
    return static_cast<SHORT>(static_cast<std::uint16_t>(value & 0xFFFF));
}

// What the shared members of the eight classes need: the description of the
// class's type and the attribute conversions.
template <class Base, class Description>
class CKivoControlObject : public Base {
public:
    const CString& Text() const { return m_description.m_xmlElement.GetXmlText(); }

    HRESULT get_strXml(CString& pVal) override
    {
        pVal = Text();
        return kKivoOk;
    }
    // The text is parsed afresh into a new element: parsing into the old one
    // would keep its attributes ahead of the new text's. The control type is
    // not compared with the class.
    HRESULT put_strXml(const CString& newVal) override
    {
        m_description.m_strText = newVal;
        m_description.m_xmlElement = CXmlElement(newVal, kControlElement);
        return kKivoOk;
    }

protected:
    CString ReadText(const char* name) const { return m_description.m_xmlElement.GetAttribute(name); }
    LONG ReadLong(const char* name) const { return static_cast<LONG>(AToL(ReadText(name))); }
    SHORT ReadShort(const char* name) const { return Short16(ReadLong(name)); }
    LONG ReadLow16(const char* name) const { return Low16(ReadLong(name)); }
    double ReadDouble(const char* name) const { return AToF(ReadText(name)); }

    void WriteText(const char* name, const CString& value)
    {
        // -1 (nothing written) while the text is not a "control" element.
        if (m_description.m_xmlElement.SetAttribute(name, value) >= 0)
            m_description.m_strText = Text();
    }
    void WriteLong(const char* name, long value) { WriteText(name, Decimal(value)); }
    void WriteLow16(const char* name, long value) { WriteLong(name, Low16(value)); }
    void WriteFlag(const char* name, long value) { WriteText(name, value != 0 ? "1" : "0"); }
    void WriteDouble(const char* name, double value)
    {
        CString text;
        text.Format("%f", value);
        WriteText(name, text);
    }

    Description m_description;
};

// ---- KivoCheckBox -------------------------------------------------------------------

class CKivoCheckBox : public CKivoControlObject<CKivoCheckBoxBase, CCheckBoxDescription> {
public:
    HRESULT get_iDisplayStyle(SHORT& pVal) override { pVal = ReadShort("displaystyle"); return kKivoOk; }
    HRESULT put_iDisplayStyle(SHORT newVal) override { WriteLong("displaystyle", newVal); return kKivoOk; }
    // Any non-zero value checks, as the control's booleans take a script's
    // True (-1).
    HRESULT SetCheck(SHORT iChecked) override { WriteFlag("setcheck", iChecked); return kKivoOk; }
    HRESULT GetCheck(SHORT& iChecked) override { iChecked = ReadShort("setcheck"); return kKivoOk; }
    HRESULT get_iEnabled(SHORT& pVal) override { pVal = ReadShort("enablecheck"); return kKivoOk; }
    HRESULT put_iEnabled(SHORT newVal) override { WriteFlag("enablecheck", newVal); return kKivoOk; }
    HRESULT get_crSideColor(LONG& pVal) override { pVal = ReadLong("sidecolor"); return kKivoOk; }
    HRESULT put_crSideColor(LONG newVal) override { WriteLong("sidecolor", newVal); return kKivoOk; }
    HRESULT get_crTickColor(LONG& pVal) override { pVal = ReadLong("tickcolor"); return kKivoOk; }
    HRESULT put_crTickColor(LONG newVal) override { WriteLong("tickcolor", newVal); return kKivoOk; }
    HRESULT get_crBgColor(LONG& pVal) override { pVal = ReadLong("bgcolor"); return kKivoOk; }
    HRESULT put_crBgColor(LONG newVal) override { WriteLong("bgcolor", newVal); return kKivoOk; }
    HRESULT get_iBoxSize(SHORT& pVal) override { pVal = ReadShort("size"); return kKivoOk; }
    HRESULT put_iBoxSize(SHORT newVal) override { WriteLong("size", newVal); return kKivoOk; }
    HRESULT get_nAlign(LONG& pVal) override { pVal = ReadLong("align"); return kKivoOk; }
    HRESULT put_nAlign(LONG newVal) override { WriteLong("align", newVal); return kKivoOk; }
};

// ---- KivoComboBox and KivoComboCheck --------------------------------------------------------

// The members the two combo classes share.
template <class Base, class Description>
class CKivoComboObject : public CKivoControlObject<Base, Description> {
    using Object = CKivoControlObject<Base, Description>;

public:
    HRESULT get_iDropList(SHORT& pVal) override { pVal = Object::ReadShort("style"); return kKivoOk; }
    HRESULT put_iDropList(SHORT newVal) override { Object::WriteLong("style", newVal); return kKivoOk; }
    HRESULT get_strDataSource(CString& pVal) override { pVal = Object::ReadText("datasource"); return kKivoOk; }
    HRESULT put_strDataSource(const CString& newVal) override { Object::WriteText("datasource", newVal); return kKivoOk; }
    HRESULT get_iLeaveType(SHORT& pVal) override { pVal = Object::ReadShort("leavetype"); return kKivoOk; }
    HRESULT put_iLeaveType(SHORT newVal) override { Object::WriteLong("leavetype", newVal); return kKivoOk; }
    HRESULT get_nListHeight(LONG& pVal) override { pVal = Object::ReadLong("listheight"); return kKivoOk; }
    HRESULT put_nListHeight(LONG newVal) override { Object::WriteLong("listheight", newVal); return kKivoOk; }
    HRESULT get_iIsMatch(SHORT& pVal) override { pVal = Object::ReadShort("ismatch"); return kKivoOk; }
    HRESULT put_iIsMatch(SHORT newVal) override { Object::WriteLong("ismatch", newVal); return kKivoOk; }
    HRESULT get_iSort(LONG& pVal) override { pVal = Object::ReadLong("sort"); return kKivoOk; }
    HRESULT put_iSort(LONG newVal) override { Object::WriteLong("sort", newVal); return kKivoOk; }
    HRESULT get_nCurrentItem(LONG& pVal) override { pVal = Object::ReadLong("setcurrentitem"); return kKivoOk; }
    HRESULT put_nCurrentItem(LONG newVal) override { Object::WriteLong("setcurrentitem", newVal); return kKivoOk; }
    // Item nIndex (from 0) of the data source cut at every line break (empty
    // items dropped); "" outside the items.
    HRESULT GetItemValue(LONG nIndex, CString& pstrValue) override
    {
        pstrValue = CString();
        CStringArray items;
        const int count = SplitString(Object::ReadText("datasource"), "\n", items);
        if (nIndex >= 0 && nIndex < count)
            pstrValue = items.GetAt(static_cast<int>(nIndex));
        return kKivoOk;
    }
    HRESULT get_iAutoDropList(SHORT& pVal) override { pVal = Object::ReadShort("autodropdown"); return kKivoOk; }
    HRESULT put_iAutoDropList(SHORT newVal) override { Object::WriteLong("autodropdown", newVal); return kKivoOk; }
};

class CKivoComboBox : public CKivoComboObject<CKivoComboBoxBase, CComboBoxDescription> {
};

class CKivoComboCheck : public CKivoComboObject<CKivoComboCheckBase, CComboCheckDescription> {
public:
    HRESULT get_strItemSpliter(CString& pVal) override { pVal = ReadText("itemspliter"); return kKivoOk; }
    HRESULT put_strItemSpliter(const CString& newVal) override { WriteText("itemspliter", newVal); return kKivoOk; }
};

// ---- KivoButton ---------------------------------------------------------------------

class CKivoButton : public CKivoControlObject<CKivoButtonBase, CButtonDescription> {
public:
    // The legacy "style" attribute: the six values, one per line.
    HRESULT SetStyle(SHORT iScroll, LONG nButtonType, LONG nWidth, SHORT iIsGroup, LONG dwAlign,
                     const CString& strText) override
    {
        CString style;
        style.Format("%d\n%d\n%d\n%d\n%d\n%s", static_cast<int>(iScroll), static_cast<int>(nButtonType),
                     static_cast<int>(nWidth), static_cast<int>(iIsGroup), static_cast<int>(dwAlign),
                     strText.GetString());
        WriteText("style", style);
        return kKivoOk;
    }
    HRESULT GetStyle(CString& pstrStyle) override { pstrStyle = ReadText("style"); return kKivoOk; }
    HRESULT get_strButtonText(CString& pVal) override { pVal = ReadText("btntext"); return kKivoOk; }
    HRESULT put_strButtonText(const CString& newVal) override { WriteText("btntext", newVal); return kKivoOk; }
    HRESULT get_nButtonAlign(LONG& pVal) override { pVal = ReadLong("align"); return kKivoOk; }
    HRESULT put_nButtonAlign(LONG newVal) override { WriteLong("align", newVal); return kKivoOk; }
    HRESULT get_nButtonTextAlign(LONG& pVal) override { pVal = ReadLong("btntextalign"); return kKivoOk; }
    HRESULT put_nButtonTextAlign(LONG newVal) override { WriteLong("btntextalign", newVal); return kKivoOk; }
    HRESULT get_nButtonWidth(LONG& pVal) override { pVal = ReadLong("btnwidth"); return kKivoOk; }
    HRESULT put_nButtonWidth(LONG newVal) override { WriteLong("btnwidth", newVal); return kKivoOk; }
    HRESULT get_iButtonDisabled(SHORT& pVal) override { pVal = ReadShort("disable"); return kKivoOk; }
    HRESULT put_iButtonDisabled(SHORT newVal) override { WriteLong("disable", newVal); return kKivoOk; }
    HRESULT get_iLeaveType(SHORT& pVal) override { pVal = ReadShort("leavetype"); return kKivoOk; }
    HRESULT put_iLeaveType(SHORT newVal) override { WriteLong("leavetype", newVal); return kKivoOk; }
    HRESULT get_nTextInImgPos(LONG& pVal) override { pVal = ReadLong("textimagepos"); return kKivoOk; }
    HRESULT put_nTextInImgPos(LONG newVal) override { WriteLong("textimagepos", newVal); return kKivoOk; }
    HRESULT get_nNormalImgIndex(LONG& pVal) override { pVal = ReadLong("btnimgindex"); return kKivoOk; }
    HRESULT put_nNormalImgIndex(LONG newVal) override { WriteLong("btnimgindex", newVal); return kKivoOk; }
    HRESULT get_nFocusedImgIndex(LONG& pVal) override { pVal = ReadLong("btnimgfocusedindex"); return kKivoOk; }
    HRESULT put_nFocusedImgIndex(LONG newVal) override { WriteLong("btnimgfocusedindex", newVal); return kKivoOk; }
    HRESULT get_nPressedImgIndex(LONG& pVal) override { pVal = ReadLong("btnimgpressedindex"); return kKivoOk; }
    HRESULT put_nPressedImgIndex(LONG newVal) override { WriteLong("btnimgpressedindex", newVal); return kKivoOk; }
    HRESULT get_nHotImgIndex(LONG& pVal) override { pVal = ReadLong("btnimghotindex"); return kKivoOk; }
    HRESULT put_nHotImgIndex(LONG newVal) override { WriteLong("btnimghotindex", newVal); return kKivoOk; }
    HRESULT get_nDisabledImgIndex(LONG& pVal) override { pVal = ReadLong("btnimgdisabledindex"); return kKivoOk; }
    HRESULT put_nDisabledImgIndex(LONG newVal) override { WriteLong("btnimgdisabledindex", newVal); return kKivoOk; }
};

// ---- KivoDateTime -------------------------------------------------------------------

class CKivoDateTime : public CKivoControlObject<CKivoDateTimeBase, CDateTimeDescription> {
public:
    HRESULT get_iStyle(SHORT& pVal) override { pVal = ReadShort("style"); return kKivoOk; }
    HRESULT put_iStyle(SHORT newVal) override { WriteLong("style", newVal); return kKivoOk; }
    HRESULT get_iDatetimeStyle(SHORT& pVal) override { pVal = ReadShort("datetimestyle"); return kKivoOk; }
    HRESULT put_iDatetimeStyle(SHORT newVal) override { WriteLong("datetimestyle", newVal); return kKivoOk; }
    HRESULT get_iDTType(SHORT& pVal) override { pVal = ReadShort("dttype"); return kKivoOk; }
    HRESULT put_iDTType(SHORT newVal) override { WriteLong("dttype", newVal); return kKivoOk; }
    HRESULT get_iDataFormat(SHORT& pVal) override { pVal = ReadShort("dataformat"); return kKivoOk; }
    HRESULT put_iDataFormat(SHORT newVal) override { WriteLong("dataformat", newVal); return kKivoOk; }
    HRESULT get_iSpliterType(SHORT& pVal) override { pVal = ReadShort("splitertype"); return kKivoOk; }
    HRESULT put_iSpliterType(SHORT newVal) override { WriteLong("splitertype", newVal); return kKivoOk; }
    HRESULT get_iLeaveType(SHORT& pVal) override { pVal = ReadShort("leavetype"); return kKivoOk; }
    HRESULT put_iLeaveType(SHORT newVal) override { WriteLong("leavetype", newVal); return kKivoOk; }
};

// ---- KivoImage ----------------------------------------------------------------------

// The picture index, the user size and the offsets are 16-bit values without
// sign: both ways only the low 16 bits count.
class CKivoImage : public CKivoControlObject<CKivoImageBase, CImageDescription> {
public:
    HRESULT get_nImageIndex(LONG& pVal) override { pVal = ReadLow16("index"); return kKivoOk; }
    HRESULT put_nImageIndex(LONG newVal) override { WriteLow16("index", newVal); return kKivoOk; }
    HRESULT get_iSizeType(SHORT& pVal) override { pVal = ReadShort("sizetype"); return kKivoOk; }
    HRESULT put_iSizeType(SHORT newVal) override { WriteLong("sizetype", newVal); return kKivoOk; }
    HRESULT SetUserDefImageSize(LONG nWidth, LONG nHeight) override
    {
        WriteLow16("userwidth", nWidth);
        WriteLow16("userheight", nHeight);
        return kKivoOk;
    }
    HRESULT get_nUserDefImageWidth(LONG& pVal) override { pVal = ReadLow16("userwidth"); return kKivoOk; }
    HRESULT get_nUserDefImageHeight(LONG& pVal) override { pVal = ReadLow16("userheight"); return kKivoOk; }
    HRESULT get_nImageAlign(LONG& pVal) override { pVal = ReadLong("align"); return kKivoOk; }
    HRESULT put_nImageAlign(LONG newVal) override { WriteLong("align", newVal); return kKivoOk; }
    HRESULT SetImageOffset(LONG nLeft, LONG nTop, LONG nRight, LONG nBottom) override
    {
        WriteLow16("offsetleft", nLeft);
        WriteLow16("offsettop", nTop);
        WriteLow16("offsetright", nRight);
        WriteLow16("offsetbottom", nBottom);
        return kKivoOk;
    }
    HRESULT get_nImageOffsetLeft(LONG& pVal) override { pVal = ReadLow16("offsetleft"); return kKivoOk; }
    HRESULT get_nImageOffsetTop(LONG& pVal) override { pVal = ReadLow16("offsettop"); return kKivoOk; }
    HRESULT get_nImageOffsetRight(LONG& pVal) override { pVal = ReadLow16("offsetright"); return kKivoOk; }
    HRESULT get_nImageOffsetBottom(LONG& pVal) override { pVal = ReadLow16("offsetbottom"); return kKivoOk; }
};

// ---- KivoNumeric --------------------------------------------------------------------

class CKivoNumeric : public CKivoControlObject<CKivoNumericBase, CNumericDescription> {
public:
    HRESULT get_iInputType(SHORT& pVal) override { pVal = ReadShort("inputtype"); return kKivoOk; }
    HRESULT put_iInputType(SHORT newVal) override { WriteLong("inputtype", newVal); return kKivoOk; }
    HRESULT get_iLimited(SHORT& pVal) override { pVal = ReadShort("limit"); return kKivoOk; }
    HRESULT put_iLimited(SHORT newVal) override { WriteLong("limit", newVal); return kKivoOk; }
    HRESULT SetInputRange(double dbMin, double dbMax) override
    {
        WriteDouble("inputmin", dbMin);
        WriteDouble("inputmax", dbMax);
        return kKivoOk;
    }
    HRESULT get_dbInputMin(double& pVal) override { pVal = ReadDouble("inputmin"); return kKivoOk; }
    HRESULT get_dbInputMax(double& pVal) override { pVal = ReadDouble("inputmax"); return kKivoOk; }
};

// ---- KivoURL ------------------------------------------------------------------------

class CKivoURL : public CKivoControlObject<CKivoURLBase, CURLDescription> {
public:
    HRESULT get_iCanOpen(SHORT& pVal) override { pVal = ReadShort("openurl"); return kKivoOk; }
    HRESULT put_iCanOpen(SHORT newVal) override { WriteLong("openurl", newVal); return kKivoOk; }
    HRESULT get_iOpenMode(SHORT& pVal) override { pVal = ReadShort("openmode"); return kKivoOk; }
    HRESULT put_iOpenMode(SHORT newVal) override { WriteLong("openmode", newVal); return kKivoOk; }
    HRESULT get_crUrlColor(LONG& pVal) override { pVal = ReadLong("urlcolor"); return kKivoOk; }
    HRESULT put_crUrlColor(LONG newVal) override { WriteLong("urlcolor", newVal); return kKivoOk; }
    HRESULT get_strUrl(CString& pVal) override { pVal = ReadText("url"); return kKivoOk; }
    HRESULT put_strUrl(const CString& newVal) override { WriteText("url", newVal); return kKivoOk; }
};

// The text through the class's own strXml member.
template <class Base>
CString StrXmlOf(const CKivoObject* object)
{
    CString text;
    const_cast<Base*>(static_cast<const Base*>(object))->get_strXml(text);
    return text;
}

}  // namespace

CKivoObjectPtr CreateKivoControlObjectOfClass(int kivoClass)
{
    switch (kivoClass) {
    case KivoClass_KivoCheckBox:
        return std::make_unique<CKivoCheckBox>();
    case KivoClass_KivoComboBox:
        return std::make_unique<CKivoComboBox>();
    case KivoClass_KivoButton:
        return std::make_unique<CKivoButton>();
    case KivoClass_KivoComboCheck:
        return std::make_unique<CKivoComboCheck>();
    case KivoClass_KivoDateTime:
        return std::make_unique<CKivoDateTime>();
    case KivoClass_KivoImage:
        return std::make_unique<CKivoImage>();
    case KivoClass_KivoNumeric:
        return std::make_unique<CKivoNumeric>();
    case KivoClass_KivoURL:
        return std::make_unique<CKivoURL>();
    default:
        return nullptr;
    }
}

namespace {

int KivoClassOfCellType(int cellType)
{
    switch (cellType) {
    case GCT_COMBOBOX: return KivoClass_KivoComboBox;
    case GCT_CHECKBOX: return KivoClass_KivoCheckBox;
    case GCT_COMBOCHECK: return KivoClass_KivoComboCheck;
    case GCT_DATETIME: return KivoClass_KivoDateTime;
    case GCT_NUMERIC: return KivoClass_KivoNumeric;
    case GCT_BUTTON: return KivoClass_KivoButton;
    case GCT_URL: return KivoClass_KivoURL;
    case GCT_IMAGE: return KivoClass_KivoImage;
    default: return -1;
    }
}

// Each class's strXml put, through its own base.
template <class Base>
void PutStrXml(CKivoObject* object, const CString& text)
{
    static_cast<Base*>(object)->put_strXml(text);
}

}  // namespace

CKivoObjectPtr CreateKivoControlObject(int cellType, const CString& controlText)
{
    CKivoObjectPtr object = CreateKivoControlObjectOfClass(KivoClassOfCellType(cellType));
    if (object == nullptr)
        return nullptr;
    switch (object->GetKivoClass()) {
    case KivoClass_KivoCheckBox: PutStrXml<CKivoCheckBoxBase>(object.get(), controlText); break;
    case KivoClass_KivoComboBox: PutStrXml<CKivoComboBoxBase>(object.get(), controlText); break;
    case KivoClass_KivoButton: PutStrXml<CKivoButtonBase>(object.get(), controlText); break;
    case KivoClass_KivoComboCheck: PutStrXml<CKivoComboCheckBase>(object.get(), controlText); break;
    case KivoClass_KivoDateTime: PutStrXml<CKivoDateTimeBase>(object.get(), controlText); break;
    case KivoClass_KivoImage: PutStrXml<CKivoImageBase>(object.get(), controlText); break;
    case KivoClass_KivoNumeric: PutStrXml<CKivoNumericBase>(object.get(), controlText); break;
    case KivoClass_KivoURL: PutStrXml<CKivoURLBase>(object.get(), controlText); break;
    default: break;
    }
    return object;
}

bool GetKivoControlText(const CKivoObject* object, CString& controlText)
{
    if (object == nullptr)
        return false;
    switch (object->GetKivoClass()) {
    case KivoClass_KivoCheckBox: controlText = StrXmlOf<CKivoCheckBoxBase>(object); return true;
    case KivoClass_KivoComboBox: controlText = StrXmlOf<CKivoComboBoxBase>(object); return true;
    case KivoClass_KivoButton: controlText = StrXmlOf<CKivoButtonBase>(object); return true;
    case KivoClass_KivoComboCheck: controlText = StrXmlOf<CKivoComboCheckBase>(object); return true;
    case KivoClass_KivoDateTime: controlText = StrXmlOf<CKivoDateTimeBase>(object); return true;
    case KivoClass_KivoImage: controlText = StrXmlOf<CKivoImageBase>(object); return true;
    case KivoClass_KivoNumeric: controlText = StrXmlOf<CKivoNumericBase>(object); return true;
    case KivoClass_KivoURL: controlText = StrXmlOf<CKivoURLBase>(object); return true;
    default: return false;
    }
}
