#pragma once
// The destination list of the copy dialog ("コピー先リスト設定"): four sources,
// each enabled or not and given a priority 1 to 4, listed priority by priority.
#include <array>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "fileops/SelectionSnapshot.h"

namespace zq::fileops {

enum DestinationSource : int {
    kCurrentDirectoryDirs = 0,  // "現在のDirのDir List"   COPYTOINDIR / COPYTOINDIRFLAG
    kPastDirectories = 1,       // "過去の選択Dir"          COPYTOPASTDIR / COPYTOPASTDIRFLAG
    kSpecialDirectories = 2,    // "特殊ディレクトリ"       COPYTOSPECIALDIR / COPYTOSPECIALDIRFLAG
    kSendToDirectories = 3,     // "SendTo内ショートカットDir" COPYTOSENDTODIR / COPYTOSENDTODIRFLAG
};

struct DestinationListSettings {
    std::array<int, 4> priority{1, 2, 3, 4};
    std::array<bool, 4> enabled{true, true, false, false};
};

struct DestinationSources {
    std::array<std::vector<std::wstring>, 4> lists;
};

// The directories among the selection's entries.
std::vector<std::wstring> SelectedDirectories(const SelectionSnapshot& selection);
// The special directories, at most 20, each with a trailing backslash.
std::vector<std::wstring> SpecialDirectoryChoices(const std::vector<std::wstring>& special);
// The targets of the shortcuts in a SendTo folder that are drive roots, lie on
// removable drives or are existing directories (trailing backslash removed).
std::vector<std::wstring> SendToDirectories(IFileSystem& fs, const std::wstring& sendToFolder);
// Every enabled source, priority 1 first.
std::vector<std::wstring> OrderDestinationChoices(const DestinationSources& sources,
                                                  const DestinationListSettings& settings);

}  // namespace zq::fileops
