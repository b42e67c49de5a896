// The sample host's windows: a frame and, filling it, a child that paints a
// small spreadsheet-looking picture (header band, row numbers, grid lines,
// Chinese and numeric texts) through the platform layer.
#pragma once

#include "platform/DC.h"
#include "platform/Wnd.h"

class SampleSheet : public CWnd {
public:
    // Paints the whole picture into dc for a client area of the given size.
    static void PaintSheet(CDC* dc, const CRect& client);

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
};

class SampleFrame : public CWnd {
protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnDestroy() override;

private:
    SampleSheet m_sheet;
};
