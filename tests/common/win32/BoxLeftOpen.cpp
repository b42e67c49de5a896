// Not a suite of its own: the program the guard test runs to see that a
// message box nobody closes ends a test program at once, named with the test
// that met it, instead of holding the run until its time limit.
#include <windows.h>

#include <gtest/gtest.h>

TEST(BoxLeftOpen, MeetsABoxNobodyCloses)
{
    ::MessageBoxW(nullptr, L"\u6ca1\u6709\u6309\u88c5\u6253\u5370\u673a,\u4e0d\u80fd\u6253\u5370!", L"KivoGuardBox",
                  MB_OK);
    FAIL() << "the box was closed, though nobody was there to close it";
}
