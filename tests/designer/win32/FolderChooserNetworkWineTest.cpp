// The folder chooser of KivoDesigner.exe on a machine with no network (as
// under Wine): its "Network Neighborhood" root, opened with a real double
// click, finds nothing below it, loses its expand button, is selected with
// the OK button greyed and the path left as it was; a drive chosen with the
// keyboard afterwards gives OK back, and "关闭(&C)" leaves the caller's path.
#include "designer/win32/DesignerDriver.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

using namespace designerwine;

namespace {

// A tree item of another process, asked through memory of that process.
struct RemoteItem {
    bool ok = false;
    std::string text;
    int children = -1;
};

class RemoteTree {
public:
    RemoteTree(DWORD pid, HWND tree) : m_tree(tree)
    {
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process != nullptr)
            m_remote = static_cast<char*>(
                ::VirtualAllocEx(m_process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteTree()
    {
        if (m_remote != nullptr)
            ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
        if (m_process != nullptr)
            ::CloseHandle(m_process);
    }
    HTREEITEM Next(HTREEITEM item, UINT code) const
    {
        return reinterpret_cast<HTREEITEM>(
            ::SendMessageA(m_tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    RemoteItem Get(HTREEITEM item) const
    {
        RemoteItem r;
        if (m_remote == nullptr)
            return r;
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT | TVIF_CHILDREN;
        tv.hItem = item;
        tv.pszText = m_remote + sizeof(TVITEMA);
        tv.cchTextMax = static_cast<int>(kSize - sizeof(TVITEMA));
        char back[kSize] = {0};
        if (!::WriteProcessMemory(m_process, m_remote, &tv, sizeof(tv), nullptr) ||
            !::SendMessageA(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(m_remote)) ||
            !::ReadProcessMemory(m_process, m_remote, back, kSize, nullptr))
            return r;
        std::memcpy(&tv, back, sizeof(tv));
        back[kSize - 1] = '\0';
        r.ok = true;
        r.text = back + sizeof(TVITEMA);
        r.children = tv.cChildren;
        return r;
    }
    // The client rectangle of an item's text.
    bool Rect(HTREEITEM item, RECT& rc) const
    {
        if (m_remote == nullptr)
            return false;
        std::memset(&rc, 0, sizeof(rc));
        std::memcpy(&rc, &item, sizeof(item));
        return ::WriteProcessMemory(m_process, m_remote, &rc, sizeof(rc), nullptr) &&
               ::SendMessageA(m_tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(m_remote)) &&
               ::ReadProcessMemory(m_process, m_remote, &rc, sizeof(rc), nullptr);
    }

private:
    static const size_t kSize = 1024;
    HWND m_tree;
    HANDLE m_process = nullptr;
    char* m_remote = nullptr;
};

void DoubleClick(HWND hwnd, POINT client)
{
    POINT screen = client;
    ::ClientToScreen(hwnd, &screen);
    PointerTo(screen);
    INPUT input[4] = {};
    for (int i = 0; i < 4; ++i) {
        input[i].type = INPUT_MOUSE;
        input[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    ::SendInput(4, input, sizeof(INPUT));
    Pump(400);
}

void PressButton(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

class FolderChooserNetwork : public DesignerProgramBase {};

}  // namespace

TEST_F(FolderChooserNetwork, EmptyNetworkRootHasNoChildrenAndCannotBeChosen)
{
    const std::string base = TempFile("kivo_chooser_net");
    ::CreateDirectoryA(base.c_str(), nullptr);
    Designer d;
    ASSERT_TRUE(d.started);
    ASSERT_TRUE(WaitFor([&] { return !d.Documents().empty(); }));
    d.Foreground();
    ::PostMessageA(d.Frame(), WM_COMMAND, MAKEWPARAM(32953, 0), 0);   // "重新合并"
    HWND remerge = d.WaitForDialog();
    ASSERT_NE(nullptr, remerge);
    ASSERT_EQ("重新合并", TextOf(remerge));
    ::SendMessageA(::GetDlgItem(remerge, 1142), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(base.c_str()));
    PressButton(remerge, 1144);
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND h : TopWindows(d.pi.dwProcessId, "#32770"))
            if (TextOf(h) == "选择路径")
                chooser = h;
        return chooser != nullptr;
    }));
    HWND tree = ::GetDlgItem(chooser, 1161);
    HWND ok = ::GetDlgItem(chooser, 1129);
    HWND pathBox = ::GetDlgItem(chooser, 1142);
    ASSERT_NE(nullptr, tree);
    Pump(300);
    const std::string folderPath = base + "\\";
    ASSERT_EQ(0, ::lstrcmpiA(folderPath.c_str(), ControlTextOf(pathBox).c_str())) << ControlTextOf(pathBox);
    ASSERT_TRUE(::IsWindowEnabled(ok));

    // The network root is the last root item, offered as expandable.
    RemoteTree remote(d.pi.dwProcessId, tree);
    HTREEITEM net = remote.Next(nullptr, TVGN_ROOT);
    for (HTREEITEM next = net; next != nullptr; next = remote.Next(next, TVGN_NEXT))
        net = next;
    ASSERT_NE(nullptr, net);
    RemoteItem item = remote.Get(net);
    ASSERT_TRUE(item.ok);
    EXPECT_EQ("Network Neighborhood", item.text);
    EXPECT_EQ(1, item.children);

    // A double click opens it: nothing comes below it.
    ::SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(net));
    ::SetForegroundWindow(chooser);
    Pump(200);
    RECT rc;
    ASSERT_TRUE(remote.Rect(net, rc));
    const POINT on = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    DoubleClick(tree, on);
    ASSERT_TRUE(WaitFor([&] { return remote.Next(nullptr, TVGN_CARET) == net; }, 5000));
    item = remote.Get(net);
    EXPECT_EQ(0, item.children);
    EXPECT_EQ(nullptr, remote.Next(net, TVGN_CHILD));
    EXPECT_FALSE(::IsWindowEnabled(ok));
    EXPECT_EQ(0, ::lstrcmpiA(folderPath.c_str(), ControlTextOf(pathBox).c_str())) << ControlTextOf(pathBox);

    // Opening it again finds nothing either; Enter with OK greyed keeps the
    // chooser open.
    DoubleClick(tree, on);
    EXPECT_EQ(nullptr, remote.Next(net, TVGN_CHILD));
    Press(VK_RETURN);
    Pump(500);
    ASSERT_TRUE(::IsWindow(chooser));
    EXPECT_FALSE(::IsWindowEnabled(ok));

    // Home goes to the first drive: OK comes back with the drive's path.
    Press(VK_HOME);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(ok) != FALSE; }, 3000));
    const std::string drive = ControlTextOf(pathBox);
    EXPECT_EQ(3u, drive.size()) << drive;
    EXPECT_EQ(":\\", drive.substr(1)) << drive;

    // "关闭(&C)": the re-merge dialog keeps the folder it had.
    PressButton(chooser, 1130);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(chooser); }));
    EXPECT_EQ(base, ControlTextOf(::GetDlgItem(remerge, 1142)));
    PressButton(remerge, 1130);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(remerge); }));
    EXPECT_EQ(0, d.Close());
    ::RemoveDirectoryA(base.c_str());
}
