#include "search/FindRequest.h"

#include "common/Paths.h"

namespace zq {

bool MakeFindRequest(const std::wstring& directory, const std::wstring& nameCondition, const std::wstring& searchText,
                     const std::wstring& base, FindRequest& out, std::wstring& complaint) {
    const std::wstring resolved = directory.empty() ? std::wstring() : ResolvePath(base, directory);
    if (resolved.empty()) {
        complaint = L"検索ディレクトリ名が無効です";
        return false;
    }
    if (nameCondition.empty()) {
        complaint = L"検索条件が無効です";
        return false;
    }
    out.directory = FolderForm(resolved);
    out.nameCondition = nameCondition;
    out.searchText = searchText;
    return true;
}

}  // namespace zq
