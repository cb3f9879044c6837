#pragma once
// The selected bytes as the clipboard gets them: each byte "%02X " and a line
// break after every byte that ends one of the file's 16-byte rows, so that the
// lines follow the rows shown on screen.
#include <cstdint>
#include <string>

namespace zq::binedit {

class CBinaryData;

// Above this many bytes the user is asked first (message::UseMemory).
inline constexpr std::int64_t kClipConfirmBytes = 100000;

// The bytes [first, last) of the edited data; empty when nothing can be read.
[[nodiscard]] std::wstring ClipboardHexText(CBinaryData& data, std::int64_t first, std::int64_t last);

}  // namespace zq::binedit
