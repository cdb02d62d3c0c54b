// Dates and times in the user's locale: the time of day never shows seconds,
// whatever the locale's own short format holds.
#include "toolkit/qt_date_format.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

TEST(TimeFormatWithoutSeconds, LeavesOutTheSecondsAndTheirSeparator) {
    struct clCase {
        const char* format;
        const char* expected;
    };
    const clCase cases[] = {
        {"HH:mm:ss", "HH:mm"},
        {"h:mm:ss AP", "h:mm AP"},
        {"H.mm.ss", "H.mm"},
        {"HH:mm:ss.zzz", "HH:mm"},
        {"HH:mm", "HH:mm"},
        {"AP h:mm:ss", "AP h:mm"},
        // A quoted letter s is text, not seconds.
        {"H 'hours' mm", "H 'hours' mm"},
    };
    for (const clCase& test : cases) {
        EXPECT_EQ(TimeFormatWithoutSeconds(QString::fromLatin1(test.format)).toStdString(),
                  test.expected)
            << test.format;
    }
}

// The C locale's short time is "HH:mm:ss": 14:21 showed as "14:21:00".
TEST(clQtDateFormat, ShortTimeHasNoSecondsInAnyLocale) {
    const QLocale original;
    const clDateTime when{2017, 8, 2, 1, 14, 21, 5, 0};
    for (const char* name : {"C", "en_US", "de_DE", "fi_FI", "ko_KR", "ja_JP"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        const std::string time = clQtDateFormat().ShortTime(when);
        EXPECT_NE(time.find("21"), std::string::npos) << name << ": " << time;
        EXPECT_EQ(time.find("00"), std::string::npos) << name << ": " << time;
    }
    QLocale::setDefault(original);
}

}  // namespace
