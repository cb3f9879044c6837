#include "binedit/BinaryReplace.h"

#include "binedit/CBinaryData.h"

namespace zq::binedit {

ReplaceStart BinaryReplace::Start(CBinaryData& data, InputType type, bool isSigned, std::wstring_view search,
                                  std::wstring_view replacement, bool fromStart, SearchDirection direction) {
    // Both texts are checked before anything starts, so that a bad
    // replacement leaves the previous search as it was.
    std::string searchBytes, replacementBytes;
    if (!ParseInputData(type, isSigned, search, searchBytes)) return ReplaceStart::SearchInvalid;
    if (!ParseInputData(type, isSigned, replacement, replacementBytes)) return ReplaceStart::ReplaceInvalid;
    if (!data.Search().StartSearch(type, isSigned, search, fromStart ? 0 : data.CursorByte(), direction))
        return ReplaceStart::SearchInvalid;
    m_replacement = std::move(replacementBytes);
    m_match = -1;
    m_count = 0;
    m_cancelled = false;
    m_stepped = false;
    return ReplaceStart::Started;
}

bool BinaryReplace::Next(CBinaryData& data, const std::atomic<bool>* cancel) {
    // A search step that starts on the origin begins a new round of the
    // file.  A replacement is one round: a replacement that makes the pattern
    // again, or matches the user passed over, would otherwise come back for ever.
    BinarySearch& search = data.Search();
    if (m_stepped && search.Position() == search.Origin()) {
        m_match = -1;
        return false;
    }
    m_stepped = true;
    const SearchResult result = search.Step(data, false, cancel);
    m_cancelled = result.status == SearchStatus::Cancelled;
    if (result.status != SearchStatus::Found) {
        m_match = -1;
        return false;
    }
    m_match = result.offset;
    data.SetCursor(m_match * 2);
    data.SelectBytes(m_match, m_match + static_cast<std::int64_t>(data.Search().MatchLength()) - 1);
    return true;
}

void BinaryReplace::ReplaceMatch(CBinaryData& data) {
    if (m_match < 0) return;
    (void)data.WriteRun(m_match, reinterpret_cast<const std::uint8_t*>(m_replacement.data()), m_replacement.size(),
                        data.Size());
    ++m_count;
    m_match = -1;
}

}  // namespace zq::binedit
