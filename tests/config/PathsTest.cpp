#include <gtest/gtest.h>

#include <string>

#include "config/Paths.h"
#include "objects/SectionHandler.h"
#include "platform/host/testing.h"

namespace {

std::u16string Join(const WCHAR* relative, const WCHAR* base, UINT capacity = kMaxPath)
{
    WCHAR destination[kMaxPath];
    const UINT length = JoinPath(destination, capacity, relative, base);
    EXPECT_EQ(std::u16string(destination).size(), length);
    return destination;
}

TEST(Paths, JoinPathResolvesLeadingParentStepsAndSeparators)
{
    struct Case {
        const WCHAR* base;
        const WCHAR* relative;
        const WCHAR* expected;
    } cases[] = {
        {TEXT("\\Programme\\Panels\\"), TEXT("..\\Bilder\\a.bmp"), TEXT("\\Programme\\Bilder\\a.bmp")},
        // A leading separator still stays under the base.
        {TEXT("\\Programme\\Panels\\"), TEXT("\\a.ini"), TEXT("\\Programme\\Panels\\a.ini")},
        // A base without a final separator gets one.
        {TEXT("\\Programme"), TEXT("a.ini"), TEXT("\\Programme\\a.ini")},
        // Forward slashes count as separators on both sides.
        {TEXT("/opt/ostrevia/"), TEXT("../share/x.ini"), TEXT("/opt/share/x.ini")},
        {TEXT("/a/b/c/"), TEXT("..\\../x"), TEXT("/a/x")},
        // More steps than folders: the empty destination keeps the rest.
        {TEXT("a\\"), TEXT("..\\..\\x"), TEXT("..\\x")},
        // An empty base returns the relative path less one leading separator.
        {TEXT(""), TEXT("\\x.ini"), TEXT("x.ini")},
        {TEXT(""), TEXT("..\\x.ini"), TEXT("..\\x.ini")},
        // Steps in the middle are copied as they are.
        {TEXT("\\p\\"), TEXT("a\\..\\b"), TEXT("\\p\\a\\..\\b")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::u16string(c.expected), Join(c.relative, c.base));
}

TEST(Paths, JoinPathCutsAtTheCapacity)
{
    EXPECT_EQ(u"\\ab\\c", Join(TEXT("cdef"), TEXT("\\ab\\"), 6));
    EXPECT_EQ(u"\\ab", Join(TEXT("cdef"), TEXT("\\abc"), 4));
}

TEST(Paths, ExeRelativePathStartsInTheProgramsFolder)
{
    host::testing::ResetHost();
    host::testing::SetModuleFileName("/opt/ostrevia/bin/ostrevia");
    WCHAR path[kMaxPath];
    EXPECT_EQ(std::u16string(u"/opt/ostrevia/bin/KalmiSettings.ini").size(),
              ExeRelativePath(path, kMaxPath, TEXT("KalmiSettings.ini")));
    EXPECT_EQ(u"/opt/ostrevia/bin/KalmiSettings.ini", std::u16string(path));
    ExeRelativePath(path, kMaxPath, TEXT("/lists/a.ini"));
    EXPECT_EQ(u"/opt/ostrevia/bin/lists/a.ini", std::u16string(path));
    ExeRelativePath(path, kMaxPath, TEXT("..\\a.ini"));
    EXPECT_EQ(u"/opt/ostrevia/a.ini", std::u16string(path));
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
}

TEST(Paths, ExeRelativePathReportsAnUnknownProgramPath)
{
    host::testing::ResetHost();
    host::testing::SetModuleFileName("");
    WCHAR path[kMaxPath] = TEXT("untouched");
    EXPECT_EQ(0u, ExeRelativePath(path, kMaxPath, TEXT("a.ini")));
    EXPECT_EQ(u"untouched", std::u16string(path));
    ASSERT_EQ(1u, host::testing::MessageBoxes().size());
    const auto& box = host::testing::MessageBoxes()[0];
    EXPECT_EQ(u"Der Pfad zum Programm konnte nicht ermittelt werden.", box.text);
    EXPECT_EQ(u"Fehler", box.caption);
    EXPECT_EQ(0x10010u, box.style);
}

TEST(Paths, ObjectRelativePathUsesThePanelFolderWhileLoading)
{
    SectionHandler object;
    WCHAR path[kMaxPath] = TEXT("untouched");
    // Outside loading there is no folder.
    EXPECT_EQ(0u, ObjectRelativePath(object, TEXT("x.bmp"), path, kMaxPath));
    EXPECT_EQ(u"untouched", std::u16string(path));

    object.SetBaseFolder(TEXT("\\Panels\\"));
    ObjectRelativePath(object, TEXT("x.bmp"), path, kMaxPath);
    EXPECT_EQ(u"\\Panels\\x.bmp", std::u16string(path));
    ObjectRelativePath(object, TEXT("\\Windows\\x.bmp"), path, kMaxPath);
    EXPECT_EQ(u"\\Windows\\x.bmp", std::u16string(path));
}

}  // namespace
