#include "settings/FilerSettingsEffects.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

TEST(FilerSettingsEffectsTest, EachChangeAsksForItsOwnWork) {
    struct Case {
        const char* what;
        void (*change)(Settings&);
        FilerSettingsEffects expected;
    } cases[] = {
        {"nothing", [](Settings&) {}, {false, false, false}},
        {"SUMSAVECURPOS", [](Settings& s) { s.SUMSAVECURPOS = 5; }, {true, false, false}},
        {"NOTVIEWUPDIR", [](Settings& s) { s.NOTVIEWUPDIR = 1; }, {false, true, false}},
        {"NOTVIEWCURRENTDIR", [](Settings& s) { s.NOTVIEWCURRENTDIR = 1; }, {false, true, false}},
        {"HIDDENVIEWFLAG", [](Settings& s) { s.HIDDENVIEWFLAG = 0; }, {false, true, false}},
        {"DISP_READ_ONLY_FILE", [](Settings& s) { s.DISP_READ_ONLY_FILE = 0; }, {false, true, false}},
        {"DISP_SYSTEM_FILE", [](Settings& s) { s.DISP_SYSTEM_FILE = 0; }, {false, true, false}},
        {"DISP_FIRST_DOT_FILE", [](Settings& s) { s.DISP_FIRST_DOT_FILE = 0; }, {false, true, false}},
        {"USE_STR_CMP_LOGICAL_W", [](Settings& s) { s.USE_STR_CMP_LOGICAL_W = 1; }, {false, true, false}},
        {"CHYNCROSORT", [](Settings& s) { s.CHYNCROSORT = 0; }, {false, false, true}},
        {"VIEWFILETIMETYPE", [](Settings& s) { s.VIEWFILETIMETYPE = 0; }, {false, false, true}},
        {"FILENAMELONG", [](Settings& s) { s.FILENAMELONG = 30; }, {false, false, false}},
    };
    const Settings before;
    for (const Case& c : cases) {
        Settings after = before;
        c.change(after);
        const FilerSettingsEffects effects = CompareFilerSettings(before, after);
        EXPECT_EQ(effects.resizeSavedCursors, c.expected.resizeSavedCursors) << c.what;
        EXPECT_EQ(effects.rereadListings, c.expected.rereadListings) << c.what;
        EXPECT_EQ(effects.redisplayListings, c.expected.redisplayListings) << c.what;
    }
}

TEST(FilerSettingsEffectsTest, ResizeSavedCursorsKeepsWhatFits) {
    Settings s;
    s.savedCursors[0] = {L"C:\\a", L"x"};
    s.SUMSAVECURPOS = 2;
    ResizeSavedCursors(s);
    ASSERT_EQ(s.savedCursors.size(), 2u);
    EXPECT_EQ(s.savedCursors[0].name, L"x");
    s.SUMSAVECURPOS = -1;
    ResizeSavedCursors(s);
    EXPECT_TRUE(s.savedCursors.empty());
}

}  // namespace
}  // namespace zq
