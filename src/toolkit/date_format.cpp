#include "toolkit/date_format.h"

#include <cstdio>

std::string clPlainDateFormat::ShortDate(const clDateTime& when) const {
    if (when.year == 0 || when.month < 1 || when.month > 12 || when.day < 1 || when.day > 31)
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", unsigned{when.year}, unsigned{when.month},
                  unsigned{when.day});
    return text;
}

std::string clPlainDateFormat::ShortTime(const clDateTime& when) const {
    if (when.hour > 23 || when.minute > 59) return {};
    char text[8];
    std::snprintf(text, sizeof text, "%02u:%02u", unsigned{when.hour}, unsigned{when.minute});
    return text;
}
