// The "边框" buttons of the binding and bound-field dialogs in KivoDesigner.exe,
// worked with the real mouse: the check enables the button, the button opens
// the border popup, "外边框" and a single side are chosen there, the button
// then names the mask, and the saved template carries the borders of the
// group rows and of the field; the spin buttons step within their range and
// the colour picker's choice reaches the group rows. With KIVO_SCREENSHOT_DIR set (a Windows
// path), pictures of the dialogs are written there for a person to look at.
#include "designer/win32/DesignerDriver.h"
#include "designer/win32/DatabaseScreenshots.h"

#include <string>
#include <vector>

using namespace designerwine;

namespace {

class DatabaseBorderWine : public DesignerProgramBase {};

HWND WaitForCaption(Designer& d, const std::string& caption)
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND h : TopWindows(d.pi.dwProcessId, "#32770"))
            if (TextOf(h) == caption && ::IsWindowVisible(h)) {
                found = h;
                return true;
            }
        return false;
    });
    return found;
}

std::string ItemText(HWND dialog, int id)
{
    char text[512] = {0};
    ::SendMessageA(::GetDlgItem(dialog, id), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

void SetText(HWND dialog, int id, const char* text)
{
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Post(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// A real click in the middle of a control of a dialog (found among its
// descendants), after bringing the dialog to the front.
bool ClickItem(HWND dialog, int id)
{
    HWND item = ChildById(dialog, id);
    if (item == nullptr)
        return false;
    ::SetForegroundWindow(dialog);
    Pump(150);
    RECT rc;
    ::GetClientRect(item, &rc);
    Click(item, POINT{(rc.right - rc.left) / 2, (rc.bottom - rc.top) / 2});
    return true;
}

// Opens the border popup from a dialog's border button with a real click,
// clicks the popup's buttons in turn and its OK; answers the button's
// caption afterwards.
std::string PickBorders(Designer& d, HWND dialog, const std::vector<int>& buttons, const char* shot)
{
    if (!ClickItem(dialog, 1148))
        return "(no border button)";
    HWND popup = WaitForCaption(d, "边框");
    if (popup == nullptr)
        return "(no popup)";
    for (int id : buttons)
        if (!ClickItem(popup, id))
            return "(no popup button " + std::to_string(id) + ")";
    SaveScreenshot(popup, shot);
    ClickItem(popup, IDOK);
    if (!WaitFor([&] { return !::IsWindow(popup); }, 5000))
        return "(popup stays)";
    Pump(200);
    return ItemText(dialog, 1148);
}

TEST_F(DatabaseBorderWine, BorderButtonsStoreWhatThePopupAnswers)
{
    const std::string saved = TempFile("kivo_borders_wine.kvx");
    ::DeleteFileA(saved.c_str());
    Designer d;
    ASSERT_NE(nullptr, d.Frame());
    ASSERT_TRUE(WaitFor([&] { return d.Documents().size() == 1; }));

    // The binding dialog: the button waits for its check.
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32942, 0), 0);
    HWND manager = WaitForCaption(d, "绑定管理");
    ASSERT_NE(nullptr, manager);
    Post(manager, 1016);
    HWND dialog = WaitForCaption(d, "绑定");
    ASSERT_NE(nullptr, dialog);
    SetText(dialog, 1122, "b1");
    EXPECT_EQ("无边框", ItemText(dialog, 1148));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, 1148)));
    ASSERT_TRUE(ClickItem(dialog, 1152));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, 1148)) != FALSE; }, 3000));
    EXPECT_EQ("全边框", PickBorders(d, dialog, {1195}, "border_popup.bmp"));
    // The spin buttons of the start row and the group-name column step
    // within 0 to 1024.
    SetText(dialog, 1038, "5");
    SetText(dialog, 1147, "1024");
    for (int spin : {1135, 1140}) {
        HWND arrows = ::GetDlgItem(dialog, spin);
        ASSERT_NE(nullptr, arrows) << spin;
        RECT rc;
        ::GetClientRect(arrows, &rc);
        ::SetForegroundWindow(dialog);
        Pump(150);
        Click(arrows, POINT{rc.right / 2, rc.bottom / 4});   // the upper arrow
    }
    EXPECT_TRUE(WaitFor([&] { return ItemText(dialog, 1038) == "6"; }, 3000)) << ItemText(dialog, 1038);
    EXPECT_EQ("1024", ItemText(dialog, 1147));
    // The background colour: its check enables the colour picker, which
    // opens its palette on a click; a colour chosen with the keys shows on
    // the button and reaches the group rows.
    ASSERT_TRUE(ClickItem(dialog, 1150));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, 1021)) != FALSE; }, 3000));
    ASSERT_TRUE(ClickItem(dialog, 1021));
    ASSERT_TRUE(WaitFor([&] { return !TopWindows(d.pi.dwProcessId, "KivoColourPopup").empty(); }, 5000));
    Press(VK_RIGHT);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return TopWindows(d.pi.dwProcessId, "KivoColourPopup").empty(); }, 5000));
    SaveScreenshot(dialog, "bind_dialog.bmp");
    // A second visit: cancelling keeps what the first answered.
    ASSERT_TRUE(ClickItem(dialog, 1148));
    HWND popup = WaitForCaption(d, "边框");
    ASSERT_NE(nullptr, popup);
    ClickItem(popup, 1196);   // "清空"
    ClickItem(popup, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(popup); }, 5000));
    EXPECT_EQ("全边框", ItemText(dialog, 1148));
    Post(dialog, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    Post(manager, 1019);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(manager); }));

    // The bound-field dialog's button opens the same popup.
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32943, 0), 0);
    manager = WaitForCaption(d, "绑定字段管理");
    ASSERT_NE(nullptr, manager);
    HWND list = ChildById(manager, 1151);
    ASSERT_NE(nullptr, list);
    ::SetForegroundWindow(manager);
    Pump(200);
    dialog = nullptr;
    for (int y : {50, 45, 55, 60}) {
        Click(list, POINT{60, y});
        Pump(300);
        Post(manager, 1016);
        dialog = WaitForCaption(d, "绑定字段");
        if (dialog != nullptr)
            break;
        // A row that is no binding answers with a message box.
        for (HWND h : TopWindows(d.pi.dwProcessId, "#32770"))
            if (::GetDlgItem(h, 0xFFFF) != nullptr)
                Post(h, IDOK);
        Pump(300);
    }
    ASSERT_NE(nullptr, dialog);
    SetText(dialog, 1103, "X");
    SetText(dialog, 1158, "2");
    SetText(dialog, 1039, "3");
    ASSERT_TRUE(ClickItem(dialog, 1152));
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, 1148)) != FALSE; }, 3000));
    EXPECT_EQ("上边框", PickBorders(d, dialog, {1025}, "field_popup.bmp"));
    SaveScreenshot(dialog, "field_dialog.bmp");
    Post(dialog, 1129);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
    Post(manager, 1019);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(manager); }));

    // Saved through Ctrl+S's road (the view's own save) and read back.
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32944, 0), 0);
    HWND box = d.WaitForDialog();
    ASSERT_NE(nullptr, box);
    Post(box, IDYES);
    HWND fileDialog = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND h : TopWindows(d.pi.dwProcessId, "#32770"))
            if (::GetDlgItem(h, 1148) != nullptr || ::GetDlgItem(h, 1152) != nullptr) {
                fileDialog = h;
                return true;
            }
        return false;
    }));
    ASSERT_TRUE(AnswerFileDialog(fileDialog, saved));
    HWND test = WaitForCaption(d, "模板测试");
    ASSERT_NE(nullptr, test);
    WaitFor([&] {
        for (HWND h : TopWindows(d.pi.dwProcessId, "#32770"))
            if (::GetDlgItem(h, 0xFFFF) != nullptr) {
                Post(h, IDOK);
                return true;
            }
        return false;
    });
    ::PostMessageA(test, WM_CLOSE, 0, 0);
    WaitFor([&] { return !::IsWindow(test); });

    Reader reader;
    ASSERT_TRUE(reader.created);
    ASSERT_EQ(1, reader.grid.GridOpenFile(CString(saved.c_str()), CString()));
    auto bind = reader.grid.DBGetBind("b1");
    ASSERT_TRUE(bind);
    auto group = bind->GetGroupRowInfo();
    ASSERT_TRUE(group);
    EXPECT_EQ(15, group->GetemCellBorderFlags());
    const LONG back = group->GetcrGroupRowBgColor();
    EXPECT_NE(-1, back);   // the check is on
    EXPECT_NE(0, back);    // and the palette's colour came, not the starting black
    EXPECT_EQ(-1, group->GetcrGroupRowTextColor());
    auto field = bind->GetFieldEx(2, 3);
    ASSERT_TRUE(field);
    EXPECT_EQ(2, field->GetemCellBorderFlags());
    ::DeleteFileA(saved.c_str());
}

}  // namespace
