// The real control in the platform's ActiveX host, in a host program that
// never told the grid its path: rows past 65535 reach the container's sink
// whole, and GridSetSkinDir replaces bitmaps from an absolute folder and from
// a folder relative to the control's own DLL.
#include "ComTestSupport.h"
#include "ContainerHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace comtest;

namespace {

VARIANT Call(IDispatch* target, DISPID id, std::vector<VARIANT> args)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT hr =
        target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    for (VARIANT& v : args)
        ::VariantClear(&v);
    EXPECT_TRUE(SUCCEEDED(hr)) << "member " << id;
    return result;
}

LONG CallLong(IDispatch* target, DISPID id, std::vector<VARIANT> args)
{
    VARIANT result = Call(target, id, std::move(args));
    LONG value = -999;
    if (SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4)))
        value = result.lVal;
    ::VariantClear(&result);
    return value;
}

std::wstring CallText(IDispatch* target, DISPID id, std::vector<VARIANT> args)
{
    VARIANT result = Call(target, id, std::move(args));
    std::wstring text = result.vt == VT_BSTR && result.bstrVal != nullptr ? result.bstrVal : L"";
    ::VariantClear(&result);
    return text;
}

const DISPID kRowSetCount = 52;
const DISPID kColumnSetCount = 56;
const DISPID kGridSetSelectRange = 79;
const DISPID kGridSetSkinDir = 486;
const DISPID kGridGetSkinDir = 493;
const DISPID kGridSelectRange = 3;

// A 24-bit .bmp of one colour.
bool WriteBmp(const std::wstring& path, int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> d(54 + stride * height, 0x80);
    auto put32 = [&](int at, unsigned v) {
        for (int i = 0; i < 4; ++i)
            d[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    std::fill(d.begin(), d.begin() + 54, 0);
    d[0] = 'B';
    d[1] = 'M';
    put32(2, static_cast<unsigned>(d.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    d[26] = 1;
    d[28] = 24;
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(f, d.data(), static_cast<DWORD>(d.size()), &written, nullptr);
    return ::CloseHandle(f) && ok && written == d.size();
}

// A folder holding BUTTON.bmp and SCROLL.bmp, removed afterwards.
class SkinFolder {
public:
    explicit SkinFolder(const std::wstring& path) : m_path(path)
    {
        ::CreateDirectoryW(m_path.c_str(), nullptr);
        m_ok = WriteBmp(m_path + L"\\BUTTON.bmp", 3, 5) && WriteBmp(m_path + L"\\SCROLL.bmp", 6, 6);
    }
    ~SkinFolder()
    {
        ::DeleteFileW((m_path + L"\\BUTTON.bmp").c_str());
        ::DeleteFileW((m_path + L"\\SCROLL.bmp").c_str());
        ::RemoveDirectoryW(m_path.c_str());
    }
    bool ok() const { return m_ok; }

private:
    std::wstring m_path;
    bool m_ok = false;
};

VARIANT TextArg(const std::wstring& s)
{
    return Text(s.c_str());
}

class WholeLinesAndSkins : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ax.Start());
        ASSERT_NO_FATAL_FAILURE(ax.Place(10, 10, 400, 300));
        ASSERT_EQ(ax.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ctl)), S_OK);
    }
    void TearDown() override
    {
        if (ctl != nullptr)
            ctl->Release();
    }

    AxHost ax;
    IDispatch* ctl = nullptr;
};

}  // namespace

TEST_F(WholeLinesAndSkins, ASelectionPastRow65535ReachesTheSinkWhole)
{
    IConnectionPoint* cp = nullptr;
    ASSERT_NO_FATAL_FAILURE(FindEventPoint(ax.control, &cp));
    RecordingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(cp->Advise(&sink, &cookie), S_OK);

    ASSERT_EQ(CallLong(ctl, kRowSetCount, {Long(70000)}), -1);
    ASSERT_EQ(CallLong(ctl, kColumnSetCount, {Long(5)}), -1);
    Pump();
    sink.fired.clear();
    EXPECT_EQ(CallLong(ctl, kGridSetSelectRange, {Long(66000), Long(2), Long(66001), Long(3)}), -1);
    Pump();
    std::vector<RecordingSink::Fired> ranges = sink.Of(kGridSelectRange);
    ASSERT_FALSE(ranges.empty());
    EXPECT_EQ((std::vector<LONG>{66000, 2, 66001, 3}), ranges.back().args);

    sink.fired.clear();
    EXPECT_EQ(CallLong(ctl, kGridSetSelectRange, {Long(464), Long(2), Long(465), Long(3)}), -1);
    Pump();
    ranges = sink.Of(kGridSelectRange);
    ASSERT_FALSE(ranges.empty());
    EXPECT_EQ((std::vector<LONG>{464, 2, 465, 3}), ranges.back().args);

    EXPECT_EQ(cp->Unadvise(cookie), S_OK);
    cp->Release();
}

TEST_F(WholeLinesAndSkins, SkinFoldersWorkWithoutAProgramPath)
{
    // An absolute folder.
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring absolute = std::wstring(temp) + L"kivo_skin_absolute";
    {
        SkinFolder folder(absolute);
        ASSERT_TRUE(folder.ok());
        EXPECT_EQ(2, CallLong(ctl, kGridSetSkinDir, {TextArg(absolute)}));
        EXPECT_EQ(absolute, CallText(ctl, kGridGetSkinDir, {}));
    }

    // A folder relative to the control's DLL: "..\" drops the DLL's file
    // name, so the folder lies beside the DLL.
    std::wstring dll = DllPath();
    const std::wstring besideDll = dll.substr(0, dll.find_last_of(L'\\')) + L"\\kivo_skin_relative";
    {
        SkinFolder folder(besideDll);
        ASSERT_TRUE(folder.ok());
        EXPECT_EQ(2, CallLong(ctl, kGridSetSkinDir, {TextArg(L"..\\kivo_skin_relative")}));
        EXPECT_EQ(L"..\\kivo_skin_relative", CallText(ctl, kGridGetSkinDir, {}));
    }
    // A folder that does not exist replaces nothing but is kept as the text.
    EXPECT_EQ(0, CallLong(ctl, kGridSetSkinDir, {TextArg(L"..\\kivo_skin_missing")}));
    EXPECT_EQ(L"..\\kivo_skin_missing", CallText(ctl, kGridGetSkinDir, {}));
}
