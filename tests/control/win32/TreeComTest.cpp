// A row tree in the control's grid, in the platform's ActiveX host: real
// mouse clicks on a box fold and unfold the branch with the host's answers to
// GridTreeCollapse and GridTreeExpand (a refusal keeps the rows; the plus
// stroke shows in the window's pixels), a double click folds a read-only tree
// cell and edits an editable one; and the KivoTree and KivoTreeNode objects
// driven through IDispatch by name, a stale one after its tree is deleted.
#include "ContainerHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace comtest;

namespace {

const DISPID kTreeExpand = 10;
const DISPID kTreeCollapse = 11;

// A sink that answers the tree events: may collapse, may expand, and the
// expand-flags word.
class TreeSink : public RecordingSink {
public:
    SHORT mayCollapse = -1;
    SHORT mayExpand = -1;
    LONG expandFlags = 0;

    void Answer(DISPID id, DISPPARAMS* p) override
    {
        if (id == kTreeCollapse && p->cArgs == 2 && p->rgvarg[0].vt == (VT_BYREF | VT_I2))
            *p->rgvarg[0].piVal = mayCollapse;
        if (id == kTreeExpand && p->cArgs == 3 && p->rgvarg[1].vt == (VT_BYREF | VT_I2) &&
            p->rgvarg[0].vt == (VT_BYREF | VT_I4)) {
            *p->rgvarg[1].piVal = mayExpand;
            *p->rgvarg[0].plVal = expandFlags;
        }
    }
};

// Calls a member by name with arguments in declaration order; the result.
VARIANT Call(IDispatch* target, const wchar_t* name, std::vector<VARIANT> args = {}, WORD kind = DISPATCH_METHOD)
{
    VARIANT result;
    ::VariantInit(&result);
    DISPID id = 0;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(target->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << Narrow(name);
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if (kind == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    EXPECT_EQ(target->Invoke(id, IID_NULL, 0, kind, &params, kind == DISPATCH_PROPERTYPUT ? nullptr : &result,
                             nullptr, nullptr),
              S_OK)
        << Narrow(name);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    return result;
}

LONG CallLong(IDispatch* target, const wchar_t* name, std::vector<VARIANT> args = {},
              WORD kind = DISPATCH_METHOD)
{
    VARIANT v = Call(target, name, std::move(args), kind);
    VARIANT l;
    ::VariantInit(&l);
    const LONG out = SUCCEEDED(::VariantChangeType(&l, &v, 0, VT_I4)) ? l.lVal : -12345;
    ::VariantClear(&v);
    return out;
}

std::wstring CallText(IDispatch* target, const wchar_t* name, std::vector<VARIANT> args = {},
                      WORD kind = DISPATCH_METHOD)
{
    VARIANT v = Call(target, name, std::move(args), kind);
    std::wstring out = v.vt == VT_BSTR && v.bstrVal != nullptr ? std::wstring(v.bstrVal) : std::wstring();
    ::VariantClear(&v);
    return out;
}

// An object a member hands out; NULL for none.
IDispatch* CallObject(IDispatch* target, const wchar_t* name, std::vector<VARIANT> args = {})
{
    VARIANT v = Call(target, name, std::move(args));
    if (v.vt != VT_DISPATCH) {
        ::VariantClear(&v);
        return nullptr;
    }
    return v.pdispVal;   // the reference passes to the caller
}

// The control placed in a host window, with a 10 x 4 sheet whose tree is
// 1 / 2 (3) / 2 at rows 1..4 in column 1, column 1 150 wide.
class TreeInControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ax.Start());
        ASSERT_NO_FATAL_FAILURE(ax.Place(10, 10, 400, 300));
        ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
        CallLong(ctl, L"RowSetCount", {Long(10)});
        CallLong(ctl, L"ColumnSetCount", {Long(4)});
        CallLong(ctl, L"RowSetFixedCount", {Long(1)});
        CallLong(ctl, L"ColumnSetFixedCount", {Long(1)});
        CallLong(ctl, L"ColumnSetWidth", {Long(1), Long(150)});
        tree = CallObject(ctl, L"GridAddTree", {Long(1), Long(1)});
        ASSERT_NE(tree, nullptr);
        CallLong(ctl, L"ColumnSetControlTree",
                 {Long(1), Long(1), Text(L"<control treerow = \"1,2,3,2\" ></control>")});
        IConnectionPoint* point = nullptr;
        ASSERT_NO_FATAL_FAILURE(FindEventPoint(ax.control, &point));
        cp = point;
        ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);
        grid = ax.Grid();
        ASSERT_NE(grid, nullptr);
    }
    void TearDown() override
    {
        if (cp != nullptr) {
            cp->Unadvise(cookie);
            cp->Release();
        }
        if (tree != nullptr)
            tree->Release();
        if (ctl != nullptr)
            ctl->Release();
    }
    // The client point of a cell's top-left corner (the sheet is not scrolled).
    POINT CellOrigin(int row, int col)
    {
        POINT p = {0, 0};
        for (int c = 0; c < col; ++c)
            p.x += CallLong(ctl, L"ColumnGetWidth", {Long(c)});
        for (int r = 0; r < row; ++r)
            p.y += CallLong(ctl, L"RowGetHeight", {Long(r)});
        return p;
    }
    // The centre of a level-1 or level-2 box (margin 3, box 13): 5 + 13 x (level - 1) .. + 11.
    POINT BoxCentre(int row, int level)
    {
        POINT p = CellOrigin(row, 1);
        p.x += 5 + 13 * (level - 1) + 5;
        p.y += 3 + 5;
        return p;
    }
    // Clicks (or double-clicks) with the system's input; single clicks wait
    // out the double-click time first, so two of them stay two clicks.
    void RealClick(POINT client, bool twice = false)
    {
        ::Sleep(::GetDoubleClickTime() + 50);
        POINT screen = client;
        ::ClientToScreen(grid, &screen);
        ::SetCursorPos(screen.x, screen.y);
        Pump();
        INPUT press[4] = {};
        for (INPUT& in : press)
            in.type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        press[2].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ASSERT_EQ(twice ? 4u : 2u, ::SendInput(twice ? 4 : 2, press, sizeof(INPUT)));
        Pump();
        Pump();
    }
    std::string Heights()
    {
        std::string s;
        for (int r = 1; r <= 4; ++r)
            s += (r > 1 ? " " : "") + std::to_string(CallLong(ctl, L"RowGetHeight", {Long(r)}));
        return s;
    }
    COLORREF Pixel(POINT client)
    {
        ::RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        HDC dc = ::GetDC(grid);
        const COLORREF c = ::GetPixel(dc, client.x, client.y);
        ::ReleaseDC(grid, dc);
        return c;
    }

    AxHost ax;
    IDispatch* ctl = nullptr;
    IDispatch* tree = nullptr;
    IConnectionPoint* cp = nullptr;
    TreeSink sink;
    DWORD cookie = 0;
    HWND grid = nullptr;
};

}  // namespace

TEST_F(TreeInControl, ABoxClickFoldsAndUnfoldsWithTheHostsAnswers)
{
    const std::string shown = Heights();
    const POINT root = BoxCentre(1, 1);
    // The box is open: its vertical stroke's place is the box's background.
    const POINT stroke = {root.x, root.y - 3};
    EXPECT_EQ(Pixel(stroke), RGB(255, 255, 255));

    sink.mayCollapse = 0;                        // refused: the rows stay
    RealClick(root);
    ASSERT_TRUE(PumpUntil([&] { return !sink.Of(kTreeCollapse).empty(); }));
    EXPECT_EQ(sink.Of(kTreeCollapse)[0].args[0], 1);
    EXPECT_EQ(Heights(), shown);

    sink.mayCollapse = -1;
    RealClick(root);
    ASSERT_TRUE(PumpUntil([&] { return sink.Of(kTreeCollapse).size() == 2; }));
    EXPECT_EQ(Heights().substr(Heights().find(' ')), " 0 0 0");
    EXPECT_EQ(Pixel(stroke), RGB(132, 130, 132)) << "the plus stroke";

    sink.mayExpand = 0;                          // refused
    RealClick(root);
    ASSERT_TRUE(PumpUntil([&] { return !sink.Of(kTreeExpand).empty(); }));
    EXPECT_EQ(Heights().substr(Heights().find(' ')), " 0 0 0");

    sink.mayExpand = -1;
    sink.expandFlags = 1;                        // one level
    RealClick(root);
    ASSERT_TRUE(PumpUntil([&] { return sink.Of(kTreeExpand).size() == 2; }));
    const std::vector<LONG> args = sink.Of(kTreeExpand)[1].args;
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[0], 1);
    EXPECT_EQ(Heights(), shown.substr(0, shown.find(' ', shown.find(' ') + 1)) + " 0 " +
                             std::to_string(CallLong(ctl, L"RowGetHeight", {Long(4)})));
    EXPECT_EQ(Pixel(stroke), RGB(255, 255, 255));
}

TEST_F(TreeInControl, ADoubleClickFoldsAReadOnlyCellAndEditsAnEditableOne)
{
    CallLong(ctl, L"CellSetReadOnly", {Long(2), Long(1), Short(1)});
    POINT text = CellOrigin(2, 1);
    text.x += 120;
    text.y += 8;
    RealClick(text, true);
    ASSERT_TRUE(PumpUntil([&] { return !sink.Of(kTreeCollapse).empty(); }));
    EXPECT_EQ(sink.Of(kTreeCollapse)[0].args[0], 2);
    EXPECT_EQ(CallLong(ctl, L"RowGetHeight", {Long(3)}), 0);

    const size_t asked = sink.fired.size();
    POINT editable = CellOrigin(1, 1);
    editable.x += 120;
    editable.y += 8;
    RealClick(editable, true);
    Pump();
    EXPECT_TRUE(sink.Of(kTreeCollapse).size() == 1 && sink.Of(kTreeExpand).empty());
    // An editor window opened over the cell.
    HWND edit = ::GetFocus();
    EXPECT_NE(edit, grid);
    EXPECT_TRUE(edit != nullptr && ::GetParent(edit) == grid);
    (void)asked;
    ::SendMessageW(grid, WM_KEYDOWN, VK_ESCAPE, 0);
    Pump();
}

TEST_F(TreeInControl, ObjectsByNameThroughTheTypeLibrary)
{
    EXPECT_EQ(CallLong(tree, L"Nodes", {}, DISPATCH_PROPERTYGET), 4);
    IDispatch* added = CallObject(tree, L"AddNode");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(CallLong(added, L"RowIndex", {}, DISPATCH_PROPERTYGET), 5);
    EXPECT_EQ(CallLong(added, L"Level", {}, DISPATCH_PROPERTYGET), 2);
    IDispatch* inserted = CallObject(tree, L"InsertNode", {Long(1)});
    ASSERT_NE(inserted, nullptr);
    EXPECT_EQ(CallLong(inserted, L"RowIndex", {}, DISPATCH_PROPERTYGET), 2);
    IDispatch* second = CallObject(tree, L"GetNode", {Long(2)});
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(CallLong(second, L"RowIndex", {}, DISPATCH_PROPERTYGET), 3);
    EXPECT_EQ(CallLong(second, L"Nodes", {}, DISPATCH_PROPERTYGET), 1);
    EXPECT_EQ(CallObject(tree, L"GetNode", {Long(9)}), nullptr);

    Call(second, L"Value", {Text(L"moved")}, DISPATCH_PROPERTYPUT);
    Call(second, L"MoveUp");
    EXPECT_EQ(CallLong(second, L"RowIndex", {}, DISPATCH_PROPERTYGET), 2);
    EXPECT_EQ(CallText(second, L"Value", {}, DISPATCH_PROPERTYGET), L"moved");
    EXPECT_EQ(CallText(ctl, L"CellGetValue", {Long(2), Long(1)}), L"moved");

    CallLong(ctl, L"CellSetValue", {Long(2), Long(1), Text(L"1.5")});
    CallLong(ctl, L"CellSetValue", {Long(4), Long(1), Text(L"2")});
    CallLong(ctl, L"CellSetValue", {Long(5), Long(1), Text(L"3")});
    CallLong(ctl, L"CellSetValue", {Long(6), Long(1), Text(L"4")});
    Call(tree, L"Sum");
    EXPECT_EQ(CallText(tree, L"Value", {}, DISPATCH_PROPERTYGET), L"10.5");
    const std::wstring xml = CallText(tree, L"XML", {}, DISPATCH_PROPERTYGET);
    EXPECT_EQ(xml.find(L"<control treerow = \"1,2,3,2,2,2\"  startrow =\"1\""), 0u) << Narrow(xml);

    // The tree deleted: the objects kept answer as empty objects.
    EXPECT_EQ(CallLong(ctl, L"GridDeleteTree", {Long(1), Long(1)}), 1);
    EXPECT_EQ(CallLong(tree, L"Nodes", {}, DISPATCH_PROPERTYGET), 0);
    EXPECT_EQ(CallLong(second, L"Level", {}, DISPATCH_PROPERTYGET), -1);
    EXPECT_EQ(CallText(tree, L"XML", {}, DISPATCH_PROPERTYGET), L"");
    EXPECT_EQ(CallObject(tree, L"AddNode"), nullptr);
    Call(second, L"MoveUp");
    EXPECT_EQ(CallText(ctl, L"CellGetValue", {Long(2), Long(1)}), L"1.5");
    added->Release();
    inserted->Release();
    second->Release();
}
