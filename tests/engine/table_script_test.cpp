// Reading move-file lines: the click and move forms with card positions, and
// the clear refusals of malformed lines (each saying how many piles it takes).
#include "engine/table_script.h"

#include <string>

#include <gtest/gtest.h>

namespace {

using Kind = clScriptCommand::clKind;

TEST(TableScriptTest, ReadsClicksAndMovesWithCardPositions) {
    const struct {
        const char* line;
        Kind kind;
        clLocationKind pile;
        int index;
        int position;
    } cases[] = {
        {"CLICK t3", Kind::Click, clLocationKind::Tableau, 3, -1},
        {"click w:2  # the waste's third card", Kind::Click, clLocationKind::Waste, 0, 2},
        {"Click r0", Kind::Click, clLocationKind::Reserve, 0, -1},
        {"CLICK s", Kind::Click, clLocationKind::Stock, 0, -1},
        {"MOVE t1:3 f0", Kind::Move, clLocationKind::Tableau, 1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        clScriptCommand command;
        std::string error;
        ASSERT_TRUE(ParseScriptLine(c.line, command, error)) << error;
        EXPECT_EQ(command.kind, c.kind);
        ASSERT_FALSE(command.piles.empty());
        EXPECT_EQ(command.piles[0].kind, c.pile);
        EXPECT_EQ(command.piles[0].first, c.index);
        EXPECT_EQ(command.position, c.position);
    }
}

TEST(TableScriptTest, RefusesMalformedLines) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"CLICK", "CLICK takes one pile"},
        {"CLICK t1 t2", "CLICK takes one pile"},
        {"CLICK t1:x", "not a card position: x"},
        {"CLICK t1:-1", "not a card position: -1"},
        {"CLICK t1:", "not a card position: "},
        {"CLICK q1", "not a pile: q1"},
        {"CLICK t", "not a pile: t"},
        {"CLICK t99999999999", "not a pile: t99999999999"},
        {"PAIR", "PAIR takes 1 or 2 piles"},
        {"PAIR t26 t27 t21", "PAIR takes 1 or 2 piles"},
        {"REMOVE", "REMOVE takes 1 to 16 piles"},
        {"REMOVE t0 t1 t2 t3 t4 t5 t6 t7 t8 t9 t10 t11 t12 t13 t14 t15 t16",
         "REMOVE takes 1 to 16 piles"},
        {"MOVE t1", "MOVE takes a source and a destination"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        clScriptCommand command;
        std::string error;
        EXPECT_FALSE(ParseScriptLine(c.line, command, error));
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
