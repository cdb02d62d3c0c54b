#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "online/score_protocol.h"
#include "online/scramble.h"

namespace {

std::string Bytes(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A list reply built by hand: text, zero byte, scores.
std::string ListReply(std::string_view text, const std::vector<std::int32_t>& scores) {
    std::string body(text);
    body += '\0';
    for (std::int32_t score : scores) {
        const auto bits = static_cast<std::uint32_t>(score);
        for (int shift = 24; shift >= 0; shift -= 8)
            body += static_cast<char>(bits >> shift);
    }
    return body;
}

TEST(Scramble, AbcGoesOutAsEightBytesWithItsHash) {
    const std::vector<std::uint8_t> out = ScrambleBody("abc");
    ASSERT_EQ(out.size(), 8u);
    const std::uint8_t plain[] = {'a', 'b', 'c', 0};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(out[i], plain[i] ^ kScrambleKey[i]) << i;
    EXPECT_EQ(ScoreHash(std::string_view("abc\0", 4)), 2986974u);
    EXPECT_EQ(out[4], 0x00);
    EXPECT_EQ(out[5], 0x2D);
    EXPECT_EQ(out[6], 0x93);
    EXPECT_EQ(out[7], 0xDE);
}

TEST(Scramble, RoundTripsAnyTextAndUsesTheKeyModulo64) {
    const std::string long_text(200, 'x');
    for (const std::string& text : {std::string(), std::string("Klondike,1200,3\r\n"), long_text,
                                    std::string("caf\xC3\xA9 \xFF\x01")}) {
        const std::string scrambled = Bytes(ScrambleBody(text));
        ASSERT_EQ(scrambled.size(), text.size() + 5);
        EXPECT_EQ(DescrambleBody(scrambled), text);
    }
    const std::string scrambled = Bytes(ScrambleBody(long_text));
    EXPECT_EQ(static_cast<std::uint8_t>(scrambled[64]), 'x' ^ kScrambleKey[0]);
    EXPECT_EQ(static_cast<std::uint8_t>(scrambled[130]), 'x' ^ kScrambleKey[2]);
}

TEST(Scramble, DescrambleRefusesWhatIsNotAWholeScrambledText) {
    const std::string good = Bytes(ScrambleBody("Klondike,1200,3"));
    std::string wrongHash = good;
    wrongHash.back() = static_cast<char>(wrongHash.back() ^ 1);
    std::string changedText = good;
    changedText[2] = static_cast<char>(changedText[2] ^ 0x20);

    // The hash of the plain bytes is right, but the terminator is missing or
    // comes early.
    const auto withHash = [](std::string plain) {
        const std::uint32_t h = ScoreHash(plain);
        std::string body;
        for (std::size_t i = 0; i < plain.size(); ++i)
            body += static_cast<char>(static_cast<std::uint8_t>(plain[i]) ^
                                      kScrambleKey[i % kScrambleKeySize]);
        for (int shift = 24; shift >= 0; shift -= 8)
            body += static_cast<char>(h >> shift);
        return body;
    };
    const std::string noTerminator = withHash("abc");
    const std::string earlyZero = withHash(std::string("ab\0c\0", 5));
    EXPECT_TRUE(DescrambleBody(withHash(std::string("abc\0", 4))));

    for (const std::string& bad :
         {std::string(), std::string("abcd"), wrongHash, changedText, noTerminator, earlyZero})
        EXPECT_FALSE(DescrambleBody(bad));
}

TEST(EscapeField, EscapesCommasAndBackslashesAndNeverBreaksAField) {
    struct {
        std::string text;
        std::size_t size;
        std::string escaped;
    } const cases[] = {
        {"A, B", 256, "A\\, B"},
        {"\\", 256, "\\\\"},
        {"plain", 256, "plain"},
        // Cut before size - 2 characters, never between a backslash and
        // what it escapes.
        {"abcdef", 6, "abcd"},
        {"abc,def", 6, "abc"},
        {"ab,def", 6, "ab\\,"},
        // A line end in a field would start another line of the body.
        {"x\r\nKlondike,9,1", 256, "x  Klondike\\,9\\,1"},
        // Not inside a UTF-8 sequence.
        {"abc\xC3\xA9", 6, "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeField(c.text, c.size), c.escaped) << c.text;
        const auto fields = SplitEscapedFields(EscapeField(c.text, c.size));
        ASSERT_TRUE(fields);
        EXPECT_EQ(fields->size(), 1u) << c.text;
    }
    EXPECT_EQ(EscapeField(std::string(300, ','), 256).size(), 254u);
}

TEST(SubmitBody, HeaderAndLinesReadBackExactly) {
    const clOnlineIdentity identity{"A, B\\C", "Paris, France", "a@b.c"};
    const std::string text = FormatSubmitHeader(identity, "Ann") +
                             FormatSubmitLine("Triple Towers", 43800, 3) +
                             FormatSubmitLine("Klondike", -500, 1);
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "Qarvel 1.0,A\\, B\\\\C,Paris\\, France,a@b.c,Ann,,");
    const auto request = ParseSubmitBody(text, 128);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->identity, identity);
    EXPECT_EQ(request->player, "Ann");
    const std::vector<clSubmittedScore> scores = {{"Triple Towers", 43800, 3},
                                                  {"Klondike", -500, 1}};
    EXPECT_EQ(request->scores, scores);
}

TEST(SubmitBody, ReaderRefusesMalformedBodies) {
    const std::string header = FormatSubmitHeader({"n", "l", "e"}, "p");
    std::string many = header;
    for (int i = 0; i < 129; ++i)
        many += FormatSubmitLine("Golf", i, 1);
    for (const std::string& bad : {
             std::string(),
             std::string("Qarvel 1.0,n,l,e,p,,"),       // no line end
             std::string("Other 2.0,n,l,e,p,,\r\n"),    // another tag
             std::string("Qarvel 1.0,n,l,e,p\r\n"),     // six fields
             std::string("Qarvel 1.0,n,l,e,p,,,\r\n"),  // eight fields
             std::string("Qarvel 1.0,n\\"),             // a backslash ends it
             header + "Golf,10\r\n",                    // one number
             header + "Golf,10,x\r\n",                  // not a number
             header + "Golf,99999999999,1\r\n",         // beyond 32 bits
             header + ",10,1\r\n",                      // no game
             header + "Golf,10,1",                      // last line without its end
             many,                                      // more lines than a submission has
         })
        EXPECT_FALSE(ParseSubmitBody(bad, 128)) << bad;
}

// The records ride in the header's sixth field, which the original format
// leaves empty: a body without records is byte for byte what it was.
TEST(SubmitBody, RecordsGoInTheSpareFieldOnePerScore) {
    const std::vector<std::string> records = {"QUJD", "", "eHk="};
    std::string text = FormatSubmitHeader({"n", "l", "e"}, "p", records);
    EXPECT_EQ(text, "Qarvel 1.0,n,l,e,p,QUJD..eHk=,\r\n");
    for (const char* game : {"Golf", "Golf", "Klondike"})
        text += FormatSubmitLine(game, 10, 1);
    const auto request = ParseSubmitBody(text, 128);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->records, records);
    EXPECT_EQ(FormatSubmitHeader({"n", "l", "e"}, "p", std::vector<std::string>{"", ""}),
              FormatSubmitHeader({"n", "l", "e"}, "p"));

    const std::string line = FormatSubmitLine("Golf", 10, 1);
    for (const std::string& bad : {
             std::string("Qarvel 1.0,n,l,e,p,QUJD.QUJD,\r\n") + line,    // two for one score
             std::string("Qarvel 1.0,n,l,e,p,QUJD,\r\n") + line + line,  // one for two
             std::string("Qarvel 1.0,n,l,e,p,QU-D,\r\n") + line,         // not base64
         })
        EXPECT_FALSE(ParseSubmitBody(bad, 128)) << bad;
}

// After the rank lines a checking server gives a verdict per score; older
// servers give none, and the ranks read as they always did.
TEST(SubmitReply, VerdictsFollowTheRankLines) {
    const std::vector<clScoreVerdict> verdicts = {
        {clScoreVerdict::clKind::Verified, {}},
        {clScoreVerdict::clKind::Unverified, {}},
        {clScoreVerdict::clKind::Refused, "round 2, step 3: a move the rules do not allow"},
    };
    std::string body = "1,1,1,1\r\n\r\n\r\n";
    for (const clScoreVerdict& verdict : verdicts)
        body += FormatVerdictLine(verdict);
    EXPECT_EQ(ParseVerdicts(body, 3), verdicts);
    EXPECT_TRUE(ParseSubmitReply(body, 3));
    EXPECT_FALSE(ParseVerdicts("1,1,1,1\r\n\r\n\r\n", 3));
    EXPECT_FALSE(ParseVerdicts("\r\nmaybe\r\n", 1));
    // A reason cannot break the reply into more lines.
    EXPECT_EQ(FormatVerdictLine({clScoreVerdict::clKind::Refused, "a\r\nverified"}),
              "refused a  verified\r\n");
}

TEST(SubmitReply, LinesGiveRanksOrLeaveTheEntryUnranked) {
    const clScoreRanks unranked;
    const auto ranks = ParseSubmitReply("3,120,1,100\r\n\r\n5,3,1,1\r\n-1,5,1,5\r\nextra\r\n", 4);
    ASSERT_TRUE(ranks);
    ASSERT_EQ(ranks->size(), 4u);
    EXPECT_EQ((*ranks)[0], (clScoreRanks{3, 120, 1, 100}));
    EXPECT_EQ((*ranks)[1], unranked);  // an empty line
    EXPECT_EQ((*ranks)[2], unranked);  // rank above its count
    EXPECT_EQ((*ranks)[3], unranked);  // a negative rank
}

TEST(SubmitReply, MissingOrMalformedLinesFail) {
    for (const std::string& bad : {
             std::string(""),
             std::string("3,120,1,100"),  // no line end
             std::string("3,120,1,100\r\n"),
             std::string("3;120,1,100\r\n\r\n"),
             std::string("3,120,1\r\n\r\n"),
             std::string("3,120,1,100,7\r\n\r\n"),
             std::string("3,120,1,1x\r\n\r\n"),
             std::string("3,99999999999,1,100\r\n\r\n"),
         })
        EXPECT_FALSE(ParseSubmitReply(bad, 2)) << bad;
    const std::optional<clScoreRanks> none;
    EXPECT_EQ(FormatSubmitReplyLine(none), "\r\n");
    EXPECT_EQ(FormatSubmitReplyLine(clScoreRanks{1, 2, 1, 2}), "1,2,1,2\r\n");
}

TEST(ListBody, ReadsBackAndRefusesWhatIsNotARequest) {
    EXPECT_EQ(FormatListBody("Klondike", clScoreListKind::Overall, "0", 1000), "Klondike,0,0,1000");
    const auto request = ParseListBody(FormatListBody("A,B", clScoreListKind::Recent, "t.1", 100));
    ASSERT_TRUE(request);
    EXPECT_EQ(request->gameName, "A,B");
    EXPECT_EQ(request->kind, clScoreListKind::Recent);
    EXPECT_EQ(request->token, "t.1");
    EXPECT_EQ(request->maximum, 100);
    for (const char* bad : {"", "Klondike", "Klondike,0,0", ",0,0,1000", "Klondike,3,0,1000",
                            "Klondike,0,0,0", "Klondike,0,0,-5", "Klondike,x,0,1000"})
        EXPECT_FALSE(ParseListBody(bad)) << bad;
}

TEST(ListReply, WellFormedListsReadBack) {
    const std::vector<std::int32_t> scores = {900, 800, 800, 500, -20};
    const auto list = ParseListReply(FormatListReply("abc.o12.1000", scores), 1000);
    ASSERT_TRUE(list);
    EXPECT_EQ(list->token, "abc.o12.1000");
    EXPECT_EQ(list->scores, scores);
    const auto empty = ParseListReply(FormatListReply("t", {}), 100);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->scores.empty());
}

TEST(ListReply, RefusesEveryReplyThatDoesNotAddUp) {
    const std::vector<std::int32_t> three = {3, 2, 1};
    std::string longer = ListReply("t,3", three) + "x";
    std::string shorter = ListReply("t,3", three);
    shorter.pop_back();
    struct {
        const char* why;
        std::string body;
        std::int32_t maximum;
    } const cases[] = {
        {"empty", "", 100},
        {"no zero byte", "t,0", 100},
        {"zero byte past 256", std::string(300, 't') + ",0" + std::string(1, '\0'), 100},
        {"no comma", ListReply("t3", three), 100},
        {"no token", ListReply(",3", three), 100},
        {"token with a blank", ListReply("t t,3", three), 100},
        {"no count", ListReply("t,", {}), 100},
        {"count not a number", ListReply("t,3x", three), 100},
        {"negative count", ListReply("t,-1", {}), 100},
        {"count above the maximum", ListReply("t,101", std::vector<std::int32_t>(101, 5)), 100},
        {"count beyond 32 bits", ListReply("t,4294967297", {}), 1000},
        {"count larger than the bytes", ListReply("t,1073741824", three), 1000},
        {"longer than the count", longer, 100},
        {"shorter than the count", shorter, 100},
        {"not highest first", ListReply("t,3", {1, 2, 3}), 100},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ParseListReply(c.body, c.maximum)) << c.why;
}

}  // namespace
