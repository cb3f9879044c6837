#include "fileops/MakeDirectory.h"

#include <vector>

#include "common/Paths.h"

namespace zq::fileops {
namespace {

constexpr size_t kPathCapacity = 520;

bool ValidComponents(std::wstring_view rest) {
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring_view::npos) end = rest.size();
        const std::wstring_view part = rest.substr(start, end - start);
        // A trailing dot or space is dropped by the platform: the directory
        // made would not have the name typed.
        if (!part.empty() && (part.back() == L'.' || part.back() == L' ') && part != L"." && part != L"..")
            return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

bool PlanMakeDirectory(const std::wstring& paneDirectory, const std::wstring& typed, MakeDirectoryPlan& plan) {
    std::wstring name = typed;
    while (!name.empty() && name.back() == L' ') name.pop_back();
    while (!name.empty() && name.front() == L' ') name.erase(0, 1);
    if (name.empty()) return false;
    // A colon belongs only to the drive of an absolute name.
    const size_t root = RootLength(name);
    if (name.find_first_of(L"*?\"<>|") != std::wstring::npos) return false;
    if (name.find(L':', root) != std::wstring::npos) return false;
    const std::wstring full = ResolvePath(paneDirectory, name);
    if (full.empty() || full.size() >= kPathCapacity || IsRootPath(full)) return false;
    const size_t fullRoot = RootLength(full);
    if (!ValidComponents(std::wstring_view(full).substr(fullRoot))) return false;

    std::wstring base = NormalisePath(paneDirectory);
    if (!IsSameOrBelow(full, base) || SamePath(full, base)) base = RootOf(full);
    if (base.empty() || base.back() != L'\\') base += L'\\';
    std::wstring below = full.substr(base.size());
    plan.full = full;
    plan.firstComponent = below.substr(0, below.find(L'\\'));
    return !plan.firstComponent.empty();
}

bool MakeDirectoryTree(IFileSystem& fs, const std::wstring& full) {
    const DWORD existing = fs.Attributes(full);
    if (existing != INVALID_FILE_ATTRIBUTES) {
        ::SetLastError(ERROR_ALREADY_EXISTS);
        return false;
    }
    // Up to the nearest part that is there, then down again making each.
    std::vector<std::wstring> missing;
    std::wstring path = full;
    while (!path.empty() && !IsRootPath(path) && fs.Attributes(path) == INVALID_FILE_ATTRIBUTES) {
        missing.push_back(path);
        path = ParentPath(path);
    }
    if (!path.empty() && !IsRootPath(path) && (fs.Attributes(path) & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        ::SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!fs.MakeDirectory(*it)) return false;
    }
    return true;
}

}  // namespace zq::fileops
