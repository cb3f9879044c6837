#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <vector>

#include "common/Guard.h"
#include "common/Paths.h"
#include "external/CompanionLibrary.h"
#include "external/CompanionTestSupport.h"
#include "main/TempDir.h"

using zq::test::BuiltLibraryFolder;
using zq::test::TestFrame;

namespace {

std::wstring SystemDirectory() {
    wchar_t system[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system, n);
}

bool EndsWithCplIgnoringCase(const std::wstring& path) {
    return path.size() > 4 && ::CompareStringOrdinal(path.c_str() + path.size() - 4, 4, L".cpl", 4, TRUE) == CSTR_EQUAL;
}

}  // namespace

TEST(CompanionLibrary, MissingOrCrashingLibraryMakesEveryCallANoOp) {
    zq::test::TempDir dir;
    // Any loadable module without the exports will do: a copy of this test program.
    wchar_t self[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    ASSERT_TRUE(::CopyFileW(self, (dir / L"ZqDll.DLL").c_str(), FALSE));
    const std::pair<const char*, std::wstring> cases[] = {
        {"no library", dir / L"no such folder"},
        {"no exports", dir.Path()},
        {"crashes in every call", zq::JoinPath(zq::ModuleDirectory(), L"testdlls\\crashing-companion")}};
    for (const auto& [what, folder] : cases) {
        zq::CompanionLibrary library(folder);
        TestFrame frame;
        for (int round = 0; round < 2; ++round) {  // the program goes on calling after a crash
            EXPECT_TRUE(library.GetCplAllData(false, frame.Get(), {}).empty()) << what;
            EXPECT_EQ(library.SetNonLoadCpl(frame.Get(), {L"joy.cpl"}), std::nullopt) << what;
            EXPECT_FALSE(library.SetToTaskTray(frame.Get(), 2, VK_F11)) << what;
            EXPECT_FALSE(library.ReleaseToTaskTray()) << what;
            StructZqDirTreeRequest tree{};
            EXPECT_FALSE(library.DirTree(tree)) << what;
            std::vector<StructZqLauncherEntry> entries(2);
            StructZqLauncherRequest launcher{};
            launcher.Entries = entries.data();
            launcher.Count = 2;
            EXPECT_LT(library.Launcher(launcher), 0) << what;
            EXPECT_LE(launcher.Count, ZQ_LAUNCHER_MAX_ENTRIES) << what;
        }
        EXPECT_EQ(library.IsLoaded(), std::string_view(what) != "no library") << what;
        EXPECT_TRUE(::IsWindowVisible(frame.Get())) << what;
    }
}

TEST(CompanionLibrary, ControlPanelItemsAreSystemAppletsWithNames) {
    zq::CompanionLibrary library(BuiltLibraryFolder());
    ASSERT_TRUE(zq::FileExists(library.LibraryPath())) << "build the ZqDll target first";
    const auto items = library.GetCplAllData(false, nullptr, {});
    EXPECT_LE(items.size(), static_cast<size_t>(ZQ_CPL_MAX_RECORDS));
    const std::wstring system = SystemDirectory();
    std::set<std::pair<std::wstring, int>> seen;
    for (const auto& item : items) {
        const std::wstring path = item.CplPath;
        EXPECT_NE(item.Name[0], L'\0') << path;
        EXPECT_TRUE(EndsWithCplIgnoringCase(path)) << path;
        EXPECT_TRUE(zq::FileExists(path)) << path;
        EXPECT_EQ(::CompareStringOrdinal(std::wstring(zq::ParentPart(path)).c_str(), -1, system.c_str(), -1, TRUE),
                  CSTR_EQUAL)
            << path;
        EXPECT_GE(item.AppletIndex, 0) << path;
        EXPECT_TRUE(seen.insert({path, item.AppletIndex}).second) << "listed twice: " << path;
        EXPECT_FALSE(zq::CplOpenParameters(item).empty());
    }
    // The debug flag only adds reports; the answer stays the same.
    const auto again = library.GetCplAllData(true, nullptr, {});
    ASSERT_EQ(again.size(), items.size());
    for (size_t i = 0; i < items.size(); ++i) EXPECT_STREQ(again[i].Name, items[i].Name);
}

TEST(CompanionLibrary, LibraryStaysLoadedAndLeavesNoFaultHandlingBehindWhenUnloaded) {
    {
        zq::CompanionLibrary library(BuiltLibraryFolder());
        static_cast<void>(library.GetCplAllData(false, nullptr, {}));  // the library guards its own calls
        ASSERT_TRUE(library.IsLoaded());
    }
    ASSERT_EQ(::GetModuleHandleW(L"ZqDll.DLL"), nullptr) << "the library is still mapped";
    // Every fault now passes the handlers of the process; one left in the unmapped library would crash here.
    int* volatile nowhere = nullptr;
    EXPECT_FALSE(zq::GuardedCall([&] { *nowhere = 1; }));
}

TEST(CompanionLibrary, NonLoadCplLeavesOutExactlyThatFile) {
    zq::CompanionLibrary library(BuiltLibraryFolder());
    const auto all = library.GetCplAllData(false, nullptr, {});
    if (all.empty()) GTEST_SKIP() << "this system offers no control-panel items";

    const std::wstring excludedPath = all.front().CplPath;
    std::wstring excludedName(zq::FileNamePart(excludedPath));
    ::CharUpperW(excludedName.data());  // the entry's case must not matter
    size_t others = 0;
    for (const auto& item : all) others += excludedPath != item.CplPath;

    const auto filtered = library.GetCplAllData(false, nullptr, {L"", excludedName});
    EXPECT_EQ(filtered.size(), others);
    for (const auto& item : filtered) EXPECT_NE(std::wstring(item.CplPath), excludedPath);
}

namespace {

// The dialog is modal: a thread timer, served by its message loop, answers it.
struct DialogScript {
    bool clearSelection = false;
    WORD button = IDOK;
    bool answered = false;
};
DialogScript g_script;

BOOL CALLBACK AnswerDialog(HWND window, LPARAM) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    if (g_script.clearSelection) {
        const HWND list = ::FindWindowExW(window, nullptr, L"ListBox", nullptr);
        ::SendMessageW(list, LB_SETSEL, FALSE, -1);
    }
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(g_script.button, BN_CLICKED), 0);
    g_script.answered = true;
    return FALSE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_script.answered) ::EnumThreadWindows(::GetCurrentThreadId(), AnswerDialog, 0);
}

std::optional<std::vector<std::wstring>> RunDialog(zq::CompanionLibrary& library, const DialogScript& script,
                                                   const std::vector<std::wstring>& nonLoad) {
    g_script = script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, OnTimer);
    auto result = library.SetNonLoadCpl(nullptr, nonLoad);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_script.answered);
    return result;
}

}  // namespace

TEST(CompanionLibrary, NonLoadCplDialogKeepsChosenAndVanishedEntries) {
    zq::CompanionLibrary library(BuiltLibraryFolder());
    const std::wstring gone = L"C:\\gone\\old.cpl";
    const bool joyPresent = zq::FileExists(zq::JoinPath(SystemDirectory(), L"joy.cpl"));

    const auto confirmed = RunDialog(library, {false, IDOK, false}, {L"JOY.CPL", gone});
    ASSERT_TRUE(confirmed.has_value());
    std::vector<std::wstring> expected;
    if (joyPresent) expected.push_back(L"joy.cpl");  // as the system names the file
    expected.push_back(gone);
    EXPECT_EQ(*confirmed, expected);

    EXPECT_EQ(RunDialog(library, {false, IDCANCEL, false}, {gone}), std::nullopt);

    const auto cleared = RunDialog(library, {true, IDOK, false}, {L"joy.cpl", gone});
    ASSERT_TRUE(cleared.has_value());
    EXPECT_TRUE(cleared->empty());
}

TEST(CompanionLibrary, TaskTrayHidesTheFrameUntilReleased) {
    zq::CompanionLibrary library(BuiltLibraryFolder());
    TestFrame frame;
    ASSERT_TRUE(::IsWindowVisible(frame.Get()));
    if (!library.SetToTaskTray(frame.Get(), 2, VK_F11)) {
        // Without a tray to put the icon in, the window must stay reachable.
        EXPECT_TRUE(::IsWindowVisible(frame.Get()));
        GTEST_SKIP() << "no task tray on this desktop";
    }
    EXPECT_FALSE(::IsWindowVisible(frame.Get()));
    EXPECT_TRUE(library.IsLoaded()) << "the library's window holds the icon";
    EXPECT_TRUE(library.SetToTaskTray(frame.Get(), 2, VK_F11)) << "the same window again is already done";
    EXPECT_TRUE(library.ReleaseToTaskTray());
    EXPECT_TRUE(library.IsLoaded()) << "loaded once, the library stays";
    EXPECT_TRUE(::IsWindowVisible(frame.Get()));
    EXPECT_FALSE(library.ReleaseToTaskTray()) << "nothing is in the tray any more";

    // A frame destroyed while in the tray takes its icon along.
    ASSERT_TRUE(library.SetToTaskTray(frame.Get(), 0, 'T'));
    frame.Destroy();
    EXPECT_FALSE(library.ReleaseToTaskTray());
    TestFrame second;
    EXPECT_TRUE(library.SetToTaskTray(second.Get(), 3, VK_F11));
    EXPECT_TRUE(library.ReleaseToTaskTray());
}

TEST(CompanionLibrary, HotKeyInTheTrayAsksForTheShowCommand) {
    zq::CompanionLibrary library(BuiltLibraryFolder());
    TestFrame frame;
    if (!library.SetToTaskTray(frame.Get(), 2, VK_F11)) GTEST_SKIP() << "no task tray on this desktop";
    // Only the hot key itself is pressed: any other key would reach whatever
    // window another test process has in front.
    zq::test::PumpMessages();
    ASSERT_TRUE(frame.Commands().empty());
    INPUT keys[4] = {};
    const WORD order[4] = {VK_CONTROL, VK_F11, VK_F11, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    ::SendInput(4, keys, sizeof(INPUT));
    for (int i = 0; i < 100 && frame.Commands().empty(); ++i) {
        ::Sleep(10);
        zq::test::PumpMessages();
    }
    EXPECT_EQ(frame.Commands(), std::vector<WORD>{ZQ_TRAY_SHOW_COMMAND});
    EXPECT_TRUE(library.ReleaseToTaskTray());
}

TEST(CompanionLibrary, Wow64RedirectionOnlyForA32BitProcessOn64BitWindows) {
    SYSTEM_INFO native{};
    ::GetNativeSystemInfo(&native);
    const bool os64 = native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
                      native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64;
    EXPECT_EQ(zq::RunsUnderWow64(), os64 && sizeof(void*) == 4);

    zq::CompanionLibrary library(BuiltLibraryFolder());
    EXPECT_EQ(library.InitWow64Redirection(), zq::RunsUnderWow64());
    if (!zq::RunsUnderWow64()) {
        EXPECT_FALSE(library.IsLoaded()) << "a 64-bit process has no use for the library at start";
    }
    library.DisableWow64FsRedirection();
    library.RevertWow64FsRedirection();
}
