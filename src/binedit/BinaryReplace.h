#pragma once
// Search and replace in the edited data: the search of BinarySearch, each
// match overwritten by the replacement bytes from the match on.  Nothing is
// inserted or removed, whatever the two lengths: the file's size never changes.
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "binedit/BinarySearch.h"

namespace zq::binedit {

class CBinaryData;

enum class ReplaceStart { Started, SearchInvalid, ReplaceInvalid };

class BinaryReplace {
  public:
    // Starts the data's search from the cursor's byte or the file start.
    [[nodiscard]] ReplaceStart Start(CBinaryData& data, InputType type, bool isSigned, std::wstring_view search,
                                     std::wstring_view replacement, bool fromStart, SearchDirection direction);
    // The next match: the cursor goes to it and it is selected.  False when
    // there is none (the count is then told) or the search was cancelled.
    bool Next(CBinaryData& data, const std::atomic<bool>* cancel = nullptr);
    // Overwrites the match Next found and counts it.
    void ReplaceMatch(CBinaryData& data);
    [[nodiscard]] long long Count() const noexcept { return m_count; }
    [[nodiscard]] bool Cancelled() const noexcept { return m_cancelled; }

  private:
    std::string m_replacement;
    std::int64_t m_match = -1;
    long long m_count = 0;
    bool m_cancelled = false;
    bool m_stepped = false;  // a step of this replacement has run
};

}  // namespace zq::binedit
