#include "toolkit/qt_date_format.h"

#include <QDate>
#include <QLocale>
#include <QTime>

std::string clQtDateFormat::ShortDate(const clDateTime& when) const {
    const QDate date(when.year, when.month, when.day);
    if (when.year == 0 || !date.isValid()) return {};
    return QLocale().toString(date, QLocale::ShortFormat).toStdString();
}

std::string clQtDateFormat::ShortTime(const clDateTime& when) const {
    const QTime time(when.hour, when.minute);
    if (!time.isValid()) return {};
    return QLocale().toString(time, QLocale::ShortFormat).toStdString();
}
