#include "control/KivoValueObjects.h"

#include "base/NumberText.h"

namespace {

CString Decimal(long value)
{
    CString text;
    text.Format("%ld", value);
    return text;
}

const char kWeightBold[] = "FW_BOLD";
const int kBoldWeight = 700;

}  // namespace

// ---- KivoFont ---------------------------------------------------------------------

SHORT CKivoFont::ReadShort(const char* name) const
{
    return static_cast<SHORT>(AToI(m_description.GetAttribute(name)));
}

void CKivoFont::WriteDecimal(const char* name, long value)
{
    m_description.SetAttribute(name, Decimal(value));
}

void CKivoFont::WriteFlag(const char* name, SHORT value)
{
    m_description.SetAttribute(name, value != 0 ? "1" : "0");
}

HRESULT CKivoFont::get_cCharset(SHORT& pVal)
{
    pVal = ReadShort("charset");
    return kKivoOk;
}

HRESULT CKivoFont::put_cCharset(SHORT newVal)
{
    WriteDecimal("charset", newVal);
    return kKivoOk;
}

HRESULT CKivoFont::get_strFontName(CString& pVal)
{
    pVal = m_description.GetAttribute("fontname");
    return kKivoOk;
}

HRESULT CKivoFont::put_strFontName(const CString& newVal)
{
    m_description.SetAttribute("fontname", newVal);
    return kKivoOk;
}

HRESULT CKivoFont::get_iItalic(SHORT& pVal)
{
    pVal = ReadShort("italic");
    return kKivoOk;
}

HRESULT CKivoFont::put_iItalic(SHORT newVal)
{
    WriteFlag("italic", newVal);
    return kKivoOk;
}

HRESULT CKivoFont::get_iOrientation(SHORT& pVal)
{
    pVal = ReadShort("orientation");
    return kKivoOk;
}

HRESULT CKivoFont::put_iOrientation(SHORT newVal)
{
    WriteDecimal("orientation", newVal);
    return kKivoOk;
}

HRESULT CKivoFont::get_iStrikeout(SHORT& pVal)
{
    pVal = ReadShort("strikeout");
    return kKivoOk;
}

HRESULT CKivoFont::put_iStrikeout(SHORT newVal)
{
    WriteFlag("strikeout", newVal);
    return kKivoOk;
}

HRESULT CKivoFont::get_iBold(SHORT& pVal)
{
    const CString weight = m_description.GetAttribute("weight");
    pVal = weight == kWeightBold || AToI(weight) == kBoldWeight ? 1 : 0;
    return kKivoOk;
}

HRESULT CKivoFont::put_iBold(SHORT newVal)
{
    m_description.SetAttribute("weight", newVal != 0 ? kWeightBold : "");
    return kKivoOk;
}

HRESULT CKivoFont::get_nFontSize(LONG& pVal)
{
    pVal = AToL(m_description.GetAttribute("fontsize"));
    return kKivoOk;
}

HRESULT CKivoFont::put_nFontSize(LONG newVal)
{
    WriteDecimal("fontsize", newVal);
    return kKivoOk;
}

HRESULT CKivoFont::get_iUnderline(SHORT& pVal)
{
    pVal = ReadShort("underline");
    return kKivoOk;
}

HRESULT CKivoFont::put_iUnderline(SHORT newVal)
{
    WriteFlag("underline", newVal);
    return kKivoOk;
}

HRESULT CKivoFont::get_strXml(CString& pVal)
{
    pVal = m_description.GetText();
    return kKivoOk;
}

HRESULT CKivoFont::put_strXml(const CString& newVal)
{
    m_description.SetText(newVal);
    return kKivoOk;
}

// ---- KivoCellBorder -------------------------------------------------------------------

CKivoCellBorder::CKivoCellBorder(const CBorderBlock& block)
    : m_crLineColor(block.colour),
      m_nLineStyle(static_cast<SHORT>(block.lineStyle)),
      m_nLineWidth(static_cast<SHORT>(block.lineWidth))
{
}

CBorderBlock CKivoCellBorder::GetBlock() const
{
    CBorderBlock block;
    block.colour = m_crLineColor;
    block.lineStyle = m_nLineStyle;
    block.lineWidth = m_nLineWidth;
    return block;
}

HRESULT CKivoCellBorder::get_crLineColor(LONG& pVal)
{
    pVal = m_crLineColor;
    return kKivoOk;
}

HRESULT CKivoCellBorder::put_crLineColor(LONG newVal)
{
    m_crLineColor = newVal;
    return kKivoOk;
}

HRESULT CKivoCellBorder::get_nLineStyle(SHORT& pVal)
{
    pVal = m_nLineStyle;
    return kKivoOk;
}

HRESULT CKivoCellBorder::put_nLineStyle(SHORT newVal)
{
    m_nLineStyle = newVal;
    return kKivoOk;
}

HRESULT CKivoCellBorder::get_nLineWidth(SHORT& pVal)
{
    pVal = m_nLineWidth;
    return kKivoOk;
}

HRESULT CKivoCellBorder::put_nLineWidth(SHORT newVal)
{
    m_nLineWidth = newVal;
    return kKivoOk;
}

// ---- KivoGridDefaultSetting ---------------------------------------------------------------

HRESULT CKivoGridDefaultSetting::get_bEditable(SHORT& pVal)
{
    pVal = static_cast<SHORT>(m_record.m_bEditable);
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_bEditable(SHORT newVal)
{
    m_record.m_bEditable = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_arCellBorder(SHORT iPos, CKivoObjectPtr& pVal)
{
    if (iPos < 0 || iPos > 3) {
        pVal.reset();
        return kKivoOk;
    }
    pVal = CreateKivoCellBorderObject(m_record.m_borders[iPos]);
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_arCellBorder(SHORT iPos, CKivoObject* newVal)
{
    CBorderBlock block;
    if (iPos < 0 || iPos > 15 || !GetKivoBorderBlock(newVal, block))
        return kKivoOk;
    const std::uint16_t bits[4] = {DefaultBorderLeft, DefaultBorderTop, DefaultBorderRight, DefaultBorderBottom};
    for (int side = 0; side < 4; ++side) {
        if ((iPos & bits[side]) == 0)
            continue;
        m_record.m_borders[side] = block;
        m_record.m_wBorderFlags = static_cast<std::uint16_t>(m_record.m_wBorderFlags | bits[side]);
    }
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_nRowHeight(LONG& pVal)
{
    pVal = m_record.m_nRowHeight;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_nRowHeight(LONG newVal)
{
    m_record.m_nRowHeight = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_nColWidth(LONG& pVal)
{
    pVal = m_record.m_nColWidth;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_nColWidth(LONG newVal)
{
    m_record.m_nColWidth = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_crSelColor(LONG& pVal)
{
    pVal = m_record.m_crSelColor;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_crSelColor(LONG newVal)
{
    m_record.m_crSelColor = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_crCellBgColor(LONG& pVal)
{
    pVal = m_record.m_crCellBgColor;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_crCellBgColor(LONG newVal)
{
    m_record.m_crCellBgColor = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_crTextColor(LONG& pVal)
{
    pVal = m_record.m_crTextColor;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_crTextColor(LONG newVal)
{
    m_record.m_crTextColor = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_strFontXml(CString& pVal)
{
    pVal = m_record.m_strFontXml;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_strFontXml(const CString& newVal)
{
    m_record.m_strFontXml = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_bTip(SHORT& pVal)
{
    pVal = static_cast<SHORT>(m_record.m_bTip);
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_bTip(SHORT newVal)
{
    m_record.m_bTip = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_bAllowResizeRow(SHORT& pVal)
{
    pVal = static_cast<SHORT>(m_record.m_bAllowResizeRow);
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_bAllowResizeRow(SHORT newVal)
{
    m_record.m_bAllowResizeRow = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_bAllowResizeCol(SHORT& pVal)
{
    pVal = static_cast<SHORT>(m_record.m_bAllowResizeCol);
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_bAllowResizeCol(SHORT newVal)
{
    m_record.m_bAllowResizeCol = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_bIMResetInitRowHeight(SHORT& pVal)
{
    pVal = static_cast<SHORT>(m_record.m_bIMResetInitRowHeight);
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_bIMResetInitRowHeight(SHORT newVal)
{
    m_record.m_bIMResetInitRowHeight = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_bIMResetInitColWidth(SHORT& pVal)
{
    pVal = static_cast<SHORT>(m_record.m_bIMResetInitColWidth);
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_bIMResetInitColWidth(SHORT newVal)
{
    m_record.m_bIMResetInitColWidth = newVal;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::get_dwTextAlign(LONG& pVal)
{
    pVal = m_record.m_dwTextAlign;
    return kKivoOk;
}

HRESULT CKivoGridDefaultSetting::put_dwTextAlign(LONG newVal)
{
    m_record.m_dwTextAlign = newVal;
    return kKivoOk;
}

// ---- hand-offs ------------------------------------------------------------------------------

CKivoObjectPtr CreateKivoFontObject(const CString& fontText)
{
    return std::make_unique<CKivoFont>(fontText);
}

bool GetKivoFontText(const CKivoObject* object, CString& fontText)
{
    const CKivoFont* font = dynamic_cast<const CKivoFont*>(object);
    if (font == nullptr)
        return false;
    fontText = font->GetText();
    return true;
}

CKivoObjectPtr CreateKivoCellBorderObject(const CBorderBlock& block)
{
    return std::make_unique<CKivoCellBorder>(block);
}

bool GetKivoBorderBlock(const CKivoObject* object, CBorderBlock& block)
{
    const CKivoCellBorder* border = dynamic_cast<const CKivoCellBorder*>(object);
    if (border == nullptr)
        return false;
    block = border->GetBlock();
    return true;
}

CKivoObjectPtr CreateKivoDefaultSettingObject(const CGridDefaultSetting& record)
{
    return std::make_unique<CKivoGridDefaultSetting>(record);
}

bool GetKivoDefaultSetting(const CKivoObject* object, CGridDefaultSetting& record)
{
    const CKivoGridDefaultSetting* setting = dynamic_cast<const CKivoGridDefaultSetting*>(object);
    if (setting == nullptr)
        return false;
    record = setting->GetRecord();
    return true;
}
