// CGridURLCell: a text cell that acts as a link.
//
// Its control text (element "control") holds "url" (the link target; without
// it the target is the cell's current text), "openurl" (yes/1: a click opens
// the target; written as "1" when missing), "openmode" (1/dblclick: a double
// click opens, 0/click: a single click) and "urlcolor" (the colour of a link's
// text; the system's highlight colour by default).
//
// A target that names an address (it holds "www.", "http:", "mailto:",
// "ftp:", "https:", "news:", "gopher:", "telnet:", "url:", "file:" or "ftp.")
// is drawn in the link colour. Opening never runs a program: only a target
// beginning with http:, https:, ftp:, mailto: or news: (any case) goes to the
// system's "open" verb (platform/Shell.h), and one beginning with "www." or
// "ftp." as an http:// or ftp:// address; anything else (file:, telnet:,
// local paths, commands) is not opened. Only a click on the text as drawn
// opens it, and never on a read-only cell; the cursor there is the hand.
//
// Record level (end tag 3800), after CGridCell's: 3701 the control text with
// its NUL when not empty; loading applies it.
#pragma once

#include "cellcontent/XmlElement.h"
#include "grid/GridCell.h"

const int CELL_RECORD_URL_END = 3800;
const int CELL_RECORD_URL_CONTROL = 3701;

class CGridURLCell : public CGridCell {
    DECLARE_DYNCREATE(CGridURLCell)

public:
    CGridURLCell();

    void SerializeRecord(CArchive& ar, int* pnRunningSize) override;
    int GetRecordSize() override;

    BOOL SetControl(LPCTSTR szControl) override;
    CString GetControl() override;
    BOOL SetControlProperty(LPCTSTR szKey, LPCTSTR szValue) override;
    CString GetControlProperty(LPCTSTR szKey) override;
    BOOL DelControlProperty(LPCTSTR szKey) override;

    COLORREF GetTextColor() override;
    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    BOOL DrawContent(CDC* pDC, int nRow, int nCol, CRect rect) override;
    CSize GetCellExtent(CDC* pDC, int nCol) override;
    void OnClick(CPoint ptCellRelative) override;
    void OnDblClick(CPoint ptCellRelative) override;
    // The hand cursor over the text of a link that a click would open.
    BOOL OnSetCursor() override;

    // The link target: the "url" attribute when it has a value, else the
    // cell's text.
    CString GetLinkTarget();
    COLORREF GetLinkColor() const { return m_crLink; }
    BOOL GetOpenFlag() const { return m_bOpen; }
    int GetOpenMode() const { return m_nOpenMode; }

    // TRUE when the text holds any of the address prefixes (case counts).
    static BOOL LooksLikeLink(LPCTSTR szText);
    // What the "open" verb may be given for a target, "" when it must not
    // be opened.
    static CString GetOpenableAddress(LPCTSTR szTarget);
    // The hot zone of a text nTextWidth wide in rect by the align's
    // DT_RIGHT and DT_CENTER bits.
    static CRect GetHotZone(const CRect& rect, int nTextWidth, UINT nAlign);

private:
    void ApplyAttributes();
    void OpenAt(CPoint ptCellRelative);
    // The address a click at the point (grid client coordinates) would
    // open; "" where a click opens nothing.
    CString GetAddressAt(CPoint ptClient);
    int MeasureText(const CString& text);

    CXmlElement m_element;
    CString m_strURL;
    COLORREF m_crLink;
    BOOL m_bOpen = TRUE;
    int m_nOpenMode = 1;
    BOOL m_bDrawingLink = FALSE;
    CRect m_rcDrawn;
};
