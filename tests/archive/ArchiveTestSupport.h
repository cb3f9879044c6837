#pragma once
// What the archive tests share: our archiver library as the program finds it,
// the archives made for the tests, and scripted answers to the unpack questions.
#include <string>
#include <vector>

#include <windows.h>

#include "archive/ArchiverApi.h"
#include "archive/UnpackJob.h"
#include "common/Paths.h"
#include "external/GuardedLibrary.h"

namespace zq::test {

inline std::wstring ArchiverLibrary() {
    return JoinPath(ModuleDirectory(), L"..\\..\\bin\\Unbypass.dll");
}

inline std::wstring ArchiverFixtures() {
    return JoinPath(ModuleDirectory(), L"archiver-fixtures");
}

// Answers every question as scripted and keeps what was asked.
struct ScriptedQuestions final : IUnpackQuestions {
    bool answer = true;
    std::vector<std::wstring> asked;
    bool OkCancel(const std::wstring& text, const std::wstring&) override {
        asked.push_back(text);
        return answer;
    }
    void Inform(const std::wstring& text) override { asked.push_back(text); }
};

// The unpack dialog's part in a job on the test's thread: a window that takes
// the library's progress messages and hands their targets to the job.
class ProgressWindow {
  public:
    explicit ProgressWindow(UnpackJob& job) {
        WNDCLASSW type{};
        type.lpfnWndProc = &ProgressWindow::Procedure;
        type.hInstance = ::GetModuleHandleW(nullptr);
        type.lpszClassName = L"ZqTestUnpackProgress";
        ::RegisterClassW(&type);
        m_window = ::CreateWindowExW(0, type.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, type.hInstance,
                                     nullptr);
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&job));
        job.SetOwnerWindow(m_window);
    }
    ~ProgressWindow() { ::DestroyWindow(m_window); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        static const UINT progress = ::RegisterWindowMessageA(arc::kExtractMessageName);
        auto* job = reinterpret_cast<UnpackJob*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message != progress || job == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
        const auto* info = reinterpret_cast<const arc::EXTRACTINGINFOEX*>(lParam);
        if (wParam == arc::kExtractInProcess)
            job->NoteProgress(FromAnsi(info->exinfo.szDestFileName, sizeof info->exinfo.szDestFileName),
                              info->exinfo.dwWriteSize);
        return 0;
    }

    HWND m_window = nullptr;
};

}  // namespace zq::test
