#pragma once

#include <cstdint>

// A date of the proleptic Gregorian calendar.
struct clCivilDate {
    std::int64_t year = 1970;
    int month = 1;
    int day = 1;
};

bool IsLeapYear(std::int64_t year);
// Days in a month 1..12.
int DaysInMonth(std::int64_t year, int month);
// Days from 1970-01-01 to a date, and back (negative before it).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);
clCivilDate CivilFromDays(std::int64_t days);
