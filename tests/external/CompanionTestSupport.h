#pragma once
// Shared pieces of the companion-library tests.
#include <windows.h>

#include <string>
#include <vector>

namespace zq::test {

// The tests run in build/cmake/tests; the library is built into build/bin.
std::wstring BuiltLibraryFolder();

// A visible top-level window with a child in the view's place, as the
// program has them; it records the commands it receives.
class TestFrame {
  public:
    TestFrame();
    ~TestFrame();
    TestFrame(const TestFrame&) = delete;
    TestFrame& operator=(const TestFrame&) = delete;

    void Destroy();
    [[nodiscard]] HWND Get() const { return m_frame; }
    [[nodiscard]] HWND View() const { return m_view; }
    [[nodiscard]] const std::vector<WORD>& Commands() const { return m_commands; }

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_frame = nullptr;
    HWND m_view = nullptr;
    std::vector<WORD> m_commands;
};

// Serves the thread's messages until none is left.
void PumpMessages();

}  // namespace zq::test
