#include "filer/DirJump.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "filer/FilerPath.h"
#include "common/Paths.h"

namespace zq {

namespace {

std::wstring WithoutTrailingSeparator(std::wstring path) {
    // "C:\" stays whole: "C:" alone would name the drive's current directory.
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

constexpr size_t kJumpListSize = 100;

}  // namespace

AddJumpResult AddJump(JumpGroup& group, const std::wstring& target) {
    if (target.empty()) return AddJumpResult::NoTarget;
    for (const JumpEntry& entry : group.entries)
        if (SameIgnoringCase(entry.toDir, target)) return AddJumpResult::AlreadyThere;
    group.entries.push_back({target, L"", L""});
    return AddJumpResult::Added;
}

JumpKeyChoice ChooseJumpByKey(const JumpGroup& group, std::wstring_view keyName, int selected) {
    std::vector<int> matches;
    for (size_t i = 0; i < group.entries.size(); ++i)
        if (!keyName.empty() && SameIgnoringCase(group.entries[i].dirKey, keyName))
            matches.push_back(static_cast<int>(i));
    if (matches.empty()) return {};
    if (matches.size() == 1) return {matches[0], true};
    const auto next = std::find_if(matches.begin(), matches.end(), [selected](int i) { return i > selected; });
    return {next != matches.end() ? *next : matches[0], false};
}

int FindJumpKey(const JumpGroup& group, std::wstring_view keyName) {
    if (keyName.empty()) return -1;
    for (size_t i = 0; i < group.entries.size(); ++i) {
        const JumpEntry& entry = group.entries[i];
        if (!entry.toDir.empty() && SameIgnoringCase(entry.dirKey, keyName)) return static_cast<int>(i);
    }
    return -1;
}

JumpDestination DestinationOf(const std::wstring& target) {
    const std::wstring path = WithoutTrailingSeparator(target);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return LocationOf(path);
    return {path, L""};
}

JumpDestination LocationOf(const std::wstring& target) {
    const std::wstring path = WithoutTrailingSeparator(target);
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {path, L""};
    std::wstring directory = path.substr(0, slash);
    if (directory.size() == 2 && directory[1] == L':') directory += L'\\';
    return {directory, path.substr(slash + 1)};
}

std::wstring JumpColumnText(const JumpEntry& entry, int column) {
    switch (column) {
        case 0:
            return entry.dirKey.empty() ? L"" : L"[" + entry.dirKey + L"]";
        case 1:
            return entry.display.empty() ? L"" : L"(" + entry.display + L")";
        default:
            return entry.toDir;
    }
}

int MoveJump(JumpGroup& group, int index, int delta) {
    const int to = index + delta;
    const int count = static_cast<int>(group.entries.size());
    if (index < 0 || index >= count || to < 0 || to >= count) return index;
    std::swap(group.entries[static_cast<size_t>(index)], group.entries[static_cast<size_t>(to)]);
    return to;
}

std::wstring ResolveTypedDirectory(const std::wstring& text, const std::wstring& base) {
    const size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos) return {};
    std::wstring typed = text.substr(first, text.find_last_not_of(L" \t") - first + 1);
    if (typed.size() >= 2 && typed.front() == L'"' && typed.back() == L'"') typed = typed.substr(1, typed.size() - 2);
    if (typed.empty() || typed.find_first_of(L"<>\"|?*") != std::wstring::npos) return {};
    // A colon belongs only after a drive letter.
    const size_t colon = typed.find(L':');
    if (colon != std::wstring::npos && (colon != 1 || typed.find(L':', 2) != std::wstring::npos)) return {};
    const bool absolute = (typed.size() >= 2 && typed[1] == L':') || typed.starts_with(L"\\\\");
    std::wstring joined = absolute || base.empty() ? typed : base + L"\\" + typed;
    // "\dir" is on the base's own drive.
    if (!absolute && typed[0] == L'\\' && base.size() >= 2 && base[1] == L':') joined = base.substr(0, 2) + typed;
    if (joined.size() == 2 && joined[1] == L':') joined += L'\\';
    wchar_t full[MAX_PATH * 2];
    const DWORD length = ::GetFullPathNameW(joined.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    if (length == 0 || length >= std::size(full)) return {};
    std::wstring path(full, length);
    // The pane climbs to the nearest directory that exists, but its root must answer.
    wchar_t root[MAX_PATH * 2];
    if (!::GetVolumePathNameW(path.c_str(), root, static_cast<DWORD>(std::size(root)))) return {};
    if (::GetFileAttributesW(root) == INVALID_FILE_ATTRIBUTES) return {};
    return WithoutTrailingSeparator(path);
}

void PushJumpList(std::vector<std::wstring>& list, const std::wstring& path) {
    if (path.empty()) return;
    std::erase_if(list, [&path](const std::wstring& p) { return SameIgnoringCase(p, path); });
    list.insert(list.begin(), path);
    if (list.size() > kJumpListSize) list.resize(kJumpListSize);
}

}  // namespace zq
