#include "online/score_protocol.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "toolkit/utf8.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The lines of a body, each without its CR LF; nothing when the last line
// has none.
std::optional<std::vector<std::string_view>> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(kLineEnd);
        if (end == std::string_view::npos) return std::nullopt;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + kLineEnd.size());
    }
    return lines;
}

// The text split at its last `count` commas: count + 1 parts, the first
// possibly holding commas itself; nothing with fewer commas.
std::optional<std::vector<std::string_view>> SplitFromRight(std::string_view text,
                                                            std::size_t count) {
    std::vector<std::string_view> parts(count + 1);
    for (std::size_t i = count; i > 0; --i) {
        const std::size_t comma = text.rfind(',');
        if (comma == std::string_view::npos) return std::nullopt;
        parts[i] = text.substr(comma + 1);
        text = text.substr(0, comma);
    }
    parts[0] = text;
    return parts;
}

void PutInt32(std::int32_t value, std::string& out) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>(static_cast<std::uint8_t>(bits >> shift));
}

std::int32_t GetInt32(std::string_view bytes) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i)
        bits = bits << 8 | static_cast<std::uint8_t>(bytes[i]);
    return static_cast<std::int32_t>(bits);
}

}  // namespace

std::string EscapeField(std::string_view text, std::size_t size) {
    const std::size_t room = size >= 2 ? size - 2 : 0;
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) length = 1;
        const bool escaped = c == ',' || c == '\\';
        if (out.size() + length + (escaped ? 1 : 0) > room) break;
        if (escaped) out += '\\';
        const auto byte = static_cast<unsigned char>(c);
        if (length == 1 && (byte < 0x20 || byte == 0x7F)) {
            out += ' ';
        } else {
            out.append(text.substr(at, length));
        }
        at += length;
    }
    return out;
}

std::optional<std::vector<std::string>> SplitEscapedFields(std::string_view line) {
    std::vector<std::string> fields(1);
    for (std::size_t at = 0; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '\\') {
            if (++at == line.size()) return std::nullopt;
            fields.back() += line[at];
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    if (text.empty() || text.front() == '+') return std::nullopt;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

namespace {

constexpr char kRecordSeparator = '.';

bool IsBase64Text(std::string_view text) {
    return text.find_first_not_of(
               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"
               "=") == std::string_view::npos;
}

}  // namespace

std::string FormatSubmitHeader(const clOnlineIdentity& identity, std::string_view player,
                               std::span<const std::string> records) {
    std::string line(kSubmitTag);
    for (std::string_view field :
         {std::string_view(identity.name), std::string_view(identity.location),
          std::string_view(identity.email), player}) {
        line += ',';
        line += EscapeField(field);
    }
    line += ',';
    const bool any = std::any_of(records.begin(), records.end(),
                                 [](const std::string& record) { return !record.empty(); });
    for (std::size_t i = 0; any && i < records.size(); ++i) {
        if (i > 0) line += kRecordSeparator;
        if (IsBase64Text(records[i])) line += records[i];
    }
    line += ',';
    line += kLineEnd;
    return line;
}

std::string FormatSubmitLine(std::string_view gameName, std::int32_t score, std::int32_t round) {
    std::string line(gameName);
    line += ',' + std::to_string(score) + ',' + std::to_string(round);
    line += kLineEnd;
    return line;
}

std::optional<clSubmitRequest> ParseSubmitBody(std::string_view text, std::size_t maxScores) {
    const auto lines = SplitLines(text);
    if (!lines || lines->empty() || lines->size() - 1 > maxScores) return std::nullopt;
    const auto fields = SplitEscapedFields(lines->front());
    if (!fields || fields->size() != 7 || (*fields)[0] != kSubmitTag) return std::nullopt;

    clSubmitRequest request;
    request.identity = {(*fields)[1], (*fields)[2], (*fields)[3]};
    request.player = (*fields)[4];
    for (std::size_t i = 1; i < lines->size(); ++i) {
        const auto parts = SplitFromRight((*lines)[i], 2);
        if (!parts) return std::nullopt;
        const auto score = ParseInt32((*parts)[1]);
        const auto round = ParseInt32((*parts)[2]);
        if ((*parts)[0].empty() || !score || !round) return std::nullopt;
        request.scores.push_back({std::string((*parts)[0]), *score, *round});
    }
    request.records.resize(request.scores.size());
    std::string_view records = (*fields)[5];
    if (!records.empty()) {
        for (std::size_t i = 0; i < request.records.size(); ++i) {
            const std::size_t end = records.find(kRecordSeparator);
            const bool last = i + 1 == request.records.size();
            if (last != (end == std::string_view::npos)) return std::nullopt;
            request.records[i] = std::string(records.substr(0, end));
            if (!IsBase64Text(request.records[i])) return std::nullopt;
            if (!last) records.remove_prefix(end + 1);
        }
    }
    return request;
}

bool clScoreRanks::IsPlausible() const {
    return overallRank >= 0 && overallCount >= 1 && recentRank >= 0 && recentCount >= 1 &&
           overallRank <= overallCount && recentRank <= recentCount;
}

std::string FormatSubmitReplyLine(const std::optional<clScoreRanks>& ranks) {
    std::string line;
    if (ranks) {
        line = std::to_string(ranks->overallRank) + ',' + std::to_string(ranks->overallCount) +
               ',' + std::to_string(ranks->recentRank) + ',' + std::to_string(ranks->recentCount);
    }
    line += kLineEnd;
    return line;
}

std::optional<std::vector<clScoreRanks>> ParseSubmitReply(std::string_view body,
                                                          std::size_t count) {
    std::vector<clScoreRanks> result;
    result.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = body.find(kLineEnd);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = body.substr(0, end);
        body.remove_prefix(end + kLineEnd.size());

        clScoreRanks ranks;
        if (!line.empty()) {
            const auto parts = SplitFromRight(line, 3);
            if (!parts) return std::nullopt;
            std::int32_t numbers[4];
            for (std::size_t n = 0; n < 4; ++n) {
                const auto number = ParseInt32((*parts)[n]);
                if (!number) return std::nullopt;
                numbers[n] = *number;
            }
            const clScoreRanks given{numbers[0], numbers[1], numbers[2], numbers[3]};
            if (given.IsPlausible()) ranks = given;
        }
        result.push_back(ranks);
    }
    return result;
}

std::string FormatVerdictLine(const clScoreVerdict& verdict) {
    std::string line;
    switch (verdict.kind) {
        case clScoreVerdict::clKind::Verified:
            line = "verified";
            break;
        case clScoreVerdict::clKind::Unverified:
            line = "unverified";
            break;
        case clScoreVerdict::clKind::Refused:
            line = "refused ";
            for (char c : verdict.reason.substr(0, kMaxReasonLength)) {
                const auto byte = static_cast<unsigned char>(c);
                line += byte < 0x20 || byte == 0x7F ? ' ' : c;
            }
            break;
    }
    line += kLineEnd;
    return line;
}

std::optional<std::vector<clScoreVerdict>> ParseVerdicts(std::string_view body, std::size_t count) {
    const auto lines = SplitLines(body);
    if (!lines || lines->size() < 2 * count || count == 0) return std::nullopt;
    std::vector<clScoreVerdict> verdicts;
    for (std::size_t i = count; i < 2 * count; ++i) {
        const std::string_view line = (*lines)[i];
        if (line == "verified") {
            verdicts.push_back({clScoreVerdict::clKind::Verified, {}});
        } else if (line == "unverified") {
            verdicts.push_back({clScoreVerdict::clKind::Unverified, {}});
        } else if (line.starts_with("refused ")) {
            std::string reason(line.substr(8, kMaxReasonLength));
            verdicts.push_back({clScoreVerdict::clKind::Refused, std::move(reason)});
        } else {
            return std::nullopt;
        }
    }
    return verdicts;
}

std::string FormatListBody(std::string_view gameName, clScoreListKind kind, std::string_view token,
                           std::int32_t maximum) {
    std::string body(gameName);
    body += ',' + std::to_string(static_cast<std::int32_t>(kind)) + ',';
    body += token;
    body += ',' + std::to_string(maximum);
    return body;
}

std::optional<clListRequest> ParseListBody(std::string_view text) {
    const auto parts = SplitFromRight(text, 3);
    if (!parts || (*parts)[0].empty()) return std::nullopt;
    const auto kind = ParseInt32((*parts)[1]);
    const auto maximum = ParseInt32((*parts)[3]);
    if (!kind || *kind < 0 || *kind > 2 || !maximum || *maximum < 1) return std::nullopt;
    return clListRequest{std::string((*parts)[0]), static_cast<clScoreListKind>(*kind),
                         std::string((*parts)[2]), *maximum};
}

std::string FormatListReply(std::string_view token, std::span<const std::int32_t> scores) {
    std::string body(token);
    body += ',' + std::to_string(scores.size());
    body += '\0';
    for (std::int32_t score : scores)
        PutInt32(score, body);
    return body;
}

std::optional<clScoreList> ParseListReply(std::string_view body, std::int32_t maximum) {
    const std::size_t zero = body.substr(0, kListTextSize + 1).find('\0');
    if (zero == std::string_view::npos) return std::nullopt;
    const std::string_view text = body.substr(0, zero);
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || comma == 0) return std::nullopt;
    const std::string_view token = text.substr(0, comma);
    for (char c : token) {
        if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) > 0x7E)
            return std::nullopt;
    }
    const std::string_view countText = text.substr(comma + 1);
    if (countText.empty() || countText.front() == '-') return std::nullopt;
    const auto count = ParseInt32(countText);
    if (!count || *count < 0 || *count > maximum) return std::nullopt;
    const std::uint64_t expected =
        static_cast<std::uint64_t>(zero) + 1 + 4 * static_cast<std::uint64_t>(*count);
    if (static_cast<std::uint64_t>(body.size()) != expected) return std::nullopt;

    clScoreList list{std::string(token), {}};
    list.scores.reserve(static_cast<std::size_t>(*count));
    for (std::size_t at = zero + 1; at < body.size(); at += 4) {
        const std::int32_t score = GetInt32(body.substr(at, 4));
        if (!list.scores.empty() && score > list.scores.back()) return std::nullopt;
        list.scores.push_back(score);
    }
    return list;
}
