#include "fileops/FakeServices.h"

namespace zq::fileops::test {
namespace {

bool Contains(const std::wstring& path, const std::wstring& part) {
    return !part.empty() && path.find(part) != std::wstring::npos;
}

}  // namespace

HANDLE FaultyFileSystem::Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    if (onOpen) onOpen(path);
    if (Contains(path, vanishPart) && (access & GENERIC_READ)) {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
    }
    if (Contains(path, lockedPart) && (access & GENERIC_WRITE)) {
        ::SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    if (access & GENERIC_WRITE) createFlags.push_back(flags);
    HANDLE h = Win32FileSystem::Open(path, access, share, disposition, flags);
    if (h != INVALID_HANDLE_VALUE) {
        m_paths[h] = path;
        m_positions[h] = 0;
    }
    return h;
}

bool FaultyFileSystem::Read(HANDLE file, void* buffer, DWORD bytes, DWORD* read) {
    reads.push_back(bytes);
    for (const ReadFault& fault : readFaults) {
        if (Contains(m_paths[file], fault.pathPart) && m_positions[file] >= fault.afterBytes) {
            ::SetLastError(fault.code);
            return false;
        }
    }
    const bool ok = Win32FileSystem::Read(file, buffer, bytes, read);
    if (ok) m_positions[file] += *read;
    return ok;
}

bool FaultyFileSystem::Write(HANDLE file, const void* buffer, DWORD bytes, DWORD* written) {
    writes.push_back(bytes);
    if (Contains(m_paths[file], writeFaultPart)) {
        if (writeFaultShort) {
            // A full disk takes what fits and reports the short count.
            Win32FileSystem::Write(file, buffer, bytes / 2, written);
            return true;
        }
        ::SetLastError(writeFaultCode);
        return false;
    }
    std::string changed;
    if (Contains(m_paths[file], corruptPart) && bytes > 0) {
        changed.assign(static_cast<const char*>(buffer), bytes);
        changed[0] = static_cast<char>(changed[0] ^ 0x5A);
        buffer = changed.data();
    }
    const bool ok = Win32FileSystem::Write(file, buffer, bytes, written);
    if (ok) m_positions[file] += *written;
    return ok;
}

bool FaultyFileSystem::Seek(HANDLE file, LONGLONG position) {
    m_positions[file] = position;
    return Win32FileSystem::Seek(file, position);
}

bool FaultyFileSystem::SetEnd(HANDLE file) {
    endsOfFile.push_back(m_positions[file]);
    return Win32FileSystem::SetEnd(file);
}

bool FaultyFileSystem::Delete(const std::wstring& path) {
    if (Contains(path, deleteFaultPart)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (Contains(path, deleteIgnoredPart)) return true;
    return Win32FileSystem::Delete(path);
}

bool FaultyFileSystem::Move(const std::wstring& from, const std::wstring& to) {
    moves.emplace_back(from, to);
    if (Contains(from, moveFaultPart)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return Win32FileSystem::Move(from, to);
}

bool FaultyFileSystem::Rename(const std::wstring& from, const std::wstring& to, bool replaceExisting) {
    renames.emplace_back(from, (replaceExisting ? L"R " : L"") + to);
    if (Contains(to, renameFaultPart)) {
        ::SetLastError(ERROR_SHARING_VIOLATION);
        return false;
    }
    return Win32FileSystem::Rename(from, to, replaceExisting);
}

bool FaultyFileSystem::RenameOpen(HANDLE file, const std::wstring& to, bool replaceExisting) {
    renames.emplace_back(m_paths[file], (replaceExisting ? L"R " : L"") + to);
    if (Contains(to, renameFaultPart)) {
        ::SetLastError(ERROR_SHARING_VIOLATION);
        return false;
    }
    return Win32FileSystem::RenameOpen(file, to, replaceExisting);
}

UINT FaultyFileSystem::DriveType(const std::wstring& root) {
    if (!root.empty() && removable.count(static_cast<wchar_t>(towupper(root[0])))) return DRIVE_REMOVABLE;
    return Win32FileSystem::DriveType(root);
}

DWORD FaultyFileSystem::BytesPerSector(const std::wstring& root) {
    if (!root.empty()) {
        auto it = removable.find(static_cast<wchar_t>(towupper(root[0])));
        if (it != removable.end()) return it->second;
    }
    return Win32FileSystem::BytesPerSector(root);
}

bool FaultyFileSystem::FreeBytes(const std::wstring& directory, ULONGLONG* bytes) {
    ++freeQueries;
    if (freeBytes != ~0ULL) {
        *bytes = freeBytes;
        return true;
    }
    return Win32FileSystem::FreeBytes(directory, bytes);
}

std::wstring FaultyFileSystem::VolumeRoot(const std::wstring& path) {
    for (const auto& [prefix, volume] : volumes)
        if (path.compare(0, prefix.size(), prefix) == 0) return volume;
    return Win32FileSystem::VolumeRoot(path);
}

}  // namespace zq::fileops::test
