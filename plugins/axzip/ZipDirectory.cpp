#include "ZipDirectory.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace axzip {

namespace {

// Susie results, as the call forms number them.
constexpr int kOk = 0;
constexpr int kAborted = 1;
constexpr int kUnknownFormat = 2;
constexpr int kBrokenData = 3;
constexpr int kNoMemory = 4;
constexpr int kReadError = 6;

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;
constexpr size_t kMaxComment = 0xFFFF;
constexpr size_t kChunk = 256 * 1024;
// A directory larger than this is not one that an archive of this world has.
constexpr std::uint64_t kMaxDirectory = std::uint64_t{1} << 30;

std::uint16_t U16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const unsigned char* p) {
    return U16(p) | (static_cast<std::uint32_t>(U16(p + 2)) << 16);
}
std::uint64_t U64(const unsigned char* p) {
    return U32(p) | (static_cast<std::uint64_t>(U32(p + 4)) << 32);
}

std::int64_t UnixFromDos(std::uint16_t date, std::uint16_t time) {
    FILETIME local{};
    FILETIME utc{};
    if (!::DosDateTimeToFileTime(date, time, &local) || !::LocalFileTimeToFileTime(&local, &utc)) return 0;
    const std::uint64_t ticks = (static_cast<std::uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

std::string AnsiFromUtf8(const char* text, size_t size) {
    if (size == 0) return {};
    const int wide = ::MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), nullptr, 0);
    if (wide <= 0) return std::string(text, size);
    std::wstring buffer(static_cast<size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), buffer.data(), wide);
    const int narrow = ::WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(narrow > 0 ? narrow : 0), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, out.data(), narrow, nullptr, nullptr);
    return out;
}

// "/" becomes "\\"; a "\\" or "/" that is the second byte of a double-byte
// character stays what it is.  The member splits at the last separator.
void SplitName(std::string full, std::string& path, std::string& name) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < full.size(); ++i) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(full[i])) && i + 1 < full.size()) {
            ++i;
            continue;
        }
        if (full[i] == '/') full[i] = '\\';
        if (full[i] == '\\') last = i;
    }
    size_t start = 0;
    while (start < full.size() && full[start] == '\\') ++start;
    if (last == std::string::npos || last < start) {
        path.clear();
        name = full.substr(start);
        return;
    }
    path = full.substr(start, last - start);
    name = full.substr(last + 1);
}

struct Extra {
    std::uint64_t size;
    std::uint64_t compressedSize;
    std::uint64_t headerOffset;
    std::int64_t writeTime = 0;
    std::string unicodeName;
};

// The extra fields that change what the fixed header says: 64-bit sizes, a
// UTC modification time, a UTF-8 name.
void ReadExtra(const unsigned char* p, size_t size, std::uint32_t nameCrc, Extra& extra) {
    const bool wantSize = extra.size == 0xFFFFFFFF;
    const bool wantCompressed = extra.compressedSize == 0xFFFFFFFF;
    const bool wantOffset = extra.headerOffset == 0xFFFFFFFF;
    while (size >= 4) {
        const std::uint16_t id = U16(p);
        const size_t length = U16(p + 2);
        if (length > size - 4) break;
        const unsigned char* data = p + 4;
        if (id == 0x0001) {
            size_t at = 0;
            if (wantSize && at + 8 <= length) extra.size = U64(data + at), at += 8;
            if (wantCompressed && at + 8 <= length) extra.compressedSize = U64(data + at), at += 8;
            if (wantOffset && at + 8 <= length) extra.headerOffset = U64(data + at);
        } else if (id == 0x5455 && length >= 5 && (data[0] & 1)) {
            extra.writeTime = static_cast<std::int32_t>(U32(data + 1));
        } else if (id == 0x7075 && length >= 5 && data[0] == 1 && U32(data + 1) == nameCrc) {
            extra.unicodeName = AnsiFromUtf8(reinterpret_cast<const char*>(data + 5), length - 5);
        }
        p += 4 + length;
        size -= 4 + length;
    }
}

struct End {
    std::uint64_t entries = 0;
    std::uint64_t directorySize = 0;
    std::uint64_t directoryOffset = 0;
    std::uint64_t position = 0;  // of the end record itself
};

int FindEnd(const ByteSource& source, End& end) {
    const std::uint64_t size = source.Size();
    if (size < kEndSize) return kUnknownFormat;
    const size_t tail = static_cast<size_t>(std::min<std::uint64_t>(size, kEndSize + kMaxComment));
    std::vector<unsigned char> bytes(tail);
    if (!source.Read(size - tail, bytes.data(), tail)) return kReadError;
    for (size_t i = tail - kEndSize + 1; i-- > 0;) {
        const unsigned char* p = bytes.data() + i;
        if (U32(p) != kEndSignature) continue;
        end.position = size - tail + i;
        end.entries = U16(p + 10);
        end.directorySize = U32(p + 12);
        end.directoryOffset = U32(p + 16);
        unsigned char locator[20];
        if (end.position >= 20 && source.Read(end.position - 20, locator, sizeof locator) &&
            U32(locator) == kZip64LocatorSignature) {
            unsigned char record[56];
            const std::uint64_t at = U64(locator + 8);
            if (!source.Read(at, record, sizeof record) || U32(record) != kZip64EndSignature) return kBrokenData;
            end.entries = U64(record + 32);
            end.directorySize = U64(record + 40);
            end.directoryOffset = U64(record + 48);
            end.position = at;
        }
        return kOk;
    }
    return kUnknownFormat;
}

}  // namespace

ByteSource ByteSource::FromFile(HANDLE file, std::uint64_t base) {
    ByteSource source;
    LARGE_INTEGER size{};
    source.m_file = file;
    source.m_base = base;
    if (::GetFileSizeEx(file, &size) && static_cast<std::uint64_t>(size.QuadPart) > base)
        source.m_size = static_cast<std::uint64_t>(size.QuadPart) - base;
    return source;
}

ByteSource ByteSource::FromMemory(const unsigned char* data, std::uint64_t size) {
    ByteSource source;
    source.m_data = data;
    source.m_size = data ? size : 0;
    return source;
}

bool ByteSource::Read(std::uint64_t offset, void* out, size_t count) const {
    if (offset > m_size || count > m_size - offset) return false;
    if (m_data) {
        std::memcpy(out, m_data + offset, count);
        return true;
    }
    auto* bytes = static_cast<unsigned char*>(out);
    while (count > 0) {
        const std::uint64_t at = m_base + offset;
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        DWORD read = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(count, 1u << 30));
        if (!::ReadFile(m_file, bytes, want, &read, &where) || read == 0) return false;
        bytes += read;
        offset += read;
        count -= read;
    }
    return true;
}

bool LooksLikeZip(const unsigned char* head, size_t size) {
    if (size < 4) return false;
    const std::uint32_t signature = U32(head);
    return signature == kLocalSignature || signature == kEndSignature;
}

int ReadDirectory(const ByteSource& source, std::vector<ZipMember>& members) {
    members.clear();
    End end;
    if (const int found = FindEnd(source, end); found != kOk) return found;
    if (end.directorySize > kMaxDirectory || end.directoryOffset > end.position ||
        end.directorySize > end.position - end.directoryOffset)
        return kBrokenData;
    // Data put in front of the archive (a self-extracting stub) moves every
    // offset by the same amount; the directory's end tells by how much.
    const std::uint64_t shift = end.position - end.directoryOffset - end.directorySize;
    std::vector<unsigned char> directory(static_cast<size_t>(end.directorySize));
    if (!source.Read(end.directoryOffset + shift, directory.data(), directory.size())) return kBrokenData;
    members.reserve(static_cast<size_t>(std::min<std::uint64_t>(end.entries, directory.size() / kCentralSize)));
    size_t at = 0;
    while (at + kCentralSize <= directory.size()) {
        const unsigned char* p = directory.data() + at;
        if (U32(p) != kCentralSignature) return kBrokenData;
        const size_t nameLength = U16(p + 28);
        const size_t extraLength = U16(p + 30);
        const size_t commentLength = U16(p + 32);
        if (at + kCentralSize + nameLength + extraLength + commentLength > directory.size()) return kBrokenData;
        const auto* rawName = reinterpret_cast<const char*>(p + kCentralSize);
        const std::uint16_t flags = U16(p + 8);
        Extra extra{U32(p + 24), U32(p + 20), U32(p + 42)};
        ReadExtra(p + kCentralSize + nameLength, extraLength,
                  static_cast<std::uint32_t>(
                      crc32(0, reinterpret_cast<const Bytef*>(rawName), static_cast<uInt>(nameLength))),
                  extra);
        at += kCentralSize + nameLength + extraLength + commentLength;

        std::string full = (flags & 0x800)              ? AnsiFromUtf8(rawName, nameLength)
                           : !extra.unicodeName.empty() ? extra.unicodeName
                                                        : std::string(rawName, nameLength);
        ZipMember member;
        SplitName(std::move(full), member.path, member.name);
        // Folders are implied by their members' paths; a name that does not
        // fit the record could not be asked for again.
        if (member.name.empty() || member.name.size() >= 200 || member.path.size() >= 200) continue;
        member.method = U16(p + 10);
        member.encrypted = (flags & 1) != 0;
        member.crc = U32(p + 16);
        member.size = extra.size;
        member.compressedSize = extra.compressedSize;
        member.headerOffset = extra.headerOffset + shift;
        member.writeTime = extra.writeTime ? extra.writeTime : UnixFromDos(U16(p + 14), U16(p + 12));
        members.push_back(std::move(member));
    }
    return kOk;
}

int ReadMemberData(const ByteSource& source, ZipMember member, bool fromDirectory,
                   const std::function<bool(const unsigned char*, size_t)>& sink) {
    unsigned char local[kLocalSize];
    if (!source.Read(member.headerOffset, local, sizeof local) || U32(local) != kLocalSignature) return kBrokenData;
    const std::uint16_t flags = U16(local + 6);
    const bool trustLocal = !fromDirectory;
    if (trustLocal) {
        member.method = U16(local + 8);
        member.crc = U32(local + 14);
        member.compressedSize = U32(local + 18);
        member.size = U32(local + 22);
        member.encrypted = (flags & 1) != 0;
        // The sizes follow the data, and the end of the memory is not known:
        // reading on could run past the caller's block.
        if (flags & 8) return kBrokenData;
    }
    if (member.encrypted) return kBrokenData;
    const std::uint64_t dataOffset = member.headerOffset + kLocalSize + U16(local + 26) + U16(local + 28);
    if (dataOffset > source.Size() || member.compressedSize > source.Size() - dataOffset) return kBrokenData;

    std::vector<unsigned char> input(kChunk);
    std::uint32_t crc = 0;
    std::uint64_t written = 0;
    auto emit = [&](const unsigned char* data, size_t count) {
        crc = static_cast<std::uint32_t>(crc32(crc, data, static_cast<uInt>(count)));
        written += count;
        return sink(data, count);
    };
    if (member.method == 0) {
        for (std::uint64_t done = 0; done < member.compressedSize;) {
            const size_t piece = static_cast<size_t>(std::min<std::uint64_t>(kChunk, member.compressedSize - done));
            if (!source.Read(dataOffset + done, input.data(), piece)) return kBrokenData;
            if (!emit(input.data(), piece)) return kAborted;
            done += piece;
        }
    } else if (member.method == 8) {
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return kNoMemory;
        std::vector<unsigned char> output(kChunk);
        std::uint64_t consumed = 0;
        int z = Z_OK;
        int result = kOk;
        while (z != Z_STREAM_END && result == kOk) {
            if (stream.avail_in == 0) {
                const size_t piece =
                    static_cast<size_t>(std::min<std::uint64_t>(kChunk, member.compressedSize - consumed));
                if (piece == 0 || !source.Read(dataOffset + consumed, input.data(), piece)) {
                    result = kBrokenData;
                    break;
                }
                consumed += piece;
                stream.next_in = input.data();
                stream.avail_in = static_cast<uInt>(piece);
            }
            stream.next_out = output.data();
            stream.avail_out = static_cast<uInt>(output.size());
            z = inflate(&stream, Z_NO_FLUSH);
            if (z != Z_OK && z != Z_STREAM_END) {
                result = z == Z_MEM_ERROR ? kNoMemory : kBrokenData;
                break;
            }
            const size_t produced = output.size() - stream.avail_out;
            if (produced > 0 && !emit(output.data(), produced)) result = kAborted;
        }
        inflateEnd(&stream);
        if (result != kOk) return result;
    } else {
        return kUnknownFormat;
    }
    if (written != member.size || crc != member.crc) return kBrokenData;
    return kOk;
}

}  // namespace axzip
