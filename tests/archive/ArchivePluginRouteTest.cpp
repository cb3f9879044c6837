// Archives that no archiver row serves, browsed and unpacked through our own
// archive plug-in, loaded by the plug-in host as the program loads it.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "app/SusieArchiveBridge.h"
#include "archive/ArchiveHandle.h"
#include "archive/UnpackJob.h"
#include "common/Paths.h"
#include "archive/ArchiveTestSupport.h"
#include "main/TempDir.h"

namespace zq {
namespace {

// A library path that loads nothing: no row accepts any archive.
constexpr wchar_t kNoLibrary[] = L"Z:\\no\\such\\Unbypass.dll";

struct PluginRoute : testing::Test {
    test::TempDir dir;
    std::wstring spi = dir.MakeDir(L"spi");
    std::vector<std::wstring> reports;
    SusiePluginHost host{spi, [this](const std::wstring& m) { reports.push_back(m); }};
    int pauses = 0;
    int resumes = 0;
    SusieArchiveBridge bridge{[this] { return &host; }, [this] { ++pauses; }, [this] { ++resumes; }};
    test::ScriptedQuestions questions;

    void SetUp() override {
        const std::wstring ours = JoinPath(ModuleDirectory(), L"..\\..\\bin\\spi\\axzip.sph");
        ASSERT_TRUE(::CopyFileW(ours.c_str(), JoinPath(spi, L"axzip.sph").c_str(), FALSE));
        host.Rescan(false, SusieLoadMode::Off);
        ASSERT_EQ(host.Plugins().size(), 1u);
    }
    static std::string Read(const std::wstring& path) {
        if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return "(missing)";
        return test::ReadFileBytes(path);
    }
    static std::vector<std::wstring> Names(const std::vector<FileEntry>& entries) {
        std::vector<std::wstring> names;
        for (const FileEntry& e : entries) names.emplace_back(e.cFileName);
        return names;
    }
};

TEST_F(PluginRoute, BrowsesAnArchiveNoRowServesWhileTheLoaderWaits) {
    ArchiveHandle archive;
    EXPECT_FALSE(archive.Open(DefaultArchiverTable(), kNoLibrary, test::ArchiverFixtures(), L"pictures.zip"))
        << "no plug-ins given";
    archive.SetPlugins(&bridge);
    ASSERT_TRUE(archive.Open(DefaultArchiverTable(), kNoLibrary, test::ArchiverFixtures(), L"pictures.zip"));
    EXPECT_TRUE(archive.ByPlugin());
    EXPECT_EQ(pauses, 1);
    EXPECT_EQ(resumes, 1);
    EXPECT_EQ(Names(archive.ListFolder(L"", L"*.*", false)), (std::vector<std::wstring>{L"readme.txt", L"pics"}));
    EXPECT_EQ(Names(archive.ListFolder(L"PICS", L"*.png", false)),
              (std::vector<std::wstring>{L"first.png", L"second.png"}));
    UniqueLocal block;
    size_t size = 0;
    ASSERT_TRUE(archive.ExtractToMemory(L"", L"readme.txt", 4, block, size));
    EXPECT_EQ(std::string(static_cast<const char*>(block.Get()), size + 1), std::string("not \0", 5))
        << "cut at the limit, one zero after it";
    ASSERT_TRUE(archive.ExtractToMemory(L"pics", L"first.png", SIZE_MAX, block, size));
    EXPECT_EQ(std::string(static_cast<const char*>(block.Get()), 4), "\x89PNG");
    EXPECT_FALSE(archive.ExtractToMemory(L"pics", L"none.png", SIZE_MAX, block, size));
    EXPECT_FALSE(archive.Open(DefaultArchiverTable(), kNoLibrary, test::ArchiverFixtures(), L"truncated.zip"));
}

TEST(SafeMemberPath, KeepsMembersInsideTheDestination) {
    struct Case {
        const wchar_t* folder;
        const wchar_t* name;
        bool keepFolders;
        const wchar_t* expected;
    } cases[] = {
        {L"dir/sub", L"a.txt", true, L"dir\\sub\\a.txt"},
        {L"dir\\sub\\", L"a.txt", false, L"a.txt"},
        {L"./x//y", L"b", true, L"x\\y\\b"},
        {L"..", L"evil.txt", true, L""},
        {L"a\\..\\..", L"up.txt", true, L""},
        {L"\\abs", L"c.txt", true, L""},
        {L"C:", L"drive.txt", true, L""},
        {L"", L"s.txt:stream", true, L""},
        {L".. ", L"trim.txt", true, L""},
        {L"", L"..", false, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SafeMemberPath(c.folder, c.name, c.keepFolders), c.expected) << c.folder << L" | " << c.name;
}

TEST_F(PluginRoute, UnpacksWhatNoRowTakesWithoutWritingOutsideOrLeavingParts) {
    const std::wstring root = dir.MakeDir(L"root");
    const std::wstring out = dir.MakeDir(L"root\\out");
    std::vector<UnpackJob::Item> items;
    for (const wchar_t* name : {L"pictures.zip", L"hostile.zip", L"corrupt.zip", L"notarchive.txt"})
        items.push_back({test::ArchiverFixtures(), name});
    UnpackJob job(DefaultArchiverTable(), kNoLibrary, {out, true}, items, questions);
    job.SetPlugins(&bridge);
    std::uint64_t lastDone = 0, lastTotal = 0;
    job.onBytes = [&](std::uint64_t done, std::uint64_t total) { lastDone = done, lastTotal = total; };
    EXPECT_FALSE(job.Run()) << "three of the four failed";

    EXPECT_EQ(Read(JoinPath(out, L"pictures\\readme.txt")), "not a picture\n");
    EXPECT_EQ(Read(JoinPath(out, L"pictures\\pics\\first.png")).substr(0, 4), "\x89PNG");
    EXPECT_GT(lastTotal, 0u);
    // The hostile archive stops at its first member that would climb out.
    for (const wchar_t* outside : {L"evil.txt", L"out\\evil.txt", L"up.txt", L"out\\up.txt", L"abs.txt"})
        EXPECT_EQ(Read(JoinPath(root, outside)), "(missing)") << outside;
    // The spoiled member leaves neither its name nor a temporary file behind.
    EXPECT_EQ(Read(JoinPath(out, L"corrupt\\a.txt")), "(missing)");
    WIN32_FIND_DATAW data{};
    UniqueFind left(::FindFirstFileW(JoinPath(out, L"corrupt\\*.tmp").c_str(), &data));
    EXPECT_FALSE(left) << data.cFileName;
    ASSERT_EQ(questions.asked.size(), 3u);
    EXPECT_NE(questions.asked[0].find(L"hostile.zip"), std::wstring::npos);
    EXPECT_NE(questions.asked[1].find(L"corrupt.zip"), std::wstring::npos);
    EXPECT_NE(questions.asked[2].find(L"(対応DLLなし)"), std::wstring::npos) << "no plug-in takes a .txt either";
    (void)lastDone;
}

TEST_F(PluginRoute, UnpacksTheSelectedMembersOfAPluginListedArchive) {
    const std::wstring out = dir.MakeDir(L"members");
    for (const bool ignoreFolders : {false, true}) {
        SCOPED_TRACE(ignoreFolders ? "folders ignored" : "with folders");
        UnpackRequest request{out};
        request.ignoreFolders = ignoreFolders;
        UnpackJob job(DefaultArchiverTable(), kNoLibrary, request, {}, questions);
        job.SetPlugins(&bridge);
        job.SetMembers(JoinPath(test::ArchiverFixtures(), L"pictures.zip"), {L"pics\\second.png"}, true);
        EXPECT_TRUE(job.Run());
        EXPECT_EQ(Read(JoinPath(out, ignoreFolders ? L"second.png" : L"pics\\second.png")).substr(0, 4), "\x89PNG");
        EXPECT_EQ(Read(JoinPath(out, L"pics\\first.png")), "(missing)");
        EXPECT_EQ(Read(JoinPath(out, L"readme.txt")), "(missing)");
    }
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(PluginRoute, MethodsThePluginCannotDecodeAreRefusedWithACodeNotGarbage) {
    std::vector<StructPluginMember> members;
    int plugin = -1;
    ASSERT_TRUE(bridge.List(JoinPath(test::ArchiverFixtures(), L"methods.zip"), members, plugin));
    ASSERT_EQ(members.size(), 3u);
    // The secret archive's one member is encrypted.
    std::vector<StructPluginMember> locked;
    int lockedPlugin = -1;
    ASSERT_TRUE(bridge.List(JoinPath(test::ArchiverFixtures(), L"secret.zip"), locked, lockedPlugin));
    ASSERT_EQ(locked.size(), 1u);
    struct Case {
        const wchar_t* archive;
        const StructPluginMember& member;
        int result;
    } cases[] = {
        {L"methods.zip", members[0], 0},  // deflate
        {L"methods.zip", members[1], 2},  // bzip2: a format it does not know
        {L"methods.zip", members[2], 2},  // LZMA
        {L"secret.zip", locked[0], 3},    // no password can be given
    };
    for (const Case& c : cases) {
        UniqueLocal data;
        std::size_t size = 0;
        EXPECT_EQ(bridge.Extract(JoinPath(test::ArchiverFixtures(), c.archive), plugin, c.member, data, size), c.result)
            << c.member.fileName;
        EXPECT_EQ(static_cast<bool>(data), c.result == 0) << c.member.fileName;
        if (c.result != 0) {
            EXPECT_EQ(size, 0u) << c.member.fileName;
        }
    }
    EXPECT_TRUE(reports.empty()) << "a refusal is no fault";
}

// An archive plug-in that faults in GetArchiveInfo or GetFile: browsing and
// unpacking through it fail with the host's message, the plug-in is left
// alone for the rest of the run, and the process goes on.
struct BrokenPluginRoute : testing::Test {
    test::TempDir dir;
    std::wstring spi = dir.MakeDir(L"spi");
    std::vector<std::wstring> reports;
    test::ScriptedQuestions questions;

    void SetUp() override {
        const std::wstring broken = JoinPath(ModuleDirectory(), L"testdlls\\broken-arc\\brokenarc.sph");
        ASSERT_TRUE(::CopyFileW(broken.c_str(), JoinPath(spi, L"brokenarc.sph").c_str(), FALSE));
        for (const wchar_t* name : {L"ok.brk", L"crash.brk"}) dir.WriteFile(name, "not read by the plug-in");
    }
    // A host of its own per case: a fault disables the plug-in for the host's lifetime.
    std::unique_ptr<SusiePluginHost> Host() {
        auto host = std::make_unique<SusiePluginHost>(spi, [this](const std::wstring& m) { reports.push_back(m); });
        host->Rescan(false, SusieLoadMode::Off);
        return host;
    }
};

TEST_F(BrokenPluginRoute, FaultsInListingAndExtractingAreToldAndContained) {
    const std::wstring told = L"解凍Plug-In brokenarc.sph が異常終了したため、今回の起動中は使用しません";
    {
        auto host = Host();
        ASSERT_EQ(host->Plugins().size(), 1u);
        SusieArchiveBridge bridge{[&] { return host.get(); }, [] {}, [] {}};
        ArchiveHandle archive;
        archive.SetPlugins(&bridge);
        EXPECT_FALSE(archive.Open(DefaultArchiverTable(), kNoLibrary, dir.Path(), L"crash.brk"));
        EXPECT_EQ(reports, std::vector<std::wstring>{told});
        // Disabled now: a good file is not handed to it again.
        EXPECT_FALSE(archive.Open(DefaultArchiverTable(), kNoLibrary, dir.Path(), L"ok.brk"));
        EXPECT_EQ(reports.size(), 1u);
    }
    reports.clear();
    {
        auto host = Host();
        SusieArchiveBridge bridge{[&] { return host.get(); }, [] {}, [] {}};
        ArchiveHandle archive;
        archive.SetPlugins(&bridge);
        ASSERT_TRUE(archive.Open(DefaultArchiverTable(), kNoLibrary, dir.Path(), L"ok.brk"));
        ASSERT_EQ(archive.Members().size(), 1u);
        UniqueLocal block;
        std::size_t size = 0;
        EXPECT_FALSE(archive.ExtractToMemory(L"", L"member.txt", 100, block, size));
        EXPECT_EQ(reports, std::vector<std::wstring>{told});
    }
    {
        // Unpacking the listed member: the job says so and writes nothing.
        auto host = Host();
        SusieArchiveBridge bridge{[&] { return host.get(); }, [] {}, [] {}};
        const std::wstring out = dir.MakeDir(L"out");
        UnpackJob job(DefaultArchiverTable(), kNoLibrary, {out}, {}, questions);
        job.SetPlugins(&bridge);
        job.SetMembers(JoinPath(dir.Path(), L"ok.brk"), {L"member.txt"}, true);
        EXPECT_FALSE(job.Run());
        EXPECT_EQ(questions.asked, std::vector<std::wstring>{L"ファイルの解凍に失敗しました"});
        WIN32_FIND_DATAW data{};
        UniqueFind left(::FindFirstFileW(JoinPath(out, L"*.*").c_str(), &data));
        bool empty = true;
        if (left) {
            do empty = empty && data.cFileName[0] == L'.';
            while (::FindNextFileW(left.Get(), &data));
        }
        EXPECT_TRUE(empty) << data.cFileName;
    }
}

}  // namespace
}  // namespace zq
