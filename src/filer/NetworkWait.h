#pragma once
// Questions to the platform about network paths ("is \\server\share there?")
// that it may take many seconds to answer when the server does not: each is
// asked on a thread of its own and waited for a short, bounded time, so that
// keys never queue behind a dead server.  A question still open after that
// is answered with `late` and left to finish alone; until it has, the same
// question (by key) is answered `late` at once, so a pane re-reading on its
// timer never waits for the same dead server twice.  When it has, its answer
// is kept for the next ask of that key and TakeLateNetworkAnswer tells the
// window's timer to read again whatever showed the late answer.
// No window here.
#include <windows.h>

#include <any>
#include <functional>
#include <string>

namespace zq {

// The time the window thread waits for a network answer: a server that is
// there answers in it; one that is not must not hold the keys.
inline constexpr DWORD kNetworkAnswerMs = 250;
// How long an answer that came in late waits for the ask that takes it.
inline constexpr ULONGLONG kLateAnswerKeptMs = 10000;

struct NetworkAnswer {
    DWORD error = NO_ERROR;
    std::any found;  // what the question gathered (the entries of an enumeration); empty for yes/no
};

[[nodiscard]] NetworkAnswer AskNetwork(const std::wstring& key, std::function<NetworkAnswer()> question, DWORD limitMs,
                                       DWORD late);

// Whether a question given up on has been answered since the last call.
[[nodiscard]] bool TakeLateNetworkAnswer();

// Whether a path's root can be reached: at once for local drives, through
// AskNetwork for UNC paths and network drives.
[[nodiscard]] bool RootAnswers(const std::wstring& root);

}  // namespace zq
