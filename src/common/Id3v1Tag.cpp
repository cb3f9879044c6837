#include "common/Id3v1Tag.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "common/Handle.h"
#include "common/TextConv.h"

namespace zq {

namespace {

constexpr std::size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97;
constexpr std::size_t kTextField = 30, kYearField = 4, kTrackComment = 28;
constexpr std::size_t kTrackFlagAt = 125, kTrackAt = 126, kGenreAt = 127;

std::wstring Field(std::span<const std::uint8_t> block, std::size_t at, std::size_t length) {
    std::size_t used = 0;
    while (used < length && block[at + used] != 0) ++used;
    std::wstring text = ToWide(std::string_view(reinterpret_cast<const char*>(block.data() + at), used));
    // Writers pad with spaces as often as with zeros.
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\0')) text.pop_back();
    return text;
}

void PutField(std::array<std::uint8_t, kId3v1Bytes>& block, std::size_t at, std::size_t length,
              const std::wstring& text) {
    const std::string bytes = ToNarrow(text);
    // Cut before a lead byte whose trail byte would fall outside the field.
    std::size_t used = 0;
    while (used < bytes.size()) {
        const std::size_t step = ::IsDBCSLeadByte(static_cast<BYTE>(bytes[used])) ? 2 : 1;
        if (used + step > length || used + step > bytes.size()) break;
        used += step;
    }
    std::memcpy(block.data() + at, bytes.data(), used);
}

}  // namespace

std::optional<StructId3v1Tag> DecodeId3v1(std::span<const std::uint8_t> block) {
    if (block.size() != kId3v1Bytes || std::memcmp(block.data(), "TAG", 3) != 0) return std::nullopt;
    StructId3v1Tag tag;
    tag.title = Field(block, kTitleAt, kTextField);
    tag.artist = Field(block, kArtistAt, kTextField);
    tag.album = Field(block, kAlbumAt, kTextField);
    tag.year = Field(block, kYearAt, kYearField);
    // Version 1.1 keeps the track number in the comment's last two bytes.
    const bool hasTrack = block[kTrackFlagAt] == 0 && block[kTrackAt] != 0;
    tag.comment = Field(block, kCommentAt, hasTrack ? kTrackComment : kTextField);
    tag.track = hasTrack ? block[kTrackAt] : 0;
    tag.genre = block[kGenreAt];
    return tag;
}

std::array<std::uint8_t, kId3v1Bytes> EncodeId3v1(const StructId3v1Tag& tag) {
    std::array<std::uint8_t, kId3v1Bytes> block{};
    std::memcpy(block.data(), "TAG", 3);
    PutField(block, kTitleAt, kTextField, tag.title);
    PutField(block, kArtistAt, kTextField, tag.artist);
    PutField(block, kAlbumAt, kTextField, tag.album);
    PutField(block, kYearAt, kYearField, tag.year);
    const bool hasTrack = tag.track > 0 && tag.track <= 255;
    PutField(block, kCommentAt, hasTrack ? kTrackComment : kTextField, tag.comment);
    if (hasTrack) block[kTrackAt] = static_cast<std::uint8_t>(tag.track);
    block[kGenreAt] = static_cast<std::uint8_t>(std::clamp(tag.genre, 0, 255));
    return block;
}

std::optional<int> Id3v1Number(std::wstring_view text, int emptyValue) {
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    if (text.empty()) return emptyValue;
    if (text.size() > 3) return std::nullopt;
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    if (value > 255) return std::nullopt;
    return value;
}

StructId3v1Tag MergeId3v1(const std::optional<StructId3v1Tag>& own, const StructId3v1Tag& filled,
                          std::wstring_view stem) {
    StructId3v1Tag tag = own.value_or(StructId3v1Tag{});
    if (!own) tag.title = stem;
    const auto take = [](std::wstring& into, const std::wstring& given) {
        if (!given.empty()) into = given;
    };
    take(tag.title, filled.title);
    take(tag.artist, filled.artist);
    take(tag.album, filled.album);
    take(tag.year, filled.year);
    take(tag.comment, filled.comment);
    if (filled.track != 0) tag.track = filled.track;
    if (filled.genre != kId3v1NoGenre) tag.genre = filled.genre;
    return tag;
}

namespace {

// The offset where a tag is written: over the old one, else at the end.
bool TagOffset(HANDLE file, LARGE_INTEGER& at, std::optional<StructId3v1Tag>* old) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file, &size)) return false;
    at = size;
    if (size.QuadPart < static_cast<LONGLONG>(kId3v1Bytes)) return true;
    LARGE_INTEGER tail{};
    tail.QuadPart = size.QuadPart - static_cast<LONGLONG>(kId3v1Bytes);
    std::array<std::uint8_t, kId3v1Bytes> block{};
    DWORD read = 0;
    if (!::SetFilePointerEx(file, tail, nullptr, FILE_BEGIN) ||
        !::ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &read, nullptr) || read != block.size())
        return false;
    std::optional<StructId3v1Tag> found = DecodeId3v1(block);
    if (found) at = tail;
    if (old) *old = std::move(found);
    return true;
}

}  // namespace

std::optional<StructId3v1Tag> ReadId3v1Tag(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER at{};
    std::optional<StructId3v1Tag> old;
    if (!TagOffset(file.Get(), at, &old)) return std::nullopt;
    return old;
}

Id3v1WriteResult WriteId3v1Tag(const std::wstring& path, const StructId3v1Tag& tag) {
    // A read-only file is left alone even where the platform would open it for
    // writing (under Wine a process running as root may).
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return Id3v1WriteResult::CannotOpen;
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return Id3v1WriteResult::CannotOpen;
    LARGE_INTEGER at{};
    if (!TagOffset(file.Get(), at, nullptr)) return Id3v1WriteResult::WriteFailed;
    const std::array<std::uint8_t, kId3v1Bytes> block = EncodeId3v1(tag);
    DWORD written = 0;
    if (!::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN) ||
        !::WriteFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr) ||
        written != block.size())
        return Id3v1WriteResult::WriteFailed;
    return ::FlushFileBuffers(file.Get()) ? Id3v1WriteResult::Written : Id3v1WriteResult::WriteFailed;
}

}  // namespace zq
