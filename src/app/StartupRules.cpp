#include "app/StartupRules.h"

namespace zq {

std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine) {
    std::vector<std::wstring> out;
    std::wstring current;
    bool quoted = false;
    bool inToken = false;
    for (wchar_t c : commandLine) {
        if (c == L'"') {
            quoted = !quoted;
            inToken = true;
            current += c;
        } else if ((c == L' ' || c == L'\t') && !quoted) {
            if (inToken) out.push_back(current);
            current.clear();
            inToken = false;
        } else {
            current += c;
            inToken = true;
        }
    }
    if (inToken) out.push_back(current);
    return out;
}

std::vector<std::wstring> ParseStartDirectories(const std::wstring& commandLine) {
    std::vector<std::wstring> paths;
    for (const std::wstring& token : SplitCommandLine(commandLine)) {
        if (paths.size() == 2) break;
        // Quotes only group blanks; "-dC:\a b" and -d"C:\a b" mean the same.
        std::wstring argument;
        for (wchar_t c : token) {
            if (c != L'"') argument += c;
        }
        if (argument.size() < 2 || argument[0] != L'-' || (argument[1] != L'd' && argument[1] != L'D')) continue;
        paths.push_back(argument.substr(2));
    }
    return paths;
}

StructPlacement DecidePlacement(const StructPlacementInput& in, int phase) {
    StructPlacement out;
    POINT position{in.created.left, in.created.top};
    if (in.startPos == 1) position = {in.firstX, in.firstY};
    if (in.startPos == 2) position = {in.endX, in.endY};
    const bool creation = phase == 1;
    switch (in.startSize) {
        case 0:
            if (!creation) return out;
            out.act = out.move = true;
            out.position = position;
            out.size = {in.created.right - in.created.left, in.created.bottom - in.created.top};
            return out;
        case 1:
            if (!creation) return out;
            out.act = out.maximise = true;
            return out;
        case 2:
        case 4: {
            if (!creation) return out;
            out.act = out.move = out.resize = true;
            out.position = position;
            out.size = in.startSize == 2 ? SIZE{in.firstWide, in.firstHeight} : SIZE{in.endWide, in.endHeight};
            return out;
        }
        case 3: {
            if (creation) return out;
            out.act = out.resize = true;
            LONG width = in.firstWide;
            LONG height = in.firstHeight;
            // At least the wallpaper's size in the view, plus the frame around it.
            if (in.wallpaper.cx > 0 && in.wallpaper.cy > 0) {
                width = std::max<LONG>(width, in.wallpaper.cx + in.nonClientExtra.cx);
                height = std::max<LONG>(height, in.wallpaper.cy + in.nonClientExtra.cy);
            }
            out.size = {width, height};
            return out;
        }
        case 5:
            if (creation) return out;
            out.act = out.resize = true;
            out.size = {in.firstWide + in.nonClientExtra.cx, in.firstHeight + in.nonClientExtra.cy};
            return out;
        default:
            return out;
    }
}

StructLastPlacement RecordLastPlacement(const StructLastPlacement& previous, const RECT& frame, bool minimised,
                                        bool maximised) {
    if (minimised || maximised) return previous;
    return {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

StructQuitDecision DecideQuit(const StructQuitInput& in) {
    StructQuitDecision out;
    if (in.copyRunning) {
        out.refusal = L"コピー処理中のため終了できません";
        return out;
    }
    if (in.deleteRunning) {
        out.refusal = L"削除処理中のため終了できません";
        return out;
    }
    if (in.unpackRunning) {
        out.refusal = L"解凍処理中のため終了できません";
        return out;
    }
    if (in.packRunning) {
        out.refusal = L"圧縮処理中のため終了できません";
        return out;
    }
    if (in.notQuitMessage != 0) return out;
    out.showDialog = in.fromClose ? in.askAlwaysAtExit != 0 : true;
    return out;
}

}  // namespace zq
