#include "designer/dialogs/ControlTypeDialogs.h"

#include "designer/DesignerUi.h"
#include "designer/GridControl.gen.h"

#include <algorithm>

const char* const kEditControlText = "<control controltype = \"edit\"></control>";
const char* const kRichTextControlText = "<control controltype = \"superedit\"></control>";

namespace {

const char* const kClosing = " ></control>";

// " name="value" ": one attribute with a blank on each side.
void Piece(CString& text, const char* name, const CString& value)
{
    text += ' ';
    text += name;
    text += "=\"";
    text += value;
    text += "\" ";
}

void Piece(CString& text, const char* name, long value)
{
    CString number;
    number.Format("%ld", value);
    Piece(text, name, number);
}

CString Opening(const char* type)
{
    CString text("<control controltype = \"");
    text += type;
    text += "\" ";
    return text;
}

int Clamp(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}

// The index of a three-way choice from two bits: 2 for the far bit, 1 for the
// middle bit, else 0.
int Choice(int bits, int middle, int last)
{
    if (bits & last)
        return 2;
    if (bits & middle)
        return 1;
    return 0;
}

bool HasPicture(const std::vector<LONG>& ids, LONG id)
{
    return id >= 0 && std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

std::vector<LONG> ListPictureIds(IGridControl& grid)
{
    std::vector<LONG> ids;
    const LONG count = grid.GridGetImageCount();
    for (LONG i = 0; i < count; ++i)
        ids.push_back(grid.GridGetImageIndex(i));
    return ids;
}

// --- link ---------------------------------------------------------------------------

CUrlControlDlg::CUrlControlDlg() : m_strUrl("mailto:support@kivosheet.com"), m_strDisplay("卡沃表格技术支持邮箱") {}

CString CUrlControlDlg::BuildText() const
{
    CString text = Opening("url");
    Piece(text, "openurl", m_nOpenUrl);
    Piece(text, "openmode", m_nOpenMode);
    Piece(text, "urlcolor", static_cast<long>(m_crUrl));
    Piece(text, "url", m_strUrl);
    return text + kClosing;
}

void CUrlControlDlg::Read(const AttrGetter& get)
{
    m_nOpenUrl = attr::Int(get, "openurl");
    m_nOpenMode = Clamp(attr::Int(get, "openmode"), 0, 1);
    m_crUrl = attr::Colour(get, "urlcolor");
    m_strUrl = get("url");
}

BOOL CUrlControlDlg::Validate(IDesignerUi& ui)
{
    return CheckRange(ui, m_nOpenMode, 0, 1, 1079) && CheckQuoted(ui, m_strUrl, 1084);
}

// --- button -------------------------------------------------------------------------

const char* const CButtonControlDlg::kImageKeys[5] = {"btnimgindex", "btnimgfocusedindex", "btnimgpressedindex",
                                                      "btnimghotindex", "btnimgdisabledindex"};

CString CButtonControlDlg::BuildText() const
{
    static const int kVertical[3] = {0, 4, 8};
    CString text = Opening("button");
    Piece(text, "btntext", m_strText);
    Piece(text, "align", m_nAlign);
    Piece(text, "btntextalign", kVertical[Clamp(m_nTextVert, 0, 2)] | Clamp(m_nTextHorz, 0, 2));
    Piece(text, "btnwidth", m_nWidth);
    Piece(text, "disable", m_nDisable);
    Piece(text, "leavetype", m_nLeaveType);
    // The cell numbers the places 1 (text left of the picture) to 4 (below),
    // as the list's entries read.
    Piece(text, "textimagepos", Clamp(m_nTextImagePos, 0, 3) + 1);
    for (int i = 0; i < 5; ++i)
        if (HasPicture(m_pictureIds, m_nImages[i]))
            Piece(text, kImageKeys[i], m_nImages[i]);
    return text + kClosing;
}

void CButtonControlDlg::Read(const AttrGetter& get)
{
    m_strText = get("btntext");
    m_nAlign = Clamp(attr::Int(get, "align"), 0, 2);
    m_nWidth = attr::Int(get, "btnwidth");
    m_nDisable = attr::Int(get, "disable");
    m_nTextImagePos = Clamp(attr::Int(get, "textimagepos") - 1, 0, 3);
    m_nLeaveType = attr::Int(get, "leavetype");
    const int textAlign = attr::Int(get, "btntextalign");
    m_nTextHorz = Choice(textAlign, 1, 2);
    m_nTextVert = Choice(textAlign, 4, 8);
    // A picture box without a value stays empty rather than choosing id 0.
    for (int i = 0; i < 5; ++i)
        m_nImages[i] = get(kImageKeys[i]).IsEmpty() ? -1 : attr::Int(get, kImageKeys[i]);
}

BOOL CButtonControlDlg::Validate(IDesignerUi& ui)
{
    return CheckQuoted(ui, m_strText, 1143) && CheckRange(ui, m_nAlign, 0, 2, 1103) &&
           CheckRange(ui, m_nTextVert, 0, 2, 1111) && CheckRange(ui, m_nTextHorz, 0, 2, 1104) &&
           CheckRange(ui, m_nTextImagePos, 0, 3, 1105);
}

// --- check box ----------------------------------------------------------------------

int CCheckBoxControlDlg::AlignBits() const
{
    static const int kVertical[3] = {0, 8, 16};
    static const int kHorizontal[3] = {0, 2, 4};
    return kVertical[Clamp(m_nVert, 0, 2)] + kHorizontal[Clamp(m_nHorz, 0, 2)];
}

CString CCheckBoxControlDlg::BuildText() const
{
    CString text = Opening("checkbox");
    CString piece;
    piece.Format(" displaystyle = \"%d\" ", m_nStyle);
    text += piece;
    piece.Format(" setcheck = \"%d\" ", m_nCheck);
    text += piece;
    piece.Format(" enablecheck = \"%d\"", m_nEnable);
    text += piece;
    Piece(text, "size", m_nSize);
    Piece(text, "align", AlignBits());
    Piece(text, "showtext", m_nShowText);
    if (m_nStyle == 2) {
        Piece(text, "sidecolor", static_cast<long>(m_crSide));
        Piece(text, "tickcolor", static_cast<long>(m_crTick));
        Piece(text, "bgcolor", static_cast<long>(m_crBack));
    }
    return text + kClosing;
}

void CCheckBoxControlDlg::Read(const AttrGetter& get)
{
    // The cell keeps its style as a word ("2K3D", "2KFLAT", "XP") or a number.
    CString style = get("displaystyle");
    style.MakeUpper();
    if (style == "2K3D")
        m_nStyle = 0;
    else if (style == "2KFLAT")
        m_nStyle = 1;
    else if (style == "XP")
        m_nStyle = 2;
    else
        m_nStyle = Clamp(attr::Int(get, "displaystyle"), 0, 2);
    m_nCheck = attr::Int(get, "getcheck");
    m_nEnable = attr::Int(get, "enablecheck");
    m_nShowText = attr::Int(get, "showtext");
    if (m_nStyle == 2) {
        m_crSide = attr::Colour(get, "sidecolor");
        m_crTick = attr::Colour(get, "tickcolor");
        m_crBack = attr::Colour(get, "bgcolor");
    }
    m_nSize = attr::Int(get, "size");
    const int align = attr::Int(get, "align");
    m_nHorz = Choice(align, 2, 4);
    m_nVert = Choice(align, 8, 16);
}

BOOL CCheckBoxControlDlg::Validate(IDesignerUi& ui)
{
    return CheckRange(ui, m_nStyle, 0, 2, 1034) && CheckRange(ui, m_nSize, 10, 30, 1068);
}

// --- combo boxes --------------------------------------------------------------------

std::vector<CString> CComboBoxControlDlg::SplitItems(const CString& source)
{
    std::vector<CString> items;
    int start = 0;
    while (start <= source.GetLength()) {
        int end = source.Find('\n', start);
        if (end < 0)
            end = source.GetLength();
        if (end > start)
            items.push_back(source.Mid(start, end - start));
        start = end + 1;
    }
    return items;
}

CString CComboBoxControlDlg::DataSource() const
{
    CString source;
    for (const CString& item : m_items) {
        source += item;
        source += '\n';
    }
    return source;
}

CString CComboBoxControlDlg::BuildPieces() const
{
    CString text = Opening(m_type);
    Piece(text, "style", m_nStyle);
    Piece(text, "datasource", DataSource());
    Piece(text, "listheight", m_nListHeight);
    Piece(text, "ismatch", m_nMatch);
    Piece(text, "leavetype", m_nLeaveType);
    Piece(text, "autodropdown", m_nAutoDrop);
    return text;
}

CString CComboBoxControlDlg::BuildText() const
{
    return BuildPieces() + kClosing;
}

void CComboBoxControlDlg::Read(const AttrGetter& get)
{
    m_nStyle = Clamp(attr::Int(get, "style"), 0, 1);
    m_items = SplitItems(get("datasource"));
    m_nLeaveType = attr::Int(get, "leavetype");
    m_nListHeight = attr::Int(get, "listheight");
    m_nMatch = attr::Int(get, "ismatch");
    m_nAutoDrop = attr::Int(get, "autodropdown");
}

BOOL CComboBoxControlDlg::Validate(IDesignerUi& ui)
{
    for (const CString& item : m_items)
        if (!CheckQuoted(ui, item, 1074))
            return FALSE;
    return CheckRange(ui, m_nStyle, 0, 1, 1071) && CheckRange(ui, m_nListHeight, 100, 500, 1075);
}

CString CComboCheckControlDlg::BuildText() const
{
    CString text = BuildPieces();
    Piece(text, "itemspliter", m_strSeparator.IsEmpty() ? CString(",") : m_strSeparator);
    return text + kClosing;
}

void CComboCheckControlDlg::Read(const AttrGetter& get)
{
    CComboBoxControlDlg::Read(get);
    m_strSeparator = get("itemspliter");
}

BOOL CComboCheckControlDlg::Validate(IDesignerUi& ui)
{
    return CComboBoxControlDlg::Validate(ui) && CheckQuoted(ui, m_strSeparator, 1077);
}

// --- date and time ------------------------------------------------------------------

std::vector<CString> CDateTimeControlDlg::Separators(int dateType)
{
    if (dateType == 1)
        return {CString("时分秒"), CString(":"), CString("/")};
    return {CString("年月日"), CString("--"), CString("/")};
}

CString CDateTimeControlDlg::BuildText() const
{
    CString text = Opening("datetime");
    Piece(text, "dttype", m_nType);
    Piece(text, "dataformat", m_nFormat);
    Piece(text, "splitertype", m_nSeparator);
    Piece(text, "leavetype", m_nLeaveType);
    return text + kClosing;
}

void CDateTimeControlDlg::Read(const AttrGetter& get)
{
    m_nType = Clamp(attr::Int(get, "dttype"), 0, 1);
    m_nFormat = Clamp(attr::Int(get, "dataformat"), 0, 1);
    m_nLeaveType = attr::Int(get, "leavetype");
    m_nSeparator = Clamp(attr::Int(get, "splitertype"), 0, 2);
}

BOOL CDateTimeControlDlg::Validate(IDesignerUi& ui)
{
    return CheckRange(ui, m_nType, 0, 1, 1079) && CheckRange(ui, m_nFormat, 0, 1, 1080) &&
           CheckRange(ui, m_nSeparator, 0, 2, 1081);
}

// --- picture ------------------------------------------------------------------------

CString CImageControlDlg::BuildText() const
{
    static const int kVertical[3] = {0, 4, 8};
    CString text("<control controltype=\"image\" ");
    CString piece;
    piece.Format("index=\"%ld\" ", m_nPicture);
    text += piece;
    piece.Format("sizetype =\"%d\" ", m_nSizeType);
    text += piece;
    switch (m_nSizeType) {
    case 1:
        piece.Format("userheight =\"%d\" userwidth =\"%d\" ", m_nHeight, m_nWidth);
        break;
    case 2:
        piece.Format("align =\"%d\" offsetleft =\"%d\" offsettop=\"%d\" offsetright=\"%d\" offsetbottom=\"%d\"", 32,
                     m_nOffsetLeft, m_nOffsetTop, m_nOffsetRight, m_nOffsetBottom);
        break;
    default:
        piece.Format("align =\"%d\" ", kVertical[Clamp(m_nVert, 0, 2)] | Clamp(m_nHorz, 0, 2));
        break;
    }
    text += piece;
    return text + "></control>";
}

void CImageControlDlg::Read(const AttrGetter& get)
{
    m_nPicture = get("index").IsEmpty() ? -1 : attr::Int(get, "index");
    m_nSizeType = Clamp(attr::Int(get, "sizetype"), 0, 3);
    m_nWidth = attr::Int(get, "userwidth");
    m_nHeight = attr::Int(get, "userheight");
    m_nOffsetLeft = attr::Int(get, "offsetleft");
    m_nOffsetTop = attr::Int(get, "offsettop");
    m_nOffsetRight = attr::Int(get, "offsetright");
    m_nOffsetBottom = attr::Int(get, "offsetbottom");
    const int align = attr::Int(get, "align");
    if (align == 32) {
        m_nHorz = m_nVert = 0;
    } else {
        m_nHorz = Choice(align, 1, 2);
        m_nVert = Choice(align, 4, 8);
    }
}

BOOL CImageControlDlg::Validate(IDesignerUi& ui)
{
    if (!HasPicture(m_pictureIds, m_nPicture)) {
        ui.MessageBox(CString("请选择图片!"), CString("提示"), MB_OK);
        m_nFocus = 1103;
        return FALSE;
    }
    return CheckRange(ui, m_nSizeType, 0, 3, 1104);
}

// --- number -------------------------------------------------------------------------

CString CNumericControlDlg::BuildText() const
{
    CString text = Opening("numeric");
    CString piece;
    piece.Format(" inputtype = \"%d\" ", m_nInputType >= 0 ? m_nInputType + 1 : 0);
    text += piece;
    if (m_nLimit) {
        text += " limit = \"1\" ";
        text += " inputmin = \"" + attr::Fixed(m_dMin) + "\" inputmax = \"" + attr::Fixed(m_dMax) + "\" ";
    }
    return text + kClosing;
}

void CNumericControlDlg::Read(const AttrGetter& get)
{
    const int type = attr::Int(get, "inputtype");
    m_nInputType = type > 0 ? Clamp(type - 1, 0, 1) : 0;
    m_nLimit = attr::Int(get, "limit");
    if (m_nLimit) {
        m_dMin = attr::Number(get, "inputmin");
        m_dMax = attr::Number(get, "inputmax");
    } else {
        m_dMin = 0.0;
        m_dMax = 1000.0;
    }
}

BOOL CNumericControlDlg::Validate(IDesignerUi& ui)
{
    return CheckRange(ui, m_nInputType, -1, 1, 1049);
}
