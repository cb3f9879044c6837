#pragma once
// A most-recent-first history kept in fixed settings slots (the wildcard's
// FILTER%d): empty slots are unused, entries compare ignoring case.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

// The entries in use, most recent first.
[[nodiscard]] std::vector<std::wstring> HistoryEntries(std::span<const std::wstring> slots);
// `entry` to the front (moved there when already present); the oldest entry
// falls out of full slots; the slots in use are packed at the front.
void PushHistory(std::span<std::wstring> slots, std::wstring_view entry);

}  // namespace zq
