#include <gtest/gtest.h>

#include "app/StartupRules.h"

using namespace zq;

TEST(StartupRules, StartDirectoriesFromTheCommandLine) {
    struct Case {
        const wchar_t* line;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {L"", {}},
        {L"-dC:\\work", {L"C:\\work"}},
        {L"-D\"C:\\Program Files\\x\" -dD:\\", {L"C:\\Program Files\\x", L"D:\\"}},
        {L"-da -db -dc", {L"a", L"b"}},  // a third option is dropped
        {L"file.txt -x -dC:\\日本語", {L"C:\\日本語"}},
        {L"\"-dC:\\a b\"", {L"C:\\a b"}},
        {L"-d", {L""}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseStartDirectories(c.line), c.expected) << c.line;
}

TEST(StartupRules, PlacementBySizeRuleAndPhase) {
    StructPlacementInput in;
    in.created = {10, 20, 810, 620};
    in.firstX = 100;
    in.firstY = 50;
    in.firstWide = 900;
    in.firstHeight = 700;
    in.endX = 5;
    in.endY = 6;
    in.endWide = 1000;
    in.endHeight = 750;
    in.nonClientExtra = {16, 59};
    struct Case {
        int size, pos, phase;
        bool act, maximise;
        LONG x, y, w, h;
    };
    const Case cases[] = {
        {0, 0, 1, true, false, 10, 20, 800, 600},   // created position, current size
        {0, 1, 1, true, false, 100, 50, 800, 600},  // FIRSTX/FIRSTY
        {0, 2, 1, true, false, 5, 6, 800, 600},     // last position
        {0, 0, 0, false, false, 0, 0, 0, 0},        // nothing at first paint
        {1, 0, 1, true, true, 0, 0, 0, 0},
        {2, 1, 1, true, false, 100, 50, 900, 700},
        {2, 1, 0, false, false, 0, 0, 0, 0},
        {3, 0, 1, false, false, 0, 0, 0, 0},  // size rule 3 waits for the first paint
        {3, 0, 0, true, false, 0, 0, 900, 700},
        {4, 2, 1, true, false, 5, 6, 1000, 750},
        {5, 0, 0, true, false, 0, 0, 916, 759},  // the client area gets the first size
        {5, 0, 1, false, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        in.startSize = c.size;
        in.startPos = c.pos;
        const StructPlacement p = DecidePlacement(in, c.phase);
        SCOPED_TRACE(testing::Message() << "STARTSIZE " << c.size << " STARTPOS " << c.pos << " phase " << c.phase);
        EXPECT_EQ(p.act, c.act);
        EXPECT_EQ(p.maximise, c.maximise);
        if (p.move) {
            EXPECT_EQ(p.position.x, c.x);
            EXPECT_EQ(p.position.y, c.y);
        }
        if (p.resize || p.move) {
            EXPECT_EQ(p.size.cx, c.w);
            EXPECT_EQ(p.size.cy, c.h);
        }
    }
}

TEST(StartupRules, WallpaperRaisesTheFirstSizeOfRuleThree) {
    StructPlacementInput in;
    in.startSize = 3;
    in.firstWide = 640;
    in.firstHeight = 480;
    in.nonClientExtra = {16, 59};
    in.wallpaper = {1024, 300};
    const StructPlacement p = DecidePlacement(in, 0);
    EXPECT_EQ(p.size.cx, 1040);
    EXPECT_EQ(p.size.cy, 480);
}

TEST(StartupRules, MaximisedOrMinimisedFrameKeepsTheLastNormalSize) {
    const StructLastPlacement previous{1, 2, 640, 480};
    const RECT big{0, 0, 1920, 1080};
    const StructLastPlacement kept = RecordLastPlacement(previous, big, false, true);
    EXPECT_EQ(kept.endWide, 640);
    EXPECT_EQ(RecordLastPlacement(previous, big, true, false).endHeight, 480);
    const StructLastPlacement taken = RecordLastPlacement(previous, RECT{30, 40, 830, 640}, false, false);
    EXPECT_EQ(taken.endX, 30);
    EXPECT_EQ(taken.endY, 40);
    EXPECT_EQ(taken.endWide, 800);
    EXPECT_EQ(taken.endHeight, 600);
}

TEST(StartupRules, QuitDecisions) {
    struct Case {
        StructQuitInput in;
        const wchar_t* refusal;
        bool dialog;
    };
    const Case cases[] = {
        {{true, true, true, false, 0, 0}, L"コピー処理中のため終了できません", false},
        {{false, true, true, false, 0, 0}, L"削除処理中のため終了できません", false},
        // An unfinished unpack refuses even with the other lists empty.
        {{false, false, true, false, 0, 0}, L"解凍処理中のため終了できません", false},
        {{false, false, false, true, 1, 0, true}, L"圧縮処理中のため終了できません", false},
        {{false, false, false, false, 0, 0}, L"", true},   // @Quit asks
        {{false, false, false, false, 1, 0}, L"", false},  // NOTQUITMESSAGE: never asks
        {{false, false, false, true, 0, 0}, L"", false},   // closing the frame asks only when told to
        {{false, false, false, true, 0, 1}, L"", true},
        {{false, false, false, true, 1, 1}, L"", false},
        {{true, false, false, true, 1, 0}, L"コピー処理中のため終了できません", false},  // refusal before everything
    };
    for (const auto& c : cases) {
        const StructQuitDecision d = DecideQuit(c.in);
        EXPECT_EQ(d.refusal, c.refusal);
        EXPECT_EQ(d.showDialog, c.dialog) << c.refusal;
    }
}
