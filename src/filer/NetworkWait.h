#pragma once
// Questions to the platform about network paths ("is \\server\share there?")
// that it may take many seconds to answer when the server does not: each is
// asked on a thread of its own and waited for a bounded time.  A question
// still open after that is answered with `late` and left to finish alone;
// until it has, the same question (by key) is answered `late` at once, so a
// pane re-reading on its timer never waits for the same dead server twice.
// No window here.
#include <windows.h>

#include <functional>
#include <string>

namespace zq {

// The time the window thread waits for a network answer: the listing and the
// pane must answer within two seconds, and the rest of their work needs some.
inline constexpr DWORD kNetworkAnswerMs = 1500;

[[nodiscard]] DWORD AskNetwork(const std::wstring& key, std::function<DWORD()> question, DWORD limitMs, DWORD late);

// Whether a path's root can be reached: at once for local drives, through
// AskNetwork for UNC paths and network drives.
[[nodiscard]] bool RootAnswers(const std::wstring& root);

}  // namespace zq
