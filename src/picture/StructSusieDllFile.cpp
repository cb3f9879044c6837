#include "picture/StructSusieDllFile.h"

#include <algorithm>
#include <cwchar>

#include <windows.h>

#include "common/TextConv.h"

namespace zq {
namespace {

std::wstring Extension(std::wstring_view pattern) {
    const size_t dot = pattern.rfind(L'.');
    if (dot == std::wstring_view::npos) return {};
    std::wstring ext(pattern.substr(dot + 1));
    for (wchar_t& c : ext) c = static_cast<wchar_t>(std::towlower(c));
    return ext;
}

template <size_t N>
void CopyText(wchar_t (&field)[N], std::wstring_view text) {
    const size_t length = std::min(text.size(), N - 1);
    std::wmemcpy(field, text.data(), length);
    field[length] = L'\0';
}

}  // namespace

SusieLoadMode SusieLoadModeFrom(int highLoadSpi) noexcept {
    if (highLoadSpi == 1) return SusieLoadMode::NewOnly;
    if (highLoadSpi == 2) return SusieLoadMode::On;
    return SusieLoadMode::Off;
}

int StructSusieDllFile::Kind() const noexcept {
    if (apiVersion[2] == 'I' && apiVersion[3] == 'N') return kSusieImage;
    if (apiVersion[2] == 'A' && apiVersion[3] == 'M') return kSusieArchive;
    return 0;
}

bool StructSusieDllFile::Is32Bit() const noexcept {
    const size_t length = std::wcslen(fileName);
    return length >= 4 && ::CompareStringOrdinal(fileName + length - 4, 4, L".spi", 4, TRUE) == CSTR_EQUAL;
}

void StructSusieDllFile::SetFileName(std::wstring_view name) {
    CopyText(fileName, name);
}

void StructSusieDllFile::SetTypeName(std::wstring_view name) {
    CopyText(typeName, name);
}

std::wstring StructSusieDllFile::JoinedPatterns(wchar_t separator) const {
    std::wstring text;
    for (size_t i = 0; i < patterns.size(); ++i) {
        if (i > 0) text += separator;
        text += patterns[i];
    }
    return text;
}

void StructSusieDllFile::CompleteJpeg() {
    const auto has = [&](const wchar_t* ext) {
        return std::any_of(patterns.begin(), patterns.end(),
                           [&](const std::wstring& p) { return Extension(p) == ext; });
    };
    if (has(L"jpg") && !has(L"jpeg")) patterns.push_back(L"*.jpeg");
}

std::wstring StoredPluginValue(const StructSusieDllFile& plugin, SusieLoadMode mode) {
    std::wstring value = plugin.enabled ? L"@" : L"";
    value += plugin.fileName;
    if (mode == SusieLoadMode::Off) return value;
    value += L',';
    value += ToWide(plugin.apiVersion);
    value += L',';
    value += plugin.JoinedPatterns(L'&');
    value += L',';
    value += plugin.typeName;
    return value;
}

std::optional<StructSusieDllFile> ParseStoredPlugin(std::wstring_view value, SusieLoadMode mode) {
    StructSusieDllFile plugin;
    const size_t nameEnd = std::min(value.find(L','), value.size());
    std::wstring_view name = value.substr(0, nameEnd);
    plugin.enabled = !name.empty() && name.front() == L'@' ? 1 : 0;
    if (plugin.enabled) name.remove_prefix(1);
    plugin.SetFileName(name);
    if (mode == SusieLoadMode::Off) {
        if (name.empty()) return std::nullopt;
        return plugin;
    }
    std::wstring_view rest = nameEnd < value.size() ? value.substr(nameEnd + 1) : std::wstring_view();
    const size_t versionEnd = std::min(rest.find(L','), rest.size());
    const std::string version = ToNarrow(rest.substr(0, versionEnd));
    // A longer version is no version any plug-in gives: the record stays, unusable.
    if (version.size() <= 8) std::copy(version.begin(), version.end(), plugin.apiVersion);
    rest = versionEnd < rest.size() ? rest.substr(versionEnd + 1) : std::wstring_view();
    const size_t patternsEnd = std::min(rest.find(L','), rest.size());
    std::wstring_view patterns = rest.substr(0, patternsEnd);
    while (!patterns.empty()) {
        const size_t amp = std::min(patterns.find(L'&'), patterns.size());
        if (amp > 0) plugin.patterns.emplace_back(patterns.substr(0, amp));
        patterns = amp < patterns.size() ? patterns.substr(amp + 1) : std::wstring_view();
    }
    if (patternsEnd < rest.size()) plugin.SetTypeName(rest.substr(patternsEnd + 1));
    if (name.empty() || plugin.patterns.empty()) return std::nullopt;
    plugin.CompleteJpeg();
    return plugin;
}

}  // namespace zq
