#include "common/TextConv.h"

#include <windows.h>

#include <cwchar>

namespace zq {

std::wstring ToWide(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int needed = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring out(static_cast<size_t>(needed), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), length, out.data(), needed);
    return out;
}

std::string ToNarrow(std::wstring_view text, unsigned codePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int needed = ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string out(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

std::string ToUtf8(std::wstring_view text) {
    return ToNarrow(text, CP_UTF8);
}
std::wstring FromUtf8(std::string_view bytes) {
    return ToWide(bytes, CP_UTF8);
}

std::wstring FormatErrorCode(std::wstring_view callName, unsigned long code) {
    std::wstring out(callName);
    out += L":Error Code=";
    out += std::to_wstring(code);
    return out;
}

}  // namespace zq
