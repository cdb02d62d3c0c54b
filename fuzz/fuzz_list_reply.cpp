// The score server's reply to a list request, as the game reads it: a token
// and the scores, highest first.
#include <algorithm>
#include <functional>

#include "fuzz_support.h"
#include "online/score_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the list asked for (overall or recent), the rest
    // is the reply's body.
    const std::int32_t maximum =
        ListSize(data[0] & 1 ? clScoreListKind::Recent : clScoreListKind::Overall);
    const std::string_view body = AsText(data + 1, size - 1);
    const auto list = ParseListReply(body, maximum);
    if (!list) return 0;
    FUZZ_CHECK(list->scores.size() <= static_cast<std::size_t>(maximum));
    FUZZ_CHECK(std::is_sorted(list->scores.begin(), list->scores.end(), std::greater<>()));
    // What was read reads back the same once written.
    const auto again = ParseListReply(FormatListReply(list->token, list->scores), maximum);
    FUZZ_CHECK(again && again->token == list->token && again->scores == list->scores);
    return 0;
}
