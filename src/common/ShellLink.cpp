#include "common/ShellLink.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <iterator>

namespace zq {

std::wstring ShortcutTarget(const std::wstring& linkPath) {
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link))))
        return {};
    std::wstring target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        // Long enough for the long paths a link may hold beyond MAX_PATH.
        wchar_t buffer[MAX_PATH * 2] = {};
        if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(buffer, static_cast<int>(std::size(buffer)), nullptr, 0)))
            target = buffer;
        file->Release();
    }
    link->Release();
    return target;
}

}  // namespace zq
