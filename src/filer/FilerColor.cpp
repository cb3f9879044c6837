#include "filer/FilerColor.h"

namespace zq::filer {

namespace {

bool IsDirectory(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

std::wstring_view WithoutDot(std::wstring_view extension) {
    if (!extension.empty() && extension.front() == L'.') extension.remove_prefix(1);
    return extension;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// Wave files count as music for the name colour even without a title.
bool IsMusic(const WIN32_FIND_DATAW& entry, std::wstring_view extension, bool hasMusicTitle) {
    return hasMusicTitle || (!IsDirectory(entry.dwFileAttributes) && EqualNoCase(WithoutDot(extension), L"WAV"));
}

}  // namespace

const std::array<FilerColorKey, kFilerColorCount>& FilerColorKeys() {
    static const std::array<FilerColorKey, kFilerColorCount> keys = {{
        {L"READ_ONLY_COLOR", 0x0000ff},
        {L"SYSTEM_COLOR", 0x00ff00},
        {L"DIRECTORY_COLOR", 0xffff00},
        {L"HIDDEN_COLOR", 0xff0000},
        {L"ARCHIVE_COLOR", 0x00ffff},
        {L"BACK_GROUND_COLOR", 0x000000},
        {L"ALL_INTRO_COLOR", 0x00ffff},
        {L"INTRO_VOLUME_COLOR", 0xffff00},
        {L"TIME_COLOR", 0x00ff00},
        {L"INFORMATION_COLOR", 0xffffff},
        {L"ALARM_COLOR", 0x0000ff},
        {L"TAG_COLOR", 0x00ffff},
        {L"LINE_COLOR", 0xffff00},
        {L"VIEWER_COLOR", 0xffffff},
        {L"VIEWER_CONTROL_COLOR", 0x00ff00},
        {L"VIEWER_LINE_COLOR", 0x00ff00},
        {L"BINARYCMP_COLOR", 0xffff00},
        {L"MPEGNAME_COLOR", 0xffffff},
        {L"PREVIEW_BACK_COLOR", 0xffffff},
        {L"PREVIEW_SEL_COLOR", 0x00ff00},
    }};
    return keys;
}

FilerColors::FilerColors() {
    const auto& keys = FilerColorKeys();
    for (size_t i = 0; i < kFilerColorCount; ++i) values[i] = keys[i].defaultValue;
}

KindColorTable::KindColorTable(std::vector<KindColor> rows) : m_rows(std::move(rows)) {
    if (m_rows.size() > kMaxRows) m_rows.resize(kMaxRows);
}

const COLORREF* KindColorTable::Find(std::wstring_view extension) const {
    extension = WithoutDot(extension);
    if (extension.empty()) return nullptr;
    for (const KindColor& row : m_rows) {
        if (EqualNoCase(WithoutDot(row.extension), extension)) return &row.color;
    }
    return nullptr;
}

COLORREF AttributeColor(DWORD attributes, const FilerColors& colors, bool colorNeglectAttribute) {
    const bool directory = IsDirectory(attributes);
    if (directory && colorNeglectAttribute) return colors[FilerColorId::Directory];
    if (attributes & FILE_ATTRIBUTE_SYSTEM) return colors[FilerColorId::System];
    if (attributes & FILE_ATTRIBUTE_HIDDEN) return colors[FilerColorId::Hidden];
    if (attributes & FILE_ATTRIBUTE_READONLY) return colors[FilerColorId::ReadOnly];
    return directory ? colors[FilerColorId::Directory] : colors[FilerColorId::Archive];
}

COLORREF EntryColor(const WIN32_FIND_DATAW& entry, std::wstring_view extension, const FilerColors& colors,
                    const KindColorTable& kinds, const EntryColorOptions& options, bool hasMusicTitle) {
    COLORREF color = AttributeColor(entry.dwFileAttributes, colors, options.colorNeglectAttribute);
    if (options.dispFileKindColor && !IsDirectory(entry.dwFileAttributes)) {
        if (const COLORREF* kind = kinds.Find(extension)) color = *kind;
    }
    if (options.mpegNameDisplay && IsMusic(entry, extension, hasMusicTitle)) color = colors[FilerColorId::MpegName];
    return color;
}

COLORREF ExtensionColor(const WIN32_FIND_DATAW& entry, std::wstring_view extension, COLORREF entryColor,
                        const KindColorTable& kinds, const EntryColorOptions& options, bool hasMusicTitle) {
    if (IsDirectory(entry.dwFileAttributes) || options.dispFileKindColor) return entryColor;
    // A music entry is drawn in one colour from end to end.
    if (options.mpegNameDisplay && IsMusic(entry, extension, hasMusicTitle)) return entryColor;
    if (const COLORREF* kind = kinds.Find(extension)) return *kind;
    return entryColor;
}

}  // namespace zq::filer
