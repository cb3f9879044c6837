#include "binedit/CBinaryData.h"

#include <gtest/gtest.h>

#include "binedit/BinaryClipText.h"
#include "binedit/BinaryTestSupport.h"
#include "main/TempDir.h"

namespace zq::binedit::test {

namespace {

std::string Read(CBinaryData& data, std::int64_t offset, size_t count) {
    std::string bytes(count, '\0');
    bytes.resize(data.ReadBytes(offset, count, reinterpret_cast<std::uint8_t*>(bytes.data())));
    return bytes;
}

std::wstring Utf16File(const std::wstring& path) {
    const std::string bytes = zq::test::ReadFileBytes(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

}  // namespace

// Writes on both sides of a chunk edge (32) and of a bucket edge (320, also a
// chunk edge), given out of order, one of them changed back to its old value.
TEST(CBinaryDataTest, ChangesAcrossChunkAndBucketEdgesReadBackAndListInOrder) {
    zq::test::TempDir dir;
    std::string expected = LowBytes(1000);
    const std::wstring path = dir.WriteFile(L"a.bin", expected);
    CBinaryData data;
    ASSERT_TRUE(data.Open(path));
    EXPECT_FALSE(data.AnyChange());
    // 0x40 is written twice, the second time with its old value 0x40.
    const std::pair<int, int> writes[] = {{0x40, 0xE1}, {321, 0xE2}, {319, 0xE3}, {0x05, 0xE4}, {32, 0xE5},
                                          {31, 0xE6},   {320, 0xE7}, {999, 0xE8}, {0x40, 0x40}};
    for (const auto& [offset, value] : writes) {
        ASSERT_TRUE(data.WriteByte(offset, static_cast<std::uint8_t>(value), WriteMode::Byte));
        expected[offset] = static_cast<char>(value);
    }
    EXPECT_FALSE(data.WriteByte(1000, 0xFF, WriteMode::Byte));
    EXPECT_TRUE(data.AnyChange());
    // Written back to its old value is still a change; its neighbours in the chunk are not.
    EXPECT_TRUE(data.IsChanged(0x40));
    EXPECT_FALSE(data.IsChanged(0x41));
    EXPECT_FALSE(data.IsChanged(998));
    EXPECT_EQ(Read(data, 0, 1000), expected);
    EXPECT_EQ(Read(data, 300, 40), expected.substr(300, 40));
    EXPECT_EQ(Read(data, 990, 100), expected.substr(990));
    ASSERT_TRUE(data.WriteChangedPositions(dir / L"pos.txt"));
    EXPECT_EQ(Utf16File(dir / L"pos.txt"),
              L"\xFEFF"
              L"ADDRESS    DATA\r\n00000005H  E4\r\n0000001FH  E6\r\n00000020H  E5\r\n"
              L"00000040H  40\r\n0000013FH  E3\r\n00000140H  E7\r\n00000141H  E2\r\n"
              L"000003E7H  E8\r\n");
}

TEST(CBinaryDataTest, TypedNibblesFillAByteAndStopOnTheLastOne) {
    zq::test::TempDir dir;
    const std::string original = LowBytes(33);  // not a multiple of a chunk
    const std::wstring path = dir.WriteFile(L"a.bin", original);
    CBinaryData data;
    ASSERT_TRUE(data.Open(path));
    data.TypeNibble(0xA);
    data.TypeNibble(0x5);
    EXPECT_EQ(data.Cursor(), 2);
    data.SetCursor(64);
    data.TypeNibble(0xC);
    EXPECT_EQ(data.Cursor(), 65);
    data.TypeNibble(0x3);
    data.TypeNibble(0x9);  // the cursor stays on the last nibble
    EXPECT_EQ(data.Cursor(), 65);
    ASSERT_TRUE(data.Save());
    EXPECT_EQ(zq::test::ReadFileBytes(path), Bytes({0xA5}) + original.substr(1, 31) + Bytes({0xC9}));
}

// A save writes each touched 32-byte chunk whole, as it was when the chunk
// was made: another program's byte in the same chunk is written over, its
// byte in an untouched chunk stays.
TEST(CBinaryDataTest, SaveWritesTheChangedChunksWhole) {
    zq::test::TempDir dir;
    const std::string original = LowBytes(2 << 20);
    const std::wstring path = dir.WriteFile(L"a.bin", original);
    RecordingFileSystem fs;
    CBinaryData data(fs);
    ASSERT_TRUE(data.Open(path));
    ASSERT_EQ(data.WriteRun(5, reinterpret_cast<const std::uint8_t*>("\xF1\xF2"), 2, data.Size()), 2);
    ASSERT_TRUE(data.WriteByte(1500010, 0xF3, WriteMode::Byte));
    EXPECT_EQ(Read(data, 4, 4), Bytes({original[4], 0xF1, 0xF2, original[7]}));
    {
        UniqueFile other(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(other);
        for (const LONGLONG at : {20, 100}) {
            DWORD written = 0;
            ASSERT_TRUE(::SetFilePointerEx(other.Get(), LARGE_INTEGER{.QuadPart = at}, nullptr, FILE_BEGIN));
            ASSERT_TRUE(::WriteFile(other.Get(), "\xEE", 1, &written, nullptr));
        }
    }

    fs.failingWrite = 1;
    EXPECT_FALSE(data.Save());
    EXPECT_STREQ(data.LastError().call, L"WriteFile");
    EXPECT_TRUE(data.IsChanged(5) && data.IsChanged(6) && data.IsChanged(1500010));
    fs.writes.clear();
    ASSERT_TRUE(data.Save());
    EXPECT_EQ(fs.writes, (std::vector<std::pair<LONGLONG, DWORD>>{{0, 32}, {1500000, 32}}));
    EXPECT_FALSE(data.AnyChange());
    EXPECT_EQ(Read(data, 5, 2), "\xF1\xF2");

    std::string expected = original;
    expected.replace(5, 2, "\xF1\xF2").replace(1500010, 1, "\xF3").replace(100, 1, "\xEE");
    EXPECT_EQ(zq::test::ReadFileBytes(path), expected);
}

TEST(CBinaryDataTest, CursorMovesKeepTheColumnAndTheRowOnScreen) {
    zq::test::TempDir dir;
    CBinaryData data;
    ASSERT_TRUE(data.Open(dir.WriteFile(L"a.bin", LowBytes(40))));  // 80 nibbles, the last row half full
    struct Case {
        std::int64_t from, delta, to;
    } cases[] = {{70, 32, 70}, {10, 80, 74}, {50, 32, 50}, {75, 10, 75}, {40, -100, 8}, {3, -1, 2}, {5, -32, 5}};
    for (const Case& c : cases) {
        data.SetCursor(c.from);
        data.MoveCursor(c.delta);
        EXPECT_EQ(data.Cursor(), c.to) << c.from << " by " << c.delta;
    }
    ASSERT_TRUE(data.Open(dir.WriteFile(L"b.bin", LowBytes(1600))));  // 100 rows, 10 on screen
    const std::int64_t rows[][2] = {{50, 42}, {49, 0}, {99, 48}, {95, 0}, {0, -90}, {5, 0}};
    std::int64_t top = 0;
    for (const auto& [row, expectedChange] : rows) {
        data.SetCursor(row * 32);
        EXPECT_EQ(data.KeepCursorVisible(10), expectedChange) << row;
        top += expectedChange;
        EXPECT_EQ(data.TopRow(), top);
    }
    data.JumpToRow(-3, true);
    EXPECT_EQ(data.Cursor(), 2 * 32);
    data.JumpToRow(200, false);
    EXPECT_EQ(data.Cursor(), 99 * 32);

    // The clipboard's line break follows the file's rows, not the selection's start.
    data.SelectBytes(14, 17);
    std::int64_t first = 0, last = 0;
    ASSERT_TRUE(data.SelectedBytes(first, last));
    EXPECT_EQ(ClipboardHexText(data, first, last), L"62 69 \r\n70 77 ");  // bytes 14 * 7 to 17 * 7
}

// Past 4 GiB, in a sparse file: opening, editing, saving and listing all take the full offset.
TEST(CBinaryDataTest, FilesBeyondFourGigabytesEditAndSave) {
    zq::test::TempDir dir;
    const std::wstring path = dir / L"big.bin";
    const LONGLONG size = 5LL << 30;
    {
        UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER end{};
        end.QuadPart = size;
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get()));
    }
    CBinaryData data;
    ASSERT_TRUE(data.Open(path));
    EXPECT_EQ(data.Size(), size);
    const std::int64_t at = (4LL << 30) + 0x10;
    ASSERT_EQ(data.WriteRun(at, reinterpret_cast<const std::uint8_t*>("zq"), 2, size), 2);
    const std::int64_t past31 = (1LL << 31) + 5;  // beyond a signed 32-bit offset
    ASSERT_TRUE(data.WriteByte(past31, 0x5A, WriteMode::Byte));
    data.MoveCursor(size * 2);
    EXPECT_EQ(data.Cursor() / 32, data.Rows() - 1);
    ASSERT_TRUE(data.Search().StartSearch(InputType::String, false, L"zq", at - 100, SearchDirection::Down));
    EXPECT_EQ(data.Search().Step(data, false).offset, at);
    ASSERT_TRUE(data.WriteChangedPositions(dir / L"pos.txt"));
    EXPECT_EQ(Utf16File(dir / L"pos.txt"),
              L"\xFEFF"
              L"ADDRESS    DATA\r\n80000005H  5A\r\n100000010H  7A\r\n100000011H  71\r\n");
    ASSERT_TRUE(data.Save());
    CBinaryData back;
    ASSERT_TRUE(back.Open(path));
    EXPECT_EQ(back.Size(), size);
    EXPECT_EQ(Read(back, at - 1, 4), Bytes({0, 'z', 'q', 0}));
    EXPECT_EQ(Read(back, past31 - 1, 3), Bytes({0, 0x5A, 0}));
}

}  // namespace zq::binedit::test

namespace zq::binedit::test {

// Two steps on one chunk undone and redone; undoing the first step leaves no
// change at all, a new write drops what could be redone and a save drops both.
TEST(CBinaryDataTest, UndoAndRedoGoStepByStepBackToTheFile) {
    zq::test::TempDir dir;
    const std::string original = LowBytes(100);
    const std::wstring path = dir.WriteFile(L"a.bin", original);
    CBinaryData data;
    ASSERT_TRUE(data.Open(path));
    EXPECT_FALSE(data.Undo());
    ASSERT_TRUE(data.WriteByte(0x10, 0xAA, WriteMode::Byte));
    data.BeginEdit();
    ASSERT_TRUE(data.WriteByte(0x10, 0xB0, WriteMode::HighNibble));
    ASSERT_TRUE(data.WriteByte(0x11, 0xCC, WriteMode::Byte));
    std::string second = original;
    second[0x10] = static_cast<char>(0xBA);
    second[0x11] = static_cast<char>(0xCC);
    std::string first = original;
    first[0x10] = static_cast<char>(0xAA);
    ASSERT_EQ(Read(data, 0, 100), second);
    ASSERT_TRUE(data.Undo());
    EXPECT_EQ(Read(data, 0, 100), first);
    EXPECT_TRUE(data.IsChanged(0x10));
    EXPECT_FALSE(data.IsChanged(0x11));
    ASSERT_TRUE(data.Undo());
    EXPECT_EQ(Read(data, 0, 100), original);
    EXPECT_FALSE(data.AnyChange());
    ASSERT_TRUE(data.Redo());
    ASSERT_TRUE(data.Redo());
    EXPECT_FALSE(data.Redo());
    EXPECT_EQ(Read(data, 0, 100), second);
    ASSERT_TRUE(data.Undo());
    data.BeginEdit();
    ASSERT_TRUE(data.WriteByte(0x50, 0xEE, WriteMode::Byte));
    EXPECT_FALSE(data.CanRedo());
    ASSERT_TRUE(data.Save());
    EXPECT_FALSE(data.CanUndo());
    first[0x50] = static_cast<char>(0xEE);
    EXPECT_EQ(zq::test::ReadFileBytes(path), first);
}

}  // namespace zq::binedit::test

namespace zq::binedit::test {

// Another program's write is seen at the next look; after our own save it is not.
TEST(CBinaryDataTest, AWriteByAnotherProgramIsSeenUntilTheNextSave) {
    zq::test::TempDir dir;
    const std::wstring path = dir.WriteFile(L"a.bin", LowBytes(64));
    CBinaryData data;
    ASSERT_TRUE(data.Open(path));
    EXPECT_FALSE(data.ChangedOnDisk());
    {
        UniqueFile other(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(other);
        FILETIME later{};
        ASSERT_TRUE(::GetFileTime(other.Get(), nullptr, nullptr, &later));
        later.dwHighDateTime += 1;
        ASSERT_TRUE(::SetFileTime(other.Get(), nullptr, nullptr, &later));
    }
    EXPECT_TRUE(data.ChangedOnDisk());
    ASSERT_TRUE(data.WriteByte(3, 0xEE, WriteMode::Byte));
    ASSERT_TRUE(data.Save());
    EXPECT_FALSE(data.ChangedOnDisk());
}

}  // namespace zq::binedit::test

namespace zq::binedit::test {

// The window stands 16,000 bytes back from the byte asked for, is cut at
// either end of the file and is read again only when a read leaves it.
TEST(CBinaryDataTest, ReadWindowAtBothEndsOfTheFile) {
    zq::test::TempDir dir;
    const std::string bytes = LowBytes(100000);
    RecordingFileSystem fs;
    CBinaryData data(fs);
    ASSERT_TRUE(data.Open(dir.WriteFile(L"a.bin", bytes)));
    using Reads = std::vector<std::pair<LONGLONG, DWORD>>;
    EXPECT_EQ(Read(data, 0, 16), bytes.substr(0, 16));
    EXPECT_EQ(Read(data, 31980, 20), bytes.substr(31980, 20));  // inside the first window
    EXPECT_EQ(fs.reads, (Reads{{0, 32000}}));
    EXPECT_EQ(Read(data, 99990, 50), bytes.substr(99990));  // cut at the end
    EXPECT_EQ(fs.reads, (Reads{{0, 32000}, {83990, 16010}}));
    EXPECT_EQ(Read(data, 20000, 2), bytes.substr(20000, 2));
    EXPECT_EQ(fs.reads.back(), (std::pair<LONGLONG, DWORD>{4000, 32000}));
}

// A read-only file and a file another program holds without write sharing:
// each save fails and every change stays, so that a later save still has
// them.  A 0-byte file opens and takes no write.
TEST(CBinaryDataTest, FailedSavesKeepEveryChange) {
    zq::test::TempDir dir;
    const std::string original = LowBytes(64);
    const std::wstring path = dir.WriteFile(L"a.bin", original);
    CBinaryData data;
    ASSERT_TRUE(data.Open(path));
    ASSERT_TRUE(data.WriteByte(7, 0xEE, WriteMode::Byte));
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(data.Save());
    EXPECT_EQ(data.LastError().code, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    {
        UniqueFile holder(
            ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(data.Save());
        EXPECT_EQ(data.LastError().code, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    EXPECT_TRUE(data.IsChanged(7));
    EXPECT_EQ(zq::test::ReadFileBytes(path), original);
    ASSERT_TRUE(data.Save());
    EXPECT_EQ(zq::test::ReadFileBytes(path), std::string(original).replace(7, 1, "\xEE"));

    ASSERT_TRUE(data.Open(dir.WriteFile(L"empty.bin", "")));
    EXPECT_EQ(data.Rows(), 0);
    data.TypeNibble(4);
    data.MoveCursor(32);
    data.SelectAll();
    std::int64_t first = 0, last = 0;
    EXPECT_FALSE(data.SelectedBytes(first, last));
    EXPECT_EQ(data.Cursor(), 0);
    EXPECT_FALSE(data.AnyChange());
    EXPECT_EQ(data.KeepCursorVisible(10), 0);
    ASSERT_TRUE(data.Search().StartSearch(InputType::Hex, false, L"00", 0, SearchDirection::Down));
    EXPECT_EQ(data.Search().Step(data, false).status, SearchStatus::NotFound);
}

}  // namespace zq::binedit::test
