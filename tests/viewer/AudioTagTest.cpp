// The tag dialog's reading of MPEG audio files, on files built byte by byte:
// ID3v2.3 and 2.4 frames in every text encoding, the comment's language
// choice, the ID3v1 block, the first frame header, RIFF INFO lists, and
// files that merely look like audio.
#include <gtest/gtest.h>

#include <windows.h>

#include "main/TempDir.h"
#include "viewer/AudioTag.h"
#include "viewer/TextBoxFile.h"

namespace zq::viewer {
namespace {

using Bytes = std::string;

Bytes BigEndian(std::uint32_t value, int count) {
    Bytes out;
    for (int i = count - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}
Bytes SyncSafe(std::uint32_t value) {
    Bytes out;
    for (int shift : {21, 14, 7, 0}) out.push_back(static_cast<char>((value >> shift) & 0x7F));
    return out;
}
Bytes Little(std::uint32_t value) {
    Bytes out;
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}
Bytes Frame(int version, const Bytes& id, const Bytes& body) {
    return id +
           (version == 4 ? SyncSafe(static_cast<std::uint32_t>(body.size()))
                         : BigEndian(static_cast<std::uint32_t>(body.size()), 4)) +
           Bytes(2, '\0') + body;
}
Bytes Id3v2(int version, const Bytes& frames) {
    return Bytes("ID3") + static_cast<char>(version) + Bytes(2, '\0') +
           SyncSafe(static_cast<std::uint32_t>(frames.size())) + frames;
}
Bytes Utf16(const std::wstring& text) {
    Bytes out("\xFF\xFE", 2);
    for (wchar_t c : text) out += Bytes{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
}
// `count` frames of silence behind headers b1 b2 b3 of `length` bytes each.
Bytes AudioFrames(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::size_t length, int count) {
    Bytes out;
    for (int i = 0; i < count; ++i) {
        Bytes frame(length, '\0');
        frame[0] = static_cast<char>(0xFF);
        frame[1] = static_cast<char>(b1);
        frame[2] = static_cast<char>(b2);
        frame[3] = static_cast<char>(b3);
        out += frame;
    }
    return out;
}
// MPEG-1 layer III, 128 kbps, 44.1 kHz, joint stereo: 417-byte frames.
Bytes Mpeg1Frames() {
    return AudioFrames(0xFB, 0x90, 0x40, 417, 3);
}

std::optional<StructAudioTag> Parse(const Bytes& file) {
    const AudioReadAt read = [&file](std::uint64_t offset, std::size_t size) {
        if (offset >= file.size()) return std::vector<std::uint8_t>{};
        const std::size_t count = std::min<std::size_t>(size, file.size() - offset);
        return std::vector<std::uint8_t>(file.begin() + static_cast<std::ptrdiff_t>(offset),
                                         file.begin() + static_cast<std::ptrdiff_t>(offset + count));
    };
    return ParseAudioTag(read, file.size());
}

TEST(AudioTag, Id3v23FramesInEachEncodingAndTheJapaneseCommentFirst) {
    const Bytes frames = Frame(3, "TIT2", "\x01" + Utf16(L"夜の歌")) +
                         Frame(3, "TPE1", Bytes("\x00", 1) + "\x8e\x52\x93\x63") +  // 山田
                         Frame(3, "TALB",
                               "\x03"
                               "\xe3\x82\xa2\xe3\x83\xab\xe3\x83\x90\xe3\x83\xa0") +  // アルバム
                         Frame(3, "TYER", Bytes("\x00", 1) + "1999") +
                         Frame(3, "TCON", Bytes("\x00", 1) + "(17)") +
                         Frame(3, "COMM", Bytes("\x00", 1) + "eng" + Bytes("\x00", 1) + "english") +
                         Frame(3, "COMM", "\x01jpn" + Utf16(L"") + Bytes(2, '\0') + Utf16(L"日本語の注釈"));
    const auto tag = Parse(Id3v2(3, frames) + Mpeg1Frames());
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->title, L"夜の歌");
    EXPECT_EQ(tag->artist, L"山田");
    EXPECT_EQ(tag->album, L"アルバム");
    EXPECT_EQ(tag->year, L"1999");
    EXPECT_EQ(GenreText(tag->genre), L"Rock");
    EXPECT_EQ(tag->comment, L"日本語の注釈");
    EXPECT_EQ(tag->bitRateKbps, 128);
    EXPECT_EQ(SampleRateText(tag->sampleRateHz), L"44.1 KHz");
    EXPECT_EQ(ChannelModeText(tag->channels), L"ジョイントステレオ");
}

TEST(AudioTag, Id3v24SyncSafeSizesAnEnglishCommentAndAnMpeg2Stream) {
    // 201 bytes: read as a plain big-endian number its size would overrun the tag.
    const Bytes longTitle(200, 'x');
    const Bytes frames = Frame(4, "TIT2", "\x03" + longTitle) +
                         Frame(4, "TDRC",
                               "\x03"
                               "2024-05-01") +
                         Frame(4, "COMM",
                               "\x03"
                               "fra" +
                                   Bytes("\x00", 1) + "francais") +
                         Frame(4, "COMM",
                               "\x03"
                               "eng"
                               "desc" +
                                   Bytes("\x00", 1) + "english");
    // MPEG-2 layer III, 64 kbps, 22.05 kHz, mono: 208-byte frames.
    const auto tag = Parse(Id3v2(4, frames) + AudioFrames(0xF3, 0x80, 0xC0, 208, 3));
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->title, std::wstring(200, L'x'));
    EXPECT_EQ(tag->year, L"2024-05-01");
    EXPECT_EQ(tag->comment, L"english");
    EXPECT_EQ(tag->bitRateKbps, 64);
    EXPECT_EQ(SampleRateText(tag->sampleRateHz), L"22.05 KHz");
    EXPECT_EQ(ChannelModeText(tag->channels), L"モノラル");
}

TEST(AudioTag, TheVersion1BlockFillsWhatNoVersion2FrameGave) {
    Bytes block = "TAG";
    const auto field = [&block](const Bytes& text, std::size_t width) {
        block += text + Bytes(width - text.size(), '\0');
    };
    field("\x8b\xc8\x96\xbc", 30);  // 曲名
    field("artist", 30);
    field("album", 30);
    field("1987", 4);
    field("comment", 28);
    block += Bytes("\x00\x07", 2);  // version 1.1: track 7, the comment is 28 bytes
    block += static_cast<char>(123);
    const auto tag = Parse(Mpeg1Frames() + block);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->title, L"曲名");
    EXPECT_EQ(tag->comment, L"comment");
    EXPECT_EQ(GenreText(tag->genre), L"A Cappella");
    EXPECT_EQ(tag->bitRateKbps, 128);
}

TEST(AudioTag, FilesThatOnlyLookLikeAudioGiveNothingAndBrokenTagsNoCrash) {
    EXPECT_FALSE(Parse("plain text, nothing else\r\n"));
    // One sync-like pair whose frame is not followed by another.
    Bytes lone = AudioFrames(0xFB, 0x90, 0x40, 417, 1) + Bytes(600, 'z');
    EXPECT_FALSE(Parse(lone));
    // A RIFF wave of plain PCM is not MPEG audio.
    const Bytes format = "fmt " + Little(16) + Bytes("\x01\x00\x02\x00", 4) + Bytes(12, '\0');
    EXPECT_FALSE(Parse("RIFF" + Little(4 + static_cast<std::uint32_t>(format.size())) + "WAVE" + format));
    // A tag that claims far more than the file holds, and frames that run past it.
    const Bytes cut = Id3v2(3, Frame(3, "TIT2", Bytes("\x00", 1) + "abc")).substr(0, 14);
    EXPECT_TRUE(Parse(Bytes("ID3\x03\x00\x00", 6) + SyncSafe(100000) + "TIT2" + BigEndian(50000, 4)));
    EXPECT_TRUE(Parse(cut));
}

TEST(AudioTag, RiffInfoAfterALongDataChunk) {
    // An odd length: the chunk behind it starts after a pad byte.
    const Bytes audio = Mpeg1Frames() + Bytes(100000, '\0');
    const Bytes info = Bytes("INFO") + "INAM" + Little(6) + "title" + Bytes(1, '\0') + "ICMT" + Little(3) + "ab" +
                       Bytes(2, '\0');  // odd length, padded
    const Bytes body = Bytes("RMP3") + "data" + Little(static_cast<std::uint32_t>(audio.size())) + audio +
                       Bytes(audio.size() & 1, '\0') + "LIST" + Little(static_cast<std::uint32_t>(info.size())) + info;
    const auto tag = Parse("RIFF" + Little(static_cast<std::uint32_t>(body.size())) + body);
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->title, L"title");
    EXPECT_EQ(tag->comment, L"ab");
    EXPECT_EQ(tag->bitRateKbps, 128);
}

TEST(AudioTag, SampleRatesAndGenreTexts) {
    const std::pair<int, const wchar_t*> rates[] = {
        {44100, L"44.1 KHz"}, {48000, L"48.0 KHz"}, {11025, L"11.025 KHz"}, {8000, L"8.0 KHz"}};
    for (const auto& [hertz, text] : rates) EXPECT_EQ(SampleRateText(hertz), text);
    const std::pair<const wchar_t*, const wchar_t*> genres[] = {{L"(0)", L"Blues"},
                                                                {L"147", L"Synthpop"},
                                                                {L"(17)Rock & Roll", L"Rock & Roll"},
                                                                {L"(148)", L"(148)"},
                                                                {L"Jazz", L"Jazz"},
                                                                {L"12a", L"12a"},
                                                                {L"", L""}};
    for (const auto& [genre, text] : genres) EXPECT_EQ(GenreText(genre), text) << genre;
}

TEST(TextBoxFile, WrittenAgainAndAgainItKeepsOneMarkAndReadsAnsiFiles) {
    const test::TempDir dir;
    const std::wstring path = dir / L"zq_TextBox.txt";
    EXPECT_EQ(LoadTextBoxFile(path), L"");
    const std::wstring text = L"メモ\r\n2行目";
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(SaveTextBoxFile(path, LoadTextBoxFile(path).empty() ? text : LoadTextBoxFile(path)));
    }
    const std::string bytes = test::ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 2 + text.size() * 2);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(bytes.substr(2, 2), "\xFF\xFE");
    EXPECT_EQ(LoadTextBoxFile(path), text);
    dir.WriteFile(L"ansi.txt", "\x83\x81\x83\x82");  // メモ in Shift_JIS
    EXPECT_EQ(LoadTextBoxFile(dir / L"ansi.txt"), L"メモ");
}

}  // namespace
}  // namespace zq::viewer
