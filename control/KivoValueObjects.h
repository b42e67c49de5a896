// The value objects: a font (its "font" attribute text, read and written
// property by property), a cell border (one border block) and the grid's
// default settings (one CGridDefaultSetting record). They hold their own
// copy and have no link to a grid: a member of the control or of a view
// object copies what they hold when one is handed to it.
//
// Records move between the library's objects through the functions at the
// end, which recognise the object behind a CKivoObject pointer; no address
// ever passes through an interface a script can reach.
#pragma once

#include "cellcontent/GridDefaultSetting.h"
#include "control/ControlDescriptions.h"
#include "control/KivoObjects.gen.h"

// ---- KivoFont ---------------------------------------------------------------------
// Each property reads or writes one attribute of the font text: reads are
// decimal (an absent attribute reads 0), writes replace the attribute in
// place or insert it after the element name. The flag properties (italic,
// strikeout, underline, bold) take any non-zero value as on, so a script's
// True (-1) sets them.
class CKivoFont : public CKivoFontBase {
public:
    CKivoFont() = default;
    explicit CKivoFont(const CString& text) { m_description.SetText(text); }

    const CString& GetText() const { return m_description.GetText(); }

    HRESULT get_cCharset(SHORT& pVal) override;
    HRESULT put_cCharset(SHORT newVal) override;
    HRESULT get_strFontName(CString& pVal) override;
    HRESULT put_strFontName(const CString& newVal) override;
    HRESULT get_iItalic(SHORT& pVal) override;
    HRESULT put_iItalic(SHORT newVal) override;
    HRESULT get_iOrientation(SHORT& pVal) override;
    HRESULT put_iOrientation(SHORT newVal) override;
    HRESULT get_iStrikeout(SHORT& pVal) override;
    HRESULT put_iStrikeout(SHORT newVal) override;
    // 1 when the weight is "FW_BOLD" or reads 700; put writes "FW_BOLD" for
    // on and the empty value for off.
    HRESULT get_iBold(SHORT& pVal) override;
    HRESULT put_iBold(SHORT newVal) override;
    HRESULT get_nFontSize(LONG& pVal) override;
    HRESULT put_nFontSize(LONG newVal) override;
    HRESULT get_iUnderline(SHORT& pVal) override;
    HRESULT put_iUnderline(SHORT newVal) override;
    // The whole text with every write so far; put replaces it and parses it
    // afresh.
    HRESULT get_strXml(CString& pVal) override;
    HRESULT put_strXml(const CString& newVal) override;

private:
    SHORT ReadShort(const char* name) const;
    void WriteDecimal(const char* name, long value);
    void WriteFlag(const char* name, SHORT value);

    CFontDescription m_description;
};

// ---- KivoCellBorder -------------------------------------------------------------------
// Line colour, style and width, all 0 when created.
class CKivoCellBorder : public CKivoCellBorderBase {
public:
    CKivoCellBorder() = default;
    // Style and width are kept in 16 bits, as their properties are.
    explicit CKivoCellBorder(const CBorderBlock& block);

    // The three values as a border block (colour, style, width).
    CBorderBlock GetBlock() const;

    HRESULT get_crLineColor(LONG& pVal) override;
    HRESULT put_crLineColor(LONG newVal) override;
    HRESULT get_nLineStyle(SHORT& pVal) override;
    HRESULT put_nLineStyle(SHORT newVal) override;
    HRESULT get_nLineWidth(SHORT& pVal) override;
    HRESULT put_nLineWidth(SHORT newVal) override;

private:
    LONG m_crLineColor = 0;
    SHORT m_nLineStyle = 0;
    SHORT m_nLineWidth = 0;
};

// ---- KivoGridDefaultSetting ---------------------------------------------------------------
// A copy of the grid's default-setting record, created with the record's own
// defaults; every get reads and every put writes that copy.
class CKivoGridDefaultSetting : public CKivoGridDefaultSettingBase {
public:
    CKivoGridDefaultSetting() = default;
    explicit CKivoGridDefaultSetting(const CGridDefaultSetting& record) : m_record(record) {}

    const CGridDefaultSetting& GetRecord() const { return m_record; }

    HRESULT get_bEditable(SHORT& pVal) override;
    HRESULT put_bEditable(SHORT newVal) override;
    // A new border object holding block iPos (0 left, 1 top, 2 right, 3
    // bottom); no object for any other position.
    HRESULT get_arCellBorder(SHORT iPos, CKivoObjectPtr& pVal) override;
    // iPos is a mask of border bits (1 left, 2 top, 4 right, 8 bottom): the
    // border is copied into the block of each side named and the bits join
    // the border flags. Nothing for a mask outside 0..15 or an object that
    // is not a border.
    HRESULT put_arCellBorder(SHORT iPos, CKivoObject* newVal) override;
    HRESULT get_nRowHeight(LONG& pVal) override;
    HRESULT put_nRowHeight(LONG newVal) override;
    HRESULT get_nColWidth(LONG& pVal) override;
    HRESULT put_nColWidth(LONG newVal) override;
    HRESULT get_crSelColor(LONG& pVal) override;
    HRESULT put_crSelColor(LONG newVal) override;
    HRESULT get_crCellBgColor(LONG& pVal) override;
    HRESULT put_crCellBgColor(LONG newVal) override;
    HRESULT get_crTextColor(LONG& pVal) override;
    HRESULT put_crTextColor(LONG newVal) override;
    HRESULT get_strFontXml(CString& pVal) override;
    HRESULT put_strFontXml(const CString& newVal) override;
    HRESULT get_bTip(SHORT& pVal) override;
    HRESULT put_bTip(SHORT newVal) override;
    HRESULT get_bAllowResizeRow(SHORT& pVal) override;
    HRESULT put_bAllowResizeRow(SHORT newVal) override;
    HRESULT get_bAllowResizeCol(SHORT& pVal) override;
    HRESULT put_bAllowResizeCol(SHORT newVal) override;
    HRESULT get_bIMResetInitRowHeight(SHORT& pVal) override;
    HRESULT put_bIMResetInitRowHeight(SHORT newVal) override;
    HRESULT get_bIMResetInitColWidth(SHORT& pVal) override;
    HRESULT put_bIMResetInitColWidth(SHORT newVal) override;
    HRESULT get_dwTextAlign(LONG& pVal) override;
    HRESULT put_dwTextAlign(LONG newVal) override;

private:
    CGridDefaultSetting m_record;
};

// ---- hand-offs between the library's objects ---------------------------------------------
// A new font object holding the text.
CKivoObjectPtr CreateKivoFontObject(const CString& fontText);
// The text of a font object; FALSE (text untouched) for NULL or any other object.
bool GetKivoFontText(const CKivoObject* object, CString& fontText);

CKivoObjectPtr CreateKivoCellBorderObject(const CBorderBlock& block);
// The block of a border object; FALSE (block untouched) for anything else.
bool GetKivoBorderBlock(const CKivoObject* object, CBorderBlock& block);

CKivoObjectPtr CreateKivoDefaultSettingObject(const CGridDefaultSetting& record);
// The record of a default-setting object; FALSE (record untouched) for anything else.
bool GetKivoDefaultSetting(const CKivoObject* object, CGridDefaultSetting& record);
