#include "engine/saved_game.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "engine/history.h"
#include "toolkit/file.h"

namespace {

constexpr std::array<std::uint8_t, 4> kMagic = {'L', 'V', 'R', 'Q'};

// The longest record: a compound of 8 card moves (type, count, 8 x 32 bytes).
constexpr std::size_t kLongestRecord = 8 + clMove::kMaxParts * 32;
// No well-formed file needs more bytes than this before its extra block.
constexpr std::size_t kMostRecordBytes =
    clSavedGameFile::kHeaderSize + clHistory::kCapacity * kLongestRecord;
// The shortest record is a stock action: its type word alone.
constexpr std::size_t kShortestRecord = 4;

class clWriter {
public:
    void Int(std::int32_t value) {
        const auto v = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(v >> shift));
    }
    void Raw(const void* data, std::size_t count) {
        const auto* p = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + count);
    }

    std::vector<std::uint8_t> bytes;
};

class clReader {
public:
    explicit clReader(std::span<const std::uint8_t> bytes) : bytes(bytes) {}

    bool Int(std::int32_t& value) {
        if (Remaining() < 4) return false;
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | bytes[at + static_cast<std::size_t>(i)];
        at += 4;
        value = static_cast<std::int32_t>(v);
        return true;
    }
    std::size_t Remaining() const { return bytes.size() - at; }

private:
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

bool IsStoredKind(clLocationKind kind) {
    return kind >= clLocationKind::Foundation && kind <= clLocationKind::Waste;
}

void PutLocation(clWriter& out, const clLocation& at) {
    out.Int(static_cast<std::int32_t>(at.kind));
    out.Int(at.first);
    out.Int(at.second);
}

bool GetLocation(clReader& in, clLocation& at) {
    std::int32_t kind = 0;
    if (!in.Int(kind) || !in.Int(at.first) || !in.Int(at.second)) return false;
    at.kind = static_cast<clLocationKind>(kind);
    return IsStoredKind(at.kind);
}

bool PutMove(clWriter& out, const clMove& move, bool inCompound) {
    out.Int(static_cast<std::int32_t>(move.type));
    switch (move.type) {
        case clMoveType::Card:
            if (!IsStoredKind(move.from.kind) || !IsStoredKind(move.to.kind)) return false;
            out.Int(move.first);
            PutLocation(out, move.from);
            PutLocation(out, move.to);
            return true;
        case clMoveType::Pair:
            out.Int(move.first);
            out.Int(move.second);
            return true;
        case clMoveType::Set:
            if (move.count < 1 || move.count > clMove::kMaxSetCards) return false;
            out.Int(move.count);
            for (int i = 0; i < move.count; ++i)
                out.Int(move.cards[static_cast<std::size_t>(i)]);
            return true;
        case clMoveType::Stock:
            return true;
        case clMoveType::Compound: {
            const auto parts = static_cast<int>(move.parts.size());
            if (inCompound || parts < 1 || parts > clMove::kMaxParts) return false;
            out.Int(parts);
            return std::all_of(move.parts.begin(), move.parts.end(),
                               [&](const clMove& part) { return PutMove(out, part, true); });
        }
        default:
            return false;
    }
}

bool GetMove(clReader& in, clMove& move, bool inCompound) {
    std::int32_t type = 0;
    if (!in.Int(type)) return false;
    move = clMove{};
    move.type = static_cast<clMoveType>(type);
    switch (move.type) {
        case clMoveType::Card:
            return in.Int(move.first) && GetLocation(in, move.from) && GetLocation(in, move.to);
        case clMoveType::Pair:
            return in.Int(move.first) && in.Int(move.second);
        case clMoveType::Set:
            // Sets of more than 8 cards are never validated whole, so none is played.
            if (!in.Int(move.count) || move.count < 1 || move.count > clMove::kMaxSetCards) {
                return false;
            }
            for (int i = 0; i < move.count; ++i) {
                if (!in.Int(move.cards[static_cast<std::size_t>(i)])) return false;
            }
            return true;
        case clMoveType::Stock:
            return true;
        case clMoveType::Compound: {
            std::int32_t count = 0;
            if (inCompound || !in.Int(count) || count < 1 || count > clMove::kMaxParts) {
                return false;
            }
            if (in.Remaining() / kShortestRecord < static_cast<std::size_t>(count)) return false;
            move.count = count;
            move.parts.resize(static_cast<std::size_t>(count));
            return std::all_of(move.parts.begin(), move.parts.end(),
                               [&](clMove& part) { return GetMove(in, part, true); });
        }
        default:
            return false;
    }
}

// The header's checks that need no records: magic, version and a name that
// ends inside its field.
std::optional<std::string> HeaderName(std::span<const std::uint8_t> header) {
    if (header.size() < clSavedGameFile::kHeaderSize) return std::nullopt;
    if (!std::equal(kMagic.begin(), kMagic.end(), header.begin())) return std::nullopt;
    clReader in(header.subspan(4, 4));
    std::int32_t version = 0;
    if (!in.Int(version) || static_cast<std::uint32_t>(version) != clSavedGameFile::kVersion) {
        return std::nullopt;
    }
    const auto field = header.subspan(8, clSavedGameFile::kNameSize);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    if (end == field.end()) return std::nullopt;
    return std::string(field.begin(), end);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> clSavedGameFile::Encode(const clSavedGame& game) {
    if (game.name.size() >= kNameSize || game.name.find('\0') != std::string::npos ||
        game.moves.size() > clHistory::kCapacity) {
        return std::nullopt;
    }
    clWriter out;
    out.Raw(kMagic.data(), kMagic.size());
    out.Int(static_cast<std::int32_t>(kVersion));
    std::array<char, kNameSize> name{};
    std::memcpy(name.data(), game.name.data(), game.name.size());
    out.Raw(name.data(), name.size());
    out.Int(game.dealNumber);
    out.Int(game.bonusCount);
    out.Int(game.score);
    out.Int(game.round);
    out.Int(static_cast<std::int32_t>(game.moves.size()));
    out.Int(0);  // no extra block
    for (const clMove& move : game.moves) {
        if (!PutMove(out, move, false)) return std::nullopt;
    }
    return std::move(out.bytes);
}

std::optional<clSavedGame> clSavedGameFile::Decode(std::span<const std::uint8_t> bytes) {
    clSavedGame game;
    const std::optional<std::string> name = HeaderName(bytes);
    if (!name) return std::nullopt;
    game.name = *name;
    clReader in(bytes.subspan(8 + kNameSize));
    std::int32_t count = 0;
    std::int32_t extraSize = 0;
    if (!in.Int(game.dealNumber) || !in.Int(game.bonusCount) || !in.Int(game.score) ||
        !in.Int(game.round) || !in.Int(count) || !in.Int(extraSize)) {
        return std::nullopt;
    }
    if (game.dealNumber < 0 || game.dealNumber > kMaxDealNumber || game.bonusCount < 0 ||
        game.round < 0) {
        return std::nullopt;
    }
    // The count is checked against the history and the bytes present before
    // any room is made for the records.
    if (count < 0 || static_cast<std::size_t>(count) > clHistory::kCapacity ||
        in.Remaining() / kShortestRecord < static_cast<std::size_t>(count)) {
        return std::nullopt;
    }
    game.moves.resize(static_cast<std::size_t>(count));
    for (clMove& move : game.moves) {
        if (!GetMove(in, move, false)) return std::nullopt;
    }
    return game;  // the extra block, if any, is never read
}

bool clSavedGameFile::Write(const std::filesystem::path& path, const clSavedGame& game) {
    const std::optional<std::vector<std::uint8_t>> bytes = Encode(game);
    return bytes && WriteFileSafely(path, *bytes);
}

std::optional<clSavedGame> clSavedGameFile::Read(const std::filesystem::path& path) {
    clFile file;
    if (!file.Open(path)) return std::nullopt;
    // Whatever lies past the longest possible records is an extra block,
    // which is not needed.
    const auto size =
        static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), kMostRecordBytes));
    std::vector<std::uint8_t> bytes(size);
    if (!file.Read(bytes.data(), size)) return std::nullopt;
    return Decode(bytes);
}

std::optional<std::string> clSavedGameFile::ReadName(const std::filesystem::path& path) {
    clFile file;
    std::array<std::uint8_t, kHeaderSize> header{};
    if (!file.Open(path) || !file.Read(header.data(), header.size())) return std::nullopt;
    return HeaderName(header);
}
