// One test body for all clipboard cases: the clipboard is shared by every
// process on the display, so the cases must not run side by side.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "ui/Clipboard.h"

TEST(Clipboard, TextAndFileListsRoundTrip) {
    using namespace zq::ui;
    ASSERT_TRUE(SetClipboardText(nullptr, L"コピーした文字列 ①"));
    auto text = GetClipboardText(nullptr);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, L"コピーした文字列 ①");

    const std::vector<std::wstring> files = {L"C:\\a\\日本語.txt", L"C:\\b c\\d"};
    ASSERT_TRUE(SetClipboardFiles(nullptr, files, DROPEFFECT_MOVE));
    std::vector<std::wstring> back;
    DWORD effect = 0;
    ASSERT_TRUE(GetClipboardFiles(nullptr, back, effect));
    EXPECT_EQ(back, files);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    // Setting files replaced the text.
    EXPECT_FALSE(GetClipboardText(nullptr).has_value());

    ASSERT_TRUE(SetClipboardText(nullptr, L""));
    EXPECT_FALSE(GetClipboardFiles(nullptr, back, effect));
    EXPECT_TRUE(back.empty());
}
