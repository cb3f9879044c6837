#pragma once
// What the binary editor tells the user, word for word.  The engine reports
// which failure happened; the window shows one of these.
#include <string>
#include <string_view>

namespace zq::binedit::message {

inline constexpr const wchar_t* kNoMemory = L"メモリが足りません";
inline constexpr const wchar_t* kOpenFailed = L"ファイルを開くのに失敗しました";
inline constexpr const wchar_t* kInputInvalid = L"入力データが不正です";
inline constexpr const wchar_t* kSearchInvalid = L"検索データが不正です";
inline constexpr const wchar_t* kReplaceInvalid = L"置換データが不正です";
inline constexpr const wchar_t* kRowInvalid = L"行数データが不正です";
inline constexpr const wchar_t* kRangeInvalid = L"範囲指定データが不正です";
inline constexpr const wchar_t* kChangedPosFailed = L"変更箇所出力ファイルの書き込みに失敗しました";
inline constexpr const wchar_t* kAllocFailed = L"メモリの確保に失敗しました";
inline constexpr const wchar_t* kConfirmTitle = L"確認";
inline constexpr const wchar_t* kSaveTitle = L"ファイルの保存";
inline constexpr const wchar_t* kSearchFinished = L"検索終了しました";
inline constexpr const wchar_t* kConvertAsk = L"データを変換しますか";
inline constexpr const wchar_t* kEditDataInvalid = L"EditFileデータが不正です";
inline constexpr const wchar_t* kCompareDataInvalid = L"比較対象データが不正です";
inline constexpr const wchar_t* kDifferenceInvalid = L"差データが不正です";
inline constexpr const wchar_t* kNothingToFind = L"比較入力されたパラメータで検出できません";
inline constexpr const wchar_t* kLengthsDiffer = L"比較のためのデータの長さが違います";
inline constexpr const wchar_t* kCompareOpenFailed = L"比較ファイルを開くのに失敗しました";

// "%sの保存に失敗しました" with the path.
[[nodiscard]] inline std::wstring SaveFailed(std::wstring_view path) {
    return std::wstring(path) + L"の保存に失敗しました";
}
// "%sは変更しています。保存しますか" with the path.
[[nodiscard]] inline std::wstring AskSave(std::wstring_view path) {
    return std::wstring(path) + L"は変更しています。保存しますか";
}
// Asked before a save over a file that another program wrote since it was opened.
[[nodiscard]] inline std::wstring AskOverwrite(std::wstring_view path) {
    return std::wstring(path) + L"は他のプログラムで変更されています。上書き保存しますか";
}
// "%ld個のデータを変換しました" with the count.
[[nodiscard]] inline std::wstring Converted(long long count) {
    return std::to_wstring(count) + L"個のデータを変換しました";
}

// "%ldバイトのメモリを使用します。よろしいですか": the text takes three units per byte.
[[nodiscard]] inline std::wstring UseMemory(long long selectedBytes) {
    return std::to_wstring(selectedBytes * 3) + L"バイトのメモリを使用します。よろしいですか";
}

}  // namespace zq::binedit::message
