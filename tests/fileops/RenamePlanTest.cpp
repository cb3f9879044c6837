#include "fileops/RenamePlan.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "common/TextConv.h"
#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using zq::test::ReadFileBytes;
using zq::test::TempDir;

bool Exists(const TempDir& dir, const std::wstring& name) {
    return ::GetFileAttributesW((dir / name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Each case's files hold their own old name, so that after the plan ran the
// test can tell which file ended under which name.
TEST(RenamePlanTest, ChainsCyclesAndCollisionsLoseNoFile) {
    const struct {
        const char* what;
        std::vector<RenameRequest> requests;
        std::vector<std::wstring> outsiders;
        std::map<std::wstring, std::wstring> after;  // name → the old name whose content it holds
        size_t refused;
    } cases[] = {
        {"chain", {{L"a", L"b"}, {L"b", L"c"}, {L"c", L"d"}}, {}, {{L"b", L"a"}, {L"c", L"b"}, {L"d", L"c"}}, 0},
        {"swap", {{L"a", L"b"}, {L"b", L"a"}}, {}, {{L"a", L"b"}, {L"b", L"a"}}, 0},
        {"ring of three and a free one",
         {{L"a", L"b"}, {L"b", L"c"}, {L"c", L"a"}, {L"x", L"y"}},
         {},
         {{L"b", L"a"}, {L"c", L"b"}, {L"a", L"c"}, {L"y", L"x"}},
         0},
        {"same new name twice", {{L"a", L"n"}, {L"b", L"n"}}, {}, {{L"n", L"a"}, {L"b", L"b"}}, 1},
        {"onto a file outside", {{L"a", L"o"}}, {L"o"}, {{L"a", L"a"}, {L"o", L"o"}}, 1},
        {"onto one that stays", {{L"a", L"b"}, {L"b", L"o"}}, {L"o"}, {{L"a", L"a"}, {L"b", L"b"}}, 2},
        {"case only", {{L"a", L"A"}}, {}, {{L"A", L"a"}}, 0},
        {"temporary name in use", {{L"a", L"b"}, {L"b", L"a"}}, {L"Temp_0"}, {{L"a", L"b"}, {L"b", L"a"}}, 0},
    };
    for (const auto& c : cases) {
        TempDir dir;
        for (const RenameRequest& r : c.requests)
            dir.WriteFile(r.oldName, std::string(r.oldName.begin(), r.oldName.end()));
        for (const std::wstring& o : c.outsiders) dir.WriteFile(o, std::string(o.begin(), o.end()));
        const RenamePlanResult plan =
            PlanRenames(c.requests, [&dir](const std::wstring& name) { return Exists(dir, name); });
        EXPECT_EQ(plan.refused.size(), c.refused) << c.what;
        int finished = 0;
        std::wstring error;
        EXPECT_TRUE(ExecuteRenamePlan(
            dir.Path(), plan, [&](int) { ++finished; }, error))
            << c.what;
        EXPECT_EQ(static_cast<size_t>(finished) + c.refused, c.requests.size()) << c.what;
        const std::vector<std::wstring> names = test::NamesIn(dir.Path());
        EXPECT_EQ(names.size(), c.requests.size() + c.outsiders.size()) << c.what;
        for (const std::wstring& name : names) {
            const std::string content = ReadFileBytes(dir / name);
            const auto expected = c.after.find(name);
            if (expected != c.after.end()) {
                EXPECT_EQ(content, std::string(expected->second.begin(), expected->second.end())) << c.what;
            } else {
                EXPECT_EQ(std::wstring(content.begin(), content.end()), name) << c.what << " left a file behind";
            }
        }
    }
}

// A stop asked for at any step of a swap never leaves a file parked under a
// temporary name: the cycle is finished first.
TEST(RenamePlanTest, StopNeverLeavesAFileParked) {
    const std::vector<RenameRequest> requests = {{L"a", L"b"}, {L"b", L"a"}, {L"x", L"y"}};
    for (int stopAt = 0; stopAt < 4; ++stopAt) {
        TempDir dir;
        for (const RenameRequest& r : requests)
            dir.WriteFile(r.oldName, std::string(r.oldName.begin(), r.oldName.end()));
        const RenamePlanResult plan = PlanRenames(requests, [&dir](const std::wstring& n) { return Exists(dir, n); });
        int asked = 0;
        std::wstring error;
        EXPECT_TRUE(ExecuteRenamePlan(
            dir.Path(), plan, [](int) {}, error, [&] { return asked++ >= stopAt; }));
        EXPECT_FALSE(Exists(dir, L"Temp_0")) << stopAt;
        std::string contents;
        for (const wchar_t* name : {L"a", L"b", L"x", L"y"})
            if (Exists(dir, name)) contents += ReadFileBytes(dir / name);
        std::sort(contents.begin(), contents.end());
        EXPECT_EQ(contents, "abx") << stopAt;
    }
}

// The batch asks one listing of the directory: names in any case and short
// names are held; a file that appears after the listing is still not
// overwritten, since the move refuses it and the batch stops there.
TEST(RenamePlanTest, TheListedNamesAnswerTheBatchAndALateFileIsNotOverwritten) {
    TempDir dir;
    dir.WriteFile(L"Report.TXT", "r");
    dir.WriteFile(L"a very long name.text", "l");
    dir.MakeDir(L"Folder");
    const NameTaken taken = NamesOnDisk(dir.Path());
    for (const wchar_t* name : {L"report.txt", L"REPORT.TXT", L"folder", L"A VERY LONG NAME.TEXT"})
        EXPECT_TRUE(taken(name)) << ToUtf8(name);
    WIN32_FIND_DATAW data{};
    ::FindClose(::FindFirstFileW((dir / L"a very long name.text").c_str(), &data));
    if (data.cAlternateFileName[0] != L'\0') {
        EXPECT_TRUE(taken(data.cAlternateFileName));
    }
    EXPECT_FALSE(taken(L"new.txt"));

    const RenamePlanResult plan = PlanRenames({{L"Report.TXT", L"new.txt"}}, taken);
    ASSERT_EQ(plan.steps.size(), 1u);
    dir.WriteFile(L"new.txt", "late");
    EXPECT_FALSE(taken(L"new.txt"));  // the listing is of the moment the batch began
    std::wstring error;
    EXPECT_FALSE(ExecuteRenamePlan(
        dir.Path(), plan, [](int) {}, error));
    EXPECT_EQ(error, L"Report.TXT");
    EXPECT_EQ(ReadFileBytes(dir / L"new.txt"), "late");
    EXPECT_EQ(ReadFileBytes(dir / L"Report.TXT"), "r");

    // A directory that cannot be listed is asked name by name.
    EXPECT_FALSE(NamesOnDisk(dir / L"gone")(L"new.txt"));
}

}  // namespace
}  // namespace zq::fileops
