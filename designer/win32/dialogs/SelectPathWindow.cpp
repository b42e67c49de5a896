// The folder chooser's window: a tree of the drives, their folders and the
// network neighbourhood, opened along the start path. Folders are listed when
// an item is first expanded; network resources come from the system's
// network enumeration (mpr.dll, loaded when first needed).
#include "designer/win32/dialogs/FileTableHelpWindows.h"

#include "designer/dialogs/ToolDialogs.h"
#include "designer/win32/DialogWindows.h"

#include <commctrl.h>
#include <winnetwk.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kTree = 1161;
const int kNetworkImage = 7;

// What an item stands for; network items keep a copy of their resource.
struct ItemData {
    enum Kind { Folder, NetworkRoot, Network } kind = Folder;
    NETRESOURCEA res = {};
    std::string local, remote, comment, provider;   // the copy's texts
};

using OpenEnumFn = DWORD(WINAPI*)(DWORD, DWORD, DWORD, LPNETRESOURCEA, LPHANDLE);
using EnumFn = DWORD(WINAPI*)(HANDLE, LPDWORD, LPVOID, LPDWORD);
using CloseEnumFn = DWORD(WINAPI*)(HANDLE);

// A name written all in capitals is shown with only its first letter capital.
std::string DisplayName(const char* name)
{
    std::string s = name != nullptr ? name : "";
    bool allCaps = !s.empty();
    for (unsigned char ch : s)
        if (ch >= 'a' && ch <= 'z')
            allCaps = false;
    if (allCaps)
        for (size_t i = 1; i < s.size(); ++i)
            if (s[i] >= 'A' && s[i] <= 'Z')
                s[i] = static_cast<char>(s[i] - 'A' + 'a');
    return s;
}

// Pictures of 17 x 16 pixels: drive types 0-6, the network root 7, network
// items 8 on, each a small coloured shape.
HIMAGELIST MakeImages()
{
    HIMAGELIST list = ImageList_Create(17, 16, ILC_COLOR24 | ILC_MASK, 16, 0);
    if (list == nullptr)
        return nullptr;
    const COLORREF colours[] = {RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 128, 192), RGB(96, 96, 96),
                                RGB(0, 128, 0),     RGB(192, 128, 0),   RGB(128, 0, 128), RGB(0, 64, 160),
                                RGB(0, 96, 192),    RGB(0, 128, 160),   RGB(64, 64, 192), RGB(96, 96, 160),
                                RGB(0, 96, 96),     RGB(96, 0, 96),     RGB(160, 96, 0),  RGB(230, 190, 60)};
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    for (COLORREF c : colours) {
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, 17, 16);
        HGDIOBJ old = ::SelectObject(dc, bmp);
        RECT all = {0, 0, 17, 16};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        RECT body = {2, 4, 15, 13};
        HBRUSH b = ::CreateSolidBrush(c);
        ::FillRect(dc, &body, b);
        ::DeleteObject(b);
        ::FrameRect(dc, &body, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::SelectObject(dc, old);
        ImageList_AddMasked(list, bmp, RGB(255, 255, 255));
        ::DeleteObject(bmp);
    }
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return list;
}

class CSelectPathWindow : public CDialogWindow {
public:
    explicit CSelectPathWindow(CSelectPathDlg& m) : CDialogWindow(216), m_m(m) {}
    ~CSelectPathWindow() override
    {
        if (m_images != nullptr)
            ImageList_Destroy(m_images);
        if (m_mpr != nullptr)
            ::FreeLibrary(m_mpr);
    }

protected:
    BOOL OnInitDialog() override
    {
        HWND tree = Item(kTree);
        m_images = MakeImages();
        if (m_images != nullptr)
            TreeView_SetImageList(tree, m_images, TVSIL_NORMAL);
        std::string start = m_m.m_strPath.IsEmpty() ? std::string("C:\\") : std::string(m_m.m_strPath.GetString());
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const char root[4] = {letter, ':', '\\', '\0'};
            const UINT type = ::GetDriveTypeA(root);
            if (type < 2 || type > 6)
                continue;
            const char name[3] = {letter, ':', '\0'};
            Add(TVI_ROOT, name, static_cast<int>(type), nullptr);
        }
        auto net = std::make_unique<ItemData>();
        net->kind = ItemData::NetworkRoot;
        m_network = Add(TVI_ROOT, "Network Neighborhood", kNetworkImage, std::move(net));
        OpenAlong(start);
        return TRUE;
    }
    INT_PTR OnNotify(NMHDR* hdr) override
    {
        if (hdr->idFrom != static_cast<UINT_PTR>(kTree))
            return 0;
        if (hdr->code == TVN_ITEMEXPANDINGA || hdr->code == TVN_ITEMEXPANDINGW) {
            auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
            if (nm->action == TVE_EXPAND)
                Fill(nm->itemNew.hItem);
            return 0;
        }
        if (hdr->code == TVN_SELCHANGEDA || hdr->code == TVN_SELCHANGEDW) {
            Selected(reinterpret_cast<NMTREEVIEWA*>(hdr)->itemNew.hItem);
            return 0;
        }
        return 0;
    }
    BOOL OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == 1129 || id == IDOK) {
            if (!::IsWindowEnabled(Item(1129)))
                return TRUE;
            HTREEITEM sel = TreeView_GetSelection(Item(kTree));
            m_m.m_strPath = sel != nullptr ? PathOf(sel).c_str() : "";
            EndDialog(IDOK);
            return TRUE;
        }
        if (id == 1130 || id == IDCANCEL) {
            // "关闭(&C)", Esc and the close box leave the caller's path alone.
            EndDialog(IDCANCEL);
            return TRUE;
        }
        return CDialogWindow::OnCommand(id, code, control);
    }

private:
    HTREEITEM Add(HTREEITEM parent, const std::string& text, int image, std::unique_ptr<ItemData> data)
    {
        TVINSERTSTRUCTA ins = {};
        ins.hParent = parent;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
        ins.item.pszText = const_cast<char*>(text.c_str());
        ins.item.iImage = ins.item.iSelectedImage = image;
        ins.item.cChildren = 1;
        ins.item.lParam = reinterpret_cast<LPARAM>(data.get());
        HTREEITEM item = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(Item(kTree), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
        if (item != nullptr && data)
            m_data.push_back(std::move(data));
        return item;
    }
    ItemData* DataOf(HTREEITEM item) const
    {
        TVITEMA tv = {};
        tv.mask = TVIF_PARAM;
        tv.hItem = item;
        ::SendMessageA(Item(kTree), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return reinterpret_cast<ItemData*>(tv.lParam);
    }
    std::string TextOf(HTREEITEM item) const
    {
        char text[MAX_PATH] = {0};
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = sizeof(text);
        ::SendMessageA(Item(kTree), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return text;
    }
    // The texts from the root down to the item, each followed by "\"; a
    // network item on the way gives its remote name and ends the walk.
    std::string PathOf(HTREEITEM item) const
    {
        std::string path;
        for (HTREEITEM at = item; at != nullptr; at = TreeView_GetParent(Item(kTree), at)) {
            const ItemData* d = DataOf(at);
            if (d != nullptr && d->kind == ItemData::Network) {
                path = d->remote + "\\" + path;
                break;
            }
            path = TextOf(at) + "\\" + path;
        }
        return path;
    }
    void SetNoChildren(HTREEITEM item)
    {
        TVITEMA tv = {};
        tv.mask = TVIF_CHILDREN;
        tv.hItem = item;
        tv.cChildren = 0;
        ::SendMessageA(Item(kTree), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    }
    void Fill(HTREEITEM item)
    {
        HWND tree = Item(kTree);
        if (TreeView_GetChild(tree, item) != nullptr)
            return;
        HCURSOR old = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        const ItemData* d = DataOf(item);
        int added = 0;
        if (d == nullptr) {
            WIN32_FIND_DATAA found;
            HANDLE h = ::FindFirstFileA((PathOf(item) + "*.*").c_str(), &found);
            if (h != INVALID_HANDLE_VALUE) {
                do {
                    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
                        std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
                        continue;
                    Add(item, found.cFileName, 15, nullptr);
                    ++added;
                } while (::FindNextFileA(h, &found));
                ::FindClose(h);
            }
        } else {
            added = FillNetwork(item, d);
        }
        if (added == 0)
            SetNoChildren(item);
        TreeView_SelectItem(tree, item);
        ::SetCursor(old);
    }
    template <class Fn>
    Fn Proc(const char* name) const
    {
        // Through an untyped pointer: the export's real type is Fn.
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m_mpr, name)));
    }
    int FillNetwork(HTREEITEM item, const ItemData* d)
    {
        if (m_mpr == nullptr)
            m_mpr = ::LoadLibraryA("mpr.dll");
        if (m_mpr == nullptr)
            return 0;
        auto open = Proc<OpenEnumFn>("WNetOpenEnumA");
        auto next = Proc<EnumFn>("WNetEnumResourceA");
        auto close = Proc<CloseEnumFn>("WNetCloseEnum");
        if (open == nullptr || next == nullptr || close == nullptr)
            return 0;
        HANDLE h = nullptr;
        NETRESOURCEA* from = d->kind == ItemData::Network ? const_cast<NETRESOURCEA*>(&d->res) : nullptr;
        if (open(from != nullptr ? RESOURCE_GLOBALNET : RESOURCE_CONTEXT, RESOURCETYPE_ANY, 0, from, &h) != NO_ERROR)
            return 0;
        int added = 0;
        std::vector<char> buffer(16384);
        for (;;) {
            DWORD count = static_cast<DWORD>(-1);
            DWORD size = static_cast<DWORD>(buffer.size());
            if (next(h, &count, buffer.data(), &size) != NO_ERROR || count == 0)
                break;
            const auto* res = reinterpret_cast<const NETRESOURCEA*>(buffer.data());
            for (DWORD i = 0; i < count; ++i) {
                auto data = std::make_unique<ItemData>();
                data->kind = ItemData::Network;
                data->res = res[i];
                data->local = res[i].lpLocalName != nullptr ? res[i].lpLocalName : "";
                data->remote = res[i].lpRemoteName != nullptr ? res[i].lpRemoteName : "";
                data->comment = res[i].lpComment != nullptr ? res[i].lpComment : "";
                data->provider = res[i].lpProvider != nullptr ? res[i].lpProvider : "";
                data->res.lpLocalName = const_cast<char*>(data->local.c_str());
                data->res.lpRemoteName = const_cast<char*>(data->remote.c_str());
                data->res.lpComment = const_cast<char*>(data->comment.c_str());
                data->res.lpProvider = const_cast<char*>(data->provider.c_str());
                const std::string name = DisplayName(res[i].lpRemoteName != nullptr ? res[i].lpRemoteName
                                                                                    : res[i].lpProvider);
                Add(item, name, kNetworkImage + static_cast<int>(res[i].dwDisplayType) % 8 + 1, std::move(data));
                ++added;
            }
        }
        close(h);
        return added;
    }
    void Selected(HTREEITEM item)
    {
        const ItemData* d = item != nullptr ? DataOf(item) : nullptr;
        const bool network = d != nullptr && (d->kind == ItemData::Network || d->kind == ItemData::NetworkRoot);
        ::EnableWindow(Item(1129), network || item == nullptr ? FALSE : TRUE);
        if (!network && item != nullptr)
            SetItemText(1142, PathOf(item).c_str());
    }
    // Opens the tree along path: each part is looked up (ignoring case)
    // among the children of the item found so far and expanded.
    void OpenAlong(const std::string& path)
    {
        HWND tree = Item(kTree);
        std::vector<std::string> parts;
        size_t at = 0;
        while (at <= path.size()) {
            const size_t sep = path.find('\\', at);
            parts.push_back(path.substr(at, sep == std::string::npos ? std::string::npos : sep - at));
            if (sep == std::string::npos)
                break;
            at = sep + 1;
        }
        HTREEITEM current = nullptr;
        HTREEITEM found = nullptr;
        for (size_t i = 0; i < parts.size(); ++i) {
            const std::string& part = parts[i];
            if (part.empty()) {
                if (i == 0) {
                    found = m_network;   // a network path
                } else {
                    continue;
                }
            } else {
                found = nullptr;
                HTREEITEM child = current == nullptr ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, current);
                for (; child != nullptr; child = TreeView_GetNextSibling(tree, child))
                    if (::lstrcmpiA(TextOf(child).c_str(), part.c_str()) == 0)
                        break;
                found = child;
            }
            if (found == nullptr)
                break;
            current = found;
            TreeView_Expand(tree, current, TVE_EXPAND);
        }
        if (current != nullptr) {
            TreeView_SelectItem(tree, current);
            TreeView_EnsureVisible(tree, current);
            Selected(current);
        } else {
            Selected(nullptr);
        }
    }

    CSelectPathDlg& m_m;
    HIMAGELIST m_images = nullptr;
    HMODULE m_mpr = nullptr;
    HTREEITEM m_network = nullptr;
    std::vector<std::unique_ptr<ItemData>> m_data;
};

}  // namespace

void RegisterSelectPathWindow()
{
    RegisterDialogWindow(216, [](HWND owner, CDesignerDialog& model) {
        CSelectPathWindow w(static_cast<CSelectPathDlg&>(model));
        return w.DoModal(owner) == IDOK ? IDOK : IDCANCEL;
    });
}
