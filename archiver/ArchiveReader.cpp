#include "ArchiveReader.h"

#include <archive.h>
#include <archive_entry.h>

#include <clocale>
#include <locale.h>

#include "archive/ArchiverApi.h"

namespace unbypass {

namespace {

constexpr size_t kBlock = 64 * 1024;
// Members are handed out in pieces of this size: under Wine each WriteFile
// of the caller costs a trip through its file layer, so fewer, larger pieces
// write faster, while the archive itself is still read in small blocks that
// keep the seeks of a listing cheap.
constexpr size_t kDataPiece = 1024 * 1024;

std::wstring LastLevel(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// A compressed single file has no member name of its own: like the usual
// tools, call it after the archive, less the compression's extension.
std::wstring RawMemberName(const std::wstring& archivePath) {
    std::wstring name = LastLevel(archivePath);
    const size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos || dot == 0) return name + L".out";
    const std::wstring ext = name.substr(dot);
    name.erase(dot);
    if (::lstrcmpiW(ext.c_str(), L".tgz") == 0 || ::lstrcmpiW(ext.c_str(), L".tbz") == 0) name += L".tar";
    return name;
}

}  // namespace

std::wstring FromAnsi(const std::string& text) {
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    const int n =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(n, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n, nullptr, nullptr);
    return ansi;
}

// libarchive turns names between 8-bit and wide text through the C runtime's
// locale, which is "C" unless the host changed it; then every Shift_JIS name
// comes out as "?".  For as long as the reader works, this thread alone uses
// the system's own locale, and the host's is put back afterwards.
ArchiveReader::ArchiveReader() {
    m_threadLocaleMode = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    if (const char* current = setlocale(LC_CTYPE, nullptr)) m_locale = current;
    setlocale(LC_CTYPE, "");
}

ArchiveReader::~ArchiveReader() {
    if (m_archive) archive_read_free(m_archive);
    setlocale(LC_CTYPE, m_locale.empty() ? "C" : m_locale.c_str());
    if (m_threadLocaleMode > 0) _configthreadlocale(m_threadLocaleMode);
}

int ArchiveReader::Open(const std::wstring& path, const std::wstring& password) {
    m_path = path;
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return zq::arc::kErrorArchiveNotFound;
    m_archive = archive_read_new();
    if (!m_archive) return zq::arc::kErrorMemory;
    archive_read_support_filter_all(m_archive);
    // Only the families the prefixes stand for: the catch-all readers (mtree,
    // shar, warc…) would take ordinary text files for archives.
    archive_read_support_format_zip(m_archive);
    archive_read_support_format_7zip(m_archive);
    archive_read_support_format_cab(m_archive);
    archive_read_support_format_lha(m_archive);
    archive_read_support_format_rar(m_archive);
    archive_read_support_format_rar5(m_archive);
    archive_read_support_format_tar(m_archive);
    archive_read_support_format_cpio(m_archive);
    archive_read_support_format_empty(m_archive);
    archive_read_support_format_raw(m_archive);
    // The packers of this platform take the password's bytes in the ANSI code page.
    if (!password.empty()) archive_read_add_passphrase(m_archive, ToAnsi(password).c_str());
    if (archive_read_open_filename_w(m_archive, path.c_str(), kBlock) != ARCHIVE_OK) return zq::arc::kErrorArchiveOpen;
    return 0;
}

int ArchiveReader::Next(Member& member) {
    archive_entry* entry = nullptr;
    const int r = archive_read_next_header(m_archive, &entry);
    if (r == ARCHIVE_EOF) return IsArchive() ? 0 : zq::arc::kErrorNotArchive;
    if (r != ARCHIVE_OK && r != ARCHIVE_WARN)
        return IsArchive() ? zq::arc::kErrorHeaderBroken : zq::arc::kErrorNotArchive;
    if (!IsArchive()) return zq::arc::kErrorNotArchive;
    member = Member{};
    if ((archive_format(m_archive) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_RAW) {
        member.name = RawMemberName(m_path);
    } else if (const wchar_t* wide = archive_entry_pathname_w(entry)) {
        member.name = wide;
    } else if (const char* narrow = archive_entry_pathname(entry)) {
        member.name = FromAnsi(narrow);
    }
    member.ansiName = ToAnsi(member.name);
    member.size = archive_entry_size_is_set(entry) ? static_cast<std::uint64_t>(archive_entry_size(entry)) : 0;
    member.writeTime = archive_entry_mtime_is_set(entry) ? archive_entry_mtime(entry) : 0;
    const auto type = archive_entry_filetype(entry);
    member.isFolder = type == AE_IFDIR;
    member.isFile = type == AE_IFREG && archive_entry_hardlink(entry) == nullptr;
    member.readOnly = member.isFile && (archive_entry_perm(entry) & 0222) == 0;
    m_encrypted = archive_entry_is_encrypted(entry) != 0;
    m_delivered = 0;
    const bool tar = (archive_format(m_archive) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_TAR;
    m_tarSize = tar && member.isFile ? member.size : 0;
    return 1;
}

int ArchiveReader::ReadBlock(const void*& data, size_t& size) {
    // The reader's own buffer, not one per thread: a thread-local object of
    // this library would be destroyed at the exit of a caller's thread after
    // the caller had already unloaded the library, and that exit then hangs.
    std::vector<char>& buffer = m_buffer;
    if (buffer.empty()) buffer.resize(kDataPiece);
    la_ssize_t n = archive_read_data(m_archive, buffer.data(), buffer.size());
    if (n < 0) return m_encrypted ? zq::arc::kErrorPasswordFile : zq::arc::kErrorBrokenData;
    if (n == 0 && m_delivered < m_tarSize) {
        // A sparse tar member that is all hole ends at once, its end offset
        // noted; only the next read fills the hole with zeros.  (A truncated
        // tar fails in the read instead.)
        n = archive_read_data(m_archive, buffer.data(), buffer.size());
        if (n < 0) return zq::arc::kErrorBrokenData;
    }
    m_delivered += static_cast<std::uint64_t>(n);
    data = buffer.data();
    size = static_cast<size_t>(n);
    return 0;
}

int ArchiveReader::Verify() {
    return ReadData([](const char*, size_t) { return true; });
}

bool ArchiveReader::IsArchive() const {
    const int format = archive_format(m_archive) & ARCHIVE_FORMAT_BASE_MASK;
    if (format == 0 || format == ARCHIVE_FORMAT_EMPTY) return false;
    // Anything at all reads as "raw": only a compressed stream counts as an archive.
    return format != ARCHIVE_FORMAT_RAW || archive_filter_code(m_archive, 0) != ARCHIVE_FILTER_NONE;
}

bool ArchiveReader::IsFamily(Family family) const {
    if (!IsArchive()) return false;
    switch (archive_format(m_archive) & ARCHIVE_FORMAT_BASE_MASK) {
        case ARCHIVE_FORMAT_LHA:
            return family == Family::Lha;
        case ARCHIVE_FORMAT_ZIP:
            return family == Family::Zip;
        case ARCHIVE_FORMAT_CAB:
            return family == Family::Cab;
        case ARCHIVE_FORMAT_RAR:
        case ARCHIVE_FORMAT_RAR_V5:
            return family == Family::Rar;
        case ARCHIVE_FORMAT_7ZIP:
            return family == Family::SevenZip;
        case ARCHIVE_FORMAT_TAR:
        case ARCHIVE_FORMAT_CPIO:
        case ARCHIVE_FORMAT_RAW:
            return family == Family::Tar;
        default:
            return false;
    }
}

std::string ArchiveReader::Method() const {
    std::string word;
    switch (archive_format(m_archive) & ARCHIVE_FORMAT_BASE_MASK) {
        case ARCHIVE_FORMAT_LHA:
            word = "lzh";
            break;
        case ARCHIVE_FORMAT_ZIP:
            word = "zip";
            break;
        case ARCHIVE_FORMAT_CAB:
            word = "cab";
            break;
        case ARCHIVE_FORMAT_RAR:
        case ARCHIVE_FORMAT_RAR_V5:
            word = "rar";
            break;
        case ARCHIVE_FORMAT_7ZIP:
            word = "7z";
            break;
        case ARCHIVE_FORMAT_TAR:
            word = "tar";
            break;
        case ARCHIVE_FORMAT_CPIO:
            word = "cpio";
            break;
        default:
            break;
    }
    const char* filter = "";
    switch (archive_filter_code(m_archive, 0)) {
        case ARCHIVE_FILTER_GZIP:
            filter = "gz";
            break;
        case ARCHIVE_FILTER_BZIP2:
            filter = "bz2";
            break;
        case ARCHIVE_FILTER_XZ:
            filter = "xz";
            break;
        case ARCHIVE_FILTER_LZMA:
            filter = "lzma";
            break;
        default:
            break;
    }
    if (*filter) word = word.empty() ? filter : word + "." + filter;
    return word.substr(0, 7);
}

int ReadMembers(const std::wstring& path, std::vector<Member>& members, std::string* method) {
    members.clear();
    ArchiveReader reader;
    if (const int r = reader.Open(path)) return r;
    for (;;) {
        Member member;
        const int r = reader.Next(member);
        if (r == 0) break;
        if (r != 1) return r;
        members.push_back(std::move(member));
    }
    if (method) *method = reader.Method();
    return 0;
}

}  // namespace unbypass
