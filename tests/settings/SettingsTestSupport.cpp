#include "settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include "main/TempDir.h"
#include "settings/IniFile.h"
#include "settings/SettingsIo.h"

namespace zq::test {

std::string Utf16File(std::wstring_view text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

std::wstring ReadUtf16File(const std::wstring& path) {
    const std::string bytes = ReadFileBytes(path);
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

namespace {

std::wstring Text(int row, int index, size_t capacity) {
    // Wide, half-width, rare and control characters all pass through the file.
    std::wstring value = L"値ﾊﾝ髙﨑①\t\u00b6" + std::to_wstring(row) + L"_" + std::to_wstring(index) + L" =x";
    if (capacity > 0 && value.size() > capacity - 1) {
        // Short fields still get a value of their own.
        value = std::to_wstring((row * 7 + index) % 100);
        if (value.size() > capacity - 1) value.resize(capacity - 1);
    }
    return value;
}

}  // namespace

Settings DistinctSettings(const SettingsReadContext& screens) {
    Settings s;
    int rowNumber = 0;
    for (const KeyRow& row : SettingsTable()) {
        ++rowNumber;
        for (int i = 0; i < row.Keys(); ++i) {
            switch (row.kind) {
                case KeyKind::Int:
                    *static_cast<int*>(row.at(s, i)) = 100000 + rowNumber * 1000 + i;
                    break;
                case KeyKind::String:
                    *static_cast<std::wstring*>(row.at(s, i)) = Text(rowNumber, i, row.capacity);
                    break;
                case KeyKind::Colour:
                    *static_cast<std::uint32_t*>(row.at(s, i)) =
                        static_cast<std::uint32_t>(rowNumber * 4099 + i * 7) & 0xffffff;
                    break;
                default:
                    break;
            }
        }
    }
    // Values other sections depend on, kept small.
    s.SUMDIRJUMPGROUP = 3;
    s.SUMCOPYPASTDIRECTORY = 7;
    s.SUMSAVECURPOS = 4;
    s.SAVECURSORPOSITION = 1;
    s.ZQPLUGINLOADTYPE = 1;
    s.selectDir.Resize(7);
    rowNumber = 0;
    for (const KeyRow& row : SettingsTable()) {
        ++rowNumber;
        if (row.kind == KeyKind::History) {
            auto& list = *static_cast<MruList*>(row.at(s, 0));
            for (size_t i = list.Capacity(); i-- > 0;) list.Push(Text(rowNumber, static_cast<int>(i), row.capacity));
        } else if (row.kind == KeyKind::List) {
            auto& list = *static_cast<std::vector<std::wstring>*>(row.at(s, 0));
            list = {Text(rowNumber, 0, 0), Text(rowNumber, 1, 0), Text(rowNumber, 2, 0)};
        } else if (row.kind == KeyKind::Pairs) {
            auto& keys = *static_cast<Settings::KeySection*>(row.at(s, 0));
            keys = {{L"N_A", L"@Attribute"}, {L"S_F1", Text(rowNumber, 1, row.capacity)}, {L"C_(TENKEY)", L""}};
        }
    }
    for (size_t n = 0; n < s.filerInfo.size(); ++n)
        s.filerInfo[n] = {static_cast<int>(n & 1), 1, static_cast<int>((n >> 1) & 1), 0, static_cast<int>(n == 4)};
    s.jumpGroups = {{L"最初", {{L"C:\\", L"A", L"ルート"}, {L"D:\\x", L"", L""}}},
                    {L"second", {}},
                    {L"third", {{L"\\\\server\\share", L"Shift+F1", L"net"}}}};
    s.launcher = {{L"a.exe", L"-p", L"K", L"C:\\"}, {L"b.exe", L"", L"", L""}};
    s.plugins = {{L"one.dll", 2, L"VIE", L"N_F1", L"#N_F1", 1}, {L"two.dll", 0, L"", L"", L"", 0}};
    s.savedCursors = {{L"C:\\a", L"x.txt"}, {}, {L"C:\\b", L"y"}, {L"D:\\", L"z"}};
    s.displayFonts.clear();
    int n = 0;
    for (const ScreenSize& size : screens.screenSizes)
        s.displayFonts.push_back({size.width, size.height, -10 - n, 5 + n, L"Face" + std::to_wstring(n), 128, 300 + n}),
            ++n;
    s.dispFileSettings = {0u, 1u, 0b101010u, 0b111111u, 0b1000000u};
    return s;
}

std::wstring SettingsText(const Settings& settings) {
    TempDir dir;
    IniFile out;
    if (!out.OpenForWriting(dir / L"text.ini")) return L"(not writable)";
    WriteAllSettings(out, settings);
    out.CloseWriting();
    return ReadUtf16File(dir / L"text.ini");
}

Settings ReadAll(const IniFile& ini, const SettingsReadContext& context) {
    Settings s;
    ReadStartupSettings(ini, s);
    ReadRemainingSettings(ini, s, context);
    return s;
}

UniqueFile HoldExclusively(const std::wstring& path) {
    UniqueFile holder(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(holder.Valid()) << "cannot hold the file";
    return holder;
}

}  // namespace zq::test
