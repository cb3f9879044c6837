#include "fileops/FileSystem.h"

#include <cwctype>

namespace zq::fileops {

HANDLE Win32FileSystem::Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    return ::CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
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

bool Win32FileSystem::SetEnd(HANDLE file) { return ::SetEndOfFile(file) != 0; }

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
    return ::SetFileAttributesW(path.c_str(), attributes) != 0;
}

DWORD Win32FileSystem::Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

bool Win32FileSystem::Delete(const std::wstring& path) { return ::DeleteFileW(path.c_str()) != 0; }

bool Win32FileSystem::Move(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileW(from.c_str(), to.c_str()) != 0;
}

bool Win32FileSystem::MakeDirectory(const std::wstring& path) { return ::CreateDirectoryW(path.c_str(), nullptr) != 0; }

bool Win32FileSystem::RemoveDirectory(const std::wstring& path) { return ::RemoveDirectoryW(path.c_str()) != 0; }

HANDLE Win32FileSystem::FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* data) {
    return ::FindFirstFileW(pattern.c_str(), data);
}

bool Win32FileSystem::FindNext(HANDLE find, WIN32_FIND_DATAW* data) { return ::FindNextFileW(find, data) != 0; }

UINT Win32FileSystem::DriveType(const std::wstring& root) { return ::GetDriveTypeW(root.c_str()); }

DWORD Win32FileSystem::BytesPerSector(const std::wstring& root) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!::GetDiskFreeSpaceW(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) return 0;
    return bytesPerSector;
}

bool Win32FileSystem::FreeBytes(const std::wstring& directory, ULONGLONG* bytes) {
    ULARGE_INTEGER available{}, total{}, free{};
    if (!::GetDiskFreeSpaceExW(directory.c_str(), &available, &total, &free)) return false;
    *bytes = available.QuadPart;
    return true;
}

std::wstring Win32FileSystem::VolumeRoot(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {};
    if (::GetVolumePathNameW(path.c_str(), root, MAX_PATH)) return root;
    // A path whose volume cannot be asked (not yet created, say): its drive part.
    if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2) + L"\\";
    return path;
}

bool Win32FileSystem::SetCurrentDirectory(const std::wstring& path) {
    return ::SetCurrentDirectoryW(path.c_str()) != 0;
}

bool Win32FileSystem::Rename(const std::wstring& from, const std::wstring& to, bool replaceExisting) {
    return ::MoveFileExW(from.c_str(), to.c_str(), replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0) != 0;
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

}  // namespace zq::fileops
