// The scenario's run, through a stand-in exchange: what each step's verdict
// is, what is counted, where a failure stops the run and what is recorded.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "scenario/Replay.h"
#include "scenario/ScenarioUpdate.h"

namespace cuponex {
namespace {

using Outcome = ExchangeReply::Outcome;

// Answers each command from a table; commands it does not know fail.
struct StandIn {
    std::map<std::string, ExchangeReply> replies;
    std::vector<std::string> sent;
    ExchangeReply operator()(const std::string& command) {
        sent.push_back(command);
        const auto found = replies.find(command);
        return found != replies.end() ? found->second
                                      : ExchangeReply{Outcome::Failed, "eq.MSG: no such file"};
    }
};

std::vector<ScenarioStep> steps(const std::string& text) {
    return parseScenario(text, "s.scn");
}

TEST(ScenarioReplay, EachStepsVerdictAndTheCounts) {
    StandIn link{{{"05", {Outcome::Reply, ".+0500"}},
                  {"42", {Outcome::Reply, ".+4200"}},
                  {"13", {Outcome::TimedOut, ".-P006}"}},
                  {"43", {Outcome::Reply, ""}}},
                 {}};
    std::vector<Verdict> heard;
    const ReplayResult result = replayScenario(
        steps("05\t.+0500\n42\t.+9900\n# x\n13\t.-P006}\n43\n43\t\n"), std::ref(link),
        [&](const StepOutcome& done) { heard.push_back(done.verdict); });
    const std::vector<Verdict> expected = {Verdict::Equal, Verdict::Differs, Verdict::Equal,
                                           Verdict::NotCompared, Verdict::Equal};
    EXPECT_EQ(heard, expected);
    ASSERT_EQ(result.steps.size(), 5u);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(result.steps[i].verdict, expected[i]);
    EXPECT_EQ(result.steps[2].reply.outcome, Outcome::TimedOut);
    EXPECT_EQ(result.steps[3].step.line, 5);
    EXPECT_EQ(result.equal, 3u);
    EXPECT_EQ(result.differ, 1u);
    EXPECT_EQ(result.notCompared, 1u);
    EXPECT_FALSE(result.failed());
    EXPECT_EQ(link.sent, (std::vector<std::string>{"05", "42", "13", "43", "43"}));
    EXPECT_EQ(writeScenario(scenarioAsRun(result)),
              "05\t.+0500\n42\t.+4200\n13\t.-P006}\n43\t\n43\t\n");
}

TEST(ScenarioReplay, AFailedExchangeEndsTheRunAndIsNotRecorded) {
    StandIn link{{{"05", {Outcome::Reply, ".+0500"}}}, {}};
    std::size_t heard = 0;
    const ReplayResult result = replayScenario(steps("05\t.+0500\n99\n05\n"), std::ref(link),
                                               [&](const StepOutcome&) { ++heard; });
    EXPECT_TRUE(result.failed());
    EXPECT_EQ(heard, 2u);
    ASSERT_EQ(result.steps.size(), 2u);
    EXPECT_EQ(result.steps[1].verdict, Verdict::Failed);
    EXPECT_EQ(result.steps[1].reply.text, "eq.MSG: no such file");
    EXPECT_EQ(result.equal + result.differ + result.notCompared, 1u);
    EXPECT_EQ(link.sent, (std::vector<std::string>{"05", "99"}));
    EXPECT_EQ(writeScenario(scenarioAsRun(result)), "05\t.+0500\n");
}

// The one comparison, which the window's step-by-step run shares.
TEST(ScenarioReplay, CompareReplyByBytesOrByPatterns) {
    struct Case {
        std::string line;
        ExchangeReply reply;
        Verdict verdict;
    };
    const std::vector<Case> cases = {
        {"05\t.+0500", {Outcome::Reply, ".+0500"}, Verdict::Equal},
        {"05\t.+0500", {Outcome::Reply, ".+0501"}, Verdict::Differs},
        {"05\t.+05{{\\d\\d}}", {Outcome::Reply, ".+0517"}, Verdict::Equal},
        {"05\t.+05{{\\d\\d}}", {Outcome::Reply, ".+05177"}, Verdict::Differs},
        {"05\t.+05{{\\d\\d}}", {Outcome::Reply, ".+05{{\\d\\d}}"}, Verdict::Differs},
        {"05\t\\x7B{a}}", {Outcome::Reply, "{{a}}"}, Verdict::Equal},
        {"05\t{{.*}}", {Outcome::TimedOut, ".-P006}"}, Verdict::Equal},
        {"05\t.-P006}", {Outcome::TimedOut, ".-P006}"}, Verdict::Equal},
        {"05", {Outcome::Reply, "anything"}, Verdict::NotCompared},
        {"05\t{{.*}}", {Outcome::Failed, "eq.MSG: no such file"}, Verdict::Failed},
        {"05", {Outcome::NotTaken, "no link took it"}, Verdict::Failed},
    };
    for (const Case& c : cases) {
        const auto read = steps(c.line + "\n");
        EXPECT_EQ(compareReply(read.at(0), c.reply), c.verdict) << c.line << " / " << c.reply.text;
    }
}

// Accepting the replies received: only the differing lines' expected field
// changes, written as the writers write it; every other byte stays.
TEST(ScenarioUpdate, RewritesOnlyTheGivenLinesExpectedReplies) {
    const std::string text =
        "# keep \\xe7 \t as is\r\n"
        "\r\n"
        "09\\xe7\t.+09{{\\d+}}\r\n"
        "42\t.+9900\r\n"
        "43\n"
        "   \n"
        "05\t.+0500\n"
        "13\tRELAT\\x7d";  // no final line feed
    const std::string updated =
        withReceivedReplies(text, {{4, ".+4200 {{x}} \xE7 "}, {7, ""}, {8, "R\r"}});
    EXPECT_EQ(updated,
              "# keep \\xe7 \t as is\r\n"
              "\r\n"
              "09\\xe7\t.+09{{\\d+}}\r\n"
              "42\t.+4200 \\x7B{x}} \\xE7\\x20\r\n"
              "43\n"
              "   \n"
              "05\t\n"
              "13\tR\\x0D");
    EXPECT_EQ(withReceivedReplies(text, {}), text);
    // A command of raw spaces before an empty reply is no blank line.
    EXPECT_EQ(withReceivedReplies("  \t.+0500\n", {{1, ""}}), " \\x20\t\n");
    const auto read = steps(updated);
    EXPECT_EQ(read.at(1).expected, ".+4200 {{x}} \xE7 ");
    EXPECT_FALSE(read.at(1).pattern.has_value());
}

}  // namespace
}  // namespace cuponex
