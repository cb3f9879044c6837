#pragma once
// The helper's side of the conversation: one request in the control block
// answered by calling the plug-in it names.  No window and no process of its
// own, so the same engine runs in zqspi32.exe and, against a 64-bit build of
// a plug-in, inside a test.
//
// Libraries stay loaded for the helper's life: it exists only to serve them,
// and a plug-in that breaks the process takes nothing else with it.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "picture/Spi32Protocol.h"

namespace zq::spi32 {

class Spi32Server {
  public:
    // outputPrefix names the sections of decoded pictures (a running number follows).
    explicit Spi32Server(std::wstring outputPrefix);
    ~Spi32Server();
    Spi32Server(const Spi32Server&) = delete;
    Spi32Server& operator=(const Spi32Server&) = delete;

    // Answers the request in control; false for kOpQuit.
    bool Serve(Control& control);

  private:
    [[nodiscard]] HMODULE Library(const wchar_t* path);
    void Info(Control& control, HMODULE library);
    void IsSupported(Control& control, HMODULE library);
    void Picture(Control& control, HMODULE library);
    void PictureInfo(Control& control, HMODULE library);
    // The program's section of a memory-form call, or null when it cannot be had.
    [[nodiscard]] const char* Input(const Control& control);

    std::wstring m_outputPrefix;
    uint32_t m_generation = 0;
    SharedBlock m_output;
    SharedBlock m_input;
    std::vector<std::pair<std::wstring, HMODULE>> m_libraries;
};

}  // namespace zq::spi32
