// The score server's requests: the submit and list bodies as they arrive,
// descrambled, parsed, checked and stored in a fresh database, then the
// reply, which the game must be able to read, and the variant's score page
// that shows what was stored; or a path asked for, as the server routes it.
#include <string>

#include "engine/catalogue.h"
#include "fuzz_support.h"
#include "online/score_protocol.h"
#include "online/scramble.h"
#include "score_server.h"
#include "score_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte: bit 0 a list request rather than a submission, bit 1
    // the rest sent as it is rather than scrambled the way the game does,
    // bit 2 the rest a path asked for with GET (the other bits then unused).
    const bool list = data[0] & 1;
    const bool raw = data[0] & 2;
    const bool path = data[0] & 4;
    const std::string_view text = AsText(data + 1, size - 1);
    std::string body(text);
    if (!raw) {
        const std::vector<std::uint8_t> scrambled = ScrambleBody(text);
        body.assign(scrambled.begin(), scrambled.end());
    }

    clScoreStore store;
    std::string error;
    FUZZ_CHECK(store.Open(":memory:", error));
    clScoreServer server(store);

    if (path) {
        const clServerReply reply = server.Route({"GET", text, ""});
        FUZZ_CHECK(reply.status == 200 || reply.status == 404);
        return 0;
    }
    if (list) {
        const clServerReply reply = server.List(body);
        FUZZ_CHECK(reply.status == 200 || reply.status == 204 || reply.status == 400);
        if (reply.status == 200) {
            const auto request = ParseListBody(*DescrambleBody(body));
            FUZZ_CHECK(request && ParseListReply(reply.body, request->maximum));
        }
        return 0;
    }

    const clServerReply reply = server.Submit(body);
    FUZZ_CHECK(reply.status == 200 || reply.status == 400);
    if (reply.status != 200) return 0;
    const auto request = ParseSubmitBody(*DescrambleBody(body), kMaxSubmittedScores);
    FUZZ_CHECK(request);
    FUZZ_CHECK(ParseSubmitReply(reply.body, request->scores.size()));
    for (const clSubmittedScore& score : request->scores) {
        if (const clCatalogueRow* row = FindVariant(score.gameName))
            FUZZ_CHECK(server.ScorePage(row->key).status == 200);
    }
    return 0;
}
