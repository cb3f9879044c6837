#pragma once
// The 128-byte tag at the end of an MP3 file ("TAG", then fixed fields in the
// ANSI code page).  Both the tag dialog that reads it and the companion
// library's tag writer use this one layout.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zq {

inline constexpr std::size_t kId3v1Bytes = 128;
inline constexpr int kId3v1NoGenre = 255;

struct StructId3v1Tag {
    std::wstring title;    // 30 bytes
    std::wstring artist;   // 30 bytes
    std::wstring album;    // 30 bytes
    std::wstring year;     // 4 bytes
    std::wstring comment;  // 28 bytes with a track number, else 30
    int track = 0;         // 1-255; 0: none (version 1.0 layout)
    int genre = kId3v1NoGenre;
    bool operator==(const StructId3v1Tag&) const = default;
};

[[nodiscard]] std::optional<StructId3v1Tag> DecodeId3v1(std::span<const std::uint8_t> block);
// Texts too long for their field are cut at a character boundary.
[[nodiscard]] std::array<std::uint8_t, kId3v1Bytes> EncodeId3v1(const StructId3v1Tag& tag);

// A number field as typed: empty gives emptyValue; otherwise 0-255, else nothing.
[[nodiscard]] std::optional<int> Id3v1Number(std::wstring_view text, int emptyValue);
// One file of a bulk edit: a field that was filled in replaces the file's own,
// an empty one (track 0, genre none) keeps it; a file without a tag and no
// title given is titled by its name without the extension.
[[nodiscard]] StructId3v1Tag MergeId3v1(const std::optional<StructId3v1Tag>& own, const StructId3v1Tag& filled,
                                        std::wstring_view stem);

[[nodiscard]] std::optional<StructId3v1Tag> ReadId3v1Tag(const std::wstring& path);

enum class Id3v1WriteResult { Written, CannotOpen, WriteFailed };
// Replaces the file's tag, or appends one when it has none; the bytes before
// the tag are never touched.
[[nodiscard]] Id3v1WriteResult WriteId3v1Tag(const std::wstring& path, const StructId3v1Tag& tag);

}  // namespace zq
