#include "external/PluginHost.h"

#include <gtest/gtest.h>

#include "common/Paths.h"
#include "common/TextConv.h"
#include "filer/ViewFilerPlugins.h"
#include "main/TempDir.h"
#include "settings/IniFile.h"
#include "settings/SettingsIo.h"

namespace zq {
namespace {

std::wstring TestPlugin() {
    return NormalisePath(JoinPath(ZQ_PLUGIN_DIR, L"zqtest.dll"));
}

const std::vector<StructZqPlugin> kList = {
    {L"one.dll", 102, L"VIE", L"一覧", L"#N_F1", 1},
    {L"Two.DLL", 0, L"", L"", L"#N_F1", 0},
    {L"three.dll", 5, L"X", L"三", L"#S_F2", 1},
};

TEST(PluginHost, CommandTextsNameOneRecord) {
    const struct {
        const wchar_t* text;
        std::optional<size_t> record;
    } cases[] = {
        {L"#N_F1,one.dll", 0},    {L"#N_F1,ONE.dll", 0},     // the file name without regard to case
        {L"#N_F1,two.dll", 1},    {L"#S_F2,three.dll", 2},   // the same key in two libraries
        {L"#n_f1,one.dll", {}},   {L"#N_F1,three.dll", {}},  // the key text exactly
        {L"#N_F1", {}},           {L"N_F1,one.dll", {}},     // no comma; no "#"
        {L"#N_F1,one.dll,x", {}}, {L"#N_F1, one.dll", {}},   // the rest is the whole file name
    };
    for (const auto& c : cases) EXPECT_EQ(FindPluginRecord(kList, c.text), c.record) << ToUtf8(c.text);

    const std::vector<PluginMenuItem> items = PluginMenuItems(kList);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].index, 2u);
    EXPECT_EQ(items[1].label, L"三,three.dll");
    std::vector<StructZqPlugin> many(60, kList[0]);
    EXPECT_EQ(PluginMenuItems(many).size(), kMaxMenuPlugins) << "only the first 50 take part in menus";
    EXPECT_EQ(FormatPluginVersion(102), L"1.02");
    EXPECT_EQ(FormatPluginVersion(1234), L"12.34");
}

TEST(PluginHost, ListKeepsItsRecordsThroughTheSettingsFile) {
    test::TempDir dir;
    Settings written;
    written.ZQPLUGINLOADTYPE = 1;
    written.pluginDir = L"C:\\プラグイン";
    for (const StructZqPlugin& p : kList)
        written.plugins.push_back({p.name, p.version, p.type, p.viewKey, p.keyStr, p.viewMenu});
    for (int loadType : {1, 0}) {
        written.ZQPLUGINLOADTYPE = loadType;
        IniFile out;
        ASSERT_TRUE(out.OpenForWriting(dir / L"zq.ini"));
        ASSERT_TRUE(WriteAllSettings(out, written));
        ASSERT_TRUE(out.CloseWriting());
        IniFile in(dir / L"zq.ini");
        ASSERT_EQ(in.Load(), IniLoadResult::Loaded);
        Settings read;
        ReadStartupSettings(in, read);
        ReadRemainingSettings(in, read, {});
        EXPECT_EQ(read.pluginDir, written.pluginDir);
        EXPECT_EQ(PluginList(read), loadType ? kList : std::vector<StructZqPlugin>()) << loadType;
        EXPECT_EQ(read.plugins, written.plugins) << "switched off, the records stay on file";
        EXPECT_EQ(PluginDirectory(read, L"C:\\zq"), L"C:\\プラグイン");
    }
    EXPECT_EQ(PluginDirectory(Settings{}, L"C:\\zq"), L"C:\\zq");
}

// Two panes as the program hands them: a listing with ".." and two files, one marked, and the drive list.
struct PaneFixture {
    std::vector<WIN32_FIND_DATAW> entries{3};
    std::vector<uint32_t> marks{0, 0, 1};
    std::vector<int32_t> order{0, 2, 1};
    StructZqPaneInfo listing{};
    StructZqPaneInfo drives{};
    PaneFixture() {
        const wchar_t* names[] = {L"..", L"b.txt", L"表.txt"};
        for (size_t i = 0; i < entries.size(); ++i) wcscpy_s(entries[i].cFileName, names[i]);
        listing = {0x0009, L"C:\\work", 3, 1, 1, entries.data(), marks.data(), order.data(), 0};
        drives = {0x0082, L"D:", 0, 0, 0, nullptr, nullptr, nullptr, 0};
    }
};

std::string CallTestPlugin(const std::wstring& key, PluginCallResult expected) {
    test::TempDir dir;
    const std::wstring out = dir / L"given.txt";
    ::SetEnvironmentVariableW(L"ZQTEST_PLUGIN_OUT", out.c_str());
    PaneFixture panes;
    const PluginCall call{nullptr, L"C:\\zq", L"ユーザー", key, &panes.listing, &panes.drives};
    EXPECT_EQ(CallPlugin(TestPlugin(), call), expected) << ToUtf8(key);
    ::SetEnvironmentVariableW(L"ZQTEST_PLUGIN_OUT", nullptr);
    return test::ReadFileBytes(out);
}

TEST(PluginHost, OurPluginIsHandedBothPanesAndItsAnswerCounts) {
    ASSERT_TRUE(FileExists(TestPlugin())) << "build the test plug-in first";
    const std::string given = CallTestPlugin(L"#N_F1", PluginCallResult::Unchanged);
    for (const char* line : {"program=C:\\zq\n", "user=ユーザー\n", "key=#N_F1\n", "makepath=1,C:\\x.txt\n",
                             "focused.mode=0x0009\nfocused.directory=C:\\work\nfocused.counts=3,1,1\n"
                             "focused.entry=..\nfocused.entry=表.txt *\nfocused.entry=b.txt\n",
                             "other.mode=0x0082\nother.directory=D:\nother.counts=0,0,0\n"})
        EXPECT_NE(given.find(line), std::string::npos) << line << "\nin:\n" << given;
    EXPECT_FALSE(CallTestPlugin(L"#REREAD", PluginCallResult::Changed).empty());
}

TEST(PluginHost, MissingLibrariesAndCrashesEndTheCallOnly) {
    EXPECT_EQ(CallPlugin(JoinPath(ModuleDirectory(), L"no such.dll"), {}), PluginCallResult::NoLibrary);
    const std::wstring noEntry = JoinPath(ModuleDirectory(), L"testdlls\\crashing-companion\\ZqDll.DLL");
    ASSERT_TRUE(FileExists(noEntry));
    EXPECT_EQ(CallPlugin(noEntry, {}), PluginCallResult::NoEntryPoint);
    for (int round = 0; round < 2; ++round) CallTestPlugin(L"#CRASH", PluginCallResult::Faulted);
    EXPECT_EQ(::GetModuleHandleW(TestPlugin().c_str()), nullptr) << "the library stays loaded after its call";
    EXPECT_FALSE(CallTestPlugin(L"#N_F1", PluginCallResult::Unchanged).empty()) << "the next call works";

    wchar_t out[ZQ_PLUGIN_PATH_CHARS];
    EXPECT_EQ(PluginMakePath(L"C:", L"a", out), 1);
    EXPECT_STREQ(out, L"C:\\a");
    EXPECT_EQ(PluginMakePath(std::wstring(600, L'x').c_str(), L"a", out), 0) << "longer than the buffer";
}

}  // namespace
}  // namespace zq
