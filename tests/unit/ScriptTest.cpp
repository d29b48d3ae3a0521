#include <gtest/gtest.h>

#include <sstream>

#include "platform/Script.h"

namespace wispen {
namespace {

std::vector<ScriptCommand> Parse(const std::string& text) {
  std::istringstream in(text);
  return ParseScript(in, "t.script");
}

TEST(ScriptParser, ReadsEveryCommandSkippingCommentsAndBlankLines) {
  const auto c = Parse(
      "# a demo\n\nwait 150\nmove 10 -20   # off the window\npress right 5 6 ctrl double\nupdown 7\n"
      "shot out.png\nstate s.txt\nexpect MenuMode 1\nexpect LastPress\nclose\nkey space\n");
  ASSERT_EQ(c.size(), 10u);
  EXPECT_EQ(c[0].kind, ScriptCommand::Kind::Wait);
  EXPECT_EQ(c[0].ms, 150);
  EXPECT_EQ(c[0].line, 3);
  EXPECT_EQ(c[1].y, -20);
  EXPECT_EQ(c[2].button, TMouseButton::mbRight);
  EXPECT_EQ(c[2].shift, ssRight | ssCtrl | ssDouble);
  EXPECT_EQ(c[3].number, 7);
  EXPECT_EQ(c[4].file, "out.png");
  EXPECT_EQ(c[6].name, "MenuMode");
  EXPECT_EQ(c[6].value, "1");
  EXPECT_EQ(c[7].value, "");
  EXPECT_EQ(c[8].kind, ScriptCommand::Kind::Close);
  EXPECT_EQ(c[9].kind, ScriptCommand::Kind::Key);
  EXPECT_EQ(c[9].key, GameKey::Space);
}

TEST(ScriptParser, UntilTakesANameAValueAndAnOptionalLimit) {
  const auto c = Parse("until MenuMode 1\nuntil SoulsLeft 0 2500\n");
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].kind, ScriptCommand::Kind::Until);
  EXPECT_EQ(c[0].name, "MenuMode");
  EXPECT_EQ(c[0].value, "1");
  EXPECT_EQ(c[0].ms, 600000);
  EXPECT_EQ(c[1].ms, 2500);
}

TEST(ScriptParser, LinesOfAnyWhiteSpaceAreBlank) {
  const auto c = Parse("\v\n\f\n \t\r\n\v# note\nwait\v5\f\r\n");
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(c[0].ms, 5);
  EXPECT_EQ(c[0].line, 5);
}

TEST(ScriptParser, ALongLineIsRefusedAndABadOneQuotedInPart) {
  EXPECT_NO_THROW(Parse("wait 1" + std::string(kMaxScriptLine - 6, ' ') + "\n"));
  EXPECT_THROW(Parse("wait 1\nwait 1" + std::string(kMaxScriptLine, ' ') + "\n"), ScriptError);
  // A long unknown word, of a command or of a key, is quoted in part too.
  for (const std::string& bad : {"dance " + std::string(1000, 'x'), "key " + std::string(1000, 'x')}) {
    try {
      Parse(bad + "\n");
      ADD_FAILURE() << "accepted";
    } catch (const ScriptError& e) {
      EXPECT_LT(std::string(e.what()).size(), bad[0] == 'k' ? 300u : 200u) << e.what();
    }
  }
}

TEST(ScriptParser, ABadLineNamesItsFileAndNumber) {
  for (const char* bad :
       {"wait\n", "wait -5\n", "wait 1.5\n", "wait 4611686018427387905\n", "move 1\n", "press up 1 2\n",
        "press left 1 2 meta\n", "shot out.jpg\n", "dance\n", "key\n", "key f1\n", "close now\n", "expect\n",
        "updown x\n", "until MenuMode\n", "until MenuMode 1 -5\n", "until MenuMode 1 x\n"}) {
    const std::string text = std::string("wait 1\n# fine\n") + bad;
    try {
      Parse(text);
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const ScriptError& e) {
      EXPECT_NE(std::string(e.what()).find("t.script:3:"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace wispen
