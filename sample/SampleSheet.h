// The sample host's windows: a frame whose client area is the control window
// of a real grid (CGridCtrl) filled with a few hundred rows of sample content:
// a header row and a row-number column, a frozen title row and first column,
// Chinese and numeric texts, some cell borders, and the first rows as an
// outline of stores and their products; below them typed control cells and
// rich-text notes.
#pragma once

#include "grid/GridCtrl.h"
#include "platform/Wnd.h"

class SampleFrame : public CWnd {
public:
    CGridCtrl& GetGrid() { return m_grid; }
    // Fills a grid with the sample content.
    static void FillSampleGrid(CGridCtrl& grid);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnDestroy() override;

private:
    CGridCtrl m_grid;
};
