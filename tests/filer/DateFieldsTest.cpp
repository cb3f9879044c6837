#include <gtest/gtest.h>

#include "filer/DateFields.h"

namespace {

using zq::CivilDate;
using zq::ClockTime;
using zq::DateOperation;

TEST(DateFields, DateFieldAcceptsOnlyDaysThatExist) {
    struct Case {
        const wchar_t* text;
        bool ok;
        CivilDate date;
    };
    const Case cases[] = {
        {L"2026/02/28", true, {2026, 2, 28}},
        {L"2026/02/29", false, {}},
        {L"2026/02/30", false, {}},
        {L"2024/02/29", true, {2024, 2, 29}},
        {L"2000/02/29", true, {2000, 2, 29}},  // divisible by 400
        {L"2100/02/29", false, {}},            // divisible by 100 only
        {L"2026/04/31", false, {}},
        {L"2026/13/01", false, {}},
        {L"2026/00/10", false, {}},
        {L"2026/4/1", true, {2026, 4, 1}},
        {L" 2026/04/01 ", true, {2026, 4, 1}},
        {L"２０２６／０４／０１", true, {2026, 4, 1}},
        {L"1601/01/01", true, {1601, 1, 1}},
        {L"1600/12/31", false, {}},
        {L"10000/01/01", false, {}},
        {L"2026-04-01", false, {}},
        {L"2026/04", false, {}},
        {L"2026/04/01/", false, {}},
        {L"2026/O4/01", false, {}},
        {L"", false, {}},
    };
    for (const Case& c : cases) {
        CivilDate date{1, 1, 1};
        EXPECT_EQ(zq::ParseDateField(c.text, date), c.ok) << c.text;
        // A failed parse leaves the date as it was.
        EXPECT_EQ(date, (c.ok ? c.date : CivilDate{1, 1, 1})) << c.text;
    }
}

TEST(DateFields, TimeFieldAcceptsOnlyClockTimes) {
    struct Case {
        const wchar_t* text;
        bool ok;
        ClockTime time;
    };
    const Case cases[] = {
        {L"00:00:00", true, {0, 0, 0}}, {L"23:59:59", true, {23, 59, 59}},
        {L"1:2:3", true, {1, 2, 3}},    {L"１２：３０：４５", true, {12, 30, 45}},
        {L"24:00:00", false, {}},       {L"12:60:00", false, {}},
        {L"12:00:60", false, {}},       {L"12:00", false, {}},
        {L"123:00:00", false, {}},      {L"12:00:00:00", false, {}},
        {L"12.00.00", false, {}},       {L"", false, {}},
    };
    for (const Case& c : cases) {
        ClockTime time;
        EXPECT_EQ(zq::ParseTimeField(c.text, time), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(time, c.time) << c.text;
        }
    }
}

TEST(DateFields, OperationsStepOverMonthAndYearEnds) {
    struct Case {
        CivilDate from;
        DateOperation operation;
        CivilDate expected;
    };
    const CivilDate today{2026, 7, 15};
    const Case cases[] = {
        {{2020, 5, 5}, DateOperation::Today, {2026, 7, 15}},
        {{2026, 1, 1}, DateOperation::DayBefore, {2025, 12, 31}},
        {{2024, 3, 1}, DateOperation::DayBefore, {2024, 2, 29}},
        {{2026, 2, 28}, DateOperation::DayAfter, {2026, 3, 1}},
        {{2024, 2, 28}, DateOperation::DayAfter, {2024, 2, 29}},
        {{2100, 2, 28}, DateOperation::DayAfter, {2100, 3, 1}},
        {{2025, 12, 31}, DateOperation::DayAfter, {2026, 1, 1}},
        {{2026, 3, 31}, DateOperation::MonthBefore, {2026, 2, 28}},
        {{2024, 3, 31}, DateOperation::MonthBefore, {2024, 2, 29}},
        {{2026, 1, 15}, DateOperation::MonthBefore, {2025, 12, 15}},
        {{2026, 1, 31}, DateOperation::MonthAfter, {2026, 2, 28}},
        {{2025, 12, 15}, DateOperation::MonthAfter, {2026, 1, 15}},
        {{2024, 2, 29}, DateOperation::YearBefore, {2023, 2, 28}},
        {{2024, 2, 29}, DateOperation::YearAfter, {2025, 2, 28}},
        // Steps beyond the years a field shows leave the date alone.
        {{1601, 1, 1}, DateOperation::DayBefore, {1601, 1, 1}},
        {{9999, 12, 31}, DateOperation::DayAfter, {9999, 12, 31}},
        {{9999, 6, 1}, DateOperation::YearAfter, {9999, 6, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zq::ApplyDateOperation(c.from, c.operation, today), c.expected)
            << zq::FormatDateField(c.from) << L" op " << static_cast<int>(c.operation);
    }
}

}  // namespace
