#include "viewer/AudioTag.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <cwctype>
#include <cwchar>

#include "common/Handle.h"
#include "common/Id3v1Tag.h"
#include "common/TextConv.h"

namespace zq::viewer {
namespace {

using Bytes = std::vector<std::uint8_t>;

// An ID3v2 tag and the first frames behind it fit here in all but freak files
// (a tag with a large cover picture is cut; its text frames come first).
constexpr std::size_t kHeadBytes = 256 * 1024;

constexpr std::array<const wchar_t*, 148> kGenres = {
    L"Blues",
    L"Classic Rock",
    L"Country",
    L"Dance",
    L"Disco",
    L"Funk",
    L"Grunge",
    L"Hip-Hop",
    L"Jazz",
    L"Metal",
    L"New Age",
    L"Oldies",
    L"Other",
    L"Pop",
    L"R&B",
    L"Rap",
    L"Reggae",
    L"Rock",
    L"Techno",
    L"Industrial",
    L"Alternative",
    L"Ska",
    L"Death Metal",
    L"Pranks",
    L"Soundtrack",
    L"Euro-Techno",
    L"Ambient",
    L"Trip-Hop",
    L"Vocal",
    L"Jazz+Funk",
    L"Fusion",
    L"Trance",
    L"Classical",
    L"Instrumental",
    L"Acid",
    L"House",
    L"Game",
    L"Sound Clip",
    L"Gospel",
    L"Noise",
    L"AlternRock",
    L"Bass",
    L"Soul",
    L"Punk",
    L"Space",
    L"Meditative",
    L"Instrumental Pop",
    L"Instrumental Rock",
    L"Ethnic",
    L"Gothic",
    L"Darkwave",
    L"Techno-Industrial",
    L"Electronic",
    L"Pop-Folk",
    L"Eurodance",
    L"Dream",
    L"Southern Rock",
    L"Comedy",
    L"Cult",
    L"Gangsta",
    L"Top 40",
    L"Christian Rap",
    L"Pop/Funk",
    L"Jungle",
    L"Native American",
    L"Cabaret",
    L"New Wave",
    L"Psychadelic",
    L"Rave",
    L"Showtunes",
    L"Trailer",
    L"Lo-Fi",
    L"Tribal",
    L"Acid Punk",
    L"Acid Jazz",
    L"Polka",
    L"Retro",
    L"Musical",
    L"Rock & Roll",
    L"Hard Rock",
    L"Folk",
    L"Folk-Rock",
    L"National Folk",
    L"Swing",
    L"Fast Fusion",
    L"Bebob",
    L"Latin",
    L"Revival",
    L"Celtic",
    L"Bluegrass",
    L"Avantgarde",
    L"Gothic Rock",
    L"Progressive Rock",
    L"Psychedelic Rock",
    L"Symphonic Rock",
    L"Slow Rock",
    L"Big Band",
    L"Chorus",
    L"Easy Listening",
    L"Acoustic",
    L"Humour",
    L"Speech",
    L"Chanson",
    L"Opera",
    L"Chamber Music",
    L"Sonata",
    L"Symphony",
    L"Booty Bass",
    L"Primus",
    L"Porn Groove",
    L"Satire",
    L"Slow Jam",
    L"Club",
    L"Tango",
    L"Samba",
    L"Folklore",
    L"Ballad",
    L"Power Ballad",
    L"Rhythmic Soul",
    L"Freestyle",
    L"Duet",
    L"Punk Rock",
    L"Drum Solo",
    L"A Cappella",
    L"Euro-House",
    L"Dance Hall",
    L"Goa",
    L"Drum & Bass",
    L"Club-House",
    L"Hardcore",
    L"Terror",
    L"Indie",
    L"BritPop",
    L"Afro-Punk",
    L"Polsk Punk",
    L"Beat",
    L"Christian Gangsta Rap",
    L"Heavy Metal",
    L"Black Metal",
    L"Crossover",
    L"Contemporary Christian",
    L"Christian Rock",
    L"Merengue",
    L"Salsa",
    L"Thrash Metal",
    L"Anime",
    L"JPop",
    L"Synthpop",
};

std::uint32_t BigEndian(const Bytes& b, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | b[at + static_cast<std::size_t>(i)];
    return value;
}

std::uint32_t SyncSafe(const Bytes& b, std::size_t at) {
    return (std::uint32_t{b[at]} & 0x7F) << 21 | (std::uint32_t{b[at + 1]} & 0x7F) << 14 |
           (std::uint32_t{b[at + 2]} & 0x7F) << 7 | (std::uint32_t{b[at + 3]} & 0x7F);
}

std::uint32_t LittleEndian32(const Bytes& b, std::size_t at) {
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
           std::uint32_t{b[at + 3]} << 24;
}

bool HasId(const Bytes& b, std::size_t at, const char* id) {
    const std::size_t length = std::strlen(id);
    if (at + length > b.size()) return false;
    return std::memcmp(b.data() + at, id, length) == 0;
}

// Unsynchronisation put a 00 after every FF that could be read as a frame sync.
Bytes Resynchronise(const std::uint8_t* data, std::size_t size) {
    Bytes out;
    out.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(data[i]);
        if (data[i] == 0xFF && i + 1 < size && data[i + 1] == 0x00) ++i;
    }
    return out;
}

void TrimEnd(std::wstring& text) {
    while (!text.empty() && (text.back() == L'\0' || text.back() == L' ')) text.pop_back();
}

// Up to the first terminator: version 2.4 separates several values by NULs and
// we show the first.  Encoding 0 is nominally Latin-1, but Japanese taggers
// write the ANSI code page there, so that is what it is read as.
std::wstring DecodeText(int encoding, const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    if (encoding == 1 || encoding == 2) {
        bool big = encoding == 2;
        std::size_t at = 0;
        if (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) {
            big = data[0] == 0xFE;
            at = 2;
        }
        for (; at + 1 < size; at += 2) {
            const wchar_t c = big ? static_cast<wchar_t>(data[at] << 8 | data[at + 1])
                                  : static_cast<wchar_t>(data[at] | data[at + 1] << 8);
            if (c == L'\0') break;
            text.push_back(c);
        }
    } else {
        std::size_t length = 0;
        while (length < size && data[length] != 0) ++length;
        const std::string_view bytes(reinterpret_cast<const char*>(data), length);
        text = encoding == 3 ? FromUtf8(bytes) : ToWide(bytes);
    }
    TrimEnd(text);
    return text;
}

// Where the short description of a comment frame ends, after its terminator.
std::size_t SkipDescription(int encoding, const std::uint8_t* data, std::size_t size) {
    const bool wide = encoding == 1 || encoding == 2;
    std::size_t at = 0;
    if (wide) {
        while (at + 1 < size && (data[at] != 0 || data[at + 1] != 0)) at += 2;
        return at + 2 <= size ? at + 2 : size;
    }
    while (at < size && data[at] != 0) ++at;
    return at + 1 <= size ? at + 1 : size;
}

struct Id3Comments {
    std::wstring japanese;
    std::wstring english;
};

void TakeFrame(const std::string& id, const std::uint8_t* data, std::size_t size, StructAudioTag& tag,
               Id3Comments& comments) {
    if (size == 0) return;
    const int encoding = data[0];
    if (id == "COMM" || id == "COM") {
        if (size < 4) return;
        const std::string language(reinterpret_cast<const char*>(data + 1), 3);
        const std::size_t textAt = 4 + SkipDescription(encoding, data + 4, size - 4);
        std::wstring text = DecodeText(encoding, data + textAt, size - textAt);
        if (language == "jpn" && comments.japanese.empty()) comments.japanese = std::move(text);
        if (language == "eng" && comments.english.empty()) comments.english = std::move(text);
        return;
    }
    std::wstring* field = nullptr;
    if (id == "TIT2" || id == "TT2") field = &tag.title;
    if (id == "TPE1" || id == "TP1") field = &tag.artist;
    if (id == "TALB" || id == "TAL") field = &tag.album;
    if (id == "TYER" || id == "TYE" || (id == "TDRC" && tag.year.empty())) field = &tag.year;
    if (id == "TCON" || id == "TCO") field = &tag.genre;
    if (field) *field = DecodeText(encoding, data + 1, size - 1);
}

// The ID3v2 tag at the head; returns the bytes it takes (0 without one).
std::size_t ParseId3v2(const Bytes& head, StructAudioTag& tag) {
    if (head.size() < 10 || !HasId(head, 0, "ID3")) return 0;
    const int version = head[3];
    const std::uint8_t flags = head[5];
    const std::size_t tagSize = SyncSafe(head, 6);
    const std::size_t taken = 10 + tagSize + ((version == 4 && (flags & 0x10)) ? 10 : 0);
    if (version < 2 || version > 4) return taken;
    const std::size_t available = std::min(tagSize, head.size() - 10);
    Bytes body = (version < 4 && (flags & 0x80)) ? Resynchronise(head.data() + 10, available)
                                                 : Bytes(head.begin() + 10, head.begin() + 10 + available);
    std::size_t at = 0;
    if ((flags & 0x40) && version >= 3 && body.size() >= 4) {
        at = version == 3 ? 4 + BigEndian(body, 0, 4) : SyncSafe(body, 0);
    }
    const std::size_t idLength = version == 2 ? 3 : 4;
    const std::size_t headerLength = version == 2 ? 6 : 10;
    Id3Comments comments;
    while (at + headerLength <= body.size() && body[at] != 0) {
        const std::string id(reinterpret_cast<const char*>(body.data() + at), idLength);
        const std::size_t size = version == 2   ? BigEndian(body, at + 3, 3)
                                 : version == 3 ? BigEndian(body, at + 4, 4)
                                                : SyncSafe(body, at + 4);
        const std::uint16_t frameFlags = version == 2 ? 0 : static_cast<std::uint16_t>(BigEndian(body, at + 8, 2));
        at += headerLength;
        if (size > body.size() - at) break;
        const bool unsynchronised = version == 4 && (frameFlags & 0x0002);
        // Compressed or encrypted frames are left alone.
        const bool packed = version == 3 ? (frameFlags & 0x00C0) != 0 : version == 4 && (frameFlags & 0x000C) != 0;
        if (!packed) {
            if (unsynchronised) {
                const Bytes plain = Resynchronise(body.data() + at, size);
                TakeFrame(id, plain.data(), plain.size(), tag, comments);
            } else {
                TakeFrame(id, body.data() + at, size, tag, comments);
            }
        }
        at += size;
    }
    tag.comment = !comments.japanese.empty() ? comments.japanese : comments.english;
    return taken;
}

void ParseId3v1(const Bytes& block, StructAudioTag& tag) {
    const std::optional<StructId3v1Tag> v1 = DecodeId3v1(block);
    if (!v1) return;
    if (tag.title.empty()) tag.title = v1->title;
    if (tag.artist.empty()) tag.artist = v1->artist;
    if (tag.album.empty()) tag.album = v1->album;
    if (tag.year.empty()) tag.year = v1->year;
    if (tag.comment.empty()) tag.comment = v1->comment;
    if (tag.genre.empty() && static_cast<std::size_t>(v1->genre) < kGenres.size())
        tag.genre = std::to_wstring(v1->genre);
}

struct FrameHeader {
    int bitRateKbps = 0;
    int sampleRateHz = 0;
    ChannelMode channels = ChannelMode::Stereo;
    std::size_t length = 0;
};

std::optional<FrameHeader> DecodeFrameHeader(const std::uint8_t* h) {
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return std::nullopt;
    const int version = (h[1] >> 3) & 3;  // 3: MPEG-1, 2: MPEG-2, 0: MPEG-2.5
    const int layer = (h[1] >> 1) & 3;    // 3: I, 2: II, 1: III
    const int rateIndex = h[2] >> 4;
    const int sampleIndex = (h[2] >> 2) & 3;
    if (version == 1 || layer == 0 || rateIndex == 0 || rateIndex == 15 || sampleIndex == 3) return std::nullopt;
    static constexpr int kRates[5][14] = {
        {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG-1 layer I
        {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG-1 layer II
        {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // MPEG-1 layer III
        {32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // MPEG-2/2.5 layer I
        {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // MPEG-2/2.5 layers II, III
    };
    static constexpr int kSampleRates[3][3] = {{44100, 48000, 32000}, {22050, 24000, 16000}, {11025, 12000, 8000}};
    const bool mpeg1 = version == 3;
    const int row = mpeg1 ? 3 - layer : (layer == 3 ? 3 : 4);
    FrameHeader frame;
    frame.bitRateKbps = kRates[row][rateIndex - 1];
    frame.sampleRateHz = kSampleRates[mpeg1 ? 0 : (version == 2 ? 1 : 2)][sampleIndex];
    frame.channels = static_cast<ChannelMode>(h[3] >> 6);
    const int padding = (h[2] >> 1) & 1;
    const long long bits = 1000LL * frame.bitRateKbps;
    if (layer == 3) {
        frame.length = static_cast<std::size_t>((12 * bits / frame.sampleRateHz + padding) * 4);
    } else {
        const int factor = (layer == 1 && !mpeg1) ? 72 : 144;
        frame.length = static_cast<std::size_t>(factor * bits / frame.sampleRateHz + padding);
    }
    return frame;
}

// The first frame header from `at`, confirmed by the next one behind it when
// that lies within the bytes we have: a lone FF Ex pair is common in other data.
std::optional<FrameHeader> FindFrame(const Bytes& bytes, std::size_t at) {
    for (; at + 4 <= bytes.size(); ++at) {
        const auto frame = DecodeFrameHeader(bytes.data() + at);
        if (!frame || frame->length < 4) continue;
        const std::size_t next = at + frame->length;
        if (next + 4 > bytes.size() || DecodeFrameHeader(bytes.data() + next)) return frame;
    }
    return std::nullopt;
}

void TakeFrameHeader(const FrameHeader& frame, StructAudioTag& tag) {
    tag.bitRateKbps = frame.bitRateKbps;
    tag.sampleRateHz = frame.sampleRateHz;
    tag.channels = frame.channels;
}

std::optional<StructAudioTag> ParseRiff(const AudioReadAt& read, std::uint64_t fileSize, const Bytes& head) {
    if (head.size() < 12 || !(HasId(head, 8, "WAVE") || HasId(head, 8, "RMP3"))) return std::nullopt;
    bool mpeg = HasId(head, 8, "RMP3");
    StructAudioTag tag;
    std::uint64_t at = 12;
    // A hostile file can claim any chunk count; a real one has a handful.
    for (int chunks = 0; chunks < 1000 && at + 8 <= fileSize; ++chunks) {
        const Bytes header = read(at, 8);
        if (header.size() < 8) break;
        const std::uint32_t size = LittleEndian32(header, 4);
        const std::uint64_t body = at + 8;
        if (HasId(header, 0, "fmt ")) {
            const Bytes format = read(body, 2);
            if (format.size() == 2) {
                const int formatTag = format[0] | format[1] << 8;
                mpeg = mpeg || formatTag == 0x50 || formatTag == 0x55;
            }
        } else if (HasId(header, 0, "data")) {
            const Bytes audio = read(body, std::min<std::uint64_t>(size, 64 * 1024));
            if (const auto frame = FindFrame(audio, 0)) TakeFrameHeader(*frame, tag);
        } else if (HasId(header, 0, "LIST")) {
            const Bytes list = read(body, std::min<std::uint64_t>(size, 64 * 1024));
            if (list.size() >= 4 && HasId(list, 0, "INFO")) {
                for (std::size_t item = 4; item + 8 <= list.size();) {
                    const std::size_t length = LittleEndian32(list, item + 4);
                    const std::size_t text = item + 8;
                    if (length > list.size() - text) break;
                    std::wstring* field = HasId(list, item, "INAM")   ? &tag.title
                                          : HasId(list, item, "IART") ? &tag.artist
                                          : HasId(list, item, "IPRD") ? &tag.album
                                          : HasId(list, item, "ICRD") ? &tag.year
                                          : HasId(list, item, "IGNR") ? &tag.genre
                                          : HasId(list, item, "ICMT") ? &tag.comment
                                                                      : nullptr;
                    if (field) *field = DecodeText(0, list.data() + text, length);
                    item = text + length + (length & 1);
                }
            }
        }
        at = body + size + (size & 1);
    }
    if (!mpeg) return std::nullopt;
    return tag;
}

}  // namespace

std::optional<StructAudioTag> ParseAudioTag(const AudioReadAt& read, std::uint64_t fileSize) {
    const Bytes head = read(0, kHeadBytes);
    if (HasId(head, 0, "RIFF")) return ParseRiff(read, fileSize, head);
    StructAudioTag tag;
    const std::size_t tagEnd = ParseId3v2(head, tag);
    std::optional<FrameHeader> frame;
    if (tagEnd < head.size()) {
        frame = FindFrame(head, tagEnd);
    } else if (tagEnd < fileSize) {
        frame = FindFrame(read(tagEnd, 64 * 1024), 0);
    }
    if (!frame && tagEnd == 0) return std::nullopt;
    if (frame) TakeFrameHeader(*frame, tag);
    if (fileSize >= kId3v1Bytes) ParseId3v1(read(fileSize - kId3v1Bytes, kId3v1Bytes), tag);
    return tag;
}

std::optional<StructAudioTag> ReadAudioTag(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size)) return std::nullopt;
    const AudioReadAt read = [&file](std::uint64_t offset, std::size_t count) {
        Bytes bytes(count);
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(offset);
        DWORD got = 0;
        if (!::SetFilePointerEx(file.Get(), to, nullptr, FILE_BEGIN) ||
            !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(count), &got, nullptr)) {
            got = 0;
        }
        bytes.resize(got);
        return bytes;
    };
    return ParseAudioTag(read, static_cast<std::uint64_t>(size.QuadPart));
}

std::wstring SampleRateText(int hertz) {
    std::wstring fraction = std::to_wstring(1000 + hertz % 1000).substr(1);
    while (fraction.size() > 1 && fraction.back() == L'0') fraction.pop_back();
    wchar_t text[32];
    std::swprintf(text, 32, L"%d.%ls KHz", hertz / 1000, fraction.c_str());
    return text;
}

std::wstring_view ChannelModeText(ChannelMode mode) {
    switch (mode) {
        case ChannelMode::Stereo:
            return L"ステレオ";
        case ChannelMode::JointStereo:
            return L"ジョイントステレオ";
        case ChannelMode::DualMono:
            return L"デュアルモノラル";
        case ChannelMode::Mono:
            return L"モノラル";
    }
    return {};
}

std::wstring GenreText(std::wstring_view genre) {
    std::size_t at = 0;
    const bool bracketed = !genre.empty() && genre[0] == L'(';
    if (bracketed) at = 1;
    std::size_t digitsEnd = at;
    while (digitsEnd < genre.size() && digitsEnd - at < 4 && iswdigit(genre[digitsEnd])) ++digitsEnd;
    if (digitsEnd == at) return std::wstring(genre);
    const bool whole = bracketed ? (digitsEnd < genre.size() && genre[digitsEnd] == L')') : digitsEnd == genre.size();
    if (!whole) return std::wstring(genre);
    const int number = std::stoi(std::wstring(genre.substr(at, digitsEnd - at)));
    // "(17)Rock" carries its own refinement after the number: that text wins.
    if (bracketed && digitsEnd + 1 < genre.size()) return std::wstring(genre.substr(digitsEnd + 1));
    if (number < 0 || static_cast<std::size_t>(number) >= kGenres.size()) return std::wstring(genre);
    return kGenres[static_cast<std::size_t>(number)];
}

}  // namespace zq::viewer
