#include <gtest/gtest.h>

#include <windows.h>

#include "common/Id3v1Tag.h"
#include "main/TempDir.h"

using namespace zq;

namespace {

const StructId3v1Tag kTag{L"夜明けの歌", L"アーティスト", L"Album", L"1999", L"コメント", 7, 17};

std::string Audio() {
    std::string bytes(5000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(0xFF - i % 13);
    return bytes;
}

}  // namespace

TEST(Id3v1Tag, FieldsSurviveAndLongTextsAreCutOnACharacterBoundary) {
    const auto block = EncodeId3v1(kTag);
    EXPECT_EQ(DecodeId3v1(block), kTag);

    // 16 two-byte characters are 32 bytes: the title keeps 15 of them (30 bytes), never half of the 16th.
    StructId3v1Tag longer = kTag;
    longer.title = std::wstring(16, L'あ');
    longer.year = L"19999";
    longer.comment = std::wstring(29, L'c');
    const std::optional<StructId3v1Tag> back = DecodeId3v1(EncodeId3v1(longer));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title, std::wstring(15, L'あ'));
    EXPECT_EQ(back->year, L"1999");
    EXPECT_EQ(back->comment, std::wstring(28, L'c')) << "a track number leaves 28 bytes";

    // Without a track the comment has all 30 bytes and the version 1.0 layout reads back the same.
    longer.track = 0;
    EXPECT_EQ(DecodeId3v1(EncodeId3v1(longer))->comment, std::wstring(29, L'c'));
    EXPECT_EQ(DecodeId3v1(EncodeId3v1(longer))->track, 0);

    auto wrong = block;
    wrong[0] = 'X';
    EXPECT_FALSE(DecodeId3v1(wrong));
    EXPECT_FALSE(DecodeId3v1(std::span(block).first(127)));
}

TEST(Id3v1Tag, WritingAppendsOnceThenReplacesAndNeverTouchesTheAudio) {
    test::TempDir dir;
    const std::string audio = Audio();
    const std::wstring file = dir.WriteFile(L"曲.mp3", audio);
    EXPECT_FALSE(ReadId3v1Tag(file));

    ASSERT_EQ(WriteId3v1Tag(file, kTag), Id3v1WriteResult::Written);
    StructId3v1Tag second = kTag;
    second.title = L"二度目";
    ASSERT_EQ(WriteId3v1Tag(file, second), Id3v1WriteResult::Written);
    const std::string bytes = test::ReadFileBytes(file);
    ASSERT_EQ(bytes.size(), audio.size() + kId3v1Bytes) << "the second tag replaced the first";
    EXPECT_TRUE(bytes.substr(0, audio.size()) == audio) << "the bytes before the tag were changed";
    EXPECT_EQ(ReadId3v1Tag(file), second);

    // A file shorter than a tag gets one appended.
    const std::wstring tiny = dir.WriteFile(L"tiny.mp3", "abc");
    ASSERT_EQ(WriteId3v1Tag(tiny, kTag), Id3v1WriteResult::Written);
    EXPECT_EQ(test::ReadFileBytes(tiny).substr(0, 3), "abc");
    EXPECT_EQ(ReadId3v1Tag(tiny), kTag);

    const std::wstring readOnly = dir.WriteFile(L"ro.mp3", audio);
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(WriteId3v1Tag(readOnly, kTag), Id3v1WriteResult::CannotOpen);
    EXPECT_TRUE(test::ReadFileBytes(readOnly) == audio) << "the read-only file was changed";
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(WriteId3v1Tag(dir / L"none.mp3", kTag), Id3v1WriteResult::CannotOpen);
}

TEST(Id3v1Tag, BulkEditKeepsWhatWasLeftEmptyAndNumbersAreChecked) {
    StructId3v1Tag filled;
    filled.album = L"新アルバム";
    filled.genre = 8;
    const StructId3v1Tag merged = MergeId3v1(kTag, filled, L"ignored");
    EXPECT_EQ(merged.title, kTag.title);
    EXPECT_EQ(merged.artist, kTag.artist);
    EXPECT_EQ(merged.album, L"新アルバム");
    EXPECT_EQ(merged.track, 7);
    EXPECT_EQ(merged.genre, 8);
    EXPECT_EQ(MergeId3v1(std::nullopt, filled, L"01 序曲").title, L"01 序曲") << "an untagged file takes its name";

    EXPECT_EQ(Id3v1Number(L"", 255), 255);
    EXPECT_EQ(Id3v1Number(L" 12 ", 0), 12);
    EXPECT_EQ(Id3v1Number(L"255", 0), 255);
    EXPECT_FALSE(Id3v1Number(L"256", 0));
    EXPECT_FALSE(Id3v1Number(L"1a", 0));
    EXPECT_FALSE(Id3v1Number(L"-1", 0));
}
