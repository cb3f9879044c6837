#pragma once
// The central directory of a ZIP archive, read from a file or from memory, and
// the member data found through a member's local header.  Only the records are
// parsed here; the data itself is inflated by zlib.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace axzip {

struct ZipMember {
    std::string path;                // folder inside the archive, "\\" between levels, in the ANSI code page
    std::string name;                // last level, in the ANSI code page
    std::uint64_t headerOffset = 0;  // of the local header, from the start of the archive
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;  // seconds since 1970, UTC
    std::uint32_t crc = 0;
    std::uint16_t method = 0;
    bool encrypted = false;
};

// Where the archive's bytes come from: a file from an offset, or a block of
// memory.  Reads past the end fail.
class ByteSource {
  public:
    static ByteSource FromFile(HANDLE file, std::uint64_t base);
    static ByteSource FromMemory(const unsigned char* data, std::uint64_t size);

    [[nodiscard]] std::uint64_t Size() const noexcept { return m_size; }
    [[nodiscard]] bool Read(std::uint64_t offset, void* out, size_t count) const;

  private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    const unsigned char* m_data = nullptr;
    std::uint64_t m_base = 0;
    std::uint64_t m_size = 0;
};

// A Susie result: 0 with the members, 2 when the bytes are not a ZIP archive,
// 3 when its directory is broken.
[[nodiscard]] int ReadDirectory(const ByteSource& source, std::vector<ZipMember>& members);

// The member's data, from its local header at offset; sink gets each piece
// and answers false to stop (result 1).  compressedSize/size/crc come from the
// directory when fromDirectory; otherwise only headerOffset is used and the
// local header is trusted (memory input, where the archive's end is unknown).
[[nodiscard]] int ReadMemberData(const ByteSource& source, ZipMember member, bool fromDirectory,
                                 const std::function<bool(const unsigned char*, size_t)>& sink);

// Does the head of a file look like a ZIP archive?
[[nodiscard]] bool LooksLikeZip(const unsigned char* head, size_t size);

}  // namespace axzip
