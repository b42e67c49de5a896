// The data-source picker's path for the host's database drivers: a drive
// path chosen in the file dialog becomes the host path of the same file, so
// the SQLite driver opens that file and does not make an empty one named
// after the drive path.
#include "designer/DesignerDatabase.h"
#include "designer/win32/DesignerDriver.h"
#include "designer/win32/HostPath.h"
#include "tests/binding/DbTestUtil.h"

#include <gtest/gtest.h>

#include <string>

using namespace designerwine;

TEST(HostPath, DrivePathBecomesTheHostPath)
{
    EXPECT_EQ("/tmp/kivo_host_path.db", HostPathForDriver(CString("Z:\\tmp\\kivo_host_path.db")).Str());
    EXPECT_EQ("", HostPathForDriver(CString()).Str());
}

// The path the picker gives reaches the tables of a SQLite file made on the
// host; the drive path itself, taken literally by the driver, does not.
TEST(HostPath, TheDriverOpensTheHostPathAndTheTestReadsTheCatalogue)
{
    dbtest::SqliteFile file("designer_host_path");
    ASSERT_TRUE(dbtest::RunStatements(file.ConnectionString(), {"create table T (A integer)"}));
    const std::string drive = WinePath(file.Path().c_str());
    auto db = CreateDesignerDatabase();
    CDesignerDbLogin login;
    login.strConnection = CString("Driver={SQLite3};Database=") + HostPathForDriver(CString(drive.c_str())) + ";";
    CString error;
    EXPECT_TRUE(db->Test(login, error)) << error.Str();
    std::vector<CString> tables;
    ASSERT_TRUE(db->ListTables(login, tables, error)) << error.Str();
    ASSERT_EQ(1u, tables.size());
    EXPECT_EQ("T", tables[0].Str());
}
