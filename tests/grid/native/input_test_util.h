// A real (headless) grid window under a parent that records what the grid
// reports and answers the way a test asks: rewriting keys (1030), refusing
// resizes (1031/1032) and edits (1035), answering notifications.
#pragma once

#include "window_test_util.h"

#include "cells/InPlaceEditHooks.h"
#include "grid/CellEditorFactory.h"
#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "platform/System.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

// Test access to grid options that have no setter of their own.
struct GridInputAccess {
    static void SetEnterDirection(CGridCtrl& grid, int direction) { grid.m_nEnterDirection = direction; }
    static void SetListMode(CGridCtrl& grid, BOOL listMode) { grid.m_bListMode = listMode; }
};

namespace gridinputtest {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct Notify {
    int code;
    int row;
    int col;
};

struct StartEdit {
    int row;
    int col;
    int type;
};

// A test of the program's own in-place editor: a fresh headless platform
// with the editor's hooks installed.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Headless::Reset();
        InstallInPlaceEditHooks();
    }
    void TearDown() override { Headless::Reset(); }
};

// A test that may put stand-ins in place of the editor and the tip: a fresh
// headless platform, and the program's own editor and tip back at the end.
class HookRestoringTest : public ::testing::Test {
protected:
    void SetUp() override { Headless::Reset(); }
    void TearDown() override
    {
        InstallInPlaceEditHooks();
        Headless::Reset();
    }
};

class HostWindow : public CWnd {
public:
    std::vector<Message> messages;       // 1025..1074 as they arrive (sent or posted)
    std::vector<Notify> notifies;        // WM_NOTIFY with a GridNotifyRecord
    std::vector<StartEdit> startEdits;   // 1035 records
    std::vector<UINT> keys;              // 1030 key codes seen
    std::map<int, LRESULT> notifyAnswers;  // code -> answer
    UINT rewriteKeyTo = 0;               // non-zero: 1030 replaces the key
    BOOL allowResize = TRUE;
    BOOL allowEdit = TRUE;
    int commands = 0;                    // WM_COMMAND from the grid

    BOOL CreateTopLevel(int width, int height)
    {
        return CreateEx(0, "KivoTestInputHost", "host", WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0);
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (const Message& m : messages)
            n += m.message == message ? 1 : 0;
        return n;
    }
    int CountNotifies(int code) const
    {
        int n = 0;
        for (const Notify& notify : notifies)
            n += notify.code == code ? 1 : 0;
        return n;
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const Notify& n : notifies)
            codes.push_back(n.code);
        return codes;
    }
    void Clear()
    {
        messages.clear();
        notifies.clear();
        startEdits.clear();
        keys.clear();
        commands = 0;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= 1025 && message <= 1074) {
            messages.push_back({message, wParam, lParam});
            if (message == WM_GRID_KEYPRESS) {
                auto* key = reinterpret_cast<std::int32_t*>(wParam);
                keys.push_back(static_cast<UINT>(*key));
                if (rewriteKeyTo != 0 && lParam == 1)
                    *key = static_cast<std::int32_t>(rewriteKeyTo);
            } else if (message == WM_GRID_COLUMNRESIZE || message == WM_GRID_ROWRESIZE) {
                if (!allowResize)
                    *reinterpret_cast<BOOL*>(lParam) = 0;
            } else if (message == WM_GRID_CELLSTARTEDIT) {
                auto* rec = reinterpret_cast<GridStartEditRecord*>(wParam);
                startEdits.push_back({rec->row, rec->col, rec->type});
                if (!allowEdit)
                    *rec->pAllow = 0;
            }
            return 0;
        }
        if (message == WM_NOTIFY) {
            const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
            int code = static_cast<int>(hdr->code);
            if (code == GVN_ODCACHEHINT)
                return 0;
            const GridNotifyRecord* rec = reinterpret_cast<const GridNotifyRecord*>(lParam);
            notifies.push_back({code, rec->iRow, rec->iColumn});
            auto it = notifyAnswers.find(code);
            return it != notifyAnswers.end() ? it->second : 0;
        }
        if (message == WM_COMMAND) {
            ++commands;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Sized by gridwindowtest::LayOut; client 400 x 300 unless asked otherwise. The grid is made after the test's platform settings
// (the wheel step is read when the grid is constructed).
struct InputGrid {
    HostWindow host;
    std::unique_ptr<CGridCtrl> pGrid;

    CGridCtrl& Grid() { return *pGrid; }

    void Build(int rows, int cols, int fixedRows = 1, int fixedCols = 1, int clientW = 400, int clientH = 300)
    {
        host.CreateTopLevel(clientW + 40, clientH + 40);
        pGrid = std::make_unique<CGridCtrl>();
        CGridCtrl& grid = *pGrid;
        gridwindowtest::LayOut(grid, rows, cols, fixedRows, fixedCols);
        grid.Create(CRect(0, 0, clientW + 4, clientH + 4), &host, 77, WS_CHILD | WS_VISIBLE);
        grid.UpdateScrollBars();
        grid.SetFocusCell(fixedRows, fixedCols);
        host.Clear();
    }

    // A message to the grid window, as the system delivers it.
    LRESULT Key(UINT vk) { return pGrid->SendMessage(WM_KEYDOWN, vk, 1); }
    LRESULT Char(UINT ch) { return pGrid->SendMessage(WM_CHAR, ch, 1); }
    LRESULT Mouse(UINT message, int x, int y, UINT flags = 0)
    {
        return pGrid->SendMessage(message, flags, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    void Click(int x, int y, UINT flags = 0)
    {
        Mouse(WM_MOUSEMOVE, x, y, flags);
        Mouse(WM_LBUTTONDOWN, x, y, flags | MK_LBUTTON);
        Mouse(WM_LBUTTONUP, x, y, flags);
    }
    // The client point in the middle of a cell.
    CPoint Centre(int row, int col)
    {
        CRect rect;
        pGrid->GetCellRect(row, col, &rect);
        return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    CGridCellPos Focus() { return pGrid->GetFocusCell(); }

    // Makes the block a merged one owned by its top-left cell.
    void Merge(int r1, int c1, int r2, int c2)
    {
        CGridCellRange range(r1, c1, r2, c2);
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c) {
                CGridCellBase* cell = pGrid->GetCell(r, c);
                cell->SetMergeRange(range);
                cell->SetMergeOwner(r1, c1);
                cell->SetMergeOwnerCell(r == r1 && c == c1);
            }
        pGrid->AddMergeOwner(CGridCellPos(r1, c1));
    }
};

}  // namespace gridinputtest
