#include "external/GuardedLibrary.h"

#include <gtest/gtest.h>

#include "../../companion/ZqDll.h"
#include "common/Paths.h"
#include "external/CompanionTestSupport.h"

namespace zq {
namespace {

std::wstring CrashingLibrary() {
    return JoinPath(ModuleDirectory(), L"testdlls\\crashing-companion\\ZqDll.DLL");
}

TEST(GuardedLibrary, TypedExportsAreGuardedAndTheLibraryGoesWithItsUse) {
    ASSERT_TRUE(FileExists(CrashingLibrary())) << "build the crashing test library first";
    {
        const GuardedLibrary library(CrashingLibrary());
        ASSERT_TRUE(library.Loaded());
        EXPECT_FALSE(library.Find<PFN_OnSetNonLoadCpl>("NoSuchExport"));
        EXPECT_EQ(library.Find<PFN_OnSetNonLoadCpl>("NoSuchExport")(nullptr), std::nullopt);
        const auto crashes = library.Find<PFN_ZqGetCplAllData>("ZqGetCplAllData");
        ASSERT_TRUE(crashes);
        for (int round = 0; round < 2; ++round)  // a crash leaves the library callable
            EXPECT_EQ(crashes(nullptr, 0, FALSE, nullptr), std::nullopt);
        // A call form without a result answers whether it returned.
        EXPECT_FALSE(library.Find<void(WINAPI*)()>("ReleaseToTaskTray")());
        ASSERT_NE(::GetModuleHandleW(CrashingLibrary().c_str()), nullptr);
    }
    EXPECT_EQ(::GetModuleHandleW(CrashingLibrary().c_str()), nullptr) << "still mapped after its use";

    GuardedLibrary moved(CrashingLibrary());
    GuardedLibrary owner = std::move(moved);
    EXPECT_FALSE(moved.Find<PFN_ZqGetCplAllData>("ZqGetCplAllData"));
    owner.Free();
    EXPECT_FALSE(owner.Find<PFN_ZqGetCplAllData>("ZqGetCplAllData"));
    EXPECT_EQ(::GetModuleHandleW(CrashingLibrary().c_str()), nullptr);

    const GuardedLibrary missing(JoinPath(ModuleDirectory(), L"no such folder\\ZqDll.DLL"));
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(missing.Find<PFN_ZqGetCplAllData>("ZqGetCplAllData")(nullptr, 0, FALSE, nullptr), std::nullopt);
}

TEST(GuardedLibrary, EightBitTextAtTheEdge) {
    // The tests run in code page 932, as on a Japanese desktop.
    EXPECT_EQ(AnsiText(L"C:\\表\\ｱ.jpg"), std::string("C:\\\x95\x5c\\\xb1.jpg"));
    EXPECT_EQ(AnsiText(L""), std::string());
    EXPECT_EQ(AnsiText(L"C:\\\u00e9t\u00e9.jpg"), std::nullopt) << "no form in 932: never a lookalike name";
    const char filled[] = "\x93\xfa\x96\x7b\0garbage";
    EXPECT_EQ(FromAnsi(filled, sizeof filled), L"日本");
    EXPECT_EQ(FromAnsi(filled, 2), L"日") << "no NUL within the buffer";
}

}  // namespace
}  // namespace zq
