#include "toolkit/qt_date_format.h"

#include <QDate>
#include <QLocale>
#include <QTime>

QString TimeFormatWithoutSeconds(const QString& format) {
    QString kept;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') quoted = !quoted;
        if (quoted || c == u'\'' || (c != u's' && c != u'z')) {
            kept += c;
            continue;
        }
        // The seconds (and their fraction) go with the separator before them.
        while (!kept.isEmpty() && !kept.back().isLetter() && kept.back() != u'\'' &&
               !kept.back().isSpace()) {
            kept.chop(1);
        }
    }
    return kept;
}

std::string clQtDateFormat::ShortDate(const clDateTime& when) const {
    const QDate date(when.year, when.month, when.day);
    if (when.year == 0 || !date.isValid()) return {};
    return QLocale().toString(date, QLocale::ShortFormat).toStdString();
}

// Some locales' short time has seconds (the C locale's "HH:mm:ss").
std::string clQtDateFormat::ShortTime(const clDateTime& when) const {
    const QTime time(when.hour, when.minute);
    if (!time.isValid()) return {};
    const QLocale locale;
    return locale.toString(time, TimeFormatWithoutSeconds(locale.timeFormat(QLocale::ShortFormat)))
        .toStdString();
}
