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

bool CreateShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& arguments,
                    const std::wstring& description, const std::wstring& workingDirectory) {
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link))))
        return false;
    bool saved = SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link->SetArguments(arguments.c_str())) &&
                 SUCCEEDED(link->SetDescription(description.c_str())) &&
                 SUCCEEDED(link->SetWorkingDirectory(workingDirectory.c_str()));
    IPersistFile* file = nullptr;
    if (saved && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        saved = SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
        file->Release();
    } else {
        saved = false;
    }
    link->Release();
    return saved;
}

}  // namespace zq
