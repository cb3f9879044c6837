#pragma once
// Scripted answers for the operations' questions.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fileops/CopyInterfaces.h"
#include "fileops/SameNameResolver.h"

namespace zq::fileops::test {

// One asker for every question an operation asks.  Each kind of question
// takes the next answer of its own queue and is recorded, so that a test can
// check what was asked; an unexpected yes/no question is answered No and counted.
struct ScriptedAsker : IOperationAsker {
    // Yes/no questions and messages.
    std::deque<int> answers;
    std::vector<std::wstring> asked;
    std::vector<std::wstring> told;
    int unexpected = 0;
    std::function<void()> onAsk;
    // The same-name way question and the rename dialog.
    struct WayAnswer {
        bool ok = true;
        SameNameChoice choice;
        bool keepShownSameFromNow = false;  // leave "以後同設定" as shown
    };
    std::deque<WayAnswer> wayAnswers;
    std::vector<SameNameChoice> shown;            // the dialog's state when it opened
    std::vector<bool> compact;                    // asked without a file
    std::vector<std::wstring> sourceDirectories;  // "コピー元" of each question with a file
    std::deque<std::pair<bool, std::wstring>> newNames;
    int renameQuestions = 0;
    // The box with "以後同設定": answered yes or no, and the box as the user left it.
    struct SameAnswer {
        bool yes;
        bool sameFromNow;
    };
    std::deque<SameAnswer> sameAnswers;
    std::vector<std::wstring> sameCaptions;
    std::vector<std::wstring> sameAsked;
    std::vector<bool> sameShownChecked;

    int AskYesNo(const std::wstring& text, const std::wstring&) override {
        asked.push_back(text);
        if (onAsk) onAsk();
        if (answers.empty()) {
            ++unexpected;
            return kAnswerNo;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Tell(const std::wstring& text) override { told.push_back(text); }
    bool AskWay(SameNameChoice& choice, const SameNameFile* file) override {
        shown.push_back(choice);
        compact.push_back(file == nullptr);
        if (file) sourceDirectories.push_back(file->sourceDirectory);
        if (wayAnswers.empty()) return false;
        WayAnswer answer = wayAnswers.front();
        wayAnswers.pop_front();
        if (!answer.ok) return false;
        const bool shownSame = choice.sameFromNow;
        choice = answer.choice;
        if (answer.keepShownSameFromNow) choice.sameFromNow = shownSame;
        return true;
    }
    bool AskNewName(const WIN32_FIND_DATAW&, const std::wstring&, std::wstring& newName) override {
        ++renameQuestions;
        if (newNames.empty()) return false;
        auto [ok, name] = newNames.front();
        newNames.pop_front();
        newName = name;
        return ok;
    }
    bool AskSame(const std::wstring& caption, const std::wstring& text, bool& sameFromNow) override {
        sameCaptions.push_back(caption);
        sameAsked.push_back(text);
        sameShownChecked.push_back(sameFromNow);
        if (sameAnswers.empty()) return false;
        const SameAnswer a = sameAnswers.front();
        sameAnswers.pop_front();
        sameFromNow = a.sameFromNow;
        return a.yes;
    }
};

inline SameNameChoice Way(CopyWay way, bool sameFromNow = true, bool timeRange = false) {
    SameNameChoice choice;
    choice.way = static_cast<int>(way);
    choice.sameFromNow = sameFromNow;
    choice.timeRange = timeRange;
    return choice;
}

}  // namespace zq::fileops::test
