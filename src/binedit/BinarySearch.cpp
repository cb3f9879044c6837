#include "binedit/BinarySearch.h"

#include <algorithm>
#include <cstring>

#include "binedit/BinaryFileRead.h"
#include "binedit/BinaryMessages.h"
#include "binedit/CBinaryData.h"

namespace zq::binedit {

namespace {

// Positions tested per block: half a read window.  Both files are read
// through windows of 32,000 bytes that stand 16,000 bytes back from the
// position asked for, so that a search either way finds the next block's
// bytes mostly in the window already read.
constexpr std::int64_t kBlockPositions = CBinaryData::kCacheBack;

std::int64_t Wrap(std::int64_t position, std::int64_t size) {
    position %= size;
    return position < 0 ? position + size : position;
}

// A little-endian value of the difference's type, widened to 64 bits.
std::int64_t ReadValue(const std::uint8_t* bytes, InputType type, bool isSigned) {
    switch (type) {
        case InputType::Char:
            return isSigned ? static_cast<std::int8_t>(bytes[0]) : bytes[0];
        case InputType::Short: {
            const std::uint16_t v = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
            return isSigned ? static_cast<std::int16_t>(v) : v;
        }
        default: {
            const std::uint32_t v = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                    (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                    (static_cast<std::uint32_t>(bytes[3]) << 24);
            return isSigned ? static_cast<std::int32_t>(v) : static_cast<std::int64_t>(v);
        }
    }
}

}  // namespace

const wchar_t* CompareStartMessage(CompareStart result) {
    switch (result) {
        case CompareStart::Started:
            return nullptr;
        case CompareStart::EditDataInvalid:
            return message::kEditDataInvalid;
        case CompareStart::CompareDataInvalid:
            return message::kCompareDataInvalid;
        case CompareStart::DifferenceInvalid:
            return message::kDifferenceInvalid;
        case CompareStart::NothingToFind:
            return message::kNothingToFind;
        case CompareStart::LengthsDiffer:
            return message::kLengthsDiffer;
        case CompareStart::OpenFailed:
            return message::kCompareOpenFailed;
    }
    return nullptr;
}

void BinarySearch::Reset() {
    m_pattern.clear();
    m_length = 0;
    m_compareMode = false;
    m_compareFile.Reset();
    m_comparePointer = -1;
    m_windowStart = m_windowEnd = 0;
}

bool BinarySearch::StartSearch(InputType type, bool isSigned, std::wstring_view text, std::int64_t origin,
                               SearchDirection direction) {
    std::string pattern;
    if (!ParseInputData(type, isSigned, text, pattern)) return false;
    Reset();
    m_pattern = std::move(pattern);
    m_length = m_pattern.size();
    m_origin = m_position = origin;
    m_direction = direction;
    // Down: how far the window moves when its last byte is c, from c's last
    // place in the pattern before its end.  Up: from c's first place after its start.
    m_shiftDown.fill(m_length);
    m_shiftUp.fill(m_length);
    for (std::size_t i = 0; i + 1 < m_length; ++i)
        m_shiftDown[static_cast<std::uint8_t>(m_pattern[i])] = m_length - 1 - i;
    for (std::size_t i = m_length - 1; i >= 1; --i) m_shiftUp[static_cast<std::uint8_t>(m_pattern[i])] = i;
    return true;
}

CompareStart BinarySearch::StartComparison(const CompareRequest& request, std::int64_t origin) {
    std::string edit, other, difference;
    if (request.editEnabled && !ParseInputData(request.type, request.isSigned, request.editText, edit))
        return CompareStart::EditDataInvalid;
    if (request.compareEnabled && !ParseInputData(request.type, request.isSigned, request.compareText, other))
        return CompareStart::CompareDataInvalid;
    // A difference of text or raw bytes means nothing, so that condition is dropped for them.
    const bool differenceOn = request.differenceEnabled && IsNumericType(request.type);
    if (differenceOn && !ParseInputData(request.type, request.isSigned, request.differenceText, difference))
        return CompareStart::DifferenceInvalid;
    const bool anyField = request.editEnabled || request.compareEnabled || differenceOn;
    if (!anyField && !request.differing) return CompareStart::NothingToFind;
    std::size_t length = 0;
    for (const std::size_t candidate : {edit.size(), other.size(), difference.size(),
                                        anyField ? 0 : static_cast<std::size_t>(TypeWidth(request.type))})
        if (candidate != 0) length = candidate;
    if ((request.editEnabled && edit.size() != length) || (request.compareEnabled && other.size() != length) ||
        (differenceOn && difference.size() != length))
        return CompareStart::LengthsDiffer;

    UniqueFile file(m_fs.Open(request.comparePath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0));
    LONGLONG size = 0;
    if (!file || !m_fs.Size(file.Get(), &size)) return CompareStart::OpenFailed;

    Reset();
    m_compareFile = std::move(file);
    m_compareSize = size;
    m_comparePointer = 0;
    m_comparePath = request.comparePath;
    m_compareMode = true;
    m_length = length;
    m_origin = m_position = origin;
    m_direction = request.direction;
    m_type = request.type;
    m_signed = request.isSigned;
    m_editCondition = request.editEnabled;
    m_editData = std::move(edit);
    m_compareCondition = request.compareEnabled;
    m_compareData = std::move(other);
    m_differenceCondition = differenceOn;
    m_difference =
        differenceOn ? ReadValue(reinterpret_cast<const std::uint8_t*>(difference.data()), m_type, m_signed) : 0;
    m_differingCondition = request.differing;
    return CompareStart::Started;
}

std::size_t BinarySearch::ReadCompare(std::int64_t offset, std::size_t count, std::uint8_t* buffer) {
    if (offset >= m_compareSize) return 0;
    count = static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(count), m_compareSize - offset));
    if (m_window.empty()) m_window.resize(CBinaryData::kCacheBytes);
    std::size_t done = 0;
    while (done < count) {
        const std::int64_t position = offset + static_cast<std::int64_t>(done);
        const std::size_t piece = std::min<std::size_t>(count - done, CBinaryData::kCacheBack);
        if (position < m_windowStart || position + static_cast<std::int64_t>(piece) > m_windowEnd) {
            const std::int64_t start = std::max<std::int64_t>(0, position - CBinaryData::kCacheBack);
            const std::size_t want =
                static_cast<std::size_t>(std::min<std::int64_t>(CBinaryData::kCacheBytes, m_compareSize - start));
            m_windowStart = start;
            m_windowEnd = start + static_cast<std::int64_t>(ReadFileAt(m_fs, m_compareFile.Get(), start, want,
                                                                       m_window.data(), m_comparePointer));
        }
        const std::int64_t available = std::min<std::int64_t>(static_cast<std::int64_t>(piece), m_windowEnd - position);
        if (available <= 0) break;
        std::memcpy(buffer + done, m_window.data() + (position - m_windowStart), static_cast<std::size_t>(available));
        done += static_cast<std::size_t>(available);
    }
    return done;
}

bool BinarySearch::Test(const std::uint8_t* edited, const std::uint8_t* other) const {
    if (m_editCondition && std::memcmp(edited, m_editData.data(), m_length) != 0) return false;
    if (m_compareCondition && std::memcmp(other, m_compareData.data(), m_length) != 0) return false;
    if (m_differenceCondition) {
        const std::int64_t mine = ReadValue(edited, m_type, m_signed);
        const std::int64_t theirs = ReadValue(other, m_type, m_signed);
        if (m_type == InputType::Long) {
            if (static_cast<std::uint32_t>(mine + m_difference) != static_cast<std::uint32_t>(theirs)) return false;
        } else if (theirs != mine + m_difference) {
            // Not cut back to the type's width: an unsigned 0xFF plus 1 equals no byte.
            return false;
        }
    }
    if (m_differingCondition && std::memcmp(edited, other, m_length) == 0) return false;
    return true;
}

// The first match among `count` positions of a block, the block's first
// position being the lowest; scanned upwards or downwards.  `otherValid`:
// how many positions from the block's start have the comparison file's bytes.
std::int64_t BinarySearch::FindInBlock(const std::uint8_t* edited, const std::uint8_t* other, std::int64_t otherValid,
                                       std::int64_t count, int step) const {
    if (!m_compareMode) {
        const auto* pattern = reinterpret_cast<const std::uint8_t*>(m_pattern.data());
        const std::int64_t len = static_cast<std::int64_t>(m_length);
        // Horspool's rule: the byte at the window's far end says how far the
        // pattern can move on, so an absent pattern is passed in steps of up
        // to its length instead of byte by byte.
        if (step > 0) {
            const std::uint8_t last = pattern[len - 1];
            for (std::int64_t i = 0; i < count;) {
                const std::uint8_t end = edited[i + len - 1];
                if (end == last && std::memcmp(edited + i, pattern, m_length - 1) == 0) return i;
                i += m_shiftDown[end];
            }
            return -1;
        }
        const std::uint8_t first = pattern[0];
        for (std::int64_t i = count - 1; i >= 0;) {
            const std::uint8_t start = edited[i];
            if (start == first && std::memcmp(edited + i + 1, pattern + 1, m_length - 1) == 0) return i;
            i -= m_shiftUp[start];
        }
        return -1;
    }
    const std::int64_t testable = std::min(count, otherValid);
    if (step > 0) {
        for (std::int64_t i = 0; i < testable; ++i)
            if (Test(edited + i, other + i)) return i;
    } else {
        for (std::int64_t i = testable - 1; i >= 0; --i)
            if (Test(edited + i, other + i)) return i;
    }
    return -1;
}

// Tests `count` positions from `first` in the direction of `step` without
// wrapping.  `done` counts the positions passed.
bool BinarySearch::ScanSegment(CBinaryData& data, std::int64_t first, std::int64_t count, int step,
                               const std::atomic<bool>* cancel, std::int64_t& hit, std::int64_t& done) {
    const std::int64_t len = static_cast<std::int64_t>(m_length);
    // A position with fewer than the pattern's bytes left before the end never matches.
    const std::int64_t lastTestable = data.Size() - len;
    std::int64_t low = step > 0 ? first : first - count + 1;
    std::int64_t high = step > 0 ? first + count - 1 : first;
    high = std::min(high, lastTestable);
    done = 0;
    while (low <= high) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return false;
        const std::int64_t n = std::min(kBlockPositions, high - low + 1);
        const std::int64_t blockLow = step > 0 ? low : high - n + 1;
        const std::size_t bytes = static_cast<std::size_t>(n + len - 1);
        if (m_edited.size() < bytes) m_edited.resize(bytes);
        const std::int64_t got = static_cast<std::int64_t>(data.ReadBytes(blockLow, bytes, m_edited.data()));
        std::int64_t otherValid = 0;
        if (m_compareMode) {
            if (m_other.size() < bytes) m_other.resize(bytes);
            const std::int64_t otherGot = static_cast<std::int64_t>(ReadCompare(blockLow, bytes, m_other.data()));
            otherValid = std::max<std::int64_t>(0, otherGot - len + 1);
        }
        // A short read (the file shrank beneath us) tests only what arrived.
        const std::int64_t testable = std::min(n, std::max<std::int64_t>(0, got - len + 1));
        const std::int64_t at = FindInBlock(m_edited.data(), m_other.data(), otherValid, testable, step);
        if (at >= 0) {
            hit = blockLow + at;
            return true;
        }
        done += n;
        if (step > 0)
            low += n;
        else
            high -= n;
    }
    return false;
}

SearchResult BinarySearch::Step(CBinaryData& data, bool reverse, const std::atomic<bool>* cancel) {
    const std::int64_t size = data.Size();
    const int step = (m_direction == SearchDirection::Down) != reverse ? 1 : -1;
    if (m_length == 0 || m_position < 0 || m_position >= size) return {SearchStatus::NotFound, -1};
    // The positions this step may visit: from here up to, not including, the
    // origin.  The first position is tested before the stop rule is looked
    // at, so a step that starts on the origin goes a whole round: a new pass
    // after the end of one, and also after a match just before the origin.
    std::int64_t remaining = step > 0 ? Wrap(m_origin - m_position, size) : Wrap(m_position - m_origin, size);
    if (remaining == 0) remaining = size;
    std::int64_t position = m_position;
    while (remaining > 0) {
        const std::int64_t segment =
            step > 0 ? std::min(remaining, size - position) : std::min(remaining, position + 1);
        std::int64_t hit = -1;
        std::int64_t done = 0;
        if (ScanSegment(data, position, segment, step, cancel, hit, done)) {
            // The next step starts beside the match.
            m_position = Wrap(hit + step, size);
            return {SearchStatus::Found, hit};
        }
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed) && done < segment) {
            m_position = Wrap(position + step * done, size);
            return {SearchStatus::Cancelled, -1};
        }
        remaining -= segment;
        position = Wrap(position + step * segment, size);
    }
    m_position = position;
    return {SearchStatus::NotFound, -1};
}

}  // namespace zq::binedit
