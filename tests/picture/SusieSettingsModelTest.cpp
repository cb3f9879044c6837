#include "picture/SusieSettingsModel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "settings/Settings.h"

namespace zq {
namespace {

StructSusieDllFile Plugin(const wchar_t* name, const char* version, std::vector<std::wstring> patterns,
                          const wchar_t* type) {
    StructSusieDllFile p;
    p.SetFileName(name);
    std::strcpy(p.apiVersion, version);
    p.patterns = std::move(patterns);
    p.SetTypeName(type);
    return p;
}

TEST(SusieSettingsModel, ListLinesArePerKindPaddedAndPointIntoTheArray) {
    SusieSettingsModel model(
        {Plugin(L"ifjpeg.sph", "00IN", {L"*.jpg", L"*.jpeg"}, L"JPEG"),
         Plugin(L"axlzh.sph", "00AM", {L"*.lzh"}, L"LZH"), Plugin(L"ifpng.sph", "00IN", {L"*.png"}, L"PNG"),
         Plugin(L"odd.sph", "00XX", {L"*.x"}, L"X")},
        {});
    const std::vector<SusiePluginLine> images = model.Lines(kSusieImage);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].index, 0u);
    EXPECT_EQ(images[0].text, L"ifjpeg.sph [*.jpg,*.jpeg]JPEG");
    EXPECT_EQ(images[1].index, 2u);
    EXPECT_EQ(images[1].text, L"ifpng.sph  [*.png]PNG");
    const std::vector<SusiePluginLine> archives = model.Lines(kSusieArchive);
    ASSERT_EQ(archives.size(), 1u);
    EXPECT_EQ(archives[0].index, 1u);
    EXPECT_EQ(archives[0].text, L"axlzh.sph [*.lzh]LZH");

    model.SetEnabled(2, false);
    model.SetPatterns(0, {L"*.jfif"});
    EXPECT_EQ(model.Plugins()[2].enabled, 0);
    EXPECT_EQ(model.Plugins()[0].enabled, 1);
    EXPECT_EQ(model.Lines(kSusieImage)[0].text, L"ifjpeg.sph [*.jfif]JPEG");
}

TEST(SusieSettingsModel, PatternPagesEditAddAndDropFields) {
    std::vector<std::wstring> patterns;
    for (int i = 0; i < 13; ++i) patterns.push_back(L"*.e" + std::to_wstring(i));
    PatternPager pager(patterns);
    EXPECT_FALSE(pager.CanGoBack());
    std::vector<std::wstring> fields = pager.Fields();
    ASSERT_EQ(fields.size(), 10u);
    EXPECT_EQ(fields[9], L"*.e9");
    fields[1] = L"  ";       // emptied: removed at the end
    fields[2] = L" *.new ";  // blanks around a pattern go
    pager.Store(fields);
    pager.Next();
    EXPECT_TRUE(pager.CanGoBack());
    fields = pager.Fields();
    EXPECT_EQ(fields[2], L"*.e12");
    EXPECT_EQ(fields[3], L"");
    fields[5] = L"*.added";  // past the end of the list: appended after the gap closes
    pager.Store(fields);
    pager.Back();
    EXPECT_EQ(pager.Fields()[1], L"  ");
    pager.Back();
    EXPECT_EQ(pager.Page(), 0u);

    const std::vector<std::wstring> result = pager.Result();
    ASSERT_EQ(result.size(), 13u);
    EXPECT_EQ(result[0], L"*.e0");
    EXPECT_EQ(result[1], L"*.new");
    EXPECT_EQ(result[11], L"*.e12");
    EXPECT_EQ(result[12], L"*.added");
}

TEST(SusieSettingsModel, ValuesKeepTheCrossedScalingKeysAndClampChoices) {
    Settings settings;
    settings.HEIGHTSCALING = 1;  // what the label calls the width flag
    settings.WIDTHSCALING = 0;
    settings.HIGHLOADSPI = 7;
    settings.GRAPHIC_VIEW_H_POS = 2;
    SusieSettingsValues values = SusieSettingsValues::From(settings);
    EXPECT_TRUE(values.scaleWidth);
    EXPECT_FALSE(values.scaleHeight);
    EXPECT_EQ(values.highLoad, 0);
    EXPECT_EQ(values.hPos, 2);

    values.scaleWidth = false;
    values.scaleHeight = true;
    values.previewUseGetPicture = true;
    values.To(settings);
    EXPECT_EQ(settings.HEIGHTSCALING, 0);
    EXPECT_EQ(settings.WIDTHSCALING, 1);
    EXPECT_EQ(settings.PREVIEW_USE_GET_PICTURE, 1);
}

}  // namespace
}  // namespace zq
