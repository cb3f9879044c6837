#include "picture/SusieSettingsModel.h"

#include <algorithm>

#include "settings/Settings.h"

namespace zq {

namespace {

int Clamp(int value, int low, int high) {
    return std::min(std::max(value, low), high);
}

bool IsBlank(const std::wstring& text) {
    return text.find_first_not_of(L" \t") == std::wstring::npos;
}

}  // namespace

SusieSettingsValues SusieSettingsValues::From(const Settings& s) {
    SusieSettingsValues v;
    v.susieDirectory = s.susieDirectory;
    v.tempDirectory = s.tempDirectory;
    // What the loader makes of the value: anything but 1 and 2 is off.
    v.highLoad = static_cast<int>(SusieLoadModeFrom(s.HIGHLOADSPI));
    // The keys are named the other way round from what they mean.
    v.scaleWidth = s.HEIGHTSCALING != 0;
    v.scaleHeight = s.WIDTHSCALING != 0;
    v.beforeFullScreen = s.BEFOREFULLSCREEN != 0;
    v.sortNameInDir = s.SORTNAMEGRAPHICINDIR != 0;
    v.keepWindowSize = s.GRAPHIC_VIEW_NOT_CHANGE_WND_SIZE != 0;
    v.deleteTemp = s.DELTEMP != 0;
    v.hPos = Clamp(s.GRAPHIC_VIEW_H_POS, 0, 2);
    v.vPos = Clamp(s.GRAPHIC_VIEW_V_POS, 0, 2);
    v.previewWidth = s.PREVIEW_WIDTH;
    v.previewHeight = s.PREVIEW_HEIGHT;
    v.maxPreviewFiles = s.MAX_PREVIEW_FILES;
    v.previewUseGetPicture = s.PREVIEW_USE_GET_PICTURE != 0;
    v.previewSleep = s.PREVIEW_NEXT_FILE_SLEEP;
    v.previewCellType = s.PREVIEW_FILE_NAME;
    v.previewNameLen = s.PREVIEW_FILE_NAME_LEN;
    v.previewKindLen = s.PREVIEW_FILE_KIND_LEN;
    return v;
}

void SusieSettingsValues::To(Settings& s) const {
    s.susieDirectory = susieDirectory;
    s.tempDirectory = tempDirectory;
    s.HIGHLOADSPI = highLoad;
    s.HEIGHTSCALING = scaleWidth ? 1 : 0;
    s.WIDTHSCALING = scaleHeight ? 1 : 0;
    s.BEFOREFULLSCREEN = beforeFullScreen ? 1 : 0;
    s.SORTNAMEGRAPHICINDIR = sortNameInDir ? 1 : 0;
    s.GRAPHIC_VIEW_NOT_CHANGE_WND_SIZE = keepWindowSize ? 1 : 0;
    s.DELTEMP = deleteTemp ? 1 : 0;
    s.GRAPHIC_VIEW_H_POS = hPos;
    s.GRAPHIC_VIEW_V_POS = vPos;
    s.PREVIEW_WIDTH = previewWidth;
    s.PREVIEW_HEIGHT = previewHeight;
    s.MAX_PREVIEW_FILES = maxPreviewFiles;
    s.PREVIEW_USE_GET_PICTURE = previewUseGetPicture ? 1 : 0;
    s.PREVIEW_NEXT_FILE_SLEEP = previewSleep;
    s.PREVIEW_FILE_NAME = previewCellType >= 0 && previewCellType <= 3 ? previewCellType : 0;
    s.PREVIEW_FILE_NAME_LEN = previewNameLen;
    s.PREVIEW_FILE_KIND_LEN = previewKindLen;
}

SusieSettingsModel::SusieSettingsModel(std::vector<StructSusieDllFile> plugins, SusieSettingsValues values)
    : m_plugins(std::move(plugins)), m_values(std::move(values)) {}

std::vector<SusiePluginLine> SusieSettingsModel::Lines(int kind) const {
    std::vector<SusiePluginLine> lines;
    size_t longest = 0;
    for (const StructSusieDllFile& p : m_plugins)
        if (p.Kind() == kind) longest = std::max(longest, p.FileName().size());
    for (size_t i = 0; i < m_plugins.size(); ++i) {
        const StructSusieDllFile& p = m_plugins[i];
        if (p.Kind() != kind) continue;
        std::wstring text(p.FileName());
        text.append(longest + 1 - text.size(), L' ');
        text += L'[';
        text += p.JoinedPatterns(L',');
        text += L']';
        text += p.typeName;
        if (p.Is32Bit()) text += L" (32bit)";
        lines.push_back({i, std::move(text)});
    }
    return lines;
}

void SusieSettingsModel::SetEnabled(size_t index, bool enabled) {
    if (index < m_plugins.size()) m_plugins[index].enabled = enabled ? 1 : 0;
}

void SusieSettingsModel::SetPatterns(size_t index, std::vector<std::wstring> patterns) {
    if (index < m_plugins.size()) m_plugins[index].patterns = std::move(patterns);
}

PatternPager::PatternPager(std::vector<std::wstring> patterns) : m_slots(std::move(patterns)) {}

std::vector<std::wstring> PatternPager::Fields() const {
    std::vector<std::wstring> fields(kPerPage);
    for (size_t i = 0; i < kPerPage; ++i) {
        const size_t slot = m_page * kPerPage + i;
        if (slot < m_slots.size()) fields[i] = m_slots[slot];
    }
    return fields;
}

void PatternPager::Store(const std::vector<std::wstring>& fields) {
    const size_t first = m_page * kPerPage;
    for (size_t i = 0; i < std::min(fields.size(), kPerPage); ++i) {
        // Empty fields past the end of the list add nothing; a filled one grows it.
        if (first + i >= m_slots.size()) {
            if (IsBlank(fields[i])) continue;
            m_slots.resize(first + i + 1);
        }
        m_slots[first + i] = fields[i];
    }
}

void PatternPager::Next() {
    ++m_page;
}

void PatternPager::Back() {
    if (m_page > 0) --m_page;
}

std::vector<std::wstring> PatternPager::Result() const {
    std::vector<std::wstring> result;
    for (const std::wstring& slot : m_slots) {
        if (IsBlank(slot)) continue;
        const size_t first = slot.find_first_not_of(L" \t");
        const size_t last = slot.find_last_not_of(L" \t");
        result.push_back(slot.substr(first, last - first + 1));
    }
    return result;
}

}  // namespace zq
