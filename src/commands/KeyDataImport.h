#pragma once
// "キーデータの読み込み": the key sections of any settings file replace the
// current assignments; every other section of that file is ignored, so a
// colleague's file can lend its keys without its window sizes or colours.
//
//   if (!ImportKeyData(chosenPath, liveKeys)) show kKeyDataReadFailed;
#include <string>
#include <string_view>

#include "commands/KeyAssignments.h"
#include "settings/IniFile.h"

namespace zq {

// The file dialog of the command, in the framework's "label|pattern||" form.
inline constexpr std::wstring_view kKeyDataFilter = L"INIファイル|*.INI||";
inline constexpr const wchar_t* kKeyDataDefaultExtension = L"INI";
inline constexpr std::wstring_view kKeyDataReadFailed = L"ファイルの読み込みに失敗しました";

// Reads KEYEXEDATA, VIEWKEYEXEDATA, GRAPHICKEYEXEDATA and BINARYKEYEXEDATA;
// a key the file does not name keeps its current assignment.  False, with
// the assignments untouched, when the file cannot be read (held by another
// program after the retries, missing, a folder).
[[nodiscard]] bool ImportKeyData(const std::wstring& path, KeyAssignments& keys, IniRetryPolicy retry = {});

// The key sections of a loaded settings file applied to the assignments.
void ReadKeySections(const IniFile& ini, KeyAssignments& keys);

// "a|b|c|d||" -> "a\0b\0c\0d\0\0", the form the platform's file dialogs take.
[[nodiscard]] std::wstring FileDialogFilter(std::wstring_view barSeparated);

}  // namespace zq
