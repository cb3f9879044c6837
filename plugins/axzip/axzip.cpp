// An archive plug-in in the Susie form (API "00AM") for ZIP archives.  Like
// ifwic it knows nothing of zq and follows the published call forms only, so
// that it serves as zq's default and as a test partner of the host.
//
// A member's position is the offset of its local header in the archive file,
// so GetFile can go straight to it; the sizes and the CRC are taken from the
// central directory, which is kept for the last archive asked about (a host
// extracting every member asks for the same archive many times).
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "ZipDirectory.h"
#include "picture/SusieApi.h"

namespace {

using namespace zq::susie;
using axzip::ByteSource;
using axzip::ZipMember;

struct InfoText {
    int number;
    const char* text;
};
constexpr InfoText kInfo[] = {
    {0, "00AM"},
    {1, "axzip 1.0 - ZIP archive reader (zq)"},
    {2, "*.zip"},
    {3, "ZIP"},
};

constexpr unsigned int kOutputMask = 0x700;
constexpr unsigned int kOutputMemory = 0x100;
constexpr unsigned int kIgnoreCase = 0x80;

std::wstring WideFromAnsi(const char* text) {
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    wide.resize(static_cast<size_t>(size - 1));
    return wide;
}

struct File {
    HANDLE handle = INVALID_HANDLE_VALUE;
    explicit File(const char* ansiPath) {
        if (ansiPath)
            handle = ::CreateFileW(WideFromAnsi(ansiPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() {
        if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
    [[nodiscard]] bool Open() const { return handle != INVALID_HANDLE_VALUE; }
};

// The directory of the archive asked about last.  A file is known again by
// its path, size and write time; memory by its address and size.
struct Cache {
    std::mutex lock;
    bool valid = false;
    std::wstring path;
    const void* memory = nullptr;
    std::uint64_t size = 0;
    FILETIME written{};
    std::vector<ZipMember> members;
} g_cache;

bool SameFile(const std::wstring& path, HANDLE file, std::uint64_t& size, FILETIME& written) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info)) return false;
    size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    written = info.ftLastWriteTime;
    return g_cache.valid && g_cache.memory == nullptr && g_cache.size == size &&
           ::CompareFileTime(&g_cache.written, &written) == 0 &&
           ::CompareStringOrdinal(g_cache.path.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The members of the archive, through the cache; a Susie result.
int Members(const ByteSource& source, const std::wstring& path, HANDLE file, const void* memory,
            std::vector<ZipMember>& members) {
    const std::lock_guard<std::mutex> hold(g_cache.lock);
    std::uint64_t size = source.Size();
    FILETIME written{};
    const bool known = memory ? g_cache.valid && g_cache.memory == memory && g_cache.size == size
                              : SameFile(path, file, size, written);
    if (!known) {
        g_cache.valid = false;
        std::vector<ZipMember> read;
        if (const int result = axzip::ReadDirectory(source, read); result != kOk) return result;
        g_cache.members = std::move(read);
        g_cache.path = path;
        g_cache.memory = memory;
        g_cache.size = size;
        g_cache.written = written;
        g_cache.valid = true;
    }
    members = g_cache.members;
    return kOk;
}

// The member whose local header is at position in a memory image that the
// host listed before: then its end, and the member's sizes, are known.
bool KnownMemoryMember(const void* memory, std::uint64_t position, std::uint64_t& size, ZipMember& member) {
    const std::lock_guard<std::mutex> hold(g_cache.lock);
    if (!g_cache.valid || g_cache.memory != memory) return false;
    size = g_cache.size;
    for (const ZipMember& m : g_cache.members)
        if (m.headerOffset == position) {
            member = m;
            return true;
        }
    return false;
}

void CopyText(char (&field)[200], const std::string& text) {
    const size_t n = std::min(text.size(), sizeof field - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

void Fill(const ZipMember& member, FileInfo& info) {
    std::memset(&info, 0, sizeof info);
    const char* method = member.method == 0 ? "Store" : member.method == 8 ? "Deflate" : "Other";
    std::memcpy(info.method, method, std::strlen(method));
    info.position = static_cast<ULONG_PTR>(member.headerOffset);
    info.compsize = static_cast<ULONG_PTR>(member.compressedSize);
    info.filesize = static_cast<ULONG_PTR>(member.size);
    info.timestamp = static_cast<LONG_PTR>(member.writeTime);
    CopyText(info.path, member.path);
    CopyText(info.filename, member.name);
    info.crc = member.crc;
}

// The name is the member's path in the archive: "dir\\name" and "dir/name"
// are one name; case counts unless the flag says not.
bool NameMatches(const FileInfo& entry, const char* wanted, bool ignoreCase) {
    const std::string path(entry.path, strnlen(entry.path, sizeof entry.path));
    const std::string name(entry.filename, strnlen(entry.filename, sizeof entry.filename));
    const std::string full = path.empty() ? name : path + "\\" + name;
    std::string asked = wanted;
    for (size_t i = 0; i < asked.size(); ++i) {
        if (::IsDBCSLeadByte(static_cast<BYTE>(asked[i])) && i + 1 < asked.size()) {
            ++i;
            continue;
        }
        if (asked[i] == '/') asked[i] = '\\';
    }
    while (!asked.empty() && asked.front() == '\\') asked.erase(0, 1);
    if (!ignoreCase) return full == asked;
    return ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, full.c_str(), -1, asked.c_str(), -1) == CSTR_EQUAL;
}

bool Report(ProgressCallback progress, std::uint64_t done, std::uint64_t total, LONG_PTR lData) {
    if (progress == nullptr) return false;
    // Counts beyond an int are handed as parts of ten thousand.
    if (total > INT_MAX) {
        done = total ? done * 10000 / total : 0;
        total = 10000;
    }
    return progress(static_cast<int>(done), static_cast<int>(total), lData) != 0;
}

// A member written into the folder: first under a temporary name in the same
// folder, renamed when whole, so that a failure leaves no part file behind
// under the member's name.
int WriteToFolder(const ByteSource& source, const ZipMember& member, bool fromDirectory, const char* folder,
                  ProgressCallback progress, LONG_PTR lData) {
    if (folder == nullptr) return kWriteError;
    if (member.name.empty() || member.name == "." || member.name == ".." ||
        member.name.find_first_of(":\\/") != std::string::npos)
        return kBrokenData;
    std::wstring directory = WideFromAnsi(folder);
    if (!directory.empty() && directory.back() != L'\\' && directory.back() != L'/') directory += L'\\';
    const std::wstring target = directory + WideFromAnsi(member.name.c_str());
    wchar_t temporary[MAX_PATH * 2] = {};
    if (directory.size() >= MAX_PATH - 14 || !::GetTempFileNameW(directory.c_str(), L"axz", 0, temporary))
        return kWriteError;
    HANDLE out = ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        ::DeleteFileW(temporary);
        return kWriteError;
    }
    bool writeFailed = false;
    std::uint64_t done = 0;
    int result = axzip::ReadMemberData(source, member, fromDirectory, [&](const unsigned char* data, size_t count) {
        DWORD wrote = 0;
        if (!::WriteFile(out, data, static_cast<DWORD>(count), &wrote, nullptr) || wrote != count) {
            writeFailed = true;
            return false;
        }
        done += count;
        return !Report(progress, done, member.size, lData);
    });
    if (writeFailed) result = kWriteError;
    if (result == kOk && member.writeTime != 0) {
        const std::uint64_t ticks = (static_cast<std::uint64_t>(member.writeTime) + 11644473600ULL) * 10000000ULL;
        const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        ::SetFileTime(out, nullptr, nullptr, &time);
    }
    ::CloseHandle(out);
    if (result == kOk && !::MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING)) result = kWriteError;
    if (result != kOk) ::DeleteFileW(temporary);
    return result;
}

int WriteToMemory(const ByteSource& source, const ZipMember& member, bool fromDirectory, HLOCAL* out,
                  ProgressCallback progress, LONG_PTR lData) {
    if (out == nullptr) return kMemoryError;
    *out = nullptr;
    std::vector<unsigned char> data;
    if (fromDirectory) {
        if (member.size > (std::uint64_t{1} << 31)) return kNoMemory;
        data.reserve(static_cast<size_t>(member.size));
    }
    const int result = axzip::ReadMemberData(source, member, fromDirectory, [&](const unsigned char* p, size_t n) {
        if (data.size() + n > (size_t{1} << 31)) return false;
        data.insert(data.end(), p, p + n);
        return !Report(progress, data.size(), member.size ? member.size : data.size(), lData);
    });
    if (result != kOk) return result;
    HLOCAL block = ::LocalAlloc(LMEM_MOVEABLE, std::max<size_t>(data.size(), 1));
    if (block == nullptr) return kNoMemory;
    if (!data.empty()) {
        void* bytes = ::LocalLock(block);
        std::memcpy(bytes, data.data(), data.size());
        ::LocalUnlock(block);
    }
    *out = block;
    return kOk;
}

}  // namespace

extern "C" {

__declspec(dllexport) int ZQ_SUSIE_CALL GetPluginInfo(int infono, LPSTR buf, int buflen) {
    if (buf == nullptr || buflen <= 0) return 0;
    for (const InfoText& info : kInfo) {
        if (info.number != infono) continue;
        const size_t length = std::min(std::strlen(info.text), static_cast<size_t>(buflen - 1));
        std::memcpy(buf, info.text, length);
        buf[length] = '\0';
        return static_cast<int>(length);
    }
    return 0;
}

// dw is an open file handle or the address of a 2 KiB head; handle values
// stay below 64 KiB and no buffer lies there.
__declspec(dllexport) int ZQ_SUSIE_CALL IsSupported(LPCSTR /*filename*/, void* dw) {
    unsigned char head[kHeadSize] = {};
    size_t size = sizeof head;
    if (reinterpret_cast<ULONG_PTR>(dw) < 0x10000) {
        LARGE_INTEGER start{};
        LARGE_INTEGER zero{};
        DWORD read = 0;
        if (!::SetFilePointerEx(dw, zero, &start, FILE_CURRENT) || !::SetFilePointerEx(dw, zero, nullptr, FILE_BEGIN))
            return 0;
        const bool ok = ::ReadFile(dw, head, 4, &read, nullptr) != FALSE;
        ::SetFilePointerEx(dw, start, nullptr, FILE_BEGIN);
        if (!ok) return 0;
        size = read;
    } else {
        std::memcpy(head, dw, 4);
    }
    return axzip::LooksLikeZip(head, size) ? 1 : 0;
}

__declspec(dllexport) int ZQ_SUSIE_CALL GetArchiveInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* lphInf) {
    if (lphInf == nullptr || buf == nullptr) return kInternalError;
    *lphInf = nullptr;
    std::vector<ZipMember> members;
    int result = kOk;
    if ((flag & kInputMask) == kInputFile) {
        const File file(buf);
        if (!file.Open()) return kReadError;
        result = Members(ByteSource::FromFile(file.handle, 0), WideFromAnsi(buf), file.handle, nullptr, members);
    } else {
        if (len <= 0) return kBrokenData;
        result = Members(
            ByteSource::FromMemory(reinterpret_cast<const unsigned char*>(buf), static_cast<std::uint64_t>(len)), {},
            nullptr, buf, members);
    }
    if (result != kOk) return result;
    HLOCAL block = ::LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, (members.size() + 1) * sizeof(FileInfo));
    if (block == nullptr) return kNoMemory;
    auto* info = static_cast<FileInfo*>(::LocalLock(block));
    for (size_t i = 0; i < members.size(); ++i) Fill(members[i], info[i]);
    ::LocalUnlock(block);
    *lphInf = block;
    return kOk;
}

__declspec(dllexport) int ZQ_SUSIE_CALL
    GetFileInfo(LPCSTR buf, LONG_PTR len, LPCSTR filename, unsigned int flag, FileInfo* lpInfo) {
    if (lpInfo == nullptr || filename == nullptr) return kInternalError;
    HLOCAL list = nullptr;
    const int result = GetArchiveInfo(buf, len, flag & kInputMask, &list);
    if (result != kOk) return result;
    const auto* entries = static_cast<const FileInfo*>(::LocalLock(list));
    int found = kUnknownFormat;
    for (size_t i = 0; entries[i].method[0] != 0; ++i) {
        if (!NameMatches(entries[i], filename, (flag & kIgnoreCase) != 0)) continue;
        *lpInfo = entries[i];
        found = kOk;
        break;
    }
    ::LocalUnlock(list);
    ::LocalFree(list);
    return found;
}

__declspec(dllexport) int ZQ_SUSIE_CALL GetFile(LPCSTR src, LONG_PTR len, LPSTR dest, unsigned int flag,
                                                ProgressCallback lpPrgressCallback, LONG_PTR lData) {
    if (src == nullptr || len < 0) return kInternalError;
    const auto position = static_cast<std::uint64_t>(len);
    const bool toMemory = (flag & kOutputMask) == kOutputMemory;
    if ((flag & kOutputMask) != 0 && !toMemory) return kNotImplemented;
    auto write = [&](const ByteSource& source, const ZipMember& member, bool fromDirectory) {
        return toMemory ? WriteToMemory(source, member, fromDirectory, reinterpret_cast<HLOCAL*>(dest),
                                        lpPrgressCallback, lData)
                        : WriteToFolder(source, member, fromDirectory, dest, lpPrgressCallback, lData);
    };
    if ((flag & kInputMask) != kInputFile) {
        std::uint64_t size = 0;
        ZipMember member;
        if (KnownMemoryMember(src, position, size, member))
            return write(ByteSource::FromMemory(reinterpret_cast<const unsigned char*>(src), size), member, true);
        // An image never listed: its end is unknown, so only the local header
        // can say how far the member goes.
        member.headerOffset = position;
        return write(ByteSource::FromMemory(reinterpret_cast<const unsigned char*>(src), UINT64_MAX / 2), member,
                     false);
    }
    const File file(src);
    if (!file.Open()) return kReadError;
    const ByteSource source = ByteSource::FromFile(file.handle, 0);
    std::vector<ZipMember> members;
    if (const int listed = Members(source, WideFromAnsi(src), file.handle, nullptr, members); listed != kOk)
        return listed;
    for (const ZipMember& member : members)
        if (member.headerOffset == position) return write(source, member, true);
    return kBrokenData;
}

// 0 shows what the plug-in is; it has nothing to set.
__declspec(dllexport) int ZQ_SUSIE_CALL ConfigurationDlg(HWND parent, int fnc) {
    if (fnc != 0) return kNotImplemented;
    char about[260] = {};
    GetPluginInfo(1, about, static_cast<int>(sizeof about));
    ::MessageBoxA(parent, about, "axzip.sph", MB_OK | MB_ICONINFORMATION);
    return kOk;
}

}  // extern "C"
