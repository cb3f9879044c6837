#include "fileops/RenameExchange.h"

#include <windows.h>

#include "common/Paths.h"

namespace zq::fileops {

namespace {

std::wstring Join(const std::wstring& directory, const std::wstring& name) {
    return JoinPath(directory, name);
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Renames with the attributes cleared for the move and put back on the file
// under its new name; on a failed move the old name gets them back.
bool MoveKeepingAttributes(const std::wstring& from, const std::wstring& to, DWORD attributes) {
    ::SetFileAttributesW(from.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::MoveFileW(from.c_str(), to.c_str())) {
        ::SetFileAttributesW(from.c_str(), attributes);
        return false;
    }
    ::SetFileAttributesW(to.c_str(), attributes);
    return true;
}

}  // namespace

ExchangeResult ExchangeNames(const ExchangeFile& first, const ExchangeFile& second) {
    const std::wstring path1 = Join(first.directory, first.name);
    const std::wstring path2 = Join(second.directory, second.name);
    const DWORD attributes1 = ::GetFileAttributesW(path1.c_str());
    const DWORD attributes2 = ::GetFileAttributesW(path2.c_str());
    if (attributes1 == INVALID_FILE_ATTRIBUTES || attributes2 == INVALID_FILE_ATTRIBUTES)
        return ExchangeResult::kFailed;

    if (!SamePath(first.directory, second.directory)) {
        const std::wstring new1 = Join(first.directory, second.name);
        const std::wstring new2 = Join(second.directory, first.name);
        if (Exists(new1) || Exists(new2)) return ExchangeResult::kNameExists;
        if (!MoveKeepingAttributes(path1, new1, attributes1)) return ExchangeResult::kFailed;
        if (!MoveKeepingAttributes(path2, new2, attributes2)) return ExchangeResult::kFailed;
        return ExchangeResult::kDone;
    }

    std::wstring parked;
    for (int n = 0;; ++n) {
        parked = Join(first.directory, L"Temp_" + std::to_wstring(n));
        if (!Exists(parked)) break;
    }
    if (!MoveKeepingAttributes(path1, parked, attributes1)) return ExchangeResult::kFailed;
    if (!MoveKeepingAttributes(path2, path1, attributes2)) return ExchangeResult::kFailed;
    if (!MoveKeepingAttributes(parked, path2, attributes1)) return ExchangeResult::kFailed;
    return ExchangeResult::kDone;
}

const wchar_t* ExchangeMessage(ExchangeResult result) noexcept {
    switch (result) {
        case ExchangeResult::kNameExists:
            return L"変換後と同じファイル名が存在します";
        case ExchangeResult::kFailed:
            return L"ファイル名の変更に失敗しました";
        case ExchangeResult::kDone:
            break;
    }
    return L"";
}

}  // namespace zq::fileops
