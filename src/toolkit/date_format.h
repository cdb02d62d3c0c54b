#pragma once

#include <string>

#include "toolkit/clock.h"

// The user's formats of dates and times. The window uses the locale's; tools
// and tests the plain one.
class clDateFormat {
public:
    virtual ~clDateFormat() = default;
    // The short date ("01/08/2017"); empty for a date that cannot be shown.
    virtual std::string ShortDate(const clDateTime& when) const = 0;
    // The time of day without seconds ("14:21"); empty for a time that cannot
    // be shown.
    virtual std::string ShortTime(const clDateTime& when) const = 0;
};

// "2017-08-01" and "14:21".
class clPlainDateFormat final : public clDateFormat {
public:
    std::string ShortDate(const clDateTime& when) const override;
    std::string ShortTime(const clDateTime& when) const override;
};
