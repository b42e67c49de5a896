// Windows that stand in for the control and the grid around the widgets under
// test, recording what the widgets send them.
#pragma once

#include "base/CString.h"
#include "base/WinConstants.h"
#include "cells/CellEditNotifyInfo.h"
#include "platform/Wnd.h"

#include <functional>
#include <string>
#include <vector>

namespace cellstest {

// A message as a window received it.
struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The control window: records the grid messages that carry a 32-bit word by
// address (1030, 1072) and may rewrite the word.
class RecordingControl : public CWnd {
public:
    struct WordMessage {
        UINT message;
        DWORD word;
        LPARAM lParam;
    };
    std::vector<WordMessage> words;
    std::function<DWORD(UINT message, DWORD word)> rewrite;

    BOOL CreateTopLevel(const RECT& rect)
    {
        return CreateEx(0, "KivoTestControl", "control", WS_VISIBLE, rect, nullptr, 0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if ((message == 1030 || message == 1072) && wParam != 0) {
            DWORD* word = reinterpret_cast<DWORD*>(wParam);
            words.push_back({message, *word, lParam});
            if (rewrite)
                *word = rewrite(message, *word);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// What the grid kept of one end-of-edit notification.
struct EndOfEdit {
    UINT_PTR idFrom;
    HWND hwndFrom;
    int code;
    UINT mask;
    int row;
    int column;
    std::string text;
    LPARAM key;
};

// The grid window: records the keys passed to it and the end-of-edit
// notifications. Like the real grid it takes the focus when an editor passes
// it a key, and it can run a handler when an edit ends (the cell's end-of-
// edit work).
class FakeGrid : public CWnd {
public:
    std::vector<Received> keys;
    std::vector<EndOfEdit> ends;
    std::vector<Received> mouse;   // mouse and key messages that reached it
    std::function<void(const EndOfEdit&)> onEnd;

    BOOL CreateChild(CWnd* parent, const RECT& rect, DWORD extraStyle = 0)
    {
        return CreateEx(0, "KivoTestGrid", "grid", WS_CHILD | WS_VISIBLE | extraStyle, rect, parent, 81220);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_KEYDOWN:
            keys.push_back({message, wParam, lParam});
            SetFocus();
            return 0;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header != nullptr && static_cast<int>(header->code) == kCellEditEndNotify) {
                const CellEditNotifyInfo* info = reinterpret_cast<const CellEditNotifyInfo*>(lParam);
                EndOfEdit end = {info->hdr.idFrom,
                                 info->hdr.hwndFrom,
                                 static_cast<int>(info->hdr.code),
                                 info->item.mask,
                                 info->item.row,
                                 info->item.column,
                                 info->item.pszText ? info->item.pszText : "",
                                 info->item.lParam};
                ends.push_back(end);
                if (onEnd)
                    onEnd(end);
                return 0;
            }
            break;
        }
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:
            mouse.push_back({message, wParam, lParam});
            return 0;
        default:
            break;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The control window at (100, 100)-(600, 500) with the grid window at
// (10, 10)-(410, 310) of it, the grid holding the focus: where the editor and
// tip tests put their widgets.
inline bool OpenControlAndGrid(RecordingControl& control, FakeGrid& grid, DWORD gridStyle = 0)
{
    if (!control.CreateTopLevel(CRect(100, 100, 600, 500)) ||
        !grid.CreateChild(&control, CRect(10, 10, 410, 310), gridStyle))
        return false;
    grid.SetFocus();
    return true;
}

}  // namespace cellstest
