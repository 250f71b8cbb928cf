// The README's "A bench of printers": its command, taken from the README and
// run as it stands (only /home/usuarios/ecf/ changed to a scratch directory),
// on three simulated printers, each with its own eqlink. One printer answers
// a command otherwise, so its report alone must hold a failure.

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>
#include <map>
#include <memory>

#include "LinkTestSupport.h"
#include "SkipOrFail.h"

namespace {

using namespace eqlink_test;

const std::vector<std::string> kPorts = {"ttyS0", "ttyS1", "ttyS2"};
constexpr const char* kLabDirectory = "/home/usuarios/ecf/";

// The first sh block of the README's section "A bench of printers".
std::string readmeCommand() {
    const std::string readme = readFile(README_PATH).value_or("");
    const auto section = readme.find("\n## A bench of printers\n");
    if (section == std::string::npos) return "";
    const std::string open = "\n```sh\n";
    const auto start = readme.find(open, section);
    const auto end = readme.find("\n```\n", start + 1);
    if (start == std::string::npos || end == std::string::npos) return "";
    return readme.substr(start + open.size(), end - start - open.size() + 1);
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// What a report says of one scenario: its attributes, and what its elements
// count up to.
struct Suite {
    std::map<std::string, std::string> attributes;
    std::map<std::string, std::string> properties;
    int testcases = 0, failures = 0, errors = 0, skipped = 0;
};

struct Report {
    bool wellFormed = false;
    std::string error;
    std::map<std::string, std::string> totals;  // <testsuites>' attributes
    std::map<std::string, Suite> suites;        // by name
};

std::map<std::string, std::string> attributesOf(const QXmlStreamReader& xml) {
    std::map<std::string, std::string> found;
    for (const auto& attribute : xml.attributes())
        found[attribute.name().toString().toStdString()] =
            attribute.value().toString().toStdString();
    return found;
}

Report readReport(const std::string& path) {
    Report report;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        report.error = "cannot be read";
        return report;
    }
    QXmlStreamReader xml(&file);
    Suite* suite = nullptr;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QString name = xml.name().toString();
        if (name == "testsuites") {
            report.totals = attributesOf(xml);
        } else if (name == "testsuite") {
            auto attributes = attributesOf(xml);
            suite = &report.suites[attributes["name"]];
            suite->attributes = attributes;
        } else if (suite == nullptr) {
            continue;
        } else if (name == "property") {
            auto attributes = attributesOf(xml);
            suite->properties[attributes["name"]] = attributes["value"];
        } else if (name == "testcase") {
            ++suite->testcases;
        } else if (name == "failure") {
            ++suite->failures;
        } else if (name == "error") {
            ++suite->errors;
        } else if (name == "skipped") {
            ++suite->skipped;
        }
    }
    report.wellFormed = !xml.hasError();
    report.error = xml.errorString().toStdString();
    return report;
}

// A simulated printer on ROOT/PORT and its link working in ROOT/ecf/PORT/.
class Printer {
  public:
    Printer(const ScratchDir& root, const std::string& port, const std::string& replies) {
        std::vector<std::string> options = {"--unpaced", "--link", root / port};
        if (!replies.empty()) options.insert(options.end(), {"--replies", replies});
        sim_.emplace(ECFSIM_PATH, options);
        ready_ = sim_->firstLine().has_value();
        link_.emplace(EQLINK_PATH, std::vector<std::string>{"-d", root / port, "-p", root / "ecf"});
        ready_ = ready_ && waitFor([&] { return exists(root / ("ecf/" + port)); }, 5000ms);
    }
    bool ready() const { return ready_; }

  private:
    std::optional<ChildProcess> sim_, link_;
    bool ready_ = false;
};

TEST(BenchOfPrinters, ReadmeCommandWritesOneReportPerPrinter) {
    const std::string command = readmeCommand();
    ASSERT_NE(command.find("xargs -P"), std::string::npos) << command;
    ASSERT_NE(command.find(kLabDirectory), std::string::npos) << command;

    ScratchDir root;
    std::filesystem::create_directories(root / "ecf");
    std::filesystem::create_directories(root / "lab/scenarios");
    writeFile(root / "lab/scenarios/sale.scn", "05\t.+0500\n42\t.+4200\n43\n");
    writeFile(root / "lab/scenarios/reading.scn",
              "# any counter\n05\t.+{{[0-9]{2}}}00\n13\tRELATORIO 13 {{.+}}\n");
    // The second printer answers 42 otherwise.
    writeFile(root / "replies", "42\t.+4299\n");
    std::vector<std::unique_ptr<Printer>> printers;
    for (const auto& port : kPorts) {
        printers.push_back(
            std::make_unique<Printer>(root, port, port == "ttyS1" ? root / "replies" : ""));
        if (!printers.back()->ready())
            SKIP_OR_FAIL_UNDER_CI("the printer " + port + " did not start");
    }

    const std::string cuponexDir = std::filesystem::path(CUPONEX_PATH).parent_path();
    const std::string script = "cd '" + root / "lab" + "' || exit 99\nPATH='" + cuponexDir +
                               "':$PATH\n" + replaceAll(command, kLabDirectory, root / "ecf/");
    ChildProcess shell("/bin/sh", {"-c", script});
    // xargs: one replay (the second printer's) ended with 1.
    EXPECT_EQ(shell.waitForExit(60s), 123) << shell.out() << shell.err();

    for (const auto& port : kPorts) {
        SCOPED_TRACE(port);
        const Report report = readReport(root / ("lab/reports/" + port + ".xml"));
        ASSERT_TRUE(report.wellFormed) << report.error;
        const int failures = port == "ttyS1" ? 1 : 0;
        EXPECT_EQ(report.totals.at("tests"), "5");
        EXPECT_EQ(report.totals.at("failures"), std::to_string(failures));
        ASSERT_EQ(report.suites.size(), 2u);
        const std::map<std::string, std::vector<int>> expected = {
            // name: tests, failures, errors, skipped
            {"scenarios/reading.scn", {2, 0, 0, 0}},
            {"scenarios/sale.scn", {3, failures, 0, 0}},
        };
        for (const auto& [name, counts] : expected) {
            SCOPED_TRACE(name);
            ASSERT_EQ(report.suites.count(name), 1u);
            const Suite& suite = report.suites.at(name);
            EXPECT_EQ(
                (std::vector<int>{suite.testcases, suite.failures, suite.errors, suite.skipped}),
                counts);
            EXPECT_EQ(suite.attributes.at("tests"), std::to_string(counts[0]));
            EXPECT_EQ(suite.attributes.at("failures"), std::to_string(counts[1]));
            EXPECT_EQ(suite.attributes.at("errors"), "0");
            EXPECT_EQ(suite.attributes.at("skipped"), "0");
            // Each report names its own printer's directory.
            EXPECT_EQ(suite.properties.at("directory"), root / ("ecf/" + port + "/"));
        }
        // Each printer's output went to its own log.
        const std::string log = readFile(root / ("lab/reports/" + port + ".log")).value_or("");
        const std::string total = failures ? "3 equal, 1 differ" : "4 equal, 0 differ";
        EXPECT_NE(log.find("\n2 files, 5 exchanges: " + total + ", 1 not compared\n"),
                  std::string::npos)
            << log;
    }
}

}  // namespace
