// The control's grid object: the grid engine (CGridCtrl) behind the
// operations the control asks of it (GridPort.h).
#pragma once

#include "control/GridPort.h"

#include <memory>

class CGridCtrl;

class CGridCtrlPort : public CGridPort {
public:
    // A grid of 0 rows and columns; its window is made later.
    CGridCtrlPort();
    ~CGridCtrlPort() override;

    CGridCtrl* GetGridCtrl() override { return m_grid.get(); }

    CGridDefaultSetting GetDefaultSetting() const override;
    void SetDefaultSetting(const CGridDefaultSetting& setting) override;
    COLORREF GetSelFrameColour() const override;
    void SetSelFrameColour(COLORREF colour) override;

    CWnd* GetGridWindow() override;
    BOOL CreateGridWindow(CWnd* parent, const RECT& rect, UINT id) override;
    bool HasContent() const override;
    void ApplyFirstTimeDefaults(CDC& dc) override;
    void ClickCell(LONG row, LONG col) override;

    void CellFromPoint(POINT point, LONG& row, LONG& col) override;
    void EndEditing() override;
    BOOL IsCopyAllowed() const override;
    void CopySelection() override;
    void Refresh() override;
    void UpdateScrollBars() override;

    const LOGFONT& GetDefaultFont() const override;
    int GetDefaultMargin() const override;
    COLORREF GetGridLineColour() const override;
    CBitmap* GetSkinBitmap(int index) const override;
    int GetScrollBarState() const override;

private:
    std::unique_ptr<CGridCtrl> m_grid;
    LOGFONT m_fallbackFont;
};
