#include <gtest/gtest.h>

#include "Printer.h"
#include "RecordedReplies.h"

namespace ecfsim {
namespace {

using Chunks = std::vector<std::string>;

RecordedReplies recordedFrom(const std::string& scenario) {
    return RecordedReplies(cuponex::parseScenario(scenario, "r.scn"));
}

TEST(RecordedReplies, EachRequestGetsTheNextReplyRecordedForItAndTheLastRepeats) {
    RecordedReplies replies = recordedFrom(
        "05\tA1\n"
        "0112345\tB\n"
        "05\n"  // nothing to give back: ignored
        "05\tA2\n"
        "09\n");
    for (const char* expected : {"A1", "A2", "A2", "A2"}) EXPECT_EQ(replies.next("05"), expected);
    EXPECT_EQ(replies.next("0112345"), "B");
    EXPECT_EQ(replies.next("0112345"), "B");
    for (const char* other : {"01", "011234", "09", "05 "})
        EXPECT_EQ(replies.next(other), std::nullopt);
}

// A pattern says what may come, not what to send.
TEST(RecordedReplies, AReplyWithAPatternIsAnErrorOfTheFile) {
    try {
        RecordedReplies(cuponex::parseScenario("05\tA1\n# x\n42\t.+{{\\d+}}\n", "r.scn"), "r.scn");
        ADD_FAILURE() << "accepted a pattern";
    } catch (const cuponex::ScenarioError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "r.scn:3: a reply with a pattern cannot be sent; give the simulated printer a "
                  "--record file");
    }
}

TEST(RecordedReplies, ChunksAsThePrinterSendsThem) {
    struct Case {
        std::string code, reply;
        bool trailer;
        Chunks chunks;
    };
    const std::vector<Case> cases = {
        {"05", ".+0500", true, {".+0500}"}},
        {"05", "", true, {"}"}},
        {"05", "a.]}b", true, {"a.]}b}"}},
        {"05", ".-P006}", true, {}},  // the printer did not answer
        {"13", ".-P006}", true, {}},
        {"13", "", true, {}},
        {"13", "RELAT 1}RELAT 2}.]}", true, {"RELAT 1}", "RELAT 2}", ".]}", "\n"}},
        {"15", "RELAT 1}RELAT 2}.]}", false, {"RELAT 1}", "RELAT 2}", ".]}"}},
        {"16", "RELAT 1}PARTE", true, {"RELAT 1}", "PARTE"}},  // stopped: no end marker
        {"18", ".-P015}", true, {".-P015}"}},
        // A "}" among the first four bytes draws no continuation from the link.
        {"13", "ab}cdef}X.]}", true, {"ab}cdef}", "X.]}", "\n"}},
        {"13", "abc}}XY}.]}", true, {"abc}}", "XY}", ".]}", "\n"}},  // the fifth byte does
        {"13", ".]}", true, {".]}", "\n"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(recordedChunks(c.code, c.reply, c.trailer), c.chunks) << c.code << " " << c.reply;
}

Unit frame(const std::string& text) {
    return classify("\x1B." + text + "}");
}
const Unit kCont = classify(ecf::kContinuation);

TEST(RecordedReplies, ThePrinterAnswersFromThemAndFromTheTableOtherwise) {
    RecordedReplies replies = recordedFrom(
        "13\tRELAT 1}RELAT 2}.]}\n"
        "05\t.-P006}\n"
        "0112345\tB\n");
    Printer printer({}, &replies);
    EXPECT_EQ(printer.answer(frame("13")), "RELAT 1}");
    EXPECT_EQ(printer.answer(kCont), "RELAT 2}");
    EXPECT_EQ(printer.answer(frame("05")), "");  // silent, and the report is dropped
    EXPECT_FALSE(printer.awaitingContinuation());
    EXPECT_EQ(printer.answer(kCont), "");
    EXPECT_EQ(printer.answer(frame("0112345")), "B}");
    EXPECT_EQ(printer.answer(frame("0112346")), ".+0100}");
    EXPECT_EQ(printer.answer(frame("13")), "RELAT 1}");
    for (const char* next : {"RELAT 2}", ".]}", "\n", ""}) EXPECT_EQ(printer.answer(kCont), next);
}

}  // namespace
}  // namespace ecfsim
