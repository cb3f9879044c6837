#include "common/MruList.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

std::wstring Joined(const MruList& list) {
    std::wstring out;
    for (const std::wstring& item : list.Items()) out += item + L"|";
    return out;
}

TEST(MruListTest, PushMovesToFrontIgnoringCaseAndDropsTheOldest) {
    struct Case {
        size_t capacity;
        std::vector<const wchar_t*> pushes;
        const wchar_t* expected;
    } cases[] = {
        {3, {L"a", L"b", L"c"}, L"c|b|a|"},
        {3, {L"a", L"b", L"c", L"d"}, L"d|c|b|"},
        {3, {L"a", L"b", L"c", L"a"}, L"a|c|b|"},
        {3, {L"C:\\Dir", L"x", L"c:\\dir"}, L"c:\\dir|x|"},  // newer spelling wins
        {3, {L"Ａ", L"ａ"}, L"ａ|"},                          // full-width letters fold too
        {3, {L"a", L"", L"b"}, L"b|a|"},                      // empty is not an entry
        {1, {L"a", L"b"}, L"b|"},
        {0, {L"a"}, L""},
    };
    for (const Case& c : cases) {
        MruList list(c.capacity);
        for (const wchar_t* item : c.pushes) list.Push(item);
        EXPECT_EQ(Joined(list), c.expected);
    }
}

TEST(MruListTest, ResizeRemoveAndSlots) {
    MruList list(4);
    for (const wchar_t* item : {L"1", L"2", L"3", L"4"}) list.Push(item);
    list.Resize(2);
    EXPECT_EQ(Joined(list), L"4|3|");
    EXPECT_EQ(list.Get(1), L"3");
    EXPECT_EQ(list.Get(2), L"");
    list.Resize(3);
    list.Push(L"5");
    EXPECT_EQ(Joined(list), L"5|4|3|");
    list.Remove(1);
    list.Remove(9);
    EXPECT_EQ(Joined(list), L"5|3|");
}

}  // namespace
}  // namespace zq
