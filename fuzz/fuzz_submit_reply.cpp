// The score server's reply to a submission, as the game reads it: the ranks
// of each score sent.
#include "fuzz_support.h"
#include "online/score_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte is the number of scores sent (up to the most one
    // submission carries), the rest the reply's body.
    const std::size_t count = data[0] % (kMaxSubmittedScores + 1);
    const auto ranks = ParseSubmitReply(AsText(data + 1, size - 1), count);
    if (!ranks) return 0;
    FUZZ_CHECK(ranks->size() == count);
    for (const clScoreRanks& entry : *ranks) {
        FUZZ_CHECK(entry.IsPlausible());
        // A ranked score reads back from its own line.
        const std::string line = FormatSubmitReplyLine(entry);
        const auto again = ParseSubmitReply(line, 1);
        FUZZ_CHECK(again && again->size() == 1 && again->front() == entry);
    }
    return 0;
}
