#include "commands/MenuBar.h"

#include <algorithm>
#include <cwchar>

#include "resource.h"

namespace zq {

namespace {

const StructMenuMode kMenuModes[kMenuModeCount] = {
    {L"ファイラーモード",
     IDR_MENU_FILER,
     8,
     {L"ファイル操作(&F)", L"ドライブ変更(&C)", L"特殊操作(&S)", L"プラグイン(&I)", L"表示設定(&V)", L"各種設定(&D)",
      L"マルチメディア(&P)", L"ヘルプ(&H)"}},
    {L"ネットワークモード",
     IDR_MENU_NETWORK,
     8,
     {L"操作(&O)", L"ドライブ変更(&C)", L"特殊操作(&S)", L"プラグイン(&I)", L"表示設定(&V)", L"各種設定(&D)",
      L"マルチメディア(&P)", L"ヘルプ(&H)"}},
    {L"ドライブリストモード",
     IDR_MENU_DRIVELIST,
     8,
     {L"操作(&O)", L"ドライブ変更(&C)", L"特殊操作(&S)", L"プラグイン(&I)", L"表示設定(&V)", L"各種設定(&D)",
      L"マルチメディア(&P)", L"ヘルプ(&H)"}},
    {L"圧縮ファイルの閲覧モード",
     IDR_MENU_ARCHIVE,
     7,
     {L"ファイル操作(&F)", L"ドライブ変更(&C)", L"特殊操作(&S)", L"表示設定(&V)", L"各種設定(&D)",
      L"マルチメディア(&P)", L"ヘルプ(&H)"}},
    {L"ファイル閲覧モード",
     IDR_MENU_VIEWER,
     7,
     {L"操作(&O)", L"文字列の検索(&C)", L"特殊操作(&S)", L"表示設定(&V)", L"各種設定(&D)", L"マルチメディア(&P)",
      L"ヘルプ(&H)"}},
    {L"バイナリエディットモード",
     IDR_MENU_BINARY,
     9,
     {L"操作(&O)", L"行数移動(&L)", L"検索(&C)", L"データ操作(&M)", L"特殊操作(&S)", L"表示設定(&V)", L"各種設定(&D)",
      L"マルチメディア(&P)", L"ヘルプ(&H)"}},
    {L"画像の閲覧モード",
     IDR_MENU_GRAPHIC,
     8,
     {L"操作(&O)", L"次の画像へ(&N)", L"画像の保存(&B)", L"特殊操作(&S)", L"表示設定(&V)", L"各種設定(&D)",
      L"マルチメディア(&P)", L"ヘルプ(&H)"}},
};

struct StructMenuChoice {
    std::uint32_t modeMask;
    unsigned resource;
};

// Tried in this order against the focused pane.
const StructMenuChoice kMenuChoices[] = {
    {pane_mode::kDirectory, IDR_MENU_FILER},
    {pane_mode::kArchive, IDR_MENU_ARCHIVE},
    {pane_mode::kPicture | pane_mode::kArchivePicture, IDR_MENU_GRAPHIC},
    {pane_mode::kArchiveText, IDR_MENU_VIEWER},
    {pane_mode::kText, IDR_MENU_VIEWER},
    {pane_mode::kDriveList, IDR_MENU_DRIVELIST},
    {pane_mode::kBinary, IDR_MENU_BINARY},
    {pane_mode::kNetwork, IDR_MENU_NETWORK},
};

bool ValidFlag(int mode, int popup) {
    return mode >= 0 && mode < kMenuModeCount && popup >= 0 && popup < kMaxMenuPopups;
}

std::wstring FlagKeyName(int mode, int popup) {
    wchar_t name[16];
    std::swprintf(name, 16, L"MENU%02d%02d", mode, popup);
    return name;
}

}  // namespace

std::span<const StructMenuMode> MenuModeTable() {
    return kMenuModes;
}

int MenuModeIndex(unsigned resource) {
    for (int i = 0; i < kMenuModeCount; ++i)
        if (kMenuModes[i].resource == resource) return i;
    return -1;
}

unsigned ChooseMenuBar(bool menuDisplay, const ModeQuery& focusedPaneIn) {
    if (!menuDisplay || !focusedPaneIn) return 0;
    for (const StructMenuChoice& c : kMenuChoices)
        if (focusedPaneIn(c.modeMask)) return c.resource;
    return 0;
}

bool HiddenMenuFlags::Hidden(int mode, int popup) const {
    return ValidFlag(mode, popup) && m_hidden[mode][popup];
}

void HiddenMenuFlags::SetHidden(int mode, int popup, bool hidden) {
    if (ValidFlag(mode, popup)) m_hidden[mode][popup] = hidden;
}

std::vector<KeyValueLine> HiddenMenuFlags::ToSection() const {
    std::vector<KeyValueLine> lines;
    for (int m = 0; m < kMenuModeCount; ++m)
        for (int p = 0; p < kMenuModes[m].popupCount; ++p)
            lines.emplace_back(FlagKeyName(m, p), m_hidden[m][p] ? L"1" : L"0");
    return lines;
}

void HiddenMenuFlags::ReadSection(const std::vector<KeyValueLine>& lines) {
    for (int m = 0; m < kMenuModeCount; ++m) {
        for (int p = 0; p < kMenuModes[m].popupCount; ++p) {
            const std::wstring key = FlagKeyName(m, p);
            const auto it =
                std::find_if(lines.begin(), lines.end(), [&](const KeyValueLine& l) { return l.first == key; });
            if (it != lines.end()) m_hidden[m][p] = std::wcstol(it->second.c_str(), nullptr, 10) != 0;
        }
    }
}

std::vector<int> TopLevelPopupsToRemove(unsigned resource, const HiddenMenuFlags& flags,
                                        std::span<const std::wstring> barLabels) {
    std::vector<int> positions;
    const int mode = MenuModeIndex(resource);
    auto removeLabel = [&](std::wstring_view label) {
        for (std::size_t i = 0; i < barLabels.size(); ++i) {
            if (barLabels[i] == label) {
                positions.push_back(static_cast<int>(i));
                return;
            }
        }
    };
    if (mode >= 0) {
        for (int p = 0; p < kMenuModes[mode].popupCount; ++p) {
            const std::wstring_view label = kMenuModes[mode].popups[p];
            if (flags.Hidden(mode, p) && label != kPluginPopupLabel) removeLabel(label);
        }
    }
    removeLabel(kPluginPopupLabel);
    std::sort(positions.begin(), positions.end(), std::greater<>());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

}  // namespace zq
