#include "fileops/CopyDestinationList.h"

#include <objbase.h>

#include "common/Handle.h"
#include "common/ShellLink.h"
#include "common/TreeWalk.h"

namespace zq::fileops {
namespace {

constexpr size_t kSpecialMax = 20;

}  // namespace

std::vector<std::wstring> SelectedDirectories(const SelectionSnapshot& selection) {
    std::vector<std::wstring> out;
    for (size_t i = 0; i < selection.Count(); ++i)
        if (SelectionSnapshot::IsDirectory(selection.entries[i]))
            out.push_back(selection.DirectoryOf(i) + L"\\" + selection.entries[i].cFileName);
    return out;
}

std::vector<std::wstring> SpecialDirectoryChoices(const std::vector<std::wstring>& special) {
    std::vector<std::wstring> out;
    for (const std::wstring& directory : special) {
        if (out.size() == kSpecialMax) break;
        if (directory.empty()) continue;
        out.push_back(directory.back() == L'\\' ? directory : directory + L"\\");
    }
    return out;
}

std::vector<std::wstring> SendToDirectories(IFileSystem& fs, const std::wstring& sendToFolder) {
    std::vector<std::wstring> out;
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    DirectoryEnumerator shortcuts(fs, sendToFolder, L"*.lnk");
    WIN32_FIND_DATAW data{};
    while (shortcuts.Next(data)) {
        std::wstring target = ShortcutTarget(sendToFolder + L"\\" + data.cFileName);
        while (target.size() > 1 && target.back() == L'\\') target.pop_back();
        if (target.empty()) continue;
        const bool driveRoot = target.size() == 2 && target[1] == L':';
        const bool removable =
            target.size() >= 2 && target[1] == L':' && fs.DriveType(target.substr(0, 2) + L"\\") == DRIVE_REMOVABLE;
        const DWORD attributes = fs.Attributes(target);
        const bool directory = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (driveRoot || removable || directory) out.push_back(target);
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
    return out;
}

std::vector<std::wstring> OrderDestinationChoices(const DestinationSources& sources,
                                                  const DestinationListSettings& settings) {
    std::vector<std::wstring> out;
    for (int priority = 1; priority <= 4; ++priority)
        for (int source = 0; source < 4; ++source)
            if (settings.enabled[source] && settings.priority[source] == priority)
                out.insert(out.end(), sources.lists[source].begin(), sources.lists[source].end());
    return out;
}

}  // namespace zq::fileops
