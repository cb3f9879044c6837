#include "filer/FindOptionForm.h"

#include <limits>

namespace zq {

namespace {

struct RangeMembers {
    FILETIME FileConditions::*from;
    FILETIME FileConditions::*to;
    uint32_t FileConditions::*use;
};
constexpr RangeMembers kRangeMembers[kFindOptionRangeCount] = {
    {&FileConditions::creationFrom, &FileConditions::creationTo, &FileConditions::useCreationRange},
    {&FileConditions::accessFrom, &FileConditions::accessTo, &FileConditions::useAccessRange},
    {&FileConditions::writeFrom, &FileConditions::writeTo, &FileConditions::useWriteRange},
};

const wchar_t* const kRangeNames[kFindOptionRangeCount] = {L"作成日", L"アクセス日", L"更新日"};

struct AttributeBox {
    int check;
    uint32_t bit;
};
constexpr AttributeBox kAttributeBoxes[] = {
    {kCheckSystem, FILE_ATTRIBUTE_SYSTEM},       {kCheckReadOnly, FILE_ATTRIBUTE_READONLY},
    {kCheckHidden, FILE_ATTRIBUTE_HIDDEN},       {kCheckArchive, FILE_ATTRIBUTE_ARCHIVE},
    {kCheckDirectory, FILE_ATTRIBUTE_DIRECTORY},
};
// The bits the boxes stand for; other bits of a mask pass through untouched.
constexpr uint32_t kBoxBits = 0x37;

struct UnitRow {
    const wchar_t* item;
    const wchar_t* from;
    const wchar_t* to;
    uint64_t factor;
};
// A KByte here is 1024 bytes, as the platform's own file sizes count them.
const UnitRow kUnits[kSizeUnitCount] = {
    {L"Byte単位", L"Byteから", L"Byteまで", 1},
    {L"KByte単位", L"KByteから", L"KByteまで", 1024},
    {L"MByte単位", L"MByteから", L"MByteまで", 1024 * 1024},
};

const wchar_t* const kDateOperationItems[kDateOperationCount] = {
    L"現在の日付に",     L"１日前の日付に", L"１日後の日付に", L"１ヶ月前の日付に",
    L"１ヶ月後の日付に", L"１年前の日付に", L"１年後の日付に",
};

constexpr CivilDate kDefaultFromDate{2000, 1, 1};
constexpr ClockTime kStartOfDay{0, 0, 0};
constexpr ClockTime kEndOfDay{23, 59, 59};

bool IsZero(const FILETIME& t) {
    return t.dwLowDateTime == 0 && t.dwHighDateTime == 0;
}

CivilDate DateOf(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDay};
}
ClockTime TimeOf(const SYSTEMTIME& t) {
    return {t.wHour, t.wMinute, t.wSecond};
}

SYSTEMTIME ToSystemTime(const CivilDate& d, const ClockTime& t) {
    SYSTEMTIME s{};
    s.wYear = static_cast<WORD>(d.year);
    s.wMonth = static_cast<WORD>(d.month);
    s.wDay = static_cast<WORD>(d.day);
    s.wHour = static_cast<WORD>(t.hour);
    s.wMinute = static_cast<WORD>(t.minute);
    s.wSecond = static_cast<WORD>(t.second);
    return s;
}

bool ToUtc(const LocalClock& clock, const CivilDate& d, const ClockTime& t, FILETIME& utc) {
    return clock.ToUtc(ToSystemTime(d, t), utc);
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\x3000';
}

std::wstring Fail(int range, const wchar_t* what) {
    return std::wstring(kRangeNames[range]) + what;
}

}  // namespace

const wchar_t* RangeName(int range) {
    return range >= 0 && range < kFindOptionRangeCount ? kRangeNames[range] : L"";
}
const wchar_t* SizeFromLabel(int unit) {
    return kUnits[unit >= 0 && unit < kSizeUnitCount ? unit : 0].from;
}
const wchar_t* SizeToLabel(int unit) {
    return kUnits[unit >= 0 && unit < kSizeUnitCount ? unit : 0].to;
}
const wchar_t* SizeUnitItem(int unit) {
    return kUnits[unit >= 0 && unit < kSizeUnitCount ? unit : 0].item;
}
const wchar_t* DateOperationItem(int operation) {
    return operation >= 0 && operation < kDateOperationCount ? kDateOperationItems[operation] : L"";
}

bool ParseSizeField(std::wstring_view text, int unit, uint64_t& bytes) {
    if (unit < 0 || unit >= kSizeUnitCount) return false;
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.empty()) return false;
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    for (wchar_t c : text) {
        if (c >= L'\xFF10' && c <= L'\xFF19') c = static_cast<wchar_t>(L'0' + (c - L'\xFF10'));
        if (c < L'0' || c > L'9') return false;
        const uint64_t digit = static_cast<uint64_t>(c - L'0');
        if (value > (kMax - digit) / 10) return false;
        value = value * 10 + digit;
    }
    const uint64_t factor = kUnits[unit].factor;
    if (value > kMax / factor) return false;
    bytes = value * factor;
    return true;
}

FileConditions DefaultSearchConditions(const LocalClock& clock) {
    FileConditions c;
    FILETIME from{}, to{};
    const bool known =
        ToUtc(clock, kDefaultFromDate, kStartOfDay, from) && ToUtc(clock, DateOf(clock.Now()), kEndOfDay, to);
    if (!known) return c;
    for (const RangeMembers& r : kRangeMembers) {
        c.*r.from = from;
        c.*r.to = to;
    }
    return c;
}

FindOptionForm::FindOptionForm(const FileConditions& initial, const LocalClock& clock)
    : m_initial(initial), m_clock(clock) {
    const CivilDate today = DateOf(clock.Now());
    for (int r = 0; r < kFindOptionRangeCount; ++r) {
        const RangeMembers& members = kRangeMembers[r];
        const FILETIME& from = initial.*members.from;
        const FILETIME& to = initial.*members.to;
        const bool neverSet = IsZero(from) && IsZero(to);
        SYSTEMTIME local{};
        const bool fromKnown = !neverSet && clock.ToLocal(from, local) && IsValidDate(DateOf(local));
        m_values.text[FindOptionText(r, kPartFromDate)] = FormatDateField(fromKnown ? DateOf(local) : kDefaultFromDate);
        m_values.text[FindOptionText(r, kPartFromTime)] = FormatTimeField(fromKnown ? TimeOf(local) : kStartOfDay);
        const bool toKnown = !neverSet && clock.ToLocal(to, local) && IsValidDate(DateOf(local));
        m_values.text[FindOptionText(r, kPartToDate)] = FormatDateField(toKnown ? DateOf(local) : today);
        m_values.text[FindOptionText(r, kPartToTime)] = FormatTimeField(toKnown ? TimeOf(local) : kEndOfDay);
        m_values.check[static_cast<size_t>(kCheckUseCreation + r)] = initial.*members.use != 0;
    }
    m_values.check[kCheckPlain] = initial.acceptPlain == 1;
    for (const AttributeBox& box : kAttributeBoxes)
        m_values.check[static_cast<size_t>(box.check)] = (initial.attributeMask & box.bit) != 0;
    m_values.text[kTextSizeFrom] = std::to_wstring(initial.minimumSize);
    m_values.text[kTextSizeTo] = std::to_wstring(initial.maximumSize);
    m_values.sizeUnit = kUnitByte;
}

bool FindOptionForm::ApplyDateOperation(int textIndex, DateOperation operation) {
    if (textIndex < 0 || textIndex >= FindOptionText(kFindOptionRangeCount, 0)) return false;
    const int part = textIndex % 4;
    if (part != kPartFromDate && part != kPartToDate) return false;
    const CivilDate today = DateOf(m_clock.Now());
    std::wstring& field = m_values.text[static_cast<size_t>(textIndex)];
    CivilDate date = today;
    if (!ParseDateField(field, date)) date = today;
    field = FormatDateField(zq::ApplyDateOperation(date, operation, today));
    return true;
}

bool FindOptionForm::RangeTimes(int range, FILETIME& from, FILETIME& to, FindOptionOutcome& outcome) const {
    const auto text = [&](int part) -> const std::wstring& {
        return m_values.text[static_cast<size_t>(FindOptionText(range, part))];
    };
    const auto fail = [&](int part, const wchar_t* what) {
        outcome.message = Fail(range, what);
        outcome.focusText = FindOptionText(range, part);
        return false;
    };
    constexpr const wchar_t* kBadDate = L"の日付が異常です";
    constexpr const wchar_t* kBadTime = L"の時間が異常です";
    CivilDate fromDate, toDate;
    ClockTime fromTime, toTime;
    if (!ParseDateField(text(kPartFromDate), fromDate)) return fail(kPartFromDate, kBadDate);
    if (!ParseTimeField(text(kPartFromTime), fromTime)) return fail(kPartFromTime, kBadTime);
    if (!ParseDateField(text(kPartToDate), toDate)) return fail(kPartToDate, kBadDate);
    if (!ParseTimeField(text(kPartToTime), toTime)) return fail(kPartToTime, kBadTime);
    // A wall-clock time the zone cannot map (the first hours of 1601 east of
    // UTC) is as unusable as a day that does not exist.
    if (!ToUtc(m_clock, fromDate, fromTime, from)) return fail(kPartFromDate, kBadDate);
    if (!ToUtc(m_clock, toDate, toTime, to)) return fail(kPartToDate, kBadDate);
    return true;
}

FindOptionOutcome FindOptionForm::Validate() const {
    FindOptionOutcome out;
    out.conditions = m_initial;
    FileConditions& c = out.conditions;
    for (int r = 0; r < kFindOptionRangeCount; ++r) {
        const RangeMembers& members = kRangeMembers[r];
        const bool inUse = m_values.check[static_cast<size_t>(kCheckUseCreation + r)];
        FILETIME from{}, to{};
        if (inUse) {
            if (!RangeTimes(r, from, to, out)) return out;
        } else {
            FindOptionOutcome ignored;
            if (!RangeTimes(r, from, to, ignored)) {
                from = m_initial.*members.from;
                to = m_initial.*members.to;
            }
        }
        c.*members.from = from;
        c.*members.to = to;
        c.*members.use = inUse ? 1 : 0;
    }

    const bool plain = m_values.check[kCheckPlain];
    uint32_t mask = m_initial.attributeMask & ~kBoxBits;
    bool any = plain;
    for (const AttributeBox& box : kAttributeBoxes) {
        if (!m_values.check[static_cast<size_t>(box.check)]) continue;
        mask |= box.bit;
        any = true;
    }
    if (!any) {
        out.message = L"属性の情報が有りません";
        return out;
    }
    c.attributeMask = mask;
    c.acceptPlain = plain ? 1 : 0;

    constexpr const wchar_t* kBadSize = L"サイズのデータが不正です";
    if (!ParseSizeField(m_values.text[kTextSizeFrom], m_values.sizeUnit, c.minimumSize)) {
        out.message = kBadSize;
        out.focusText = kTextSizeFrom;
        return out;
    }
    // A range whose lower end lies above its upper end would let no file pass.
    if (!ParseSizeField(m_values.text[kTextSizeTo], m_values.sizeUnit, c.maximumSize) ||
        c.maximumSize < c.minimumSize) {
        out.message = kBadSize;
        out.focusText = kTextSizeTo;
        return out;
    }
    out.ok = true;
    return out;
}

}  // namespace zq
