// CGridCellExtra: the rarely used part of a cell, kept out of line.
//
// Most cells of a sheet never get a border, an id, a tip, a memo, a format or
// font text, a merge, a control text or input limits. Those fields live in one
// block that a cell allocates the first time one of them is set, so an
// ordinary cell pays a single pointer for all of them. Every field starts at
// the value a new cell reports.
#pragma once

#include "base/CString.h"
#include "base/WinTypes.h"
#include "cellcontent/GridDefaultSetting.h"
#include "grid/GridCellTypes.h"

class CWnd;

struct CGridCellExtra {
    // --- cell base -----------------------------------------------------------
    CString strFormattedText;             // cache of the text the format element made for the value
    CString strFormatXml;                 // "format" element text
    int nFormatColour = -1;               // colour the format element chose with the cached text
    CString strFontXml;                   // "font" element text
    CString strTipText;
    CString strMemo;
    char szId[32] = {};                   // NUL-terminated, at most 31 bytes
    UINT nBorderMask = 0;                 // CellBorderFlags
    CBorderBlock borders[CELL_BORDER_BLOCK_COUNT];  // one per border bit, in bit order
    CGridCellRange mergeRange;            // all -1 while not merged
    CGridCellPos mergeOwner;              // (-1, -1) while not merged
    COLORREF crSelBack = GRID_DEFAULT_SEL_BACK_COLOUR;
    int nDataType = 0;                    // a data type other than 0 and 1 (see CGridCellBase::SetDataType)

    // --- ordinary cell -------------------------------------------------------
    COLORREF crFixedBack = static_cast<COLORREF>(-1);  // back colour while fixed; -1 none
    int nInputType = 0;
    double dMax = 0.0;
    double dMin = 0.0;
    CString strControl;                   // "control" element text
    CWnd* pEditWnd = nullptr;             // in-place editor while editing (not owned here)
};
