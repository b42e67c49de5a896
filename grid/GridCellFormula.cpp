#include "grid/GridCellFormula.h"

#include "cellcontent/formula/FormulaArchive.h"
#include "cellcontent/formula/FormulaMessages.h"
#include "document/TemplateVersion.h"
#include "grid/CellRecordIO.h"
#include "grid/GridCtrl.h"

#include <algorithm>
#include <string>

IMPLEMENT_DYNCREATE(CGridCellFormula, CGridCell)

namespace {

enum FormulaRecordTag {
    TAG_FLAG_A = 10201,
    TAG_FLAG_B = 10202,
    TAG_TOKENS = 10203,
    TAG_NUMBER = 10204,
    TAG_SHORT = 10205,
    TAG_TEXT = 10206,
    TAG_BYTE = 10207,
};

// Stamps are handed out once each, so two cells never share one.
unsigned long long NextStamp()
{
    static unsigned long long s_nLast = 0;
    return ++s_nLast;
}

// Token records carry the marker bytes of "_" since template version 03.91;
// records this program writes outside a template (clipboard streams, records
// in memory) always carry them.
BOOL ReadsReferenceMarkers()
{
    return GetTemplateVersionText().IsEmpty() || IsTemplateVersionAbove("03.91");
}

CGridCellFormula* AsFormulaCell(CGridCellBase* pCell)
{
    return pCell != nullptr && pCell->IsKindOf(RUNTIME_CLASS(CGridCellFormula)) ? static_cast<CGridCellFormula*>(pCell)
                                                                                : nullptr;
}

}  // namespace

CGridCellFormula::CGridCellFormula() : m_nStamp(NextStamp()) {}

CGridCellFormula::~CGridCellFormula() = default;

void CGridCellFormula::FormulaChanged()
{
    m_nStamp = NextStamp();
    if (m_pGrid != nullptr)
        m_pGrid->NoteFormulaCell(this, m_nRow, m_nCol);
}

// --- content ---------------------------------------------------------------------------

LPCTSTR CGridCellFormula::GetText()
{
    return m_strText.Get();
}

CString CGridCellFormula::GetDisplayText()
{
    if (m_bOpeningEditor) {
        CString formula;
        GetFormula(formula);
        return formula;
    }
    return CGridCell::GetDisplayText();
}

void CGridCellFormula::SetCoords(int nRow, int nCol)
{
    CGridCell::SetCoords(nRow, nCol);
    if (m_pGrid != nullptr)
        m_pGrid->NoteFormulaCell(this, nRow, nCol);
}

void CGridCellFormula::CopyFrom(CGridCellBase* pSrc)
{
    if (pSrc == nullptr || pSrc == this)
        return;
    if (CGridCellFormula* pFormula = AsFormulaCell(pSrc))
        m_formula = pFormula->m_formula;
    CGridCell::CopyFrom(pSrc);
    FormulaChanged();
}

void CGridCellFormula::CopyFormat(CGridCellBase* pSrc)
{
    if (pSrc == nullptr || pSrc == this)
        return;
    if (CGridCellFormula* pFormula = AsFormulaCell(pSrc))
        m_formula = pFormula->m_formula;
    CGridCell::CopyFormat(pSrc);
    FormulaChanged();
}

void CGridCellFormula::Reset()
{
    CGridCell::Reset();
    m_formula.RemoveAll();
    m_reserved = FormulaCellReserved();
    m_nStamp = NextStamp();
}

// --- the formula --------------------------------------------------------------------------

BOOL CGridCellFormula::SetFormula(int nRow, int nCol, LPCTSTR szText)
{
    SetPosition(nRow, nCol);
    m_formula.RemoveAll();
    BOOL bCompiled = m_pGrid != nullptr && m_pGrid->CompileFormula(nRow, nCol, szText, &m_formula);
    if (!bCompiled) {
        m_formula.RemoveAll();
        ShowFormulaError();
    }
    FormulaChanged();
    return bCompiled;
}

void CGridCellFormula::SetCompiledForm(const CFormulaTokenList& list)
{
    m_formula = list;
    FormulaChanged();
}

int CGridCellFormula::GetFormula(CString& strOut)
{
    strOut = "=";
    if (m_pGrid != nullptr)
        strOut += m_pGrid->GetFormulaText(&m_formula);
    return strOut.GetLength();
}

int CGridCellFormula::GetFormulaForExport(CString& strOut)
{
    strOut = "=";
    if (m_pGrid != nullptr)
        strOut += m_pGrid->GetFormulaExportText(&m_formula);
    return strOut.GetLength();
}

void CGridCellFormula::Recalculate(CString& strOut)
{
    CString value;
    CString message;
    if (m_pGrid != nullptr) {
        value = m_pGrid->EvaluateFormula(&m_formula);
        message = m_pGrid->GetFormulaLastError();
    }
    ShowResult(value, message);
    strOut = m_strText.ToString();
}

void CGridCellFormula::ShowResult(const CString& strValue, const CString& strMessage)
{
    // The value is held as text: the number flag goes, the modified mark stays.
    SetDataType(0);
    if (strMessage.IsEmpty()) {
        m_strText.Set(strValue);
        EmptyFormattedText();
    } else {
        m_strText.Set(strMessage);
        SetFormattedText(strMessage, -1);
    }
}

void CGridCellFormula::ShowFormulaError()
{
    ShowResult(CString(), CString(FORMULA_MSG_FORMULA_ERROR));
}

BOOL CGridCellFormula::CallsUserFunction() const
{
    for (const CFormulaToken& token : m_formula) {
        const CFormulaFunctionObject* pFunction = token.GetFunction();
        if (pFunction != nullptr && pFunction->nFunctionId >= FORMULA_USER_ID_BASE)
            return TRUE;
    }
    return FALSE;
}

BOOL CGridCellFormula::ReferencesCell(int nRow, int nCol) const
{
    for (const CFormulaToken& token : m_formula) {
        const CFormulaOperandObject* pOperand = token.GetOperand();
        if (pOperand == nullptr || IsInvalidFormulaReference(*pOperand))
            continue;
        const FormulaReference& ref = pOperand->ref;
        if (pOperand->nKind == FORMULA_OPERAND_CELL) {
            if (ref.nFirstRow == nRow && ref.nFirstColumn == nCol)
                return TRUE;
        } else if (pOperand->nKind == FORMULA_OPERAND_RANGE) {
            if (std::min(ref.nFirstRow, ref.nLastRow) <= nRow && nRow <= std::max(ref.nFirstRow, ref.nLastRow) &&
                std::min(ref.nFirstColumn, ref.nLastColumn) <= nCol &&
                nCol <= std::max(ref.nFirstColumn, ref.nLastColumn))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CGridCellFormula::ShiftReferences(FormulaAxis axis, int nAt, int nCount, BOOL bInsert, BOOL* pbLostLines)
{
    if (!ShiftFormulaReferences(m_formula, axis, nAt, nCount, bInsert, pbLostLines))
        return FALSE;
    m_nStamp = NextStamp();
    return TRUE;
}

BOOL CGridCellFormula::MoveReferences(FormulaAxis axis, int nFrom, int nTo)
{
    if (!MoveFormulaReferences(m_formula, axis, nFrom, nTo))
        return FALSE;
    m_nStamp = NextStamp();
    return TRUE;
}

BOOL CGridCellFormula::ReorderReferences(const CFormulaLineOrder& order, FormulaAxis axis, BOOL* pbKeptPlace)
{
    if (!order.Apply(m_formula, axis, pbKeptPlace))
        return FALSE;
    m_nStamp = NextStamp();
    return TRUE;
}

// --- editing ------------------------------------------------------------------------------

BOOL CGridCellFormula::Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar)
{
    // The editor shows the formula, not its value, and leaves room for it.
    rect.right += 100;
    m_bOpeningEditor = true;
    BOOL bResult = CGridCell::Edit(nRow, nCol, rect, point, nID, nChar);
    m_bOpeningEditor = false;
    return bResult;
}

// --- the record -----------------------------------------------------------------------------

void CGridCellFormula::WriteFormulaItems(CArchive* pAr, int& nDeclared)
{
    CCellRecordWriter w(pAr);
    if (m_reserved.byFlagA != 1)
        w.Bytes(TAG_FLAG_A, &m_reserved.byFlagA, 1);
    if (m_reserved.byFlagB != 1)
        w.Bytes(TAG_FLAG_B, &m_reserved.byFlagB, 1);
    int nTokenItem = 0;
    if (!m_formula.IsEmpty()) {
        const int nCount = m_formula.GetCount();
        if (pAr != nullptr) {
            *pAr << static_cast<int>(TAG_TOKENS) << nCount;
            WriteFormulaTokenRecords(*pAr, m_formula);
        }
        nTokenItem = 8 + nCount;
    }
    if (m_reserved.nNumber != -1)
        w.Int(TAG_NUMBER, m_reserved.nNumber);
    if (m_reserved.nShort != 0) {
        const unsigned short u = static_cast<unsigned short>(m_reserved.nShort);
        const BYTE bytes[2] = {static_cast<BYTE>(u & 0xFF), static_cast<BYTE>(u >> 8)};
        w.Bytes(TAG_SHORT, bytes, 2);
    }
    if (m_reserved.bHasText)
        w.Text(TAG_TEXT, m_reserved.strText);
    if (m_reserved.byByte != 255)
        w.Bytes(TAG_BYTE, &m_reserved.byByte, 1);
    nDeclared = w.GetItemBytes() + nTokenItem;
}

int CGridCellFormula::GetRecordSize()
{
    int nDeclared = 0;
    WriteFormulaItems(nullptr, nDeclared);
    return CellRecordLevelSize(CGridCell::GetRecordSize(), nDeclared);
}

void CGridCellFormula::SerializeRecord(CArchive& ar, int* pnRunningSize)
{
    if (ar.IsStoring()) {
        ar << CGridCellFormula::GetRecordSize();
        CGridCell::SerializeRecord(ar, nullptr);
        int nDeclared = 0;
        WriteFormulaItems(&ar, nDeclared);
        ar << CELL_RECORD_FORMULA_END;
        return;
    }

    CCellRecordReader rd(ar, pnRunningSize);
    CGridCell::SerializeRecord(ar, rd.Counter());
    if (rd.ReadEndOfEmptyLevel())
        return;
    bool bFormulaRead = false;
    int nTag = 0;
    int nLength = 0;
    while (rd.NextItem(CELL_RECORD_FORMULA_END, nTag, nLength)) {
        std::string bytes;
        int nValue = 0;
        switch (nTag) {
        case TAG_FLAG_A:
        case TAG_FLAG_B:
        case TAG_BYTE:
            if (rd.ReadBytes(bytes) && !bytes.empty()) {
                BYTE* pField = nTag == TAG_FLAG_A ? &m_reserved.byFlagA
                               : nTag == TAG_FLAG_B ? &m_reserved.byFlagB
                                                    : &m_reserved.byByte;
                *pField = static_cast<BYTE>(bytes[0]);
            }
            break;
        case TAG_TOKENS: {
            // The length field counts token records, which follow here.
            rd.TakeOverItem();
            CFormulaTokenList list;
            if (ReadFormulaTokenRecords(ar, nLength, list, ReadsReferenceMarkers())) {
                m_formula = list;
                bFormulaRead = true;
            }
            break;
        }
        case TAG_NUMBER:
            if (rd.ReadInt(nValue))
                m_reserved.nNumber = nValue;
            break;
        case TAG_SHORT:
            if (rd.ReadBytes(bytes) && bytes.size() >= 2)
                m_reserved.nShort = static_cast<short>(static_cast<unsigned char>(bytes[0]) |
                                                       (static_cast<unsigned char>(bytes[1]) << 8));
            break;
        case TAG_TEXT: {
            CString text;
            if (rd.ReadText(text)) {
                m_reserved.strText = text;
                m_reserved.bHasText = true;
            }
            break;
        }
        default:
            rd.SkipItem();
            break;
        }
    }
    if (bFormulaRead)
        FormulaChanged();
}
