#include "settings/SettingsCustom.h"

#include <algorithm>

#include "settings/IniFile.h"
#include "settings/Settings.h"

namespace zq::custom {

namespace {

constexpr int kMaxJumpGroups = 100;  // "%02d" names two digits of group

std::wstring Key(const wchar_t* format, int first, int second = 0) {
    return FormatKey(format, first, second);
}

}  // namespace

int BoundedCount(int value) {
    return std::clamp(value, 0, kMaxListEntries);
}

// ---- FILERINFODATA: five flags as "%01d" digits; a missing key takes the
// current single-format flags.
void ReadFilerInfo(const IniFile& ini, Settings& s, const SettingsReadContext&) {
    const int current[5] = {s.DATEWRITEFLAG, s.TIMEWRITEFLAG, s.SIZEWRITEFLAG, s.NOTSECWRITE, s.ATTRIBUTES_WRITE};
    std::wstring fallback;
    for (int flag : current) fallback += std::to_wstring(flag);
    for (size_t n = 0; n < s.filerInfo.size(); ++n) {
        const std::wstring value =
            ini.GetString(L"FILERINFODATA", Key(L"FILERINFO%d", static_cast<int>(n)), fallback, 100);
        int flags[5] = {};
        for (size_t k = 0; k < 5 && k < value.size(); ++k)
            flags[k] = value[k] >= L'0' && value[k] <= L'9' ? value[k] - L'0' : 0;
        s.filerInfo[n] = {flags[0], flags[1], flags[2], flags[3], flags[4]};
    }
}

bool WriteFilerInfo(IniFile& ini, const Settings& s) {
    bool ok = true;
    for (size_t n = 0; n < s.filerInfo.size(); ++n) {
        const Settings::FilerInfo& f = s.filerInfo[n];
        std::wstring value;
        for (int flag : {f.date, f.time, f.size, f.noSeconds, f.attributes}) value += std::to_wstring(flag);
        ok &= ini.WriteString(L"FILERINFODATA", Key(L"FILERINFO%d", static_cast<int>(n)), value);
    }
    return ok;
}

// ---- JUMPDATA: SUMDIRJUMPGROUP groups; group 0's entries are "%d", the others'
// "%02d%02d" (group, entry); each group's entries end at the first empty TODIR.
namespace {

const wchar_t* JumpFormat(int group, const wchar_t* zero, const wchar_t* other) {
    return group == 0 ? zero : other;
}

}  // namespace

void ReadJumpData(const IniFile& ini, Settings& s, const SettingsReadContext&) {
    const int groups = std::clamp(s.SUMDIRJUMPGROUP, 1, kMaxJumpGroups);
    s.jumpGroups.assign(static_cast<size_t>(groups), {});
    for (int g = 0; g < groups; ++g) {
        Settings::JumpGroup& group = s.jumpGroups[static_cast<size_t>(g)];
        group.name = ini.GetString(L"JUMPDATA", Key(L"GROUP%d", g), L"", 1040);
        for (int e = 0; e < kMaxListEntries; ++e) {
            const int a = g == 0 ? e : g;
            const int b = g == 0 ? 0 : e;
            Settings::JumpEntry entry;
            entry.toDir = ini.GetString(L"JUMPDATA", Key(JumpFormat(g, L"TODIR%d", L"TODIR%02d%02d"), a, b), L"", 520);
            if (entry.toDir.empty()) break;
            entry.dirKey =
                ini.GetString(L"JUMPDATA", Key(JumpFormat(g, L"DIRKEY%d", L"DIRKEY%02d%02d"), a, b), L"", 30);
            entry.display =
                ini.GetString(L"JUMPDATA", Key(JumpFormat(g, L"DISPLAY%d", L"DISPLAY%02d%02d"), a, b), L"", 260);
            group.entries.push_back(std::move(entry));
        }
    }
}

bool WriteJumpData(IniFile& ini, const Settings& s) {
    bool ok = true;
    for (size_t gi = 0; gi < s.jumpGroups.size(); ++gi) {
        const int g = static_cast<int>(gi);
        ok &= ini.WriteString(L"JUMPDATA", Key(L"GROUP%d", g), s.jumpGroups[gi].name);
    }
    for (size_t gi = 0; gi < s.jumpGroups.size(); ++gi) {
        const int g = static_cast<int>(gi);
        const auto& entries = s.jumpGroups[gi].entries;
        for (size_t ei = 0; ei < entries.size(); ++ei) {
            const int a = g == 0 ? static_cast<int>(ei) : g;
            const int b = g == 0 ? 0 : static_cast<int>(ei);
            ok &=
                ini.WriteString(L"JUMPDATA", Key(JumpFormat(g, L"TODIR%d", L"TODIR%02d%02d"), a, b), entries[ei].toDir);
            ok &= ini.WriteString(L"JUMPDATA", Key(JumpFormat(g, L"DIRKEY%d", L"DIRKEY%02d%02d"), a, b),
                                  entries[ei].dirKey);
            ok &= ini.WriteString(L"JUMPDATA", Key(JumpFormat(g, L"DISPLAY%d", L"DISPLAY%02d%02d"), a, b),
                                  entries[ei].display);
        }
    }
    return ok;
}

// ---- DISPLAYFONT: "%d,%d,%s,%d,%d," per screen size; with fewer than four
// fields the font comes from the ALLDATA font keys, without the fifth the weight
// from FONTWEIGHT.
void ReadDisplayFont(const IniFile& ini, Settings& s, const SettingsReadContext& context) {
    s.displayFonts.clear();
    for (const ScreenSize& size : context.screenSizes) {
        if (s.displayFonts.size() >= 20) break;
        Settings::DisplayFont font;
        font.screenWidth = size.width;
        font.screenHeight = size.height;
        font.height = s.FONTHEIGHT;
        font.width = s.FONTWIDE;
        font.face = s.FONTNAME;
        font.charset = s.FONTCHARSET;
        font.weight = s.FONTWEIGHT;
        const std::wstring value = ini.GetString(L"DISPLAYFONT", Key(L"%04dX%04d", size.width, size.height), L"", 400);
        std::vector<std::wstring> fields;
        size_t start = 0;
        for (size_t comma = value.find(L','); comma != std::wstring::npos; comma = value.find(L',', start)) {
            fields.push_back(value.substr(start, comma - start));
            start = comma + 1;
        }
        if (fields.size() >= 4) {
            font.height = ParseInt(fields[0]);
            font.width = ParseInt(fields[1]);
            font.face = fields[2];
            font.charset = ParseInt(fields[3]);
            if (fields.size() >= 5) font.weight = ParseInt(fields[4]);
        }
        s.displayFonts.push_back(std::move(font));
    }
}

bool WriteDisplayFont(IniFile& ini, const Settings& s) {
    bool ok = true;
    for (const Settings::DisplayFont& font : s.displayFonts) {
        const std::wstring value = std::to_wstring(font.height) + L"," + std::to_wstring(font.width) + L"," +
                                   font.face + L"," + std::to_wstring(font.charset) + L"," +
                                   std::to_wstring(font.weight) + L",";
        ok &= ini.WriteString(L"DISPLAYFONT", Key(L"%04dX%04d", font.screenWidth, font.screenHeight), value);
    }
    return ok;
}

// ---- DISP_FILE_SETTING: "0"/"1" digits, the last one bit 0.
namespace {

std::wstring MaskDigits(std::uint32_t mask) {
    int digits = 6;
    while (digits < 32 && (mask >> digits) != 0) ++digits;
    std::wstring out;
    for (int bit = digits - 1; bit >= 0; --bit) out += (mask >> bit) & 1 ? L'1' : L'0';
    return out;
}

}  // namespace

void ReadDispFileSetting(const IniFile& ini, Settings& s, const SettingsReadContext&) {
    const int flags[6] = {s.HIDDENVIEWFLAG,      s.DISP_SYSTEM_FILE,  s.DISP_FIRST_DOT_FILE,
                          s.DISP_READ_ONLY_FILE, s.NOTVIEWCURRENTDIR, s.NOTVIEWUPDIR};
    std::uint32_t current = 0;
    for (int bit = 0; bit < 6; ++bit)
        if (flags[bit] != 0) current |= 1u << bit;
    const std::wstring fallback = MaskDigits(current);
    for (size_t n = 0; n < s.dispFileSettings.size(); ++n) {
        const std::wstring value = ini.GetString(L"DISP_FILE_SETTING", Key(L"%d", static_cast<int>(n)), fallback, 100);
        std::uint32_t mask = 0;
        const size_t digits = std::min<size_t>(value.size(), 32);
        for (size_t k = 0; k < digits; ++k)
            if (value[value.size() - 1 - k] == L'1') mask |= 1u << k;
        s.dispFileSettings[n] = mask;
    }
}

bool WriteDispFileSetting(IniFile& ini, const Settings& s) {
    bool ok = true;
    for (size_t n = 0; n < s.dispFileSettings.size(); ++n)
        ok &= ini.WriteString(L"DISP_FILE_SETTING", Key(L"%d", static_cast<int>(n)), MaskDigits(s.dispFileSettings[n]));
    return ok;
}

}  // namespace zq::custom
