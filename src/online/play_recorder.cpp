#include "online/play_recorder.h"

#include "toolkit/file.h"

std::optional<clPlayRecord> clPlayRecorder::Record() const {
    return record;
}

std::filesystem::path clPlayRecorder::RecordPath(const std::filesystem::path& savePath) {
    std::filesystem::path path = savePath;
    path += ".record";
    return path;
}

clRecordRound* clPlayRecorder::Playing() {
    if (!record || record->rounds.empty() || record->rounds.back().endCount) return nullptr;
    return &record->rounds.back();
}

void clPlayRecorder::RoundStarted(std::int32_t round, std::int32_t dealNumber,
                                  std::int32_t bonusStart) {
    (void)bonusStart;
    if (round == 1) record = clPlayRecord{gameName, {}};
    // A round must follow the one the record ended last.
    if (!record || record->rounds.size() + 1 != static_cast<std::size_t>(round) ||
        (!record->rounds.empty() && !record->rounds.back().endCount) ||
        record->rounds.size() >= clPlayRecordCodec::kMaxRounds) {
        Drop();
        return;
    }
    record->rounds.push_back({dealNumber, {}, std::nullopt});
}

void clPlayRecorder::MoveRecorded(const clMove& move, bool chained, std::int32_t count) {
    clRecordRound* round = Playing();
    if (round == nullptr) return Drop();
    if (chained) {
        if (round->steps.empty() || round->steps.back().kind != clRecordStep::clKind::Move)
            return Drop();
        round->steps.back().move = move;
        return;
    }
    clRecordStep step;
    step.kind = clRecordStep::clKind::Move;
    step.count = count;
    step.move = move;
    round->steps.push_back(std::move(step));
}

void clPlayRecorder::MoveUndone(std::int32_t count) {
    clRecordRound* round = Playing();
    if (round == nullptr) return Drop();
    clRecordStep step;
    step.kind = clRecordStep::clKind::Undo;
    step.count = count;
    round->steps.push_back(std::move(step));
}

void clPlayRecorder::CardTurned(std::int32_t dealIndex, std::int32_t count) {
    clRecordRound* round = Playing();
    if (round == nullptr) return Drop();
    clRecordStep step;
    step.kind = clRecordStep::clKind::Turn;
    step.count = count;
    step.card = dealIndex;
    round->steps.push_back(std::move(step));
}

void clPlayRecorder::RoundEnded(std::int32_t count, std::int32_t score) {
    (void)score;
    clRecordRound* round = Playing();
    if (round == nullptr) return Drop();
    round->endCount = count;
}

void clPlayRecorder::AutomaticSaveWritten(const std::filesystem::path& path) {
    const std::filesystem::path recordPath = RecordPath(path);
    const std::optional<std::string> bytes =
        record ? clPlayRecordCodec::Encode(*record) : std::nullopt;
    // Without a record that can be kept, none stays that would belong to
    // another game.
    if (!bytes ||
        !WriteFileSafely(recordPath, std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()),
                                               bytes->size()))) {
        RemoveFile(recordPath);
    }
}

void clPlayRecorder::AutomaticSaveDeleted(const std::filesystem::path& path) {
    RemoveFile(RecordPath(path));
}

void clPlayRecorder::GameLoaded(const std::filesystem::path& path, bool automatic,
                                std::int32_t round, std::int32_t dealNumber, std::size_t moves) {
    Drop();
    if (!automatic) return;
    const std::optional<std::string> bytes =
        ReadWholeFile(RecordPath(path), clPlayRecordCodec::kMaxRecordBytes);
    if (!bytes) return;
    std::optional<clPlayRecord> candidate = clPlayRecordCodec::Decode(*bytes);
    if (candidate && Matches(*candidate, round, dealNumber, moves)) record = std::move(candidate);
}

bool clPlayRecorder::Matches(const clPlayRecord& candidate, std::int32_t round,
                             std::int32_t dealNumber, std::size_t moves) const {
    if (candidate.gameName != gameName || candidate.rounds.empty() ||
        candidate.rounds.size() != static_cast<std::size_t>(round))
        return false;
    for (std::size_t i = 0; i + 1 < candidate.rounds.size(); ++i) {
        if (!candidate.rounds[i].endCount) return false;
    }
    const clRecordRound& last = candidate.rounds.back();
    // Saved between rounds: the last one has ended.
    if (dealNumber == 0) return last.endCount.has_value();
    if (last.endCount || last.dealNumber != dealNumber) return false;
    std::int64_t applied = 0;
    for (const clRecordStep& step : last.steps) {
        if (step.kind == clRecordStep::clKind::Move) ++applied;
        if (step.kind == clRecordStep::clKind::Undo) --applied;
    }
    return applied == static_cast<std::int64_t>(moves);
}
