#pragma once
// Code-page conversion at the edges that need 8-bit text (plug-ins, archiver
// library, the Viewer's internal form, ANSI settings files).
#include <string>
#include <string_view>

namespace zq {

// CP_ACP is the system's ANSI code page (932 on a Japanese desktop).
std::wstring ToWide(std::string_view bytes, unsigned codePage = 0 /* CP_ACP */);
std::string ToNarrow(std::wstring_view text, unsigned codePage = 0 /* CP_ACP */);
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

// "%s:Error Code=%u", the program's form for a failed file call.
std::wstring FormatErrorCode(std::wstring_view callName, unsigned long code);

}  // namespace zq
