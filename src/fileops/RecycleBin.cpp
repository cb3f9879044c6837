#include "fileops/RecycleBin.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "common/Handle.h"
#include "common/Paths.h"
#include "common/TextConv.h"

namespace zq::fileops {
namespace {

std::wstring Environment(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD n = ::GetEnvironmentVariableW(name, value.data(), size);
    value.resize(n < size ? n : 0);
    return value;
}

// The nearest folder at or above path that exists: a volume can be asked
// only about what is there.
std::wstring ExistingFolderAtOrAbove(std::wstring path) {
    while (!path.empty() && !DirectoryExists(path)) path = ParentPath(path);
    return path;
}

}  // namespace

std::wstring HostTrashFolder() {
    // Wine's own export turns a host path into one of its drives; on Windows
    // it does not exist and the bin is the platform's.
    using DosNameOf = wchar_t*(CDECL*)(const char*);
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    const auto dosNameOf =
        kernel != nullptr ? reinterpret_cast<DosNameOf>(::GetProcAddress(kernel, "wine_get_dos_file_name")) : nullptr;
    if (dosNameOf == nullptr) return {};
    // The desktop's trash lies in the data folder of the freedesktop rules.
    std::wstring data = Environment(L"XDG_DATA_HOME");
    if (data.empty()) {
        const std::wstring home = Environment(L"HOME");
        if (home.empty()) return {};
        data = home + L"/.local/share";
    }
    wchar_t* dos = dosNameOf(ToUtf8(data + L"/Trash").c_str());
    if (dos == nullptr) return {};
    std::wstring folder(dos);
    ::HeapFree(::GetProcessHeap(), 0, dos);
    return folder;
}

bool ShellRecycleBin::WouldDeleteForGood(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(PlatformPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const std::wstring trash = HostTrashFolder();
    if (trash.empty()) {
        // The platform keeps a bin on fixed local volumes only.
        return ::GetDriveTypeW(RootOf(NormalisePath(path)).c_str()) != DRIVE_FIXED;
    }
    // The host's trash takes a folder only by renaming it into place; from
    // another file system the folder is deleted instead.  Drive letters do not
    // tell file systems apart there, so an empty folder made inside is
    // renamed the same way and taken back at once.
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const std::wstring trashSide = ExistingFolderAtOrAbove(trash);
    if (trashSide.empty()) return false;
    const std::wstring name =
        L".zq-bin-probe-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64());
    const std::wstring probe = JoinPath(path, name), moved = JoinPath(trashSide, name);
    if (!::CreateDirectoryW(PlatformPath(probe).c_str(), nullptr)) return false;
    if (::MoveFileExW(probe.c_str(), moved.c_str(), 0)) {
        ::RemoveDirectoryW(moved.c_str());
        return false;
    }
    const DWORD error = ::GetLastError();
    ::RemoveDirectoryW(probe.c_str());
    return error == ERROR_NOT_SAME_DEVICE;
}

bool ShellRecycleBin::Recycle(const std::wstring& path) {
    // The shell wants a list of paths ended by an empty one: the path and two
    // zeros, in a zero-filled block rounded up to 16 bytes.
    const SIZE_T bytes = (path.size() * sizeof(wchar_t) + 4 + 15) / 16 * 16;
    UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    wchar_t* from = block ? static_cast<wchar_t*>(::GlobalLock(block.Get())) : nullptr;
    if (from == nullptr) {
        if (m_teller != nullptr) m_teller->Tell(L"メモリを確保できませんでした");
        return false;
    }
    std::memcpy(from, path.c_str(), path.size() * sizeof(wchar_t));
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from;
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
    operation.lpszProgressTitle = L"ファイルごみ箱へ移動中";
    const int result = ::SHFileOperationW(&operation);
    ::GlobalUnlock(block.Get());
    return result == 0;
}

}  // namespace zq::fileops
