#include "binedit/BinaryClipText.h"

#include <algorithm>
#include <vector>

#include "binedit/CBinaryData.h"

namespace zq::binedit {

namespace {

// Read a piece at a time, so that a large selection never needs its bytes
// and its text in memory at once beyond one piece.
constexpr std::int64_t kPieceBytes = 30000;

}  // namespace

std::wstring ClipboardHexText(CBinaryData& data, std::int64_t first, std::int64_t last) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    last = std::min(last, data.Size());
    std::wstring text;
    if (first < 0 || first >= last) return text;
    text.reserve(static_cast<std::size_t>((last - first) * 3 + (last - first) / 16 * 2 + 2));
    std::vector<std::uint8_t> piece(static_cast<std::size_t>(kPieceBytes));
    for (std::int64_t at = first; at < last; at += kPieceBytes) {
        const std::size_t want = static_cast<std::size_t>(std::min(kPieceBytes, last - at));
        const std::size_t got = data.ReadBytes(at, want, piece.data());
        for (std::size_t i = 0; i < got; ++i) {
            text += kDigits[piece[i] >> 4];
            text += kDigits[piece[i] & 0x0F];
            text += L' ';
            if ((at + static_cast<std::int64_t>(i) + 1) % CBinaryData::kRowBytes == 0) text += L"\r\n";
        }
        if (got < want) break;
    }
    return text;
}

}  // namespace zq::binedit
