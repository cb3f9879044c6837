#pragma once
// What the archive tests share: our archiver library as the program finds it,
// the archives made for the tests, and scripted answers to the unpack questions.
#include <string>
#include <vector>

#include "archive/UnpackJob.h"
#include "common/Paths.h"

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

}  // namespace zq::test
