#include "filer/FilerHeaderText.h"

#include <cwchar>

namespace zq::filer {

std::wstring PaneTitleText(const FilerTitleInput& input) {
    std::wstring title;
    switch (input.kind) {
        case FilerTitleKind::Archive:
            title = input.archivePath;
            // At the archive's top there is no sub-path to join.
            if (!input.archiveSubPath.empty()) title += L'\\' + input.archiveSubPath;
            break;
        case FilerTitleKind::SearchResults:
            title = L"検索結果";
            break;
        case FilerTitleKind::VirtualDrive:
            title = input.virtualDrive + L"(仮想ドライブ)";
            break;
        case FilerTitleKind::Directory:
            title = input.currentDirectory;
            break;
    }
    if (input.writeFreeSize && input.spaceKnown) title += L"(" + ShortSizeText(input.freeBytes) + L" FREE)";
    return title;
}

std::vector<HeaderItem> VolumeInfoItems(const std::array<bool, 9>& hvolume, const VolumeInfoValues& v) {
    const auto count = [](int n) { return std::to_wstring(n); };
    const auto space = [&](uint64_t bytes) { return v.spaceKnown ? ShortSizeText(bytes) : std::wstring(); };
    struct Row {
        int flag;
        const wchar_t* label;
        std::wstring value;
    };
    const Row rows[] = {
        {7, L"VOL :", v.volumeLabel},
        {8, L"容量:", space(v.capacityBytes)},
        {0, L"空き:", space(v.freeBytes)},
        {1, L"ｶﾚﾝﾄ:", v.currentDirectory},
        {2, L"ﾀｸﾞ :", v.tag},
        {3, L"FILE:", count(v.files)},
        {4, L"DIR :", count(v.directories)},
        {5, L"選_F:", count(v.markedFiles)},
        {6, L"選_D:", count(v.markedDirectories)},
    };
    std::vector<HeaderItem> items;
    for (const Row& r : rows) {
        if (!hvolume[static_cast<size_t>(r.flag)]) continue;
        items.push_back({r.label, r.value});
        if (items.size() == kVolumeInfoLines) break;
    }
    return items;
}

int VolumeBoxIndent(bool dispVolumeAtHeader) {
    return dispVolumeAtHeader ? 0 : 4;
}

std::wstring FileInfoAttributeText(DWORD attributes) {
    return AttributeLetters(attributes, L"ADHRS");
}

FileInfoTexts FileInfoItems(const FileInfoInput& input) {
    FileInfoTexts t;
    t.name.label = L"ﾌｧｲﾙ:";
    t.date.label = L"日付:";
    t.time.label = L"時間:";
    t.size.label = L"ｻｲｽﾞ:";
    t.attributes.label = L"ﾌｧｲﾙ属性";
    t.mask.label = L"ﾏｽｸ :";
    t.mask.value = input.wildcardAppliesToDirs ? input.wildcard + L" (DIRにも適応)" : input.wildcard;
    if (input.entry == nullptr) return t;

    const WIN32_FIND_DATAW& e = *input.entry;
    t.name.value = input.shownName;
    SYSTEMTIME local{};
    // Lines the program makes (a network level's, its "..") carry no time: a
    // zero FILETIME, which would read as 1601-01-01.
    const FILETIME when = EntryTime(e, input.viewFileTimeType);
    const bool hasTime = when.dwLowDateTime != 0 || when.dwHighDateTime != 0;
    if (hasTime && input.toLocal != nullptr && input.toLocal(when, local)) {
        t.date.value = DateText(local);
        t.time.value = TimeText(local, false);
    }
    t.size.value = IsDirectoryEntry(e) ? L"<DIR>" : GroupDigits(EntrySize(e));
    t.attributes.value = FileInfoAttributeText(e.dwFileAttributes);
    return t;
}

std::wstring ClockText(const SYSTEMTIME& t) {
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%04d-%02d-%02d   %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return buf;
}

HeaderDriveRow HeaderDriveLetters(DWORD driveMask, int first) {
    HeaderDriveRow row;
    int seen = 0;
    for (int letter = 0; letter < 26; ++letter) {
        if (!(driveMask & (1u << letter))) continue;
        const int n = seen++;
        if (n < first) {
            row.before = true;
        } else if (n >= first + kHeaderDrivesPerView) {
            row.after = true;
        } else {
            row.letters.push_back({static_cast<wchar_t>(L'A' + letter), L':'});
        }
    }
    return row;
}

HeaderDriveClick HeaderDriveAt(const HeaderDriveRow& row, int column) {
    // The painter puts "<" at column 0, the letters from column 2 on and ">" after the last place.
    if (column == 0 && row.before) return {0, -1};
    if (column == 2 + kHeaderDrivesPerView * kHeaderDriveSpacing && row.after) return {0, 1};
    const int at = column - 2;
    if (at < 0 || at % kHeaderDriveSpacing > 1) return {};
    const auto n = static_cast<size_t>(at / kHeaderDriveSpacing);
    return n < row.letters.size() ? HeaderDriveClick{row.letters[n][0], 0} : HeaderDriveClick{};
}

const wchar_t* SearchBoxLabel(bool byPath) {
    return byPath ? kSearchByPath : kSearchByFileName;
}

BatteryStatus BatteryStatusFrom(const SYSTEM_POWER_STATUS& status) {
    BatteryStatus b;
    constexpr BYTE kNoSystemBattery = 128;
    b.onMains = status.ACLineStatus == 1 || (status.BatteryFlag != 255 && (status.BatteryFlag & kNoSystemBattery));
    b.percent = status.BatteryLifePercent;
    b.secondsLeft = status.BatteryLifeTime == static_cast<DWORD>(-1) ? -1 : static_cast<long>(status.BatteryLifeTime);
    return b;
}

BatteryText BatteryInfoText(const BatteryStatus& status, int alarmPercent, const FilerColors& colors) {
    BatteryText out;
    out.color = colors[FilerColorId::AllIntro];
    if (status.onMains) {
        // Running out is no danger on mains, so no alarm colour either.
        out.text = L"AC電源";
        return out;
    }
    wchar_t buf[64];
    if (status.secondsLeft >= 0) {
        const long minutes = status.secondsLeft / 60;
        std::swprintf(buf, 64, L"%02ldh%02ldm(%03d%%)", minutes / 60, minutes % 60, status.percent);
    } else {
        std::swprintf(buf, 64, L"%03d%%", status.percent);
    }
    out.text = buf;
    if (status.percent < alarmPercent) out.color = RGB(255, 0, 0);
    return out;
}

}  // namespace zq::filer
