// The test runner's entry point.  A wide main: a narrow one would receive the
// arguments in code page 932 and a filter naming a Japanese test would match
// nothing, which ctest would take for a pass.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>
#include <ole2.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    // Unbuffered, so that a test which crashes the process still shows how far it got.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ::OleInitialize(nullptr);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::OleUninitialize();
    return result;
}
