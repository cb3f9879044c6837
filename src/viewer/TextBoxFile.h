#pragma once
// The text box's notepad file beside the program: read as UTF-16 when it
// starts with the little-endian mark, else as ANSI text; always written back
// as the mark and UTF-16, whatever it was read as.
#include <string>

namespace zq::viewer {

inline constexpr const wchar_t* kTextBoxFileName = L"zq_TextBox.txt";

// Empty when the file does not exist or cannot be read.
[[nodiscard]] std::wstring LoadTextBoxFile(const std::wstring& path);
// Writes a new file beside the old one and swaps it in, so a failed write
// leaves yesterday's notes rather than half of today's.
bool SaveTextBoxFile(const std::wstring& path, const std::wstring& text);

}  // namespace zq::viewer
