#include "toolkit/qt_user_account.h"

#include <QByteArray>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <vector>

#include <pwd.h>
#include <unistd.h>

std::filesystem::path clQtUserAccount::DataFolder() const {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return std::filesystem::path(QFile::encodeName(data).toStdString()) / "Ternwick";
}

std::filesystem::path clQtUserAccount::DocumentsFolder() const {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return std::filesystem::path(QFile::encodeName(documents).toStdString());
}

std::string clQtUserAccount::LoginName() const {
    const QByteArray user = qgetenv("USER");
    if (!user.isEmpty()) return user.toStdString();
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_name != nullptr)
        return found->pw_name;
    return {};
}
