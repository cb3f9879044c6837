#include <gtest/gtest.h>

#include "filer/FilerCellText.h"
#include "filer/FilerColor.h"
#include "filer/FilerLayoutTestEntry.h"

using namespace zq::filer;
using zq::filer::test::MakeEntry;

namespace {

constexpr COLORREF kTxtColor = RGB(1, 2, 3);
constexpr COLORREF kCppColor = RGB(4, 5, 6);

KindColorTable Kinds() {
    return KindColorTable({{L"txt", kTxtColor}, {L".cpp", kCppColor}, {L"bashrc", RGB(7, 7, 7)}});
}

FilerColors DistinctColors() {
    FilerColors c;
    for (size_t i = 0; i < kFilerColorCount; ++i) c.values[i] = RGB(100 + i, 0, 0);
    return c;
}

}  // namespace

TEST(FilerColor, AttributeClassWithAndWithoutNeglect) {
    const DWORD D = FILE_ATTRIBUTE_DIRECTORY, H = FILE_ATTRIBUTE_HIDDEN, S = FILE_ATTRIBUTE_SYSTEM,
                R = FILE_ATTRIBUTE_READONLY, A = FILE_ATTRIBUTE_ARCHIVE;
    struct Case {
        DWORD attributes;
        FilerColorId plain;
        FilerColorId neglect;
    };
    const Case cases[] = {
        {D, FilerColorId::Directory, FilerColorId::Directory},
        {D | H, FilerColorId::Hidden, FilerColorId::Directory},
        {D | S | H, FilerColorId::System, FilerColorId::Directory},
        {D | R, FilerColorId::ReadOnly, FilerColorId::Directory},
        {A, FilerColorId::Archive, FilerColorId::Archive},
        {0, FilerColorId::Archive, FilerColorId::Archive},
        {FILE_ATTRIBUTE_NORMAL, FilerColorId::Archive, FilerColorId::Archive},
        {A | R, FilerColorId::ReadOnly, FilerColorId::ReadOnly},  // the flag only concerns directories
        {H | R, FilerColorId::Hidden, FilerColorId::Hidden},
        {S | H | R, FilerColorId::System, FilerColorId::System},
    };
    const FilerColors colors = DistinctColors();
    for (const auto& c : cases) {
        EXPECT_EQ(AttributeColor(c.attributes, colors, false), colors[c.plain]) << std::hex << c.attributes;
        EXPECT_EQ(AttributeColor(c.attributes, colors, true), colors[c.neglect]) << std::hex << c.attributes;
    }
}

TEST(FilerColor, KindColoursForExtensionOrWholeName) {
    const FilerColors colors = DistinctColors();
    const COLORREF archive = colors[FilerColorId::Archive];
    const COLORREF hidden = colors[FilerColorId::Hidden];
    const COLORREF dir = colors[FilerColorId::Directory];
    struct Case {
        const wchar_t* name;
        DWORD attributes;
        bool wholeName;  // DISP_FILE_KIND_COLOR
        COLORREF stem;
        COLORREF extension;
    };
    const Case cases[] = {
        {L"notes.TXT", FILE_ATTRIBUTE_ARCHIVE, false, archive, kTxtColor},
        {L"notes.TXT", FILE_ATTRIBUTE_ARCHIVE, true, kTxtColor, kTxtColor},
        {L"main.Cpp", FILE_ATTRIBUTE_HIDDEN, false, hidden, kCppColor},  // a table row written with its dot
        {L"main.h", FILE_ATTRIBUTE_ARCHIVE, true, archive, archive},     // not listed
        {L".bashrc", FILE_ATTRIBUTE_ARCHIVE, false, archive, archive},   // no extension at all
        {L".bashrc", FILE_ATTRIBUTE_ARCHIVE, true, archive, archive},
        {L"docs.txt", FILE_ATTRIBUTE_DIRECTORY, false, dir, dir},  // directories keep theirs
        {L"docs.txt", FILE_ATTRIBUTE_DIRECTORY, true, dir, dir},
    };
    for (const auto& c : cases) {
        FilerCellOptions o;
        o.nameWidth = 20;
        o.extWidth = 5;
        o.color.dispFileKindColor = c.wholeName;
        const FilerCellContent cell = BuildFileCell(MakeEntry(c.name, c.attributes), o, colors, Kinds());
        ASSERT_FALSE(cell.runs.empty());
        EXPECT_EQ(cell.runs.front().color, c.stem) << c.name << L" " << c.wholeName;
        EXPECT_EQ(cell.runs.back().color, c.extension) << c.name << L" " << c.wholeName;
    }
}

TEST(FilerColor, MusicEntriesUseTheirOwnColour) {
    const FilerColors colors = DistinctColors();
    struct Case {
        const wchar_t* name;
        DWORD attributes;
        bool mpeg;
        bool title;
        FilerColorId expected;
    };
    const Case cases[] = {
        {L"beep.WAV", FILE_ATTRIBUTE_ARCHIVE, true, false, FilerColorId::MpegName},
        {L"beep.wav", FILE_ATTRIBUTE_ARCHIVE, false, false, FilerColorId::Archive},
        {L"song.mp3", FILE_ATTRIBUTE_ARCHIVE, true, true, FilerColorId::MpegName},
        {L"song.mp3", FILE_ATTRIBUTE_ARCHIVE, true, false, FilerColorId::Archive},
        {L"waves.wav", FILE_ATTRIBUTE_DIRECTORY, true, false, FilerColorId::Directory},
    };
    for (const auto& c : cases) {
        EntryColorOptions o;
        o.mpegNameDisplay = c.mpeg;
        const WIN32_FIND_DATAW e = MakeEntry(c.name, c.attributes);
        const std::wstring ext = SplitName(c.name, !(c.attributes & FILE_ATTRIBUTE_DIRECTORY)).extension;
        const COLORREF color = EntryColor(e, ext, colors, Kinds(), o, c.title);
        EXPECT_EQ(color, colors[c.expected]) << c.name;
        EXPECT_EQ(ExtensionColor(e, ext, color, Kinds(), o, c.title), color) << c.name;
    }
}

TEST(FilerColor, KindTableKeepsItsFirstHundredRowsAndFindsNoEmptyExtension) {
    std::vector<KindColor> rows(150, KindColor{L"x", 1});
    rows[120].extension = L"late";
    const KindColorTable table(rows);
    EXPECT_EQ(table.Rows().size(), 100u);
    EXPECT_EQ(table.Find(L"late"), nullptr);
    EXPECT_EQ(table.Find(L""), nullptr);
    EXPECT_EQ(table.Find(L"."), nullptr);
}
