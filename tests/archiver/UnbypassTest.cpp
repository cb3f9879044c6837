// Unbypass.dll as a caller sees it: loaded by path, every function found by
// its prefixed name, fed the archives make_fixtures.py wrote.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "archive/ArchiverApi.h"
#include "common/Paths.h"
#include "main/TempDir.h"

namespace {

using namespace zq::arc;

const char* const kPrefixes[] = {"Unlha", "UnZip", "Cab", "Unrar", "Unarj", "Tar", "UnGCA", "SevenZip"};

std::string Ansi(const std::wstring& text) {
    char buffer[1024] = {};
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Unbypass : public testing::Test {
  protected:
    void SetUp() override {
        m_library = ::LoadLibraryW(zq::JoinPath(zq::ModuleDirectory(), L"..\\..\\bin\\Unbypass.dll").c_str());
        ASSERT_NE(m_library, nullptr);
    }
    void TearDown() override {
        if (m_library) ::FreeLibrary(m_library);
    }
    template <typename Fn>
    Fn Get(const char* prefix, const char* word) const {
        return reinterpret_cast<Fn>(::GetProcAddress(m_library, (std::string(prefix) + word).c_str()));
    }
    static std::string Fixture(const char* name) {
        return Ansi(zq::JoinPath(zq::ModuleDirectory(), L"archiver-fixtures")) + "\\" + name;
    }
    // Runs the command function of a prefix with "{a}" and "{d}" replaced by archive and destination.
    int Run(const char* prefix, std::string line, const std::string& archive, const std::wstring& dest,
            char* out = nullptr, DWORD size = 0) const {
        for (auto [key, value] : {std::pair{"{a}", archive}, std::pair{"{d}", Ansi(dest)}})
            if (const size_t at = line.find(key); at != std::string::npos) line.replace(at, 3, value);
        char scratch[4096];
        return Get<CommandFn>(prefix, "")(nullptr, line.c_str(), out ? out : scratch, out ? size : sizeof scratch);
    }
    struct Listed {
        std::string name;
        DWORD size;
        std::string attributes;
        WORD date, time;
    };
    std::vector<Listed> List(const char* prefix, const std::string& archive) const {
        std::vector<Listed> listed;
        const HARC harc = Get<OpenArchiveFn>(prefix, "OpenArchive")(nullptr, archive.c_str(), kOpenModeList);
        if (!harc) return listed;
        std::vector<char> block(kIndividualInfoAlloc);
        auto* info = reinterpret_cast<INDIVIDUALINFO*>(block.data());
        for (int r = Get<FindFirstFn>(prefix, "FindFirst")(harc, "*.*", info); r == 0;
             r = Get<FindNextFn>(prefix, "FindNext")(harc, info))
            listed.push_back({info->szFileName, info->dwOriginalSize, info->szAttribute, info->wDate, info->wTime});
        EXPECT_EQ(Get<CloseArchiveFn>(prefix, "CloseArchive")(harc), 0);
        return listed;
    }

    HMODULE m_library = nullptr;
};

TEST_F(Unbypass, EveryPrefixExportsTheInterfaceAndSaysSo) {
    const char* words[] = {"",
                           "GetVersion",
                           "GetRunning",
                           "CheckArchive",
                           "GetFileCount",
                           "QueryFunctionList",
                           "OpenArchive",
                           "CloseArchive",
                           "FindFirst",
                           "FindNext",
                           "SetOwnerWindow",
                           "ClearOwnerWindow",
                           "GetArcFileName",
                           "GetFileName",
                           "GetMethod",
                           "GetOriginalSize",
                           "GetCompressedSize",
                           "GetDate",
                           "GetTime",
                           "GetAttribute",
                           "GetWriteTime",
                           "GetWriteTimeEx"};
    for (const char* prefix : kPrefixes) {
        for (const char* word : words) EXPECT_NE(Get<FARPROC>(prefix, word), nullptr) << prefix << word;
        const auto query = Get<QueryFunctionListFn>(prefix, "QueryFunctionList");
        for (int fn : {kFnCheckArchive, kFnGetFileCount, kFnOpenArchive, kFnCloseArchive, kFnFindFirst, kFnFindNext})
            EXPECT_TRUE(query(fn)) << prefix << fn;
        EXPECT_FALSE(query(kFnConfigDialog)) << prefix;
    }
}

TEST_F(Unbypass, CheckArchiveAcceptsOnlyItsOwnFamilyAndWholeData) {
    struct Case {
        const char* prefix;
        const char* file;
        int mode;
        BOOL expected;
    } cases[] = {
        {"UnZip", "plain.zip", kCheckRapid, TRUE},       {"Unlha", "plain.zip", kCheckRapid, FALSE},
        {"SevenZip", "plain.zip", kCheckRapid, FALSE},   {"Unarj", "plain.zip", kCheckBasic, FALSE},
        {"UnZip", "empty.zip", kCheckBasic, TRUE},       {"UnZip", "plain.tar", kCheckRapid, FALSE},
        {"Tar", "plain.tar", kCheckBasic, TRUE},         {"Tar", "plain.tar.gz", kCheckFull, TRUE},
        {"Tar", "plain.tar.bz2", kCheckFull, TRUE},      {"Tar", "plain.tar.xz", kCheckFull, TRUE},
        {"Tar", "note.txt.gz", kCheckRapid, TRUE},       {"Tar", "notarchive.txt", kCheckRapid, FALSE},
        {"UnZip", "notarchive.txt", kCheckRapid, FALSE}, {"Tar", "truncated.tar.gz", kCheckRapid, TRUE},
        {"Tar", "truncated.tar.gz", kCheckFull, FALSE},  {"UnZip", "no-such-file.zip", kCheckRapid, FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Get<CheckArchiveFn>(c.prefix, "CheckArchive")(Fixture(c.file).c_str(), c.mode), c.expected)
            << c.prefix << " " << c.file << " mode " << c.mode;
}

TEST_F(Unbypass, ListingGivesNamesSizesFoldersAndTimes) {
    const WORD date = ((2021 - 1980) << 9) | (3 << 5) | 4, time = (5 << 11) | (6 << 5) | (8 / 2);
    for (const char* file : {"plain.zip", "plain.tar.gz", "plain.tar.xz"}) {
        const auto listed = List("UnZip", Fixture(file));
        ASSERT_EQ(listed.size(), 3u) << file;
        EXPECT_EQ(Get<GetFileCountFn>("Tar", "GetFileCount")(Fixture(file).c_str()), 3) << file;
        EXPECT_EQ(listed[0].name, "a.txt");
        EXPECT_EQ(listed[0].size, 6u);
        EXPECT_EQ(listed[0].attributes, "----A");
        EXPECT_EQ(listed[1].name, "dir/");
        EXPECT_EQ(listed[1].attributes, "---D-");
        EXPECT_EQ(listed[2].name, "dir/sub/b.txt");
        if (std::string(file) == "plain.zip") {
            // DOS times are local on both sides: they come back as stored.
            EXPECT_EQ(listed[0].date, date);
            EXPECT_EQ(listed[0].time, time);
        }
    }
    // The getters describe the member found last.
    const HARC harc = Get<OpenArchiveFn>("Tar", "OpenArchive")(nullptr, Fixture("plain.tar").c_str(), 0);
    ASSERT_NE(harc, nullptr);
    char name[64] = {};
    EXPECT_EQ(Get<int(WINAPI*)(HARC, LPSTR, int)>("Tar", "GetFileName")(harc, name, 64), kErrorNotSearchMode);
    EXPECT_EQ(Get<FindFirstFn>("Tar", "FindFirst")(harc, "*.txt", nullptr), 0);
    EXPECT_EQ(Get<FindNextFn>("Tar", "FindNext")(harc, nullptr), 0);
    EXPECT_EQ(Get<int(WINAPI*)(HARC, LPSTR, int)>("Tar", "GetFileName")(harc, name, 64), 0);
    EXPECT_STREQ(name, "dir/sub/b.txt");
    EXPECT_EQ(Get<DWORD(WINAPI*)(HARC)>("Tar", "GetOriginalSize")(harc), 6u);
    EXPECT_EQ(Get<DWORD(WINAPI*)(HARC)>("Tar", "GetWriteTime")(harc), 1614834368u);
    EXPECT_EQ(Get<int(WINAPI*)(HARC)>("Tar", "GetAttribute")(harc), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(Get<FindNextFn>("Tar", "FindNext")(harc, nullptr), -1);
    EXPECT_EQ(Get<CloseArchiveFn>("Tar", "CloseArchive")(harc), 0);
    EXPECT_EQ(Get<CloseArchiveFn>("Tar", "CloseArchive")(harc), -1);
    EXPECT_EQ(Get<FindFirstFn>("Tar", "FindFirst")(harc, "*.*", nullptr), kErrorHarcNotOpened);
}

TEST_F(Unbypass, JapaneseNamesArriveInTheAnsiCodePageAndExtract) {
    struct Case {
        const char* file;
        std::vector<std::wstring> names;
    } cases[] = {{"sjis.zip", {L"日本語.txt", L"表/ソ.txt"}}, {"utf8.zip", {L"日本語/表.txt"}}};
    for (const auto& c : cases) {
        const auto listed = List("UnZip", Fixture(c.file));
        ASSERT_EQ(listed.size(), c.names.size()) << c.file;
        for (size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(listed[i].name, Ansi(c.names[i])) << c.file;
        // "表" ends in the byte of "\": the destination must still be read as one folder.
        zq::test::TempDir temp;
        EXPECT_EQ(Run("UnZip", "x {a} {d}\\", Fixture(c.file), temp / L"表"), 0) << c.file;
        for (const auto& name : c.names) {
            std::wstring path = temp / (L"表\\" + name);
            for (auto& ch : path) ch = ch == L'/' ? L'\\' : ch;
            EXPECT_TRUE(Exists(path)) << c.file;
        }
    }
}

TEST_F(Unbypass, EmptyBrokenAndForeignFilesFailCleanly) {
    EXPECT_TRUE(List("UnZip", Fixture("empty.zip")).empty());
    EXPECT_EQ(Get<GetFileCountFn>("UnZip", "GetFileCount")(Fixture("empty.zip").c_str()), 0);
    EXPECT_EQ(Get<GetFileCountFn>("UnZip", "GetFileCount")(Fixture("notarchive.txt").c_str()), -1);
    EXPECT_EQ(Get<OpenArchiveFn>("UnZip", "OpenArchive")(nullptr, Fixture("notarchive.txt").c_str(), 0), nullptr);
    zq::test::TempDir temp;
    EXPECT_NE(Run("Tar", "xvaf {a} {d}\\", Fixture("truncated.tar.gz"), temp.Path()), 0);
    EXPECT_FALSE(Exists(temp / L"big.bin"));
    // A file already under the member's name survives a member that breaks off, and nothing else is left.
    temp.WriteFile(L"big.bin", "kept");
    EXPECT_NE(Run("Tar", "xvaf {a} {d}\\", Fixture("truncated.tar.gz"), temp.Path()), 0);
    EXPECT_EQ(zq::test::ReadFileBytes(temp / L"big.bin"), "kept");
    EXPECT_FALSE(Exists(temp / L"big.bin.unbypass-part"));
    EXPECT_EQ(Run("Tar", "xvaf {a} {d}\\", Fixture("whole.tar.gz"), temp.Path()), 0);
    EXPECT_TRUE(Exists(temp / L"big.bin"));
    EXPECT_EQ(Run("UnZip", "x", "", L""), kErrorCommandName);
}

TEST_F(Unbypass, AnEncryptedMemberComesOutOnlyWithItsPassword) {
    zq::test::TempDir temp;
    // The ZIP family's "-P", with nothing, a wrong and the right password.
    EXPECT_EQ(Run("UnZip", "-x {a} {d}\\", Fixture("secret.zip"), temp / L"none"), kErrorPasswordFile);
    EXPECT_EQ(Run("UnZip", "-x -Pwrong {a} {d}\\", Fixture("secret.zip"), temp / L"wrong"), kErrorPasswordFile);
    EXPECT_FALSE(Exists(temp / L"none\\hidden.txt"));
    EXPECT_FALSE(Exists(temp / L"wrong\\hidden.txt"));
    EXPECT_FALSE(Exists(temp / L"wrong\\hidden.txt.unbypass-part"));
    ASSERT_EQ(Run("UnZip", "-x -Psecret {a} {d}\\", Fixture("secret.zip"), temp / L"right"), 0);
    std::string expected;
    for (int i = 0; i < 50; ++i) expected += "only with the password\n";
    EXPECT_EQ(zq::test::ReadFileBytes(temp / L"right\\hidden.txt"), expected);
    // 7-Zip's "-p" form.
    EXPECT_EQ(Run("SevenZip", "x -psecret {a} {d}\\", Fixture("secret.zip"), temp / L"seven"), 0);
    EXPECT_TRUE(Exists(temp / L"seven\\hidden.txt"));
}

TEST_F(Unbypass, ExtractionFollowsEachCallersCommandLine) {
    struct Case {
        const char* prefix;
        const char* line;
        const char* file;
        std::vector<const wchar_t*> present, absent;
    } cases[] = {
        {"Unlha", "x {a} {d}\\", "plain.zip", {L"a.txt", L"dir\\sub\\b.txt"}, {}},
        {"Unlha", "e -d0 -m1 -p1 -n1 {a} {d}\\ dir\\sub\\b.txt", "plain.zip", {L"b.txt"}, {L"a.txt", L"dir"}},
        {"Unlha", "e -d1 -m1 -p1 -n1 {a} {d}\\ dir/sub/b.txt", "plain.tar", {L"dir\\sub\\b.txt"}, {L"a.txt"}},
        {"SevenZip", "x {a} -o{d}", "plain.tar.xz", {L"a.txt", L"dir\\sub\\b.txt"}, {}},
        {"Tar", "--use-directory=0 xvaf {a} {d}\\", "plain.tar.bz2", {L"a.txt", L"b.txt"}, {L"dir"}},
        {"UnZip", "-x -j --i {a} {d}\\ *.txt", "plain.zip", {L"a.txt", L"b.txt"}, {L"dir"}},
        {"Tar", "xvaf {a} {d}\\", "note.txt.gz", {L"note.txt"}, {}},
    };
    for (const auto& c : cases) {
        zq::test::TempDir temp;
        EXPECT_EQ(Run(c.prefix, c.line, Fixture(c.file), temp / L"out"), 0) << c.line;
        for (const auto* name : c.present) EXPECT_TRUE(Exists(temp / (std::wstring(L"out\\") + name))) << c.line;
        for (const auto* name : c.absent) EXPECT_FALSE(Exists(temp / (std::wstring(L"out\\") + name))) << c.line;
    }
    zq::test::TempDir temp;
    ASSERT_EQ(Run("Tar", "x {a} {d}\\", Fixture("plain.tar"), temp.Path()), 0);
    EXPECT_EQ(zq::test::ReadFileBytes(temp / L"dir\\sub\\b.txt"), "bravo\n");
}

TEST_F(Unbypass, MembersThatClimbOutAreRefusedAndNothingLeavesTheDestination) {
    for (const char* file : {"hostile.zip", "hostile.tar"}) {
        zq::test::TempDir temp;
        EXPECT_NE(Run("UnZip", "x {a} {d}\\", Fixture(file), temp / L"in\\side"), 0) << file;
        EXPECT_EQ(zq::test::ReadFileBytes(temp / L"in\\side\\ok.txt"), "ok\n") << file;
        // Only the destination's own folders were made; a link member made none either.
        WIN32_FIND_DATAW data;
        int outside = 0;
        for (const auto* level : {L"\\*", L"\\in\\*"}) {
            const HANDLE find = ::FindFirstFileW((temp.Path() + level).c_str(), &data);
            ASSERT_NE(find, INVALID_HANDLE_VALUE);
            do
                outside +=
                    data.cFileName[0] != L'.' && lstrcmpW(data.cFileName, L"in") && lstrcmpW(data.cFileName, L"side");
            while (::FindNextFileW(find, &data));
            ::FindClose(find);
        }
        EXPECT_EQ(outside, 0) << file;
        for (const auto* name : {L"C:\\drive.txt", L"\\abs.txt", L"C:\\x"}) EXPECT_FALSE(Exists(name)) << file;
        const DWORD link = ::GetFileAttributesW((temp / L"in\\side\\link").c_str());
        EXPECT_TRUE(link == INVALID_FILE_ATTRIBUTES || !(link & FILE_ATTRIBUTE_REPARSE_POINT)) << file;
    }
}

TEST_F(Unbypass, PrintWritesTheMemberIntoTheCallersBuffer) {
    struct Case {
        const char* prefix;
        const char* line;
        const char* file;
        DWORD size;
        const char* expected;
        int result;
    } cases[] = {
        {"Unlha", "p -n1 -d1 -m1 -p1 {a} dir\\sub\\b.txt", "plain.zip", 7, "bravo\n", 0},
        {"Tar", "-pxf {a} a.txt", "plain.tar.gz", 7, "alpha\n", 0},
        {"UnZip", "-p {a} a.txt", "plain.zip", 3, "alp", 0},
        {"Unlha", "p {a} missing.txt", "plain.zip", 7, "", kErrorFileOpen},
    };
    for (const auto& c : cases) {
        std::string buffer(c.size + 1, '\0');
        EXPECT_EQ(Run(c.prefix, c.line, Fixture(c.file), L"", buffer.data(), c.size), c.result) << c.line;
        EXPECT_STREQ(buffer.c_str(), c.expected) << c.line;
    }
}

}  // namespace

TEST_F(Unbypass, ZipAddReplacesAndKeepsMembersAndChangesNothingWhenItFails) {
    using zq::test::ReadFileBytes;
    zq::test::TempDir temp;
    const std::wstring zip = temp / L"p.zip";
    ASSERT_TRUE(
        ::CopyFileW(zq::JoinPath(zq::ModuleDirectory(), L"archiver-fixtures\\plain.zip").c_str(), zip.c_str(), FALSE));
    temp.WriteFile(L"src\\a.txt", "replaced");
    temp.WriteFile(L"src\\表\\ソ.txt", "kana");
    temp.WriteFile(L"src\\dir\\new.txt", "new");
    const auto add = Get<CommandFn>("Zip", "");
    ASSERT_NE(add, nullptr);
    char out[256];
    // Named without ".zip", as callers of the family do; a folder with -r comes with its contents.
    const std::string line = "-r -S \"" + Ansi(temp / L"p") + "\" \"" + Ansi(temp / L"src") + "\\\" a.txt \"" +
                             Ansi(L"表") + "\" dir\\new.txt";
    ASSERT_EQ(add(nullptr, line.c_str(), out, sizeof out), 0);
    std::vector<std::string> names;
    for (const auto& listed : List("UnZip", Ansi(zip))) names.push_back(listed.name);
    EXPECT_EQ(names, (std::vector<std::string>{"dir/", "dir/sub/b.txt", "a.txt", Ansi(L"表/"), Ansi(L"表/ソ.txt"),
                                               "dir/new.txt"}));
    ASSERT_EQ(Run("UnZip", "x {a} {d}\\", Ansi(zip), temp / L"out"), 0);
    EXPECT_EQ(ReadFileBytes(temp / L"out\\a.txt"), "replaced");
    EXPECT_EQ(ReadFileBytes(temp / L"out\\dir\\sub\\b.txt"), "bravo\n");
    EXPECT_EQ(ReadFileBytes(temp / L"out\\表\\ソ.txt"), "kana");
    EXPECT_EQ(ReadFileBytes(temp / L"out\\dir\\new.txt"), "new");
    // A name that matches nothing, an archive of another family, the LHA
    // family's add (this library cannot write LHA): errors, and nothing changed.
    const std::string before = ReadFileBytes(zip);
    const std::string missing = "-r \"" + Ansi(zip) + "\" \"" + Ansi(temp / L"src") + "\\\" nothing.txt";
    EXPECT_EQ(add(nullptr, missing.c_str(), out, sizeof out), kErrorFileOpen);
    EXPECT_EQ(ReadFileBytes(zip), before);
    const std::wstring tar = temp / L"t.tar";
    ASSERT_TRUE(
        ::CopyFileW(zq::JoinPath(zq::ModuleDirectory(), L"archiver-fixtures\\plain.tar").c_str(), tar.c_str(), FALSE));
    const std::string tarLine = "\"" + Ansi(tar) + "\" \"" + Ansi(temp / L"src") + "\\\" a.txt";
    EXPECT_EQ(add(nullptr, tarLine.c_str(), out, sizeof out), kErrorNotArchive);
    EXPECT_EQ(ReadFileBytes(tar), ReadFileBytes(zq::JoinPath(zq::ModuleDirectory(), L"archiver-fixtures\\plain.tar")));
    EXPECT_EQ(Run("Unlha", "a -d1 -c1 {a} {d}\\ a.txt", Ansi(zip), temp / L"src"), kErrorNotSupported);
    EXPECT_EQ(ReadFileBytes(zip), before);
    EXPECT_FALSE(Exists(zip + L".unbypass-part"));
    EXPECT_EQ(add(nullptr, "-r", out, sizeof out), kErrorCommandName);
}
