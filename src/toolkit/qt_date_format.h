#pragma once

#include "toolkit/date_format.h"

// Dates and times in the user's locale: its short date format, and its short
// time format, which has no seconds.
class clQtDateFormat final : public clDateFormat {
public:
    std::string ShortDate(const clDateTime& when) const override;
    std::string ShortTime(const clDateTime& when) const override;
};
