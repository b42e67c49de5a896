// The designer's dispatch drivers of the control's automation objects, on the
// registered KivoSheet.dll hosted through the designer's control site: a tree
// built node by node, objects made by ProgID filled and handed back to the
// control, and every driver refusing once its control is gone.
#include "control/KivoGuids.gen.h"
#include "designer/GridControlWnd.gen.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

std::string WinePath(const char* unixPath)
{
    std::string w = unixPath[0] == '/' ? "Z:" : "";
    for (const char* p = unixPath; *p != '\0'; ++p)
        w.push_back(*p == '/' ? '\\' : *p);
    return w;
}

int RunAndWait(const std::string& commandLine)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::string cmd = commandLine;
    if (!::CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

// One control in a window of the test's own.
struct HostedControl {
    HostedControl()
    {
        host = ::CreateWindowExA(0, "STATIC", "objects", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
        CLSID clsid;
        std::memcpy(&clsid, kGuid_KivoSheet.bytes, sizeof(clsid));
        RECT rc = {0, 0, 400, 300};
        created = host != nullptr && grid.Create(clsid, host, rc, 924);
    }
    ~HostedControl()
    {
        grid.Destroy();
        if (host != nullptr)
            ::DestroyWindow(host);
    }
    HWND host = nullptr;
    bool created = false;
    CGridControlWnd grid;
};

class DesignerObjectDrivers : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::OleInitialize(nullptr);
        registered = RunAndWait("regsvr32.exe /s \"" + WinePath(KIVO_CONTROL_DLL) + "\"") == 0;
    }
    static void TearDownTestSuite()
    {
        RunAndWait("regsvr32.exe /s /u \"" + WinePath(KIVO_CONTROL_DLL) + "\"");
        ::OleUninitialize();
    }
    void SetUp() override { ASSERT_TRUE(registered); }
    static bool registered;
};
bool DesignerObjectDrivers::registered = false;

TEST_F(DesignerObjectDrivers, TreeBuiltNodeByNodeAndRefusedWhenTheControlIsGone)
{
    HostedControl c;
    ASSERT_TRUE(c.created);
    IGridControl& grid = c.grid;
    EXPECT_EQ(nullptr, grid.GridAddTree(0, 1));
    std::unique_ptr<IKivoTree> tree = grid.GridAddTree(1, 1);
    ASSERT_NE(nullptr, tree);
    EXPECT_EQ(1, tree->GetRowIndex());
    std::unique_ptr<IKivoTreeNode> first = tree->AddNode();
    std::unique_ptr<IKivoTreeNode> second = tree->AddNode();
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(3, second->GetRowIndex());
    std::unique_ptr<IKivoTreeNode> child = first->AddNode();
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(3, child->GetRowIndex());
    EXPECT_EQ(3, child->GetLevel());
    EXPECT_EQ(4, tree->GetNodes());
    child->SetValue(CString("\xD2\xB6"));           // a CP936 text crosses as BSTR and back
    EXPECT_EQ("\xD2\xB6", grid.CellGetValue(3, 1).Str());
    EXPECT_EQ("\xD2\xB6", child->GetValue().Str());
    std::unique_ptr<IKivoTreeNode> parent = child->GetParent();
    ASSERT_NE(nullptr, parent);
    EXPECT_EQ(2, parent->GetRowIndex());
    std::unique_ptr<IKivoTree> root = child->GetRoot();
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(KivoKind_KivoTree, root->GetKivoKind());
    EXPECT_EQ(nullptr, tree->GetNode(7));

    // A ProgID makes an object while the control lives.
    EXPECT_NE(nullptr, grid.CreateKivo<IKivoTreeNode>());

    c.grid.Destroy();
    EXPECT_EQ(-1, tree->GetRowIndex());
    EXPECT_EQ(-1, child->GetLevel());
    EXPECT_EQ("", child->GetValue().Str());
    EXPECT_EQ(nullptr, tree->AddNode());
    EXPECT_EQ(nullptr, child->GetRoot());
    child->SetValue(CString("gone"));
    EXPECT_EQ(nullptr, grid.GridAddTree(1, 1));
    EXPECT_EQ(nullptr, grid.CreateKivo<IKivoTreeNode>());
}

TEST_F(DesignerObjectDrivers, ObjectsMadeByProgIdReachTheControl)
{
    HostedControl c;
    ASSERT_TRUE(c.created);
    IGridControl& grid = c.grid;
    EXPECT_EQ(nullptr, grid.CreateKivoObject(CString("KivoSheet.KivoNothing.1")));
    EXPECT_EQ(nullptr, grid.CreateKivoObject(CString("")));
    std::unique_ptr<IKivoObject> font = grid.CreateKivoObject(CString("kivosheet.kivofont.1"));
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(KivoKind_KivoFont, font->GetKivoKind());

    std::unique_ptr<IKivoBind> bind = grid.DBAddBind(CString("body"));
    ASSERT_NE(nullptr, bind);
    std::unique_ptr<IKivoBindField> field = grid.CreateKivo<IKivoBindField>();
    ASSERT_NE(nullptr, field);
    field->SetsFieldName(CString("name"));
    field->SetnRow(1);
    field->SetnCol(2);
    EXPECT_EQ(0, bind->AddField(field.get()));
    EXPECT_EQ(1, bind->GetnFieldCount());
    std::unique_ptr<IKivoBindField> stored = bind->GetField(0);
    ASSERT_NE(nullptr, stored);
    EXPECT_EQ("name", stored->GetsFieldName().Str());
    std::unique_ptr<IKivoBindField> found = grid.DBGetBindField(CString("body"), 1, 2);
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(2, found->GetnCol());
    EXPECT_EQ(1, grid.DBSetBind(CString("body"), bind.get()));
    // A tree is no cell control: refused, nothing set.
    std::unique_ptr<IKivoObject> tree = grid.CreateKivoObject(CString("KivoSheet.KivoTree.1"));
    ASSERT_NE(nullptr, tree);
    EXPECT_EQ(0, grid.CellSetControlEx(1, 1, tree.get()));

    // An indexed property taking an object, and the record read back.
    std::unique_ptr<IKivoGridDefaultSetting> setting = grid.GridGetDefaultSetting();
    ASSERT_NE(nullptr, setting);
    std::unique_ptr<IKivoCellBorder> border = grid.CreateKivo<IKivoCellBorder>();
    ASSERT_NE(nullptr, border);
    border->SetcrLineColor(0x00FF00);
    border->SetnLineWidth(3);
    setting->SetarCellBorder(2, border.get());     // side flags: the top
    setting->SetnRowHeight(29);
    grid.GridSetDefautSetting(setting.get());
    std::unique_ptr<IKivoGridDefaultSetting> back = grid.GridGetDefaultSetting();
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(29, back->GetnRowHeight());
    std::unique_ptr<IKivoCellBorder> top = back->GetarCellBorder(1);   // sides: 1 is the top
    ASSERT_NE(nullptr, top);
    EXPECT_EQ(0x00FF00, top->GetcrLineColor());
    EXPECT_EQ(3, top->GetnLineWidth());

    std::unique_ptr<IKivoRange> range = grid.GridGetRangeObject(1, 1, 2, 3);
    ASSERT_NE(nullptr, range);
    EXPECT_EQ(3, range->GetnMaxCol());
    c.grid.Destroy();
    EXPECT_EQ(-1, range->GetnMaxCol());            // its failure value
    EXPECT_EQ(0, bind->GetnFieldCount());
}

}  // namespace
