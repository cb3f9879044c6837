#include "fileops/VirtualDriveEdits.h"

#include <windows.h>

#include <cwctype>

namespace zq::fileops {

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::wstring WithoutClosingSlash(std::wstring path) {
    if (path.size() > 1 && path.back() == L'\\') path.pop_back();
    return path;
}

}  // namespace

bool VirtualDriveEdits::OnStore(const std::wstring& path, const std::function<bool(VirtualDriveStore&)>& edit) {
    bool done = false;
    const bool ran = m_onOwner([&] {
        if (VirtualDriveStore* store = m_drives.ForPath(path)) done = edit(*store);
    });
    return ran && done;
}

bool VirtualDriveEdits::IsVirtual(const std::wstring& path) {
    if (path.size() < 2 || path[1] != L':') return false;
    const wchar_t letter = static_cast<wchar_t>(std::towupper(path[0]));
    return letter >= L'A' && letter <= L'Z' && (m_loaded & (1u << (letter - L'A'))) != 0;
}

bool VirtualDriveEdits::Add(const std::wstring& virtualDirectory, const std::wstring& realPath) {
    const size_t slash = realPath.rfind(L'\\');
    if (slash == std::wstring::npos || slash + 1 == realPath.size()) return false;
    // Stored without a closing backslash, a drive root as "C:": the listing joins name and directory with one.
    const std::wstring realDirectory = realPath.substr(0, slash);
    const std::wstring name = realPath.substr(slash + 1);
    return OnStore(virtualDirectory,
                   [&](VirtualDriveStore& store) { return store.AddFile(virtualDirectory, name, realDirectory); });
}

bool VirtualDriveEdits::AddDirectory(const std::wstring& virtualPath) {
    return OnStore(virtualPath, [&](VirtualDriveStore& store) { return store.AddDirectory(virtualPath); });
}

bool VirtualDriveEdits::Remove(const std::wstring& virtualDirectory, const std::wstring& realDirectory,
                               const std::wstring& name) {
    const std::wstring real = WithoutClosingSlash(realDirectory);
    return OnStore(virtualDirectory, [&](VirtualDriveStore& store) {
        if (store.RemoveFile(virtualDirectory, real, name)) return true;
        return SamePath(real, WithoutClosingSlash(virtualDirectory)) && store.ForgetDirectory(virtualDirectory, name);
    });
}

}  // namespace zq::fileops
