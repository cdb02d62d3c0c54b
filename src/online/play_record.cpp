#include "online/play_record.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::string_view kMagic = "QPR1";

// Step tags: the move types 1-5, then the two steps that are not moves.
constexpr std::uint8_t kUndoTag = 6;
constexpr std::uint8_t kTurnTag = 7;

std::uint32_t ZigZag(std::int32_t value) {
    return (static_cast<std::uint32_t>(value) << 1) ^ static_cast<std::uint32_t>(value >> 31);
}

std::int32_t UnZigZag(std::uint32_t value) {
    return static_cast<std::int32_t>((value >> 1) ^ (~(value & 1) + 1));
}

class clWriter {
public:
    void Byte(std::uint8_t value) { bytes += static_cast<char>(value); }
    void Unsigned(std::uint32_t value) {
        while (value >= 0x80) {
            Byte(static_cast<std::uint8_t>(value | 0x80));
            value >>= 7;
        }
        Byte(static_cast<std::uint8_t>(value));
    }
    void Signed(std::int32_t value) { Unsigned(ZigZag(value)); }

    std::string bytes;
};

class clReader {
public:
    explicit clReader(std::span<const std::uint8_t> bytes) : bytes(bytes) {}

    bool Byte(std::uint8_t& value) {
        if (at >= bytes.size()) return false;
        value = bytes[at++];
        return true;
    }
    // At most five bytes, and the fifth may hold only the top four bits.
    bool Unsigned(std::uint32_t& value) {
        value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            std::uint8_t byte = 0;
            if (!Byte(byte)) return false;
            if (shift == 28 && byte > 0x0F) return false;
            value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) return true;
        }
        return false;
    }
    bool Signed(std::int32_t& value) {
        std::uint32_t raw = 0;
        if (!Unsigned(raw)) return false;
        value = UnZigZag(raw);
        return true;
    }
    // A count that cannot exceed the bytes left, each item taking at least
    // `each` bytes.
    bool Count(std::size_t& count, std::size_t each, std::size_t most) {
        std::uint32_t raw = 0;
        if (!Unsigned(raw) || raw > most || raw > Remaining() / each) return false;
        count = raw;
        return true;
    }
    std::size_t Remaining() const { return bytes.size() - at; }
    std::span<const std::uint8_t> Take(std::size_t n) {
        const auto part = bytes.subspan(at, n);
        at += n;
        return part;
    }

private:
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

bool IsStoredKind(clLocationKind kind) {
    return kind >= clLocationKind::Foundation && kind <= clLocationKind::Waste;
}

bool PutMoveBody(clWriter& out, const clMove& move, bool inCompound);

bool PutLocation(clWriter& out, const clLocation& at) {
    if (!IsStoredKind(at.kind)) return false;
    out.Byte(static_cast<std::uint8_t>(at.kind));
    out.Signed(at.first);
    out.Signed(at.second);
    return true;
}

bool PutMove(clWriter& out, const clMove& move, bool inCompound) {
    out.Byte(static_cast<std::uint8_t>(move.type));
    return PutMoveBody(out, move, inCompound);
}

bool PutMoveBody(clWriter& out, const clMove& move, bool inCompound) {
    switch (move.type) {
        case clMoveType::Card:
            out.Signed(move.first);
            return PutLocation(out, move.from) && PutLocation(out, move.to);
        case clMoveType::Pair:
            out.Signed(move.first);
            out.Signed(move.second);
            return true;
        case clMoveType::Set:
            if (move.count < 1 || move.count > clMove::kMaxSetCards) return false;
            out.Unsigned(static_cast<std::uint32_t>(move.count));
            for (int i = 0; i < move.count; ++i)
                out.Signed(move.cards[static_cast<std::size_t>(i)]);
            return true;
        case clMoveType::Stock:
            return true;
        case clMoveType::Compound:
            if (inCompound || move.parts.empty() || move.parts.size() > clMove::kMaxParts)
                return false;
            out.Unsigned(static_cast<std::uint32_t>(move.parts.size()));
            return std::all_of(move.parts.begin(), move.parts.end(),
                               [&](const clMove& part) { return PutMove(out, part, true); });
        default:
            return false;
    }
}

bool GetLocation(clReader& in, clLocation& at) {
    std::uint8_t kind = 0;
    if (!in.Byte(kind) || !in.Signed(at.first) || !in.Signed(at.second)) return false;
    at.kind = static_cast<clLocationKind>(kind);
    return IsStoredKind(at.kind);
}

bool GetMoveBody(clReader& in, clMoveType type, clMove& move, bool inCompound);

bool GetMove(clReader& in, clMove& move, bool inCompound) {
    std::uint8_t type = 0;
    return in.Byte(type) && GetMoveBody(in, static_cast<clMoveType>(type), move, inCompound);
}

bool GetMoveBody(clReader& in, clMoveType type, clMove& move, bool inCompound) {
    move = clMove{};
    switch (type) {
        case clMoveType::Card: {
            std::int32_t first = 0;
            clLocation from;
            clLocation to;
            if (!in.Signed(first) || !GetLocation(in, from) || !GetLocation(in, to)) return false;
            move = clMove::CardMove(first, from, to);
            return true;
        }
        case clMoveType::Pair: {
            std::int32_t first = 0;
            std::int32_t second = 0;
            if (!in.Signed(first) || !in.Signed(second)) return false;
            move = clMove::PairMove(first, second);
            return true;
        }
        case clMoveType::Set: {
            std::size_t count = 0;
            if (!in.Count(count, 1, clMove::kMaxSetCards) || count < 1) return false;
            std::vector<std::int32_t> cards(count);
            for (std::int32_t& card : cards) {
                if (!in.Signed(card)) return false;
            }
            move = clMove::SetMove(cards);
            return true;
        }
        case clMoveType::Stock:
            move = clMove::StockMove();
            return true;
        case clMoveType::Compound: {
            std::size_t count = 0;
            if (inCompound || !in.Count(count, 1, clMove::kMaxParts) || count < 1) return false;
            std::vector<clMove> parts(count);
            for (clMove& part : parts) {
                if (!GetMove(in, part, true)) return false;
            }
            move = clMove::CompoundMove(std::move(parts));
            return true;
        }
        default:
            return false;
    }
}

}  // namespace

std::optional<std::string> clPlayRecordCodec::Encode(const clPlayRecord& record) {
    if (record.gameName.size() > kMaxNameBytes || record.rounds.size() > kMaxRounds)
        return std::nullopt;
    clWriter out;
    out.bytes = kMagic;
    out.Byte(static_cast<std::uint8_t>(record.gameName.size()));
    out.bytes += record.gameName;
    out.Unsigned(static_cast<std::uint32_t>(record.rounds.size()));
    for (const clRecordRound& round : record.rounds) {
        out.Signed(round.dealNumber);
        out.Unsigned(static_cast<std::uint32_t>(round.steps.size()));
        std::int32_t previous = 0;
        for (const clRecordStep& step : round.steps) {
            switch (step.kind) {
                case clRecordStep::clKind::Move:
                    if (step.move.type == clMoveType::None) return std::nullopt;
                    out.Byte(static_cast<std::uint8_t>(step.move.type));
                    if (!PutMoveBody(out, step.move, false)) return std::nullopt;
                    break;
                case clRecordStep::clKind::Undo:
                    out.Byte(kUndoTag);
                    break;
                case clRecordStep::clKind::Turn:
                    out.Byte(kTurnTag);
                    out.Signed(step.card);
                    break;
            }
            // The first step keeps its count whole; later ones its fall.
            out.Signed(static_cast<std::int32_t>(static_cast<std::uint32_t>(previous) -
                                                 static_cast<std::uint32_t>(step.count)));
            previous = step.count;
        }
        out.Byte(round.endCount ? 1 : 0);
        if (round.endCount) out.Signed(*round.endCount);
        if (out.bytes.size() > kMaxRecordBytes) return std::nullopt;
    }
    return std::move(out.bytes);
}

std::optional<clPlayRecord> clPlayRecordCodec::Decode(std::span<const std::uint8_t> bytes,
                                                      std::size_t maxBytes) {
    if (bytes.size() > maxBytes || bytes.size() < kMagic.size() ||
        !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return std::nullopt;
    clReader in(bytes.subspan(kMagic.size()));
    clPlayRecord record;
    std::uint8_t nameSize = 0;
    if (!in.Byte(nameSize) || nameSize > kMaxNameBytes || in.Remaining() < nameSize)
        return std::nullopt;
    const auto name = in.Take(nameSize);
    record.gameName.assign(name.begin(), name.end());
    std::size_t rounds = 0;
    // A round takes at least three bytes: deal, step count, end flag.
    if (!in.Count(rounds, 3, kMaxRounds)) return std::nullopt;
    record.rounds.resize(rounds);
    for (clRecordRound& round : record.rounds) {
        std::size_t steps = 0;
        // A step takes at least two bytes: its tag and its count.
        if (!in.Signed(round.dealNumber) || !in.Count(steps, 2, maxBytes)) return std::nullopt;
        round.steps.resize(steps);
        std::int32_t previous = 0;
        for (clRecordStep& step : round.steps) {
            std::uint8_t tag = 0;
            if (!in.Byte(tag)) return std::nullopt;
            if (tag == kUndoTag) {
                step.kind = clRecordStep::clKind::Undo;
            } else if (tag == kTurnTag) {
                step.kind = clRecordStep::clKind::Turn;
                if (!in.Signed(step.card)) return std::nullopt;
            } else {
                step.kind = clRecordStep::clKind::Move;
                if (tag < static_cast<std::uint8_t>(clMoveType::Card) ||
                    tag > static_cast<std::uint8_t>(clMoveType::Compound) ||
                    !GetMoveBody(in, static_cast<clMoveType>(tag), step.move, false))
                    return std::nullopt;
            }
            std::int32_t fall = 0;
            if (!in.Signed(fall)) return std::nullopt;
            step.count = static_cast<std::int32_t>(static_cast<std::uint32_t>(previous) -
                                                   static_cast<std::uint32_t>(fall));
            previous = step.count;
        }
        std::uint8_t ended = 0;
        if (!in.Byte(ended) || ended > 1) return std::nullopt;
        if (ended) {
            std::int32_t count = 0;
            if (!in.Signed(count)) return std::nullopt;
            round.endCount = count;
        }
    }
    if (in.Remaining() != 0) return std::nullopt;
    return record;
}

std::optional<clPlayRecord> clPlayRecordCodec::Decode(std::string_view bytes,
                                                      std::size_t maxBytes) {
    return Decode(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                  maxBytes);
}

namespace {

constexpr std::string_view kBase64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

std::string ToBase64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = 0;
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        for (std::size_t j = 0; j < 3; ++j) {
            group <<= 8;
            if (j < n) group |= static_cast<std::uint8_t>(bytes[i + j]);
        }
        for (std::size_t j = 0; j < 4; ++j)
            out += j <= n ? kBase64[(group >> (18 - 6 * j)) & 0x3F] : '=';
    }
    return out;
}

std::optional<std::string> FromBase64(std::string_view text, std::size_t maxBytes) {
    if (text.size() % 4 != 0 || text.size() / 4 * 3 > maxBytes + 2) return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::uint32_t group = 0;
        std::size_t padding = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            const char c = text[i + j];
            group <<= 6;
            if (c == '=') {
                // Padding only at the very end, and at most two.
                if (i + 4 != text.size() || j < 2) return std::nullopt;
                ++padding;
                continue;
            }
            if (padding > 0) return std::nullopt;
            const std::size_t value = kBase64.find(c);
            if (value == std::string_view::npos) return std::nullopt;
            group |= static_cast<std::uint32_t>(value);
        }
        for (std::size_t j = 0; j < 3 - padding; ++j)
            out += static_cast<char>((group >> (16 - 8 * j)) & 0xFF);
    }
    if (out.size() > maxBytes) return std::nullopt;
    return out;
}
