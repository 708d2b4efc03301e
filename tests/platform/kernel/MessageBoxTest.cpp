#include <gtest/gtest.h>

#include "platform/host/testing.h"

namespace {

TEST(MessageBox, HeadlessBoxIsOneLineOnStandardError)
{
    host::testing::ResetHost();
    struct Case {
        UINT style;
        const WCHAR* caption;
        const WCHAR* text;
        std::string line;
    };
    const Case cases[] = {
        {0x10030, TEXT("DesktopObject - Ignoriere Fehler:"), TEXT("Width=abc"),
         "msgbox 0x00010030 | DesktopObject - Ignoriere Fehler: | Width=abc\n"},
        // CR LF, LF and CR alike become the two characters \n.
        {0x10010, TEXT("Fehler"), TEXT("Die Datei ist leer:\r\n/a\nb\rc"),
         "msgbox 0x00010010 | Fehler | Die Datei ist leer:\\n/a\\nb\\nc\n"},
        {0x10, TEXT("Größe"), TEXT(""), "msgbox 0x00000010 | Gr\xC3\xB6\xC3\x9F" "e | \n"},
        {0, nullptr, nullptr, "msgbox 0x00000000 | Error | \n"},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(IDOK, MessageBoxW(nullptr, c.text, c.caption, c.style));
        EXPECT_EQ(c.line, ::testing::internal::GetCapturedStderr());
    }
    const auto& boxes = host::testing::MessageBoxes();
    ASSERT_EQ(std::size(cases), boxes.size());
    EXPECT_EQ(0x10010u, boxes[1].style);
    EXPECT_EQ(u"Fehler", boxes[1].caption);
    EXPECT_EQ(u"Die Datei ist leer:\r\n/a\nb\rc", boxes[1].text);
    host::testing::ResetHost();
    EXPECT_TRUE(host::testing::MessageBoxes().empty());
}

}  // namespace
