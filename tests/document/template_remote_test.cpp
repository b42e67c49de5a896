// Remote templates through a table of HTTP replies: what a download keeps,
// what an upload sends, and where a downloaded file may land.
#include "base/CFile.h"
#include "cells/InPlaceEditHooks.h"
#include "document/TemplateFile.h"
#include "document/TemplateRemote.h"
#include "grid/GridCtrl.h"
#include "platform/Http.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

std::map<std::string, PlatformHttpResponse>& Replies()
{
    static std::map<std::string, PlatformHttpResponse> replies;
    return replies;
}

std::vector<PlatformHttpRequest>& Requests()
{
    static std::vector<PlatformHttpRequest> requests;
    return requests;
}

BOOL TableHandler(const PlatformHttpRequest& request, PlatformHttpResponse& response)
{
    Requests().push_back(request);
    auto it = Replies().find(std::string(request.strUrl));
    if (it == Replies().end()) {
        response.dwError = kHttpErrorCannotConnect;
        return FALSE;
    }
    response = it->second;
    return TRUE;
}

PlatformHttpResponse Reply(int status, const std::vector<BYTE>& body, long long declared = -2)
{
    PlatformHttpResponse r;
    r.nStatus = status;
    r.body = body;
    r.nContentLength = declared == -2 ? static_cast<long long>(body.size()) : declared;
    return r;
}

bool Exists(const CString& path)
{
    CFile f;
    return f.Open(path, CFile::modeRead | CFile::typeBinary) != FALSE;
}

class TemplateRemoteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallInPlaceEditHooks();
        Replies().clear();
        Requests().clear();
        previous = SetPlatformHttpHandler(&TableHandler);
        shown.SetRowCount(3);
        shown.SetColumnCount(3);
        shown.SetCellText(1, 1, "keep");
    }
    void TearDown() override { SetPlatformHttpHandler(previous); }
    CString CachePath(const char* name) { return PlatformInternetCacheFolder() + "/" + name; }

    PlatformHttpHandler previous = nullptr;
    CGridCtrl shown;
};

TEST_F(TemplateRemoteTest, DownloadAndOpen)
{
    CGridCtrl source(4, 4, 1, 1);
    source.SetCellText(2, 2, "remote");
    std::vector<BYTE> bytes;
    ASSERT_TRUE(SaveTemplateBytes(source, "", bytes));
    Replies()["http://127.0.0.1/t/sheet.kvx"] = Reply(200, bytes);
    std::remove(CachePath("sheet.kvx"));
    EXPECT_EQ(1, OpenRemoteFile(shown, "http://127.0.0.1/t/sheet.kvx", ""));
    EXPECT_STREQ("remote", shown.GetCellText(2, 2));
    ASSERT_EQ(1u, Requests().size());
    EXPECT_STREQ("GET", Requests()[0].strVerb);
    EXPECT_STREQ("Accept: */*\r\n\r\n", Requests()[0].strHeaders);
    std::remove(CachePath("sheet.kvx"));
}

TEST_F(TemplateRemoteTest, FailedDownloadsLeaveNothingAndChangeNothing)
{
    const std::vector<BYTE> some(100, 'x');
    Replies()["http://h/a/404.kvx"] = Reply(404, some);
    Replies()["http://h/a/cut.kvx"] = Reply(200, some, 1000);     // fewer bytes than declared
    struct Case {
        const char* url;
        const char* name;
    } cases[] = {{"http://h/a/404.kvx", "404.kvx"}, {"http://h/a/cut.kvx", "cut.kvx"},
                 {"http://h/a/refused.kvx", "refused.kvx"}};
    for (const Case& c : cases) {
        std::remove(CachePath(c.name));
        EXPECT_EQ(0, OpenRemoteFile(shown, c.url, "")) << c.url;
        EXPECT_FALSE(Exists(CachePath(c.name))) << c.url;
        EXPECT_FALSE(Exists(CachePath(c.name) + ".~kv0")) << c.url;
        EXPECT_STREQ("keep", shown.GetCellText(1, 1)) << c.url;
    }
    EXPECT_EQ(0, OpenRemoteFile(shown, "", ""));
    EXPECT_EQ(0, OpenRemoteFile(shown, "noslash", ""));
    EXPECT_EQ(-1, DownloadToFile("http://h/a/404.kvx", CachePath("x.kvx")));

    // A reply longer than a template download may be is refused, and the
    // request asked for that bound.
    Replies()["http://h/a/huge.kvx"] = Reply(200, std::vector<BYTE>(static_cast<size_t>(kMaxTemplateDownloadBytes) + 1, 'x'));
    EXPECT_EQ(0, OpenRemoteFile(shown, "http://h/a/huge.kvx", ""));
    EXPECT_FALSE(Exists(CachePath("huge.kvx")));
    EXPECT_EQ(kMaxTemplateDownloadBytes, Requests().back().nMaxBodyBytes);
}

TEST_F(TemplateRemoteTest, GarbageRepliesFailTheOpen)
{
    std::vector<BYTE> noise(3 * 1024 * 1024);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<BYTE>((i * 2654435761u) >> 13);
    Replies()["http://h/noise.kvx"] = Reply(200, noise);
    Replies()["http://h/text.kvx"] = Reply(200, std::vector<BYTE>{'h', 'e', 'l', 'l', 'o'});
    EXPECT_GT(0, OpenRemoteFile(shown, "http://h/noise.kvx", ""));
    EXPECT_GT(0, OpenRemoteFile(shown, "http://h/text.kvx", ""));
    // A download that does not open is not kept in the cache.
    EXPECT_FALSE(Exists(CachePath("noise.kvx")));
    EXPECT_FALSE(Exists(CachePath("text.kvx")));
    EXPECT_STREQ("keep", shown.GetCellText(1, 1));
    std::remove(CachePath("noise.kvx"));
    std::remove(CachePath("text.kvx"));
}

TEST_F(TemplateRemoteTest, NamesFromUrlsStayInTheCacheFolder)
{
    struct Case {
        const char* url;
        const char* name;
    } cases[] = {
        {"http://h/dir/a.kvx", "a.kvx"},
        {"http://h/get.asp?id=3", "get.asp.kvx"},
        {"http://h/x/..\\..\\evil.kvx", "_\\_\\evil.kvx"},
        {"http://h/..", "_"},
        {"http://h/a:b*c.kvx", "a_b_c.kvx"},
        {"http://h/", ""},
        {"/", ""},
        // A lead byte lets through only a trail byte that completes a
        // character; device names are refused whole.
        {"http://h/a\x81:evil.kvx", "a__evil.kvx"},
        {"http://h/a\x81<b", "a__b"},
        {"http://h/a\x81\x01" "b\x7F.kvx", "a__b_.kvx"},
        {"http://h/\xD6\xD0\xCE\xC4.kvx", "\xD6\xD0\xCE\xC4.kvx"},
        {"http://h/x\xD6", "x_"},
        {"http://h/NUL", ""},
        {"http://h/CON.kvx", ""},
        {"http://h/con .kvx", ""},
        {"http://h/com1.txt", ""},
        {"http://h/Lpt9", ""},
        {"http://h/aux?x=1", ""},
        {"http://h/CONSOLE.kvx", "CONSOLE.kvx"},
        {"http://h/com10.kvx", "com10.kvx"},
    };
    for (const Case& c : cases) {
        CString name = RemoteTemplateFileName(c.url);
        // No separator, colon or ".." survives.
        EXPECT_LT(name.Find('\\'), 0) << c.url;
        EXPECT_LT(name.Find('/'), 0) << c.url;
        EXPECT_LT(name.Find(".."), 0) << c.url;
        EXPECT_LT(name.Find(':'), 0) << c.url;
        if (std::string(c.name).find('\\') == std::string::npos)
            EXPECT_STREQ(c.name, name) << c.url;
    }
}

TEST_F(TemplateRemoteTest, UploadSendsTheFileWithItsEncodedName)
{
    const char* local = "kivo_upload_test.kvx";
    ASSERT_EQ(1, SaveTemplateFile(shown, local, ""));
    Replies()["http://127.0.0.1:8080/up.asp?kivouploadfilename=a%26b%23%20c.kvx"] = Reply(200, {});
    Replies()["http://127.0.0.1:8080/up.asp?x=1&kivouploadfilename=n.kvx"] = Reply(500, {});
    EXPECT_EQ(1, UploadFile(shown, "http://127.0.0.1:8080/up.asp", local, "a&b# c.kvx"));
    ASSERT_EQ(1u, Requests().size());
    const PlatformHttpRequest& r = Requests()[0];
    EXPECT_STREQ("POST", r.strVerb);
    const std::string headers(r.strHeaders);
    EXPECT_EQ(0u, headers.find("Accept: */*\r\nReferer: http://127.0.0.1:8080/up.asp\r\n"));
    EXPECT_NE(std::string::npos, headers.find("\r\nHost: 127.0.0.1\r\n"));
    EXPECT_EQ(headers.find("Host:"), headers.rfind("Host:"));
    CFile f(local, CFile::modeRead | CFile::typeBinary);
    std::vector<BYTE> file(static_cast<size_t>(f.GetLength()));
    f.Read(file.data(), static_cast<UINT>(file.size()));
    f.Close();
    EXPECT_EQ(file, r.body);
    EXPECT_STREQ("a&b# c.kvx", shown.GetTemplateState().strFileName);

    EXPECT_EQ(500, UploadFile(shown, "http://127.0.0.1:8080/up.asp?x=1", local, "n.kvx"));
    EXPECT_EQ(0, UploadFile(shown, "not a url", local, "n.kvx"));
    // Nothing to send: nothing sent.
    const size_t sent = Requests().size();
    EXPECT_EQ(0, UploadFile(shown, "http://127.0.0.1:8080/up.asp", "no_such_file.kvx", "n.kvx"));
    EXPECT_EQ(sent, Requests().size());
    std::remove(local);
}

TEST_F(TemplateRemoteTest, SaveRemoteFileUploadsTheSavedSheet)
{
    Replies()["http://h/up?kivouploadfilename=s.kvx"] = Reply(200, {});
    EXPECT_EQ(1, SaveRemoteFile(shown, "http://h/up", "", "s.kvx"));
    ASSERT_EQ(1u, Requests().size());
    std::vector<BYTE> expected;
    ASSERT_TRUE(SaveTemplateBytes(shown, "", expected));
    EXPECT_EQ(expected, Requests()[0].body);
}

}  // namespace
