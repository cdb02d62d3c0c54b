// Play records, as a score submission carries them to the server: the
// decoder (what it takes encodes and decodes to the same record), then the
// replay the server runs on it, under the rules of the game it names.
#include "fuzz_support.h"
#include "online/play_record.h"
#include "online/record_check.h"
#include "variants/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<clPlayRecord> record = clPlayRecordCodec::Decode({data, size});
    if (!record) return 0;
    const auto encoded = clPlayRecordCodec::Encode(*record);
    FUZZ_CHECK(encoded);
    FUZZ_CHECK(clPlayRecordCodec::Decode(*encoded) == record);

    // A name no game has is refused; the others are replayed in full.
    const auto rounds = static_cast<std::int32_t>(record->rounds.size());
    const auto reason = CheckPlayRecord(*record, record->gameName, 0, rounds);
    FUZZ_CHECK(reason || IsRegistered(record->gameName));
    FUZZ_CHECK(!reason || !reason->empty());
    return 0;
}
