#include <gtest/gtest.h>

#include <string>

#include "commands/ViewContext.h"

namespace {

// Every way out of the scope resumes exactly once, after the one suspend, and
// a context without the functions (a dialog test) is left alone.
TEST(SuspendScope, SuspendsOnEntryAndResumesOnEveryExit) {
    std::wstring log;
    zq::ViewContext context;
    context.suspend = [&] { log += L"S"; };
    context.resume = [&] { log += L"R"; };
    const auto earlyReturn = [&](bool leaveEarly) {
        const zq::SuspendScope scope(context);
        log += L"-";
        if (leaveEarly) return;
        log += L"-";
    };
    struct Case {
        bool leaveEarly;
        const wchar_t* expected;
    };
    for (const Case c : {Case{false, L"S--R"}, Case{true, L"S-R"}}) {
        log.clear();
        earlyReturn(c.leaveEarly);
        EXPECT_EQ(log, c.expected) << c.leaveEarly;
    }

    // Calling an empty function would end the process.
    zq::ViewContext empty;
    { const zq::SuspendScope scope(empty); }
}

}  // namespace
