#include "search/FindPatterns.h"

#include <windows.h>

#include <algorithm>

namespace zq {

namespace {

std::string ByCodePage(std::wstring_view text, UINT codePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int needed = ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string bytes(static_cast<size_t>(needed), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
    return bytes;
}

// MLang's converter knows EUC-JP (51932) and the ISO-2022-JP family, which
// the plain code-page call lacks on some systems.
std::string ByMlang(std::wstring_view text, DWORD encoding) {
    using Convert = HRESULT(WINAPI*)(LPDWORD, DWORD, LPCWSTR, LPINT, LPSTR, LPINT);
    static const Convert convert = [] {
        HMODULE mlang = ::LoadLibraryW(L"mlang.dll");
        return mlang ? reinterpret_cast<Convert>(
                           reinterpret_cast<void*>(::GetProcAddress(mlang, "ConvertINetUnicodeToMultiByte")))
                     : nullptr;
    }();
    if (!convert || text.empty()) return {};
    DWORD mode = 0;
    int wideCount = static_cast<int>(text.size());
    // An escape and a shift per character at most, and the closing escape.
    int byteCount = wideCount * 8 + 8;
    std::string bytes(static_cast<size_t>(byteCount), '\0');
    if (convert(&mode, encoding, text.data(), &wideCount, bytes.data(), &byteCount) != S_OK || byteCount <= 0)
        return {};
    bytes.resize(static_cast<size_t>(byteCount));
    return bytes;
}

// The JIS form is compared without its shifts: each ESC and the two bytes after it go.
std::string StripEscapes(const std::string& jis) {
    std::string out;
    for (size_t i = 0; i < jis.size(); ++i) {
        if (jis[i] == '\x1b') {
            i += 2;
            continue;
        }
        out.push_back(jis[i]);
    }
    return out;
}

}  // namespace

size_t FindPatternSet::Shortest() const noexcept {
    size_t shortest = 0;
    for (const std::string& p : patterns)
        if (shortest == 0 || p.size() < shortest) shortest = p.size();
    return shortest;
}

std::string EncodeForSearch(std::wstring_view text, FindCharCode code) {
    switch (code) {
        case kFindSjis:
            return ByCodePage(text, CP_ACP);
        case kFindEuc: {
            std::string euc = ByMlang(text, 51932);
            return euc.empty() ? ByCodePage(text, 20932) : euc;
        }
        case kFindUnicode:
            return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        case kFindJis: {
            std::string jis = ByCodePage(text, 50220);
            if (jis.empty()) jis = ByMlang(text, 50220);
            return StripEscapes(jis);
        }
        case kFindUtf8:
            return ByCodePage(text, CP_UTF8);
        case kFindCharCodeCount:
            break;
    }
    return {};
}

FindPatternSet BuildPatternSet(std::wstring_view text, const FindCharCodes& codes) {
    FindPatternSet set;
    for (int code = 0; code < kFindCharCodeCount; ++code) {
        if (!codes[static_cast<size_t>(code)]) continue;
        std::string bytes = EncodeForSearch(text, static_cast<FindCharCode>(code));
        // The same bytes twice (ASCII text in several codes) would only be compared twice.
        if (!bytes.empty() && std::find(set.patterns.begin(), set.patterns.end(), bytes) == set.patterns.end())
            set.patterns.push_back(std::move(bytes));
    }
    return set;
}

}  // namespace zq
