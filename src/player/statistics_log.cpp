#include "player/statistics_log.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "cards/random.h"
#include "toolkit/file.h"

namespace {

// Fixed choices for the check value; nothing depends on them but the value.
constexpr std::int32_t kCheckSeed = 0x5EED;
constexpr std::uint32_t kCheckConstant = 0xA5C3;
// After the check value of a game played with hints.
constexpr std::string_view kHintMark = ",H";

// The thirteen raw states after the first steps of a generator of its own
// seeded with the fixed seed, drawn once.
const std::array<std::uint32_t, 13>& CheckTable() {
    static const std::array<std::uint32_t, 13> table = [] {
        std::array<std::uint32_t, 13> t{};
        clRandom generator;
        generator.Seed(kCheckSeed);
        for (std::uint32_t& entry : t)
            entry = static_cast<std::uint32_t>(generator.Next(0, 0));
        return t;
    }();
    return table;
}

// x mod n in 0..n-1, for negative sums too.
std::size_t Mod(std::int64_t x, std::int64_t n) {
    return static_cast<std::size_t>(((x % n) + n) % n);
}

char KindLetter(clResultKind kind) {
    switch (kind) {
        case clResultKind::Completed:
            return 'C';
        case clResultKind::Interrupted:
            return 'I';
        case clResultKind::None:
            break;
    }
    return '-';
}

// Reads the fields of a line in order, each after its expected separator.
class clLineReader {
public:
    explicit clLineReader(std::string_view line) : rest(line) {}

    bool Separator(char expected) {
        if (rest.empty() || rest.front() != expected) return false;
        rest.remove_prefix(1);
        return true;
    }

    template <class T>
    bool Decimal(T& value) {
        return Number(value, 10);
    }

    bool Hex(std::uint32_t& value) { return Number(value, 16); }

    bool AtEnd() const { return rest.empty(); }
    std::string_view Rest() const { return rest; }

private:
    template <class T>
    bool Number(T& value, int base) {
        // from_chars takes a '-' for signed types only, and never a '+'.
        if (rest.empty() || rest.front() == '+') return false;
        const auto [end, error] =
            std::from_chars(rest.data(), rest.data() + rest.size(), value, base);
        if (error != std::errc()) return false;
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
        return true;
    }

    std::string_view rest;
};

}  // namespace

std::uint32_t LogCheckValue(const clScoreRecord& record) {
    const auto& t = CheckTable();
    const clDateTime& w = record.when;
    const auto kind = static_cast<std::int64_t>(record.kind);
    return t[Mod(w.day + w.minute, 11)] ^ t[Mod(w.month + w.hour, 3)] ^
           t[Mod(static_cast<std::int64_t>(w.year) + record.score, 7)] ^ t[Mod(w.second, 5)] ^
           t[Mod(kind + record.score, 13)] ^ kCheckConstant;
}

std::string FormatLogLine(const clScoreRecord& record) {
    const clDateTime& w = record.when;
    char line[128];
    std::snprintf(line, sizeof line, "%c,%d,%d,%04u-%02u-%02u %02u:%02u:%02u,%08X",
                  KindLetter(record.kind), record.score, record.round, unsigned{w.year},
                  unsigned{w.month}, unsigned{w.day}, unsigned{w.hour}, unsigned{w.minute},
                  unsigned{w.second}, LogCheckValue(record));
    std::string text = line;
    if (record.hinted) text += kHintMark;
    return text;
}

std::optional<clScoreRecord> ParseLogLine(std::string_view line) {
    if (line.size() > kMaxLogLine || line.empty()) return std::nullopt;
    clScoreRecord record;
    switch (line.front()) {
        case 'C':
            record.kind = clResultKind::Completed;
            break;
        case 'I':
            record.kind = clResultKind::Interrupted;
            break;
        default:
            record.kind = clResultKind::None;
            break;
    }
    clLineReader in(line.substr(1));
    clDateTime& w = record.when;
    std::uint32_t check = 0;
    const bool whole = in.Separator(',') && in.Decimal(record.score) && in.Separator(',') &&
                       in.Decimal(record.round) && in.Separator(',') && in.Decimal(w.year) &&
                       in.Separator('-') && in.Decimal(w.month) && in.Separator('-') &&
                       in.Decimal(w.day) && in.Separator(' ') && in.Decimal(w.hour) &&
                       in.Separator(':') && in.Decimal(w.minute) && in.Separator(':') &&
                       in.Decimal(w.second) && in.Separator(',') && in.Hex(check);
    if (!whole) return std::nullopt;
    record.hinted = in.Rest() == kHintMark;
    if (!record.hinted && !in.AtEnd()) return std::nullopt;
    return record;
}

clLogReading ReadLog(const std::filesystem::path& path,
                     const std::function<bool(const clScoreRecord&)>& add) {
    clLogReading reading;
    clFile in;
    if (!in.Open(path)) return reading;
    reading.opened = true;

    std::string line;
    bool tooLong = false;
    bool first = true;
    bool stop = false;
    // One line at a time, never holding more than one result's worth of it.
    const auto finish = [&] {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first) {
            first = false;
            reading.headerOk = !tooLong && line.starts_with(kLogHeader);
            if (reading.headerOk) return;
        }
        const auto record = tooLong ? std::nullopt : ParseLogLine(line);
        if (record) {
            ++reading.results;
            stop = !add(*record);
        } else if (!line.empty() || tooLong) {
            ++reading.skipped;
        }
    };

    std::array<char, 65536> buffer;
    std::uint64_t bytesRead = 0;
    while (!stop && bytesRead < kMaxLogBytes) {
        const std::size_t got =
            in.ReadSome(buffer.data(), static_cast<std::size_t>(std::min<std::uint64_t>(
                                           buffer.size(), kMaxLogBytes - bytesRead)));
        if (got == 0) break;
        bytesRead += got;
        for (std::size_t i = 0; i < got && !stop; ++i) {
            const char c = buffer[i];
            if (c == '\n') {
                finish();
                line.clear();
                tooLong = false;
            } else if (!tooLong) {
                line += c;
                // Room for the CR of a line of the longest length.
                if (line.size() > kMaxLogLine + 1) {
                    tooLong = true;
                    line.clear();
                }
            }
        }
    }
    char more = 0;
    reading.cut = !stop && bytesRead == kMaxLogBytes && in.ReadSome(&more, 1) == 1;
    // A last line without its end is read as far as it goes: a cut-off
    // result fails to parse and is skipped. A line the bound cut is not read.
    if (reading.cut && (!line.empty() || tooLong)) {
        ++reading.skipped;
    } else if (!stop && (!line.empty() || tooLong)) {
        finish();
    }
    return reading;
}

bool AppendLogLine(const std::filesystem::path& path, const clScoreRecord& record) {
    // Made when missing, never emptied; every write lands at the end.
    clFile file;
    if (!file.OpenForAppend(path)) return false;
    const std::uint64_t size = file.Size();

    std::string text;
    char last = 0;
    if (size == 0) {  // missing, or created but never written
        text += kLogHeader;
        text += "\r\n";
    } else if (!file.Seek(size - 1) || !file.Read(&last, 1) || last != '\n') {
        text += "\r\n";
    }
    text += FormatLogLine(record);
    text += "\r\n";

    // Reading and writing one stream take a seek between them.
    const bool written = file.Seek(size) && file.Write(text.data(), text.size());
    return file.Close() && written;
}
