#pragma once
// One pass over an archive file through libarchive, and the member records the
// library's functions hand out.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct archive;
struct archive_entry;

namespace unbypass {

// The archive families, one per prefix the library exports.
enum class Family { Lha, Zip, Cab, Rar, Arj, Tar, Gca, SevenZip };

struct Member {
    std::wstring name;     // as stored, "/" or "\\" between levels
    std::string ansiName;  // the same in the ANSI code page, as callers receive it
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;  // seconds since 1970, UTC
    bool isFolder = false;
    bool isFile = false;  // a plain file: links and devices are listed but never written
    bool readOnly = false;
};

class ArchiveReader {
  public:
    ArchiveReader();
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // Opens the file for reading; 0, or the archiver error that tells why not.
    // `password` serves the encrypted members (ZIP's traditional and AES
    // encryption, RAR, 7z); without it their data cannot be read.
    [[nodiscard]] int Open(const std::wstring& path, const std::wstring& password = {});
    // The next member: 1 read, 0 at the end, or an archiver error.
    [[nodiscard]] int Next(Member& member);
    // Streams the current member's data to a sink taking (bytes, count) and
    // answering false to stop; 0, kErrorUserCancel, kErrorPasswordFile (an
    // encrypted member without its password, or with a wrong one) or kErrorBrokenData.
    template <typename Sink>
    [[nodiscard]] int ReadData(Sink&& sink);
    // Skips the current member's data, reading it through; 0 or kErrorBrokenData.
    [[nodiscard]] int Verify();

    // Known once the first header was read.
    [[nodiscard]] bool IsArchive() const;
    [[nodiscard]] bool IsFamily(Family family) const;
    // A short word for the storage format ("zip", "tar.gz"), 7 bytes at most.
    [[nodiscard]] std::string Method() const;

  private:
    [[nodiscard]] int ReadBlock(const void*& data, size_t& size);

    archive* m_archive = nullptr;
    std::wstring m_path;
    bool m_encrypted = false;  // the current member's data is encrypted
    // Bytes of the current member handed out so far, and how many a tar
    // member must come to (a sparse one may end before its holes are read).
    std::uint64_t m_delivered = 0;
    std::uint64_t m_tarSize = 0;
    std::vector<char> m_buffer;
    int m_threadLocaleMode = 0;
    std::string m_locale;
};

template <typename Sink>
int ArchiveReader::ReadData(Sink&& sink) {
    for (;;) {
        const void* data = nullptr;
        size_t size = 0;
        const int r = ReadBlock(data, size);
        if (r != 0) return r;
        if (size == 0) return 0;
        if (!sink(static_cast<const char*>(data), size)) return 0x8020;
    }
}

// The whole listing of a file; 0 or an archiver error.
[[nodiscard]] int ReadMembers(const std::wstring& path, std::vector<Member>& members, std::string* method = nullptr);

std::wstring FromAnsi(const std::string& text);
std::string ToAnsi(const std::wstring& text);

}  // namespace unbypass
