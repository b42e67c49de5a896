// CFontNameCombo: a combo box of a dialog that lists, by its mode, the font
// families of the system (0), the point sizes (1), the style names (2) or the
// script names (3) of a font, each script with its character set as item
// data. The entries are CFontNameList's (designer/FontNameList.h).
#pragma once

#include "base/CString.h"
#include "designer/FontNameList.h"

#include <windows.h>

class CFontNameCombo {
public:
    // The dialog's combo box `id`; FALSE when there is none.
    BOOL Attach(int id, HWND dialog);
    HWND Hwnd() const { return m_hwnd; }
    void SetMode(int mode) { m_list.SetMode(mode); }
    int GetMode() const { return m_list.GetMode(); }
    // Empties the box and lists what the fonts matching the face and
    // character set give in the current mode (an empty face: every family).
    void Fill(const CString& face, int charset);
    // Selects the entry whose item data is `data`; FALSE when there is none.
    BOOL SelectData(long data);
    // Selects the entry whose text is `text` exactly (-1 selection when none).
    void SelectText(const CString& text);

private:
    static int CALLBACK Collect(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD type, LPARAM self);

    HWND m_hwnd = nullptr;
    CFontNameList m_list;
    int m_pixelsPerInch = 96;
};

// The height of a font description for a size in points on the screen.
int PointSizeToHeight(int points);
