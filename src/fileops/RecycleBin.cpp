#include "fileops/RecycleBin.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "common/Handle.h"

namespace zq::fileops {

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
