#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "engine/play_observer.h"
#include "online/play_record.h"

// Writes down the game a playing screen plays, round by round, as the
// record a verified score is sent with. The record lives as long as the
// game: a new game starts a new one. It is kept beside the automatic save
// ("<save>.record") whenever that is written, read back when the automatic
// save is resumed, and removed with it. A game the record cannot follow (a
// saved game the player opened, an automatic save without its record or with
// another's) has no record until the next new game.
class clPlayRecorder final : public clPlayObserver {
public:
    // For the variant of this display name.
    explicit clPlayRecorder(std::string gameName) : gameName(std::move(gameName)) {}

    // The record of the game so far; nothing when there is none that
    // follows it from its first deal.
    std::optional<clPlayRecord> Record() const;

    // Where the record of an automatic save is kept.
    static std::filesystem::path RecordPath(const std::filesystem::path& savePath);

    void RoundStarted(std::int32_t round, std::int32_t dealNumber,
                      std::int32_t bonusStart) override;
    void MoveRecorded(const clMove& record, bool chained, std::int32_t count) override;
    void MoveUndone(std::int32_t count) override;
    void CardTurned(std::int32_t dealIndex, std::int32_t count) override;
    void RoundEnded(std::int32_t count, std::int32_t score) override;
    void AutomaticSaveWritten(const std::filesystem::path& path) override;
    void AutomaticSaveDeleted(const std::filesystem::path& path) override;
    void GameLoaded(const std::filesystem::path& path, bool automatic, std::int32_t round,
                    std::int32_t dealNumber, std::size_t moves) override;

private:
    // The round being played, or null (no record, or between rounds).
    clRecordRound* Playing();
    void Drop() { record.reset(); }
    // Whether a record read back matches the game just resumed.
    bool Matches(const clPlayRecord& candidate, std::int32_t round, std::int32_t dealNumber,
                 std::size_t moves) const;

    std::string gameName;
    std::optional<clPlayRecord> record;
};
