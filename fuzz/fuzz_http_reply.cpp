// The HTTP reply the score client reads from the server's connection, fed
// whole and in pieces: where the connection cuts the bytes must not change
// what is read.
#include "fuzz_support.h"
#include "online/http_client.h"

namespace {

bool SameReply(const clHttpReplyReader& a, const clHttpReplyReader& b) {
    return a.State() == b.State() && a.Error() == b.Error() && a.Status() == b.Status() &&
           a.Header() == b.Header() && a.Body() == b.Body();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = AsText(data, size);
    const clHttpReplyReader whole = ParseHttpReply(bytes);
    FUZZ_CHECK(whole.State() != clHttpReplyReader::clState::More);
    if (whole.State() == clHttpReplyReader::clState::Done) {
        FUZZ_CHECK(whole.Body().size() <= clHttpReplyReader::kMaxBodySize);
        FUZZ_CHECK(whole.Header().size() <= clHttpReplyReader::kMaxHeaderSize);
        FUZZ_CHECK(whole.Status() >= 100 && whole.Status() <= 999);
    } else {
        FUZZ_CHECK(whole.Status() == 0 && whole.Header().empty() && whole.Body().empty());
    }

    // Pieces of 1 to 7 bytes, as the input's first byte chooses.
    const std::size_t step = size > 0 ? data[0] % 7 + 1 : 1;
    clHttpReplyReader pieces;
    for (std::size_t at = 0; at < size && pieces.State() == clHttpReplyReader::clState::More;
         at += step) {
        pieces.Feed(bytes.substr(at, step));
    }
    pieces.Close();
    FUZZ_CHECK(SameReply(pieces, whole));
    return 0;
}
