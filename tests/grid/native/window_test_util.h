// A parent window that records what the grid reports, and a grid set up as a
// real (headless) child window with known sizes.
#pragma once

#include "grid/GridCtrl.h"
#include "grid/GridMessages.h"
#include "platform/Wnd.h"
#include "platform/headless/Headless.h"

#include <memory>
#include <vector>

namespace gridwindowtest {

struct ParentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct ParentNotify {
    HWND hwndFrom;
    UINT_PTR idFrom;
    int code;
    int row;
    int col;
};

class RecordingParent : public CWnd {
public:
    std::vector<ParentMessage> messages;   // 1025..1074, sent
    std::vector<ParentNotify> notifies;    // WM_NOTIFY with a GridNotifyRecord
    LRESULT notifyAnswer = 0;

    BOOL CreateTopLevel(int width, int height)
    {
        return CreateEx(0, "KivoTestGridParent", "parent", WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0);
    }
    int Count(UINT message) const
    {
        int n = 0;
        for (const ParentMessage& m : messages)
            n += m.message == message ? 1 : 0;
        return n;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= 1025 && message <= 1074) {
            messages.push_back({message, wParam, lParam});
            return 0;
        }
        if (message == WM_NOTIFY) {
            const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
            if (static_cast<int>(hdr->code) == GVN_ODCACHEHINT)
                return 0;
            const GridNotifyRecord* rec = reinterpret_cast<const GridNotifyRecord*>(lParam);
            notifies.push_back({hdr->hwndFrom, hdr->idFrom, static_cast<int>(hdr->code), rec->iRow, rec->iColumn});
            return notifyAnswer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The test grids' sizes: rows 20 px (row 0: 25), columns 50 px (column 0: 40).
inline void LayOut(CGridCtrl& grid, int rows, int cols, int fixedRows, int fixedCols)
{
    grid.SetFixedRowCount(fixedRows);
    grid.SetFixedColumnCount(fixedCols);
    grid.SetRowCount(rows);
    grid.SetColumnCount(cols);
    for (int r = 0; r < rows; ++r)
        grid.SetRowHeight(r, r == 0 ? 25 : 20);
    for (int c = 0; c < cols; ++c)
        grid.SetColumnWidth(c, c == 0 ? 40 : 50);
}

// Sized by LayOut; client 400 x 300.
struct WindowGrid {
    RecordingParent parent;
    CGridCtrl grid;

    void Build(int rows, int cols, int fixedRows, int fixedCols, int clientW = 400, int clientH = 300)
    {
        Headless::Reset();
        parent.CreateTopLevel(clientW + 4, clientH + 4);
        LayOut(grid, rows, cols, fixedRows, fixedCols);
        // The client edge takes 2 pixels on each side.
        grid.Create(CRect(0, 0, clientW + 4, clientH + 4), &parent, 77, WS_CHILD | WS_VISIBLE);
        grid.UpdateScrollBars();
        parent.messages.clear();
        parent.notifies.clear();
    }
};

}  // namespace gridwindowtest
