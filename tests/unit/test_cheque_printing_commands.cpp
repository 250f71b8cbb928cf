#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "TestText.h"
#include "commands/ChequePrintingCommands.h"

using testsupport::spaces;

using namespace cuponex;

namespace {

// The worked example, changed by one edit.
std::optional<std::string> pagueSe(const std::function<void(ChequePrintingFields&)>& change = {}) {
    ChequePrintingFields fields{"001", "150,00", "06122026", 3, 0, "PAGUE-SE", ""};
    if (change) change(fields);
    return chequePrintingCommand(fields);
}

}  // namespace

TEST(ChequePrintingCommand, WorkedExampleAndEdgeCases) {
    const std::string lines = "PAGUE-SE" + spaces(52) + spaces(60);
    const std::string example = "24001000000015000S" + lines + "4" + "06122026";
    using F = ChequePrintingFields;
    EXPECT_EQ(example.size(), 147u);
    EXPECT_EQ(pagueSe(), example);
    EXPECT_EQ(pagueSe([](F& f) { f.yearDigitsItem = -1; }),
              "24001000000015000S" + lines + "0" + "06122026");
    EXPECT_EQ(pagueSe([](F& f) { f.date.clear(); }),
              "24001000000015000S" + lines + "4" + spaces(8));
    EXPECT_EQ(pagueSe([](F& f) { f.date = "0612"; }), "24001000000015000S" + lines + "4    0612");
    EXPECT_EQ(pagueSe([](F& f) { f.placeItem = 1; }), "24001000000015000N" + lines + "406122026");
    EXPECT_EQ(pagueSe([](F& f) { f.placeItem = 2; }), "24001000000015000 " + lines + "406122026");
    EXPECT_EQ(pagueSe([](F& f) {
                  f.line1 = std::string(60, 'A');
                  f.line2 = std::string(60, 'B');
              }),
              "24001000000015000S" + std::string(60, 'A') + std::string(60, 'B') + "406122026");
    // More than 32 bits, one digit over the width: written whole.
    EXPECT_EQ(pagueSe([](F& f) { f.amount = "99999999999,99"; }),
              "240019999999999999S" + lines + "406122026");
    // Nothing entered, or fields that are not numbers: zeros.
    EXPECT_EQ(chequePrintingCommand({"A1", "", "", 0, 0, "", ""}),
              "24000000000000000S" + spaces(120) + "1" + spaces(8));
    // An index a group has no code for sends nothing.
    EXPECT_EQ(pagueSe([](F& f) { f.placeItem = -1; }), std::nullopt);
    EXPECT_EQ(pagueSe([](F& f) { f.placeItem = 3; }), std::nullopt);
    EXPECT_EQ(pagueSe([](F& f) { f.yearDigitsItem = 4; }), std::nullopt);
    EXPECT_EQ(pagueSe([](F& f) { f.yearDigitsItem = -2; }), std::nullopt);
}
