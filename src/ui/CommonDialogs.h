#pragma once
// The platform's file and folder pickers.
#include <windows.h>

#include <optional>
#include <string>

namespace zq::ui {

// filter: pairs separated by '\0' ("テキスト (*.txt)\0*.txt\0"), ending with a double '\0'.
std::optional<std::wstring> ChooseOpenFile(HWND owner, const std::wstring& title, const wchar_t* filter,
                                           const std::wstring& initialFolder = L"");
std::optional<std::wstring> ChooseSaveFile(HWND owner, const std::wstring& title, const wchar_t* filter,
                                           const std::wstring& initialName = L"", const wchar_t* defaultExt = nullptr);
std::optional<std::wstring> ChooseFolder(HWND owner, const std::wstring& title,
                                         const std::wstring& initialFolder = L"");

}  // namespace zq::ui
