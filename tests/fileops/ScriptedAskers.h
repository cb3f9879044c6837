#pragma once
// Scripted answers for the engines' questions: each question takes the next
// answer of its queue and is recorded, so a test can check what was asked.
#include <deque>
#include <string>
#include <vector>

#include "fileops/SameNameResolver.h"

namespace zq::fileops::test {

struct ScriptedSameNameAsker : ISameNameAsker {
    struct WayAnswer {
        bool ok = true;
        SameNameChoice choice;
        bool keepShownSameFromNow = false;  // leave "以後同設定" as shown
    };
    std::deque<WayAnswer> wayAnswers;
    std::vector<SameNameChoice> shown;   // the dialog's state when it opened
    std::vector<bool> compact;           // asked without a file
    std::deque<std::pair<bool, std::wstring>> newNames;
    int renameQuestions = 0;

    bool AskWay(SameNameChoice& choice, const SameNameFile* file) override {
        shown.push_back(choice);
        compact.push_back(file == nullptr);
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
};

inline SameNameChoice Way(CopyWay way, bool sameFromNow = true, bool timeRange = false) {
    SameNameChoice choice;
    choice.way = static_cast<int>(way);
    choice.sameFromNow = sameFromNow;
    choice.timeRange = timeRange;
    return choice;
}

}  // namespace zq::fileops::test
