#include "picture/StructSusieDllFile.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

TEST(StructSusieDllFile, StoredValuesOfEachMode) {
    struct Case {
        const wchar_t* value;
        SusieLoadMode mode;
        bool accepted;
        int enabled;
        const char* version;
        std::vector<std::wstring> patterns;
        const wchar_t* type;
    };
    const Case cases[] = {
        {L"@ifjpeg.sph,00IN,*.jpg&*.jpe,JPEG, Exif",
         SusieLoadMode::On,
         true,
         1,
         "00IN",
         {L"*.jpg", L"*.jpe", L"*.jpeg"},
         L"JPEG, Exif"},
        {L"axlzh.sph,00AM,*.lzh,LZH", SusieLoadMode::NewOnly, true, 0, "00AM", {L"*.lzh"}, L"LZH"},
        {L"@odd.sph,123456789,*.x,X", SusieLoadMode::On, true, 1, "", {L"*.x"}, L"X"},
        {L"@nopat.sph,00IN,,T", SusieLoadMode::On, false},
        {L",00IN,*.x,T", SusieLoadMode::On, false},
        {L"@ifpng.sph", SusieLoadMode::On, false},
        {L"@ifpng.sph", SusieLoadMode::Off, true, 1, "", {}, L""},
        {L"ifpng.sph", SusieLoadMode::Off, true, 0, "", {}, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const auto plugin = ParseStoredPlugin(c.value, c.mode);
        ASSERT_EQ(plugin.has_value(), c.accepted);
        if (!plugin) continue;
        EXPECT_EQ(plugin->enabled, c.enabled);
        EXPECT_STREQ(plugin->apiVersion, c.version);
        EXPECT_EQ(plugin->patterns, c.patterns);
        EXPECT_STREQ(plugin->typeName, c.type);
    }
    const auto kept = ParseStoredPlugin(L"@ifpng.sph,00IN,*.png&*.apng,PNG", SusieLoadMode::NewOnly);
    ASSERT_TRUE(kept);
    EXPECT_EQ(StoredPluginValue(*kept, SusieLoadMode::NewOnly), L"@ifpng.sph,00IN,*.png&*.apng,PNG");
    EXPECT_EQ(StoredPluginValue(*kept, SusieLoadMode::Off), L"@ifpng.sph");
    EXPECT_EQ(kept->Kind(), kSusieImage);
    EXPECT_EQ(ParseStoredPlugin(L"a.sph,00XN,*.x,X", SusieLoadMode::On)->Kind(), 0) << "neither image nor archive";
}

}  // namespace
}  // namespace zq
