#include "common/FileSystem.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <vector>

#include "common/Handle.h"
#include "common/Paths.h"

namespace zq {
namespace {

// The root that volume questions are asked about; a path without one is
// passed as it is, and the platform answers for it.
std::wstring RootFor(const std::wstring& path) {
    std::wstring root = RootOf(path);
    return root.empty() ? path : root;
}

}  // namespace

HANDLE Win32FileSystem::Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    return ::CreateFileW(PlatformPath(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
}

bool Win32FileSystem::Read(HANDLE file, void* buffer, DWORD bytes, DWORD* read) {
    return ::ReadFile(file, buffer, bytes, read, nullptr) != 0;
}

bool Win32FileSystem::Write(HANDLE file, const void* buffer, DWORD bytes, DWORD* written) {
    return ::WriteFile(file, buffer, bytes, written, nullptr) != 0;
}

bool Win32FileSystem::Seek(HANDLE file, LONGLONG position) {
    LARGE_INTEGER to{};
    to.QuadPart = position;
    return ::SetFilePointerEx(file, to, nullptr, FILE_BEGIN) != 0;
}

bool Win32FileSystem::SetEnd(HANDLE file) {
    return ::SetEndOfFile(file) != 0;
}

bool Win32FileSystem::Size(HANDLE file, LONGLONG* size) {
    LARGE_INTEGER value{};
    if (!::GetFileSizeEx(file, &value)) return false;
    *size = value.QuadPart;
    return true;
}

bool Win32FileSystem::SetTimes(HANDLE file, const FILETIME* creation, const FILETIME* access, const FILETIME* write) {
    return ::SetFileTime(file, creation, access, write) != 0;
}

bool Win32FileSystem::SetAttributes(const std::wstring& path, DWORD attributes) {
    return ::SetFileAttributesW(PlatformPath(path).c_str(), attributes) != 0;
}

DWORD Win32FileSystem::Attributes(const std::wstring& path) {
    return ::GetFileAttributesW(PlatformPath(path).c_str());
}

bool Win32FileSystem::Delete(const std::wstring& path) {
    return ::DeleteFileW(PlatformPath(path).c_str()) != 0;
}

bool Win32FileSystem::Move(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileW(PlatformPath(from).c_str(), PlatformPath(to).c_str()) != 0;
}

bool Win32FileSystem::MakeDirectory(const std::wstring& path) {
    return ::CreateDirectoryW(PlatformPath(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::RemoveDirectory(const std::wstring& path) {
    return ::RemoveDirectoryW(PlatformPath(path).c_str()) != 0;
}

HANDLE Win32FileSystem::FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* data) {
    return ::FindFirstFileW(PlatformPath(pattern).c_str(), data);
}

bool Win32FileSystem::FindNext(HANDLE find, WIN32_FIND_DATAW* data) {
    return ::FindNextFileW(find, data) != 0;
}

UINT Win32FileSystem::DriveType(const std::wstring& root) {
    return ::GetDriveTypeW(RootFor(root).c_str());
}

DWORD Win32FileSystem::BytesPerSector(const std::wstring& root) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!::GetDiskFreeSpaceW(RootFor(root).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return 0;
    return bytesPerSector;
}

bool Win32FileSystem::FreeBytes(const std::wstring& directory, ULONGLONG* bytes) {
    ULARGE_INTEGER available{}, total{}, free{};
    if (!::GetDiskFreeSpaceExW(PlatformPath(directory).c_str(), &available, &total, &free)) return false;
    *bytes = available.QuadPart;
    return true;
}

std::wstring Win32FileSystem::VolumeRoot(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {};
    if (::GetVolumePathNameW(PlatformPath(path).c_str(), root, MAX_PATH)) return root;
    // A path whose volume cannot be asked (not yet created, say): its root.
    return RootFor(path);
}

std::wstring Win32FileSystem::FinalPath(const std::wstring& path) {
    // No access is asked for: a directory or a file locked by another program
    // still has a name.
    UniqueFile file(::CreateFileW(PlatformPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file) return {};
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(n + 1);
    }
}

bool Win32FileSystem::Rename(const std::wstring& from, const std::wstring& to, bool replaceExisting) {
    return ::MoveFileExW(PlatformPath(from).c_str(), PlatformPath(to).c_str(),
                         replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
}

bool Win32FileSystem::RenameOpen(HANDLE file, const std::wstring& to, bool replaceExisting) {
    const std::wstring target = PlatformPath(to);
    const size_t bytes = target.size() * sizeof(wchar_t);
    // The record ends in a name of variable length; a buffer of DWORDs keeps
    // its handle member aligned.
    std::vector<DWORD> buffer((sizeof(FILE_RENAME_INFO) + bytes + sizeof(DWORD) - 1) / sizeof(DWORD) + 1, 0);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = replaceExisting ? TRUE : FALSE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(bytes);
    memcpy(info->FileName, target.c_str(), bytes + sizeof(wchar_t));
    return ::SetFileInformationByHandle(file, FileRenameInfo, info,
                                        static_cast<DWORD>(buffer.size() * sizeof(DWORD))) != 0;
}

bool Win32FileSystem::FindData(const std::wstring& path, WIN32_FIND_DATAW* data) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!::GetFileAttributesExW(PlatformPath(path).c_str(), GetFileExInfoStandard, &attributes)) return false;
    *data = WIN32_FIND_DATAW{};
    data->dwFileAttributes = attributes.dwFileAttributes;
    data->ftCreationTime = attributes.ftCreationTime;
    data->ftLastAccessTime = attributes.ftLastAccessTime;
    data->ftLastWriteTime = attributes.ftLastWriteTime;
    data->nFileSizeHigh = attributes.nFileSizeHigh;
    data->nFileSizeLow = attributes.nFileSizeLow;
    const std::wstring_view name = FileNamePart(path);
    name.copy(data->cFileName, std::min<size_t>(name.size(), MAX_PATH - 1));
    return true;
}

bool Win32FileSystem::SetTimesAndAttributes(HANDLE file, const FILETIME* creation, const FILETIME* access,
                                            const FILETIME* write, DWORD attributes) {
    const auto value = [](const FILETIME* t) {
        LARGE_INTEGER v{};
        if (t != nullptr) {
            v.LowPart = t->dwLowDateTime;
            v.HighPart = static_cast<LONG>(t->dwHighDateTime);
        }
        return v;
    };
    FILE_BASIC_INFO info{};
    info.CreationTime = value(creation);
    info.LastAccessTime = value(access);
    info.LastWriteTime = value(write);
    info.FileAttributes = attributes;
    return ::SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info) != 0;
}

IFileSystem& RealFileSystem() {
    static Win32FileSystem fs;
    return fs;
}

}  // namespace zq
