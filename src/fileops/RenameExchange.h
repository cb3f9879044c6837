#pragma once
// "名前の交換": two files trade names, in one directory or across two.  Each
// file is made normal for its rename and gets its own attributes back, so a
// read-only or hidden file keeps what it was.
#include <string>

namespace zq::fileops {

struct ExchangeFile {
    std::wstring directory;
    std::wstring name;
};

enum class ExchangeResult {
    kDone,
    kNameExists,  // "変換後と同じファイル名が存在します"
    kFailed,      // "ファイル名の変更に失敗しました"; the steps done stay done
};

// In one directory file 1 waits under the first free "Temp_%d" while file 2
// takes its name; across two directories neither new name may exist yet.
[[nodiscard]] ExchangeResult ExchangeNames(const ExchangeFile& first, const ExchangeFile& second);

[[nodiscard]] const wchar_t* ExchangeMessage(ExchangeResult result) noexcept;

}  // namespace zq::fileops
