#include <gtest/gtest.h>

#include "filer/FilerLayoutTestEntry.h"
#include "filer/FindOptionForm.h"
#include "filer/FixedClock.h"

namespace {

using namespace zq;
using zq::filer::test::MakeUtcTime;

using zq::test::FixedClock;

unsigned long long Ticks(const FILETIME& t) {
    return FixedClock::Ticks(t);
}

SYSTEMTIME LocalNow() {
    return zq::filer::test::MakeSystemTime(2026, 3, 10, 12, 0, 0);
}

const FixedClock kTokyo(9, LocalNow());

std::wstring& Text(FindOptionForm& form, int range, int part) {
    return form.Values().text[static_cast<size_t>(FindOptionText(range, part))];
}

TEST(FindOptionForm, RangesOpenInLocalTime) {
    FileConditions c;
    c.writeFrom = MakeUtcTime(2026, 1, 31, 15, 0, 0);  // 2026-02-01 00:00 in Tokyo
    c.writeTo = MakeUtcTime(2026, 2, 28, 14, 59, 59);
    c.useWriteRange = 1;
    FindOptionForm form(c, kTokyo);
    EXPECT_EQ(Text(form, kRangeWrite, kPartFromDate), L"2026/02/01");
    EXPECT_EQ(Text(form, kRangeWrite, kPartFromTime), L"00:00:00");
    EXPECT_EQ(Text(form, kRangeWrite, kPartToDate), L"2026/02/28");
    EXPECT_EQ(Text(form, kRangeWrite, kPartToTime), L"23:59:59");
    EXPECT_TRUE(form.Values().check[kCheckUseWrite]);
    // Ranges never set offer the search's defaults.
    EXPECT_FALSE(form.Values().check[kCheckUseCreation]);
    EXPECT_EQ(Text(form, kRangeCreation, kPartFromDate), L"2000/01/01");
    EXPECT_EQ(Text(form, kRangeCreation, kPartFromTime), L"00:00:00");
    EXPECT_EQ(Text(form, kRangeAccess, kPartToDate), L"2026/03/10");
    EXPECT_EQ(Text(form, kRangeAccess, kPartToTime), L"23:59:59");
}

TEST(FindOptionForm, UntouchedFormGivesBackTheRecord) {
    FileConditions c;
    c.accessFrom = MakeUtcTime(2025, 6, 1, 3, 4, 5);
    c.accessTo = MakeUtcTime(2025, 7, 1, 6, 7, 8);
    c.useAccessRange = 1;
    c.attributeMask = 0x137;  // a bit no box stands for is kept
    c.acceptPlain = 0;
    c.minimumSize = 5;
    c.maximumSize = 500;
    c.reserved = 7;
    const FindOptionOutcome out = FindOptionForm(c, kTokyo).Validate();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(Ticks(out.conditions.accessFrom), Ticks(c.accessFrom));
    EXPECT_EQ(Ticks(out.conditions.accessTo), Ticks(c.accessTo));
    EXPECT_EQ(out.conditions.useAccessRange, 1u);
    EXPECT_EQ(out.conditions.useCreationRange, 0u);
    EXPECT_EQ(out.conditions.attributeMask, 0x137u);
    EXPECT_EQ(out.conditions.acceptPlain, 0u);
    EXPECT_EQ(out.conditions.minimumSize, 5u);
    EXPECT_EQ(out.conditions.maximumSize, 500u);
    EXPECT_EQ(out.conditions.reserved, 7u);
}

TEST(FindOptionForm, FieldsAreReadAsLocalTime) {
    struct Case {
        int hoursEast;
        const wchar_t* date;
        const wchar_t* time;
        FILETIME expected;
    };
    const Case cases[] = {
        {9, L"2026/02/01", L"00:00:00", MakeUtcTime(2026, 1, 31, 15, 0, 0)},
        {-5, L"2026/02/01", L"00:00:00", MakeUtcTime(2026, 2, 1, 5, 0, 0)},
        {0, L"2024/02/29", L"23:59:59", MakeUtcTime(2024, 2, 29, 23, 59, 59)},
    };
    for (const Case& c : cases) {
        const FixedClock clock(c.hoursEast, LocalNow());
        FindOptionForm form(FileConditions{}, clock);
        form.Values().check[kCheckUseCreation] = true;
        Text(form, kRangeCreation, kPartFromDate) = c.date;
        Text(form, kRangeCreation, kPartFromTime) = c.time;
        const FindOptionOutcome out = form.Validate();
        ASSERT_TRUE(out.ok) << out.message;
        EXPECT_EQ(Ticks(out.conditions.creationFrom), Ticks(c.expected)) << c.hoursEast;
        EXPECT_EQ(out.conditions.useCreationRange, 1u);
    }
}

TEST(FindOptionForm, BadEntriesAreNamedAndFocused) {
    struct Case {
        const char* what;
        int range;  // -1: no range enabled
        int text;   // the field changed
        const wchar_t* value;
        const wchar_t* message;
        int focus;
    };
    const int accessFromDate = FindOptionText(kRangeAccess, kPartFromDate);
    const int accessFromTime = FindOptionText(kRangeAccess, kPartFromTime);
    const int creationToDate = FindOptionText(kRangeCreation, kPartToDate);
    const int writeToTime = FindOptionText(kRangeWrite, kPartToTime);
    const Case cases[] = {
        {"no such day", kRangeAccess, accessFromDate, L"2026/02/30", L"アクセス日の日付が異常です", accessFromDate},
        {"no such hour", kRangeAccess, accessFromTime, L"25:00:00", L"アクセス日の時間が異常です", accessFromTime},
        {"to date", kRangeCreation, creationToDate, L"2026/2/29", L"作成日の日付が異常です", creationToDate},
        {"to time", kRangeWrite, writeToTime, L"", L"更新日の時間が異常です", writeToTime},
        // 1601-01-01 00:00 in Tokyo is before the first file time.
        {"before file times", kRangeAccess, accessFromDate, L"1601/01/01", L"アクセス日の日付が異常です",
         accessFromDate},
        {"size not a number", -1, kTextSizeFrom, L"12a", L"サイズのデータが不正です", kTextSizeFrom},
        {"size empty", -1, kTextSizeTo, L"", L"サイズのデータが不正です", kTextSizeTo},
        {"size below the lower end", -1, kTextSizeTo, L"3", L"サイズのデータが不正です", kTextSizeTo},
    };
    for (const Case& c : cases) {
        FileConditions initial;
        initial.minimumSize = 4;
        FindOptionForm form(initial, kTokyo);
        if (c.range >= 0) form.Values().check[static_cast<size_t>(kCheckUseCreation + c.range)] = true;
        form.Values().text[static_cast<size_t>(c.text)] = c.value;
        const FindOptionOutcome out = form.Validate();
        EXPECT_FALSE(out.ok) << c.what;
        EXPECT_EQ(out.message, c.message) << c.what;
        EXPECT_EQ(out.focusText, c.focus) << c.what;
    }
}

TEST(FindOptionForm, RangeNotInUseIsNotChecked) {
    FileConditions initial;
    initial.writeFrom = MakeUtcTime(2020, 1, 1);
    initial.writeTo = MakeUtcTime(2021, 1, 1);
    FindOptionForm form(initial, kTokyo);
    Text(form, kRangeWrite, kPartFromDate) = L"2026/02/30";
    const FindOptionOutcome out = form.Validate();
    ASSERT_TRUE(out.ok) << out.message;
    EXPECT_EQ(out.conditions.useWriteRange, 0u);
    EXPECT_EQ(Ticks(out.conditions.writeFrom), Ticks(initial.writeFrom));
    EXPECT_EQ(Ticks(out.conditions.writeTo), Ticks(initial.writeTo));
}

TEST(FindOptionForm, SomeAttributeMustBeChosen) {
    struct Case {
        int box;  // the only box left checked, -1 none
        bool ok;
        uint32_t mask;
        uint32_t plain;
    };
    const Case cases[] = {
        {-1, false, 0, 0},
        {kCheckPlain, true, 0, 1},
        {kCheckSystem, true, FILE_ATTRIBUTE_SYSTEM, 0},
        {kCheckDirectory, true, FILE_ATTRIBUTE_DIRECTORY, 0},
    };
    for (const Case& c : cases) {
        FindOptionForm form(FileConditions{}, kTokyo);
        for (int box = kCheckPlain; box <= kCheckDirectory; ++box)
            form.Values().check[static_cast<size_t>(box)] = box == c.box;
        const FindOptionOutcome out = form.Validate();
        EXPECT_EQ(out.ok, c.ok) << c.box;
        if (!c.ok) {
            EXPECT_EQ(out.message, L"属性の情報が有りません");
            continue;
        }
        EXPECT_EQ(out.conditions.attributeMask, c.mask) << c.box;
        EXPECT_EQ(out.conditions.acceptPlain, c.plain) << c.box;
    }
}

TEST(FindOptionForm, SizeUnitsScaleTheFields) {
    struct Case {
        const wchar_t* text;
        int unit;
        bool ok;
        uint64_t bytes;
    };
    const Case cases[] = {
        {L"1", kUnitKByte, true, 1024},
        {L"2", kUnitMByte, true, 2097152},
        {L" 10 ", kUnitByte, true, 10},
        {L"１０", kUnitKByte, true, 10240},
        {L"18446744073709551615", kUnitByte, true, 18446744073709551615ULL},
        {L"18446744073709551616", kUnitByte, false, 0},
        {L"17592186044415", kUnitMByte, true, 17592186044415ULL << 20},
        {L"17592186044416", kUnitMByte, false, 0},  // 2^64 bytes
        {L"-1", kUnitByte, false, 0},
        {L"1.5", kUnitKByte, false, 0},
        {L"", kUnitByte, false, 0},
    };
    for (const Case& c : cases) {
        uint64_t bytes = 99;
        EXPECT_EQ(ParseSizeField(c.text, c.unit, bytes), c.ok) << c.text << L" unit " << c.unit;
        if (c.ok) {
            EXPECT_EQ(bytes, c.bytes) << c.text;
        }
    }
    // The unit applies to both fields of the form; the default upper end in MBytes does not fit.
    FindOptionForm form(FileConditions{}, kTokyo);
    form.Values().sizeUnit = kUnitMByte;
    form.Values().text[kTextSizeTo] = L"1000000000000000";
    EXPECT_EQ(form.Validate().message, L"サイズのデータが不正です");
}

TEST(FindOptionForm, DateOperationsActOnDateFieldsOnly) {
    FindOptionForm form(FileConditions{}, kTokyo);
    const int toDate = FindOptionText(kRangeWrite, kPartToDate);
    Text(form, kRangeWrite, kPartToDate) = L"2024/03/31";
    EXPECT_TRUE(form.ApplyDateOperation(toDate, DateOperation::MonthBefore));
    EXPECT_EQ(Text(form, kRangeWrite, kPartToDate), L"2024/02/29");
    // A field without a valid date is stepped from today (2026-03-10).
    Text(form, kRangeWrite, kPartToDate) = L"2026/02/30";
    EXPECT_TRUE(form.ApplyDateOperation(toDate, DateOperation::DayBefore));
    EXPECT_EQ(Text(form, kRangeWrite, kPartToDate), L"2026/03/09");
    // Times and sizes are not dates.
    Text(form, kRangeAccess, kPartFromTime) = L"01:02:03";
    EXPECT_FALSE(form.ApplyDateOperation(FindOptionText(kRangeAccess, kPartFromTime), DateOperation::Today));
    EXPECT_EQ(Text(form, kRangeAccess, kPartFromTime), L"01:02:03");
    EXPECT_FALSE(form.ApplyDateOperation(kTextSizeFrom, DateOperation::Today));
}

TEST(FindOptionForm, SearchDefaultsRunFrom2000ToTheEndOfToday) {
    const FileConditions c = DefaultSearchConditions(kTokyo);
    EXPECT_EQ(Ticks(c.creationFrom), Ticks(MakeUtcTime(1999, 12, 31, 15, 0, 0)));
    EXPECT_EQ(Ticks(c.writeTo), Ticks(MakeUtcTime(2026, 3, 10, 14, 59, 59)));
    EXPECT_EQ(Ticks(c.accessTo), Ticks(c.writeTo));
    EXPECT_EQ(c.useCreationRange + c.useAccessRange + c.useWriteRange, 0u);
}

}  // namespace
