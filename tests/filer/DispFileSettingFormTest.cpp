#include <gtest/gtest.h>

#include "filer/DispFileSettingForm.h"
#include "filer/FilerOptions.h"

namespace {

using namespace zq;

TEST(DispFileSettingForm, BoxesShowWhatTheGroupShows) {
    struct Case {
        uint32_t group;
        DispFileBoxes boxes;
    };
    const Case cases[] = {
        {0x00, {false, false, false, false, true, true}},  // "." and ".." bits say hide
        {0x3F, {true, true, true, true, false, false}},   {0x01, {true, false, false, false, true, true}},
        {0x14, {false, false, true, false, false, true}}, {0x28, {false, false, false, true, true, false}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BoxesFromGroup(c.group), c.boxes) << c.group;
        EXPECT_EQ(GroupFromBoxes(c.boxes), c.group) << c.group;
    }
    // The boxes agree with the settings the group stands for, and every group
    // survives the trip through the settings and through the boxes.
    for (uint32_t group = 0; group < 64; ++group) {
        FilerOptions o;
        ApplyDisplayGroup(o, group);
        const DispFileBoxes b = BoxesFromGroup(group);
        EXPECT_EQ(b[kBoxHidden], o.HIDDENVIEWFLAG != 0) << group;
        EXPECT_EQ(b[kBoxCurrentDir], o.NOTVIEWCURRENTDIR == 0) << group;
        EXPECT_EQ(b[kBoxParentDir], o.NOTVIEWUPDIR == 0) << group;
        EXPECT_EQ(DisplayGroupOf(o), group);
        EXPECT_EQ(GroupFromBoxes(b), group);
    }
}

TEST(DispFileSettingForm, StoringWritesOnlyTheSelectedGroup) {
    DispFileSettingForm form(0x0F, {0x01, 0x02, 0x04, 0x08, 0x10});
    EXPECT_FALSE(form.Store()) << "the current values are not a group";
    form.Select(3);
    EXPECT_EQ(form.Boxes(), BoxesFromGroup(0x04));
    form.Boxes()[kBoxHidden] = true;
    ASSERT_TRUE(form.Store());
    EXPECT_EQ(form.Groups(), (std::array<uint32_t, 5>{0x01, 0x02, 0x05, 0x08, 0x10}));
    // OK takes whatever the boxes show.
    EXPECT_EQ(form.Result(), 0x05u);
}

TEST(DispFileSettingForm, EditedCurrentValuesSurviveALookAtAGroup) {
    DispFileSettingForm form(0x0F, {0x01, 0x02, 0x04, 0x08, 0x10});
    form.Boxes()[kBoxSystem] = false;  // current is now 0x0D
    form.Select(1);
    EXPECT_EQ(form.Result(), 0x01u);
    form.Boxes()[kBoxReadOnly] = true;  // not stored: forgotten on leaving the group
    form.Select(0);
    EXPECT_EQ(form.Result(), 0x0Du);
    form.Select(1);
    EXPECT_EQ(form.Result(), 0x01u);
    form.Select(6);  // beyond the list: nothing changes
    EXPECT_EQ(form.Selected(), 1);
}

}  // namespace
