// Message boxes: recorded for tests (kernel/record.h), shown by the display.
#include "platform/host/Reset.h"
#include "platform/host/display/Display.h"
#include "platform/host/kernel/record.h"
#include "platform/host/testing.h"

namespace host::testing {
namespace {

std::vector<MessageBoxRecord>& Records()
{
    static std::vector<MessageBoxRecord> records;
    return records;
}

}  // namespace

const std::vector<MessageBoxRecord>& MessageBoxes()
{
    return Records();
}

void ClearMessageBoxes()
{
    Records().clear();
}

}  // namespace host::testing

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type)
{
    // Win32 shows "Error" for a box without a caption.
    const std::u16string shownText = text ? text : u"";
    const std::u16string shownCaption = caption ? caption : u"Error";
    host::AddResetHook(&host::testing::ClearMessageBoxes);
    host::AddRecord(host::testing::Records(), {owner, type, shownCaption, shownText});
    return host::TheDisplay().MessageBox(owner, shownText, shownCaption, type);
}
