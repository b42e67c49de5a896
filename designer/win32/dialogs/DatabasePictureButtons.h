// Picture buttons of the database dialogs: owner-drawn push buttons showing a
// bitmap of the program's resources with one colour transparent and, when
// asked, the button's own text to the right of the picture (the border
// button shows the name of its border mask there). The dialog hands its
// WM_DRAWITEM to DrawItem.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

class CDatabasePictureButtons {
public:
    CDatabasePictureButtons() = default;
    ~CDatabasePictureButtons();
    CDatabasePictureButtons(const CDatabasePictureButtons&) = delete;
    CDatabasePictureButtons& operator=(const CDatabasePictureButtons&) = delete;

    // Gives the button the bitmap resource; FALSE (the button keeps only its
    // text) when either is missing.
    BOOL Add(HWND button, UINT bitmapId, COLORREF transparent, bool withText);
    // Draws one of the buttons; FALSE when the item is not one of them.
    BOOL DrawItem(const DRAWITEMSTRUCT* item) const;

private:
    struct Entry {
        HWND hwnd;
        HIMAGELIST images;   // null: text only
        int width, height;
        bool text;
    };
    std::vector<Entry> m_entries;
};
