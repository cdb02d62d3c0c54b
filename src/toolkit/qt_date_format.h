#pragma once

#include <QString>

#include "toolkit/date_format.h"

// Dates and times in the user's locale: its short date format, and its short
// time format without seconds.
class clQtDateFormat final : public clDateFormat {
public:
    std::string ShortDate(const clDateTime& when) const override;
    std::string ShortTime(const clDateTime& when) const override;
};

// A locale's time format with the seconds and their fractions left out,
// together with the separator before them ("HH:mm:ss" gives "HH:mm",
// "h:mm:ss AP" gives "h:mm AP").
QString TimeFormatWithoutSeconds(const QString& format);
