// The stand-in grid: see GridPort.h.
#pragma once

#include "control/GridPort.h"
#include "platform/Wnd.h"

#include <memory>

class CSheetStandIn;

// A child window that paints the empty-sheet picture.
class CSheetStandInWnd : public CWnd {
public:
    explicit CSheetStandInWnd(CSheetStandIn& owner) : m_owner(owner) {}

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    CSheetStandIn& m_owner;
};

class CSheetStandIn : public CGridPort {
public:
    CSheetStandIn();
    ~CSheetStandIn() override;

    CGridDefaultSetting GetDefaultSetting() const override { return m_setting; }
    void SetDefaultSetting(const CGridDefaultSetting& setting) override;
    COLORREF GetSelFrameColour() const override { return m_selFrame; }
    void SetSelFrameColour(COLORREF colour) override { m_selFrame = colour; }

    CWnd* GetGridWindow() override;
    BOOL CreateGridWindow(CWnd* parent, const RECT& rect, UINT id) override;
    bool HasContent() const override { return false; }
    void ApplyFirstTimeDefaults(CDC& dc) override;
    void ClickCell(LONG row, LONG col) override { (void)row; (void)col; }

    void CellFromPoint(POINT point, LONG& row, LONG& col) override;
    void EndEditing() override {}
    BOOL IsCopyAllowed() const override { return FALSE; }
    void CopySelection() override {}
    void Refresh() override;

    const LOGFONT& GetDefaultFont() const override { return m_font; }
    int GetDefaultMargin() const override { return 3; }
    COLORREF GetGridLineColour() const override { return 0xC0C0C0; }

private:
    CGridDefaultSetting m_setting;
    COLORREF m_selFrame = 0;
    LOGFONT m_font;
    SIZE m_cell;
    std::unique_ptr<CSheetStandInWnd> m_wnd;
};
