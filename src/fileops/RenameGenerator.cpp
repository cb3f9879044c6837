#include "fileops/RenameGenerator.h"
#include "common/Paths.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <cwctype>

namespace zq::fileops {

namespace {

// A "%" opens a literal only when another "%" closes it; otherwise it is text.
size_t LiteralEnd(std::wstring_view pattern, size_t open) {
    return pattern.find(L'%', open + 1);
}

unsigned RangeOf(int digits) {
    unsigned range = 1;
    for (int i = 0; i < std::min(digits, 5); ++i) range *= 10;
    return range;
}

std::wstring WithNumber(const std::wstring& text, int slot, int digits, unsigned number) {
    if (slot < 0) return text;
    wchar_t buffer[16];
    std::swprintf(buffer, std::size(buffer), L"%0*u", digits, number);
    std::wstring out = text;
    out.insert(static_cast<size_t>(slot), buffer);
    return out;
}

std::wstring Join(const std::wstring& name, const std::wstring& extension) {
    return extension.empty() ? name : name + L"." + extension;
}

}  // namespace

void SplitRenamePattern(std::wstring_view pattern, std::wstring& name, std::wstring& extension) {
    size_t lastDot = std::wstring_view::npos;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%') {
            const size_t end = LiteralEnd(pattern, i);
            if (end != std::wstring_view::npos) {
                i = end;
                continue;
            }
        }
        if (pattern[i] == L'.') lastDot = i;
    }
    if (lastDot == std::wstring_view::npos) {
        name.assign(pattern);
        extension.clear();
    } else {
        name.assign(pattern.substr(0, lastDot));
        extension.assign(pattern.substr(lastDot + 1));
    }
}

bool RenameGenerator::Expand(std::wstring_view pattern, std::wstring_view old, Part& out) {
    out = Part{};
    int literals = 0, stars = 0, numbers = 0;
    size_t from = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t c = pattern[i];
        if (c == L'%') {
            const size_t end = LiteralEnd(pattern, i);
            if (end != std::wstring_view::npos) {
                if (++literals > 1) return false;
                out.text.append(pattern.substr(i + 1, end - i - 1));
                i = end;
                continue;
            }
        }
        if (c == L'?') {
            if (from < old.size()) out.text += old[from++];
        } else if (c == L'*') {
            if (++stars > 1) return false;
            out.text.append(old.substr(std::min(from, old.size())));
            from = old.size();
        } else if (c == L'$' && i + 1 < pattern.size() &&
                   (pattern[i + 1] == L'n' || (pattern[i + 1] >= L'1' && pattern[i + 1] <= L'9' &&
                                               i + 2 < pattern.size() && pattern[i + 2] == L'n'))) {
            if (++numbers > 1) return false;
            out.slot = static_cast<int>(out.text.size());
            if (pattern[i + 1] != L'n') {
                out.digits = pattern[i + 1] - L'0';
                ++i;
            }
            ++i;
        } else {
            out.text += c;
        }
    }
    return true;
}

void RenameGenerator::Init(std::wstring directory, const RenameOptions& options) {
    m_directory = std::move(directory);
    m_options = options;
    SplitRenamePattern(m_options.pattern, m_namePattern, m_extPattern);
    m_name = Counter{};
    m_ext = Counter{};
}

bool RenameGenerator::Generate(const std::wstring& oldName, std::wstring& newName, const NameTaken& taken) {
    const auto isTaken = [&](const std::wstring& name) {
        if (taken) return taken(name);
        return ::GetFileAttributesW((m_directory + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    if (m_options.pattern.find(L'\\') != std::wstring::npos) return false;
    std::wstring oldBase, oldExt;
    SplitFileName(oldName, oldBase, oldExt);
    Part name, ext;
    if (!Expand(m_namePattern, oldBase, name) || !Expand(m_extPattern, oldExt, ext)) return false;
    // Converting can shorten the text (a kana and its voicing mark become one
    // character), so the text on each side of the number slot is converted
    // apart and the slot follows the converted first half.
    if (m_options.convertWidths) {
        if (name.slot < 0) {
            name.text = ConvertCharWidths(name.text, m_options.widths);
        } else {
            const std::wstring before = ConvertCharWidths(name.text.substr(0, name.slot), m_options.widths);
            name.text = before + ConvertCharWidths(name.text.substr(static_cast<size_t>(name.slot)), m_options.widths);
            name.slot = static_cast<int>(before.size());
        }
    }
    const auto accept = [&](const std::wstring& candidate) {
        return SameIgnoringCase(candidate, oldName) || !isTaken(candidate);
    };

    if (name.slot < 0 && ext.slot < 0) {
        const std::wstring candidate = Join(name.text, ext.text);
        if (!accept(candidate)) return false;
        newName = candidate;
        return true;
    }

    const bool same = m_name.used && m_ext.used && name.text == m_name.lastText && name.slot == m_name.lastSlot &&
                      ext.text == m_ext.lastText && ext.slot == m_ext.lastSlot;
    const unsigned nameStart = static_cast<unsigned>(std::max(0, m_options.nameStart));
    const unsigned extStart = static_cast<unsigned>(std::max(0, m_options.extStart));
    const unsigned nameRange = name.slot < 0 ? 1 : RangeOf(name.digits);
    const unsigned extRange = ext.slot < 0 ? 1 : RangeOf(ext.digits);
    unsigned n = name.slot < 0 ? 0 : ((same || (m_options.alwaysAccumulate && m_name.used)) ? m_name.next : nameStart);
    unsigned firstE = ext.slot < 0 ? 0 : (same ? m_ext.next : extStart);
    m_name.lastText = name.text;
    m_name.lastSlot = name.slot;
    m_ext.lastText = ext.text;
    m_ext.lastSlot = ext.slot;
    for (; n < nameRange; ++n) {
        for (unsigned e = firstE; e < extRange; ++e) {
            const std::wstring candidate =
                Join(WithNumber(name.text, name.slot, name.digits, n), WithNumber(ext.text, ext.slot, ext.digits, e));
            if (!accept(candidate)) continue;
            newName = candidate;
            m_name.used = m_ext.used = true;
            // The next entry tries the following number of the inner part,
            // or of the name when only the name counts.
            if (ext.slot >= 0) {
                m_name.next = n;
                m_ext.next = e + 1;
            } else {
                m_name.next = n + 1;
            }
            return true;
        }
        firstE = ext.slot < 0 ? 0 : extStart;
    }
    m_name = Counter{};
    m_ext = Counter{};
    m_name.next = nameStart;
    m_ext.next = extStart;
    return false;
}

NameProblem CheckNewName(std::wstring_view directory, std::wstring_view name) {
    if (name.empty()) return NameProblem::kEmpty;
    for (wchar_t c : name)
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return NameProblem::kInvalidCharacter;
    if (name.back() == L'.' || name.back() == L' ') return NameProblem::kTrailingDotOrBlank;
    if (name.size() > 255 || directory.size() + 1 + name.size() >= MAX_PATH) return NameProblem::kTooLong;
    // The device names are reserved with any extension, and in any case.
    std::wstring stem(name.substr(0, std::min(name.find(L'.'), name.size())));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    static constexpr std::array<std::wstring_view, 4> kDevices = {L"CON", L"PRN", L"AUX", L"NUL"};
    if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return NameProblem::kReserved;
    if (stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
        stem[3] <= L'9')
        return NameProblem::kReserved;
    return NameProblem::kNameOk;
}

std::wstring ConvertCase(std::wstring name, unsigned conversion) {
    if (conversion == 0 || name.empty()) return name;
    const DWORD flags = conversion == 1 ? LCMAP_UPPERCASE : LCMAP_LOWERCASE;
    std::wstring out(name.size(), L'\0');
    const int written = ::LCMapStringEx(LOCALE_NAME_INVARIANT, flags, name.c_str(), static_cast<int>(name.size()),
                                        out.data(), static_cast<int>(out.size()), nullptr, nullptr, 0);
    if (written <= 0) return name;
    out.resize(static_cast<size_t>(written));
    return out;
}

}  // namespace zq::fileops
