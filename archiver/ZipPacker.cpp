#include "ZipPacker.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstdint>
#include <unordered_set>

#include "ArchiveReader.h"
#include "CommandLine.h"
#include "archive/ArchiverApi.h"

namespace unbypass {

namespace {

using namespace zq::arc;

constexpr size_t kPiece = 1024 * 1024;

struct Source {
    std::wstring path;  // on disk
    std::wstring name;  // in the archive, "\\" between levels
    bool folder = false;
    ULONGLONG size = 0;
    FILETIME writeTime{};
    bool readOnly = false;
};

std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH * 2];
    const DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    return n == 0 || n >= MAX_PATH * 2 ? std::wstring() : std::wstring(full, n);
}

// Members are matched by this: "\\" and "/" alike, case ignored, no trailing separator.
std::wstring Key(std::wstring name) {
    for (wchar_t& c : name)
        if (c == L'/') c = L'\\';
    while (!name.empty() && name.back() == L'\\') name.pop_back();
    if (!name.empty()) ::CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

bool StartsWithFolder(const std::wstring& path, const std::wstring& folder) {
    return path.size() > folder.size() && Key(path.substr(0, folder.size())) == Key(folder);
}

std::int64_t UnixTime(const FILETIME& time) {
    const ULONGLONG ticks = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000ULL) - 11644473600LL;
}

bool IsDots(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// What the file words name, each once, the archive itself never.
class Collector {
  public:
    Collector(const AddLine& line, std::wstring base, std::wstring archive)
        : m_line(line), m_base(std::move(base)), m_archive(Key(std::move(archive))) {}

    // False when the word names nothing.
    bool Add(const std::wstring& word) {
        const bool rooted = (word.size() > 1 && word[1] == L':') || word.rfind(L"\\\\", 0) == 0;
        const std::wstring full = FullPath(rooted ? word : m_base + word);
        const size_t slash = full.find_last_of(L'\\');
        if (full.empty() || slash == std::wstring::npos) return false;
        const std::wstring folder = full.substr(0, slash + 1);
        // A file outside the base is stored under its own name alone.
        const std::wstring named = StartsWithFolder(folder, m_base) ? folder.substr(m_base.size()) : std::wstring();
        WIN32_FIND_DATAW find;
        const HANDLE search = ::FindFirstFileW(full.c_str(), &find);
        if (search == INVALID_HANDLE_VALUE) return false;
        bool any = false;
        do {
            if (IsDots(find.cFileName) || !Wanted(find)) continue;
            Take(folder + find.cFileName, named + find.cFileName, find);
            any = true;
        } while (::FindNextFileW(search, &find));
        ::FindClose(search);
        return any;
    }

    std::vector<Source> sources;
    std::unordered_set<std::wstring> names;  // keys of `sources`

  private:
    bool Wanted(const WIN32_FIND_DATAW& find) const {
        return m_line.hiddenToo || (find.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
    }

    void Take(const std::wstring& path, const std::wstring& name, const WIN32_FIND_DATAW& find) {
        if (Key(path) == m_archive || !names.insert(Key(name)).second) return;
        Source source;
        source.path = path;
        source.name = name;
        source.folder = (find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        source.size = (static_cast<ULONGLONG>(find.nFileSizeHigh) << 32) | find.nFileSizeLow;
        source.writeTime = find.ftLastWriteTime;
        source.readOnly = (find.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        sources.push_back(source);
        if (source.folder && m_line.recurse) Walk(path, name);
    }

    void Walk(const std::wstring& folder, const std::wstring& name) {
        WIN32_FIND_DATAW find;
        const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &find);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            if (!IsDots(find.cFileName) && Wanted(find))
                Take(folder + L"\\" + find.cFileName, name + L"\\" + find.cFileName, find);
        } while (::FindNextFileW(search, &find));
        ::FindClose(search);
    }

    const AddLine& m_line;
    std::wstring m_base;
    std::wstring m_archive;
};

// The new archive's file: removed unless it was kept.
struct PartialFile {
    std::wstring path;
    bool kept = false;
    ~PartialFile() {
        if (!kept) ::DeleteFileW(path.c_str());
    }
};

struct Writer {
    archive* a = archive_write_new();
    ~Writer() {
        if (a) archive_write_free(a);
    }
    // The header of one member; false when it could not be written.
    bool Header(std::wstring name, bool folder, ULONGLONG size, std::int64_t writeTime, bool readOnly) {
        for (wchar_t& c : name)
            if (c == L'\\') c = L'/';
        if (folder && name.back() != L'/') name += L'/';
        archive_entry* entry = archive_entry_new();
        archive_entry_copy_pathname_w(entry, name.c_str());
        archive_entry_set_filetype(entry, folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(entry, folder ? 0755 : readOnly ? 0444 : 0644);
        if (!folder) archive_entry_set_size(entry, static_cast<la_int64_t>(size));
        archive_entry_set_mtime(entry, writeTime, 0);
        const int r = archive_write_header(a, entry);
        archive_entry_free(entry);
        return r == ARCHIVE_OK;
    }
    bool Data(const char* data, size_t n) { return archive_write_data(a, data, n) == static_cast<la_ssize_t>(n); }
};

// Every member of the old archive that is not being replaced, as it was.
int CopyKept(Writer& writer, const std::wstring& archivePath, const std::unordered_set<std::wstring>& replaced) {
    ArchiveReader reader;
    if (const int r = reader.Open(archivePath)) return r;
    for (;;) {
        Member member;
        const int next = reader.Next(member);
        if (next == 0) return 0;
        if (next != 1) return next;
        if (!reader.IsFamily(Family::Zip)) return kErrorNotArchive;
        if (replaced.count(Key(member.name))) continue;
        // A link or device could not be written back as it was: the archive
        // is left alone rather than changed without it.
        if (!member.isFile && !member.isFolder) return kErrorNotSupported;
        if (!writer.Header(member.name, member.isFolder, member.size, member.writeTime, member.readOnly))
            return kErrorCannotWrite;
        if (!member.isFile) continue;
        bool written = true;
        const int r = reader.ReadData([&](const char* data, size_t n) { return written = writer.Data(data, n); });
        if (!written) return kErrorCannotWrite;
        if (r) return r;
    }
}

int AddFile(Writer& writer, const Source& source) {
    const HANDLE file = ::CreateFileW(source.path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kErrorFileOpen;
    int r = writer.Header(source.name, false, source.size, UnixTime(source.writeTime), source.readOnly)
                ? 0
                : kErrorCannotWrite;
    std::vector<char> buffer(kPiece);
    ULONGLONG total = 0;
    while (r == 0) {
        DWORD n = 0;
        if (!::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr)) r = kErrorCannotRead;
        if (r || n == 0) break;
        total += n;
        if (!writer.Data(buffer.data(), n)) r = kErrorCannotWrite;
    }
    ::CloseHandle(file);
    // A file that changed size while read would not match its header.
    if (r == 0 && total != source.size) r = kErrorCannotRead;
    return r;
}

}  // namespace

std::optional<AddLine> ParseAddLine(std::wstring_view text) {
    AddLine line;
    for (const std::wstring& word : CommandWords(text)) {
        if (word.size() > 1 && word[0] == L'-') {
            if (word == L"-r" || word == L"-rS" || word == L"-Sr") line.recurse = true;
            if (word == L"-S" || word == L"-rS" || word == L"-Sr") line.hiddenToo = true;
            continue;
        }
        if (line.archive.empty()) {
            line.archive = word;
        } else if (line.base.empty() && line.files.empty() && (word.back() == L'\\' || word.back() == L'/')) {
            line.base = word;
        } else {
            line.files.push_back(word);
        }
    }
    if (line.archive.empty() || line.files.empty()) return std::nullopt;
    return line;
}

int RunAdd(const AddLine& line, const AddProgress& progress) {
    // The reader's locale serves the writer's name conversions too.
    ArchiveReader locale;
    std::wstring archivePath = FullPath(line.archive);
    if (archivePath.empty()) return kErrorArchiveOpen;
    const size_t slash = archivePath.find_last_of(L'\\');
    if (archivePath.find(L'.', slash == std::wstring::npos ? 0 : slash) == std::wstring::npos) archivePath += L".zip";
    std::wstring base = FullPath(line.base.empty() ? std::wstring(L".") : line.base);
    if (base.empty()) return kErrorFileOpen;
    if (base.back() != L'\\') base += L'\\';
    Collector collector(line, base, archivePath);
    for (const std::wstring& word : line.files)
        if (!collector.Add(word)) return kErrorFileOpen;

    PartialFile partial{archivePath + L".unbypass-part"};
    {
        Writer writer;
        if (!writer.a || archive_write_set_format_zip(writer.a) != ARCHIVE_OK) return kErrorMemory;
        // Names go in as UTF-8 with the flag that says so, which every
        // reader of today takes, whatever its code page.
        archive_write_set_format_option(writer.a, "zip", "hdrcharset", "UTF-8");
        if (archive_write_open_filename_w(writer.a, partial.path.c_str()) != ARCHIVE_OK) return kErrorCannotWrite;
        if (::GetFileAttributesW(archivePath.c_str()) != INVALID_FILE_ATTRIBUTES)
            if (const int r = CopyKept(writer, archivePath, collector.names)) return r;
        for (const Source& source : collector.sources) {
            if (progress && !progress(source.path, source.size)) return kErrorUserCancel;
            if (!source.folder) {
                if (const int r = AddFile(writer, source)) return r;
            } else if (!writer.Header(source.name, true, 0, UnixTime(source.writeTime), false)) {
                return kErrorCannotWrite;
            }
        }
        if (archive_write_close(writer.a) != ARCHIVE_OK) return kErrorCannotWrite;
    }
    if (!::MoveFileExW(partial.path.c_str(), archivePath.c_str(), MOVEFILE_REPLACE_EXISTING)) return kErrorCannotWrite;
    partial.kept = true;
    return 0;
}

}  // namespace unbypass
