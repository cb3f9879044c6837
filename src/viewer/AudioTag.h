#pragma once
// What the tag dialog shows of an MPEG audio file: the texts of its ID3 tag
// (version 2 frames, else the version 1 block at the end) or of the INFO list
// of a RIFF file, and the first frame header's bit rate, sampling rate and
// channel mode.  Files of other kinds give nothing.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zq::viewer {

enum class ChannelMode { Stereo, JointStereo, DualMono, Mono };

struct StructAudioTag {
    std::wstring title;
    std::wstring artist;
    std::wstring album;
    std::wstring year;
    std::wstring genre;
    std::wstring comment;
    int bitRateKbps = 0;  // 0 when no frame header was found
    int sampleRateHz = 0;
    ChannelMode channels = ChannelMode::Stereo;
};

// Bytes of the file from `offset`, fewer at its end.  The parser asks for the
// head (ID3v2 tag and first frame), the last 128 bytes (ID3v1) and, in RIFF
// files, each chunk header, so an INFO list after a long data chunk is found
// without reading the audio.
using AudioReadAt = std::function<std::vector<std::uint8_t>(std::uint64_t offset, std::size_t size)>;

[[nodiscard]] std::optional<StructAudioTag> ParseAudioTag(const AudioReadAt& read, std::uint64_t fileSize);
[[nodiscard]] std::optional<StructAudioTag> ReadAudioTag(const std::wstring& path);

// "44.1 KHz", "22.05 KHz", "48.0 KHz".
[[nodiscard]] std::wstring SampleRateText(int hertz);
[[nodiscard]] std::wstring_view ChannelModeText(ChannelMode mode);
// A numeric genre ("17", "(17)", "(17)Rock") by its name; other texts stay as they are.
[[nodiscard]] std::wstring GenreText(std::wstring_view genre);

}  // namespace zq::viewer
