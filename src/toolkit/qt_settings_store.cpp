#include "toolkit/qt_settings_store.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <system_error>

#include "toolkit/file.h"
#include "toolkit/memory_settings_store.h"
#include "toolkit/utf8.h"

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

// QSettings takes '/' and '\' as separators and drops empty names, so every
// name is escaped first: '%', '/', '\', control characters and bytes that are
// not well-formed UTF-8 become "%XX", and the empty name becomes a lone "%",
// which no escaped name can be. Well-formed letters of any script stay
// themselves (QSettings escapes them again in the file as it needs).
QString EncodeName(std::string_view name) {
    if (name.empty()) return QStringLiteral("%");
    std::string out;
    for (std::size_t at = 0; at < name.size();) {
        const auto byte = static_cast<unsigned char>(name[at]);
        const std::size_t length = Utf8SequenceLength(name, at);
        const bool plain = length > 1 || (length == 1 && byte >= 0x20 && byte != 0x7F &&
                                          byte != '%' && byte != '/' && byte != '\\');
        if (plain) {
            out.append(name.substr(at, length));
            at += length;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
            ++at;
        }
    }
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string DecodeName(const QString& encoded) {
    const QByteArray bytes = encoded.toUtf8();
    const std::string_view in(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (in == "%") return {};
    std::string out;
    for (std::size_t at = 0; at < in.size(); ++at) {
        if (in[at] == '%' && at + 2 < in.size() && HexDigit(in[at + 1]) >= 0 &&
            HexDigit(in[at + 2]) >= 0) {
            out += static_cast<char>(HexDigit(in[at + 1]) * 16 + HexDigit(in[at + 2]));
            at += 2;
        } else {
            out += in[at];  // not written by this store; kept as it is
        }
    }
    return out;
}

std::vector<std::string> DecodeNames(const QStringList& list) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(list.size()));
    for (const QString& item : list)
        names.push_back(DecodeName(item));
    return names;
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A group entered for one question and left again.
class clGroupScope {
public:
    clGroupScope(QSettings& settings, const QString& group) : settings(settings) {
        settings.beginGroup(group);
    }
    ~clGroupScope() { settings.endGroup(); }
    clGroupScope(const clGroupScope&) = delete;
    clGroupScope& operator=(const clGroupScope&) = delete;

private:
    QSettings& settings;
};

// Why the settings file, or the lock file beside it, cannot be used; empty
// when both are regular files or missing. A link is judged by what it names.
std::string RefusalOf(const std::filesystem::path& file) {
    const auto fileProblem = [](const std::filesystem::path& path) -> std::string {
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(path, error);
        if (status.type() == std::filesystem::file_type::not_found) return {};
        if (status.type() != std::filesystem::file_type::regular) return "is not a regular file";
        return {};
    };
    std::string problem = fileProblem(file);
    if (problem.empty()) {
        const std::optional<std::uint64_t> size = RegularFileSize(file);
        if (size && *size > clQtSettingsStore::kMaxFile) problem = "is larger than 16 MB";
    }
    std::filesystem::path lock = file;
    lock += ".lock";
    if (problem.empty() && !fileProblem(lock).empty()) {
        problem = "cannot be locked: its lock file " + lock.string() + " is not a regular file";
    }
    if (problem.empty()) return {};
    return "Qarvel cannot use its settings file " + file.string() + ": it " + problem +
           ". Players and options are kept only until Qarvel ends.";
}

}  // namespace

clQtSettingsStore::clQtSettingsStore(const std::filesystem::path& file, std::string_view rootGroup)
    : root(rootGroup), refusal(RefusalOf(file)) {
    if (!refusal.empty()) {
        memory = std::make_unique<clMemorySettingsStore>();
        return;
    }
    settings = std::make_unique<QSettings>(QFile::decodeName(QByteArray(file.c_str())),
                                           QSettings::IniFormat);
    settings->setFallbacksEnabled(false);
}

clQtSettingsStore::~clQtSettingsStore() {
    if (settings) settings->sync();
}

std::filesystem::path clQtSettingsStore::DefaultFile() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::filesystem::path(QFile::encodeName(config).toStdString()) / "Ternwick" /
           "Qarvel.conf";
}

QString clQtSettingsStore::KeyPath(const clKeyPath& key) const {
    QString path = EncodeName(root);
    for (const std::string& name : key.Names())
        path += QLatin1Char('/') + EncodeName(name);
    return path;
}

QString clQtSettingsStore::ValuePath(const clKeyPath& key, std::string_view name) const {
    return KeyPath(key) + QLatin1Char('/') + EncodeName(name);
}

bool clQtSettingsStore::KeyExists(const clKeyPath& key) const {
    if (memory) return memory->KeyExists(key);
    clGroupScope group(*settings, KeyPath(key));
    return !settings->childKeys().isEmpty() || !settings->childGroups().isEmpty();
}

bool clQtSettingsStore::ValueExists(const clKeyPath& key, std::string_view name) const {
    if (memory) return memory->ValueExists(key, name);
    return settings->contains(ValuePath(key, name));
}

std::optional<std::int32_t> clQtSettingsStore::ReadInteger(const clKeyPath& key,
                                                           std::string_view name) const {
    if (memory) return memory->ReadInteger(key, name);
    const QVariant value = settings->value(ValuePath(key, name));
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    return ParseStoredInteger(value.toString().toStdString());
}

std::optional<std::string> clQtSettingsStore::ReadText(const clKeyPath& key,
                                                       std::string_view name) const {
    if (memory) return memory->ReadText(key, name);
    // A text with an unquoted comma written by hand reads as a list: not a text.
    const QVariant value = settings->value(ValuePath(key, name));
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    return value.toString().toStdString();
}

std::optional<std::vector<std::uint8_t>> clQtSettingsStore::ReadBinary(
    const clKeyPath& key, std::string_view name) const {
    if (memory) return memory->ReadBinary(key, name);
    const QVariant value = settings->value(ValuePath(key, name));
    if (value.typeId() != QMetaType::QByteArray) return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool clQtSettingsStore::WriteInteger(const clKeyPath& key, std::string_view name,
                                     std::int32_t value) {
    if (memory) return memory->WriteInteger(key, name, value);
    // Kept as text, as the file keeps it, so that reads before and after the
    // file is written agree.
    settings->setValue(ValuePath(key, name), QString::number(value));
    return settings->isWritable();
}

bool clQtSettingsStore::WriteText(const clKeyPath& key, std::string_view name,
                                  std::string_view value) {
    if (memory) return memory->WriteText(key, name, value);
    settings->setValue(ValuePath(key, name), ToQString(value));
    return settings->isWritable();
}

bool clQtSettingsStore::WriteBinary(const clKeyPath& key, std::string_view name,
                                    std::span<const std::uint8_t> value) {
    if (memory) return memory->WriteBinary(key, name, value);
    const QByteArray bytes(reinterpret_cast<const char*>(value.data()),
                           static_cast<qsizetype>(value.size()));
    settings->setValue(ValuePath(key, name), bytes);
    return settings->isWritable();
}

std::vector<std::string> clQtSettingsStore::SubKeys(const clKeyPath& key) const {
    if (memory) return memory->SubKeys(key);
    clGroupScope group(*settings, KeyPath(key));
    return DecodeNames(settings->childGroups());
}

std::vector<std::string> clQtSettingsStore::ValueNames(const clKeyPath& key) const {
    if (memory) return memory->ValueNames(key);
    clGroupScope group(*settings, KeyPath(key));
    return DecodeNames(settings->childKeys());
}

bool clQtSettingsStore::DeleteKey(const clKeyPath& key) {
    if (memory) return memory->DeleteKey(key);
    if (key.IsRoot()) return false;
    settings->remove(KeyPath(key));
    return settings->isWritable();
}

bool clQtSettingsStore::DeleteValue(const clKeyPath& key, std::string_view name) {
    if (memory) return memory->DeleteValue(key, name);
    // QSettings removes a name together with everything below it; a subkey
    // of the same name is put back.
    const QString path = ValuePath(key, name);
    QList<std::pair<QString, QVariant>> below;
    {
        clGroupScope group(*settings, path);
        for (const QString& child : settings->allKeys())
            below.append({child, settings->value(child)});
    }
    settings->remove(path);
    for (const auto& [child, value] : below)
        settings->setValue(path + QLatin1Char('/') + child, value);
    return settings->isWritable();
}

bool clQtSettingsStore::Flush() {
    if (memory) return false;  // nothing reaches the file
    settings->sync();
    return settings->status() == QSettings::NoError;
}
