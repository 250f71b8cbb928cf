// The README's index of the tabs against the workstation's files: every form,
// page, handler and builder it names exists where it says, every form has its
// row, and each row's name is the one the tab's tool tip takes from the table
// of command names.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "commands/CommandNames.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = CUPONEX_SOURCE_DIR;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> quoted(const std::string& cell) {
    static const std::regex backticks("`([^`]+)`");
    std::vector<std::string> names;
    for (std::sregex_iterator m(cell.begin(), cell.end(), backticks), end; m != end; ++m)
        names.push_back((*m)[1]);
    return names;
}

bool contains(const std::string& text, const std::string& pattern) {
    return std::regex_search(text, std::regex(pattern));
}

// The cells of the rows of the README's table under "## Tabs".
std::vector<std::vector<std::string>> indexRows(const std::string& readme) {
    const std::size_t heading = readme.find("\n## Tabs\n");
    if (heading == std::string::npos) return {};
    std::istringstream lines(readme.substr(heading + 1));
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && !line.starts_with("## ")) {
        if (!line.starts_with("| ") || line.starts_with("| Code")) continue;
        std::vector<std::string> cells;
        std::istringstream parts(line.substr(1));
        for (std::string cell; std::getline(parts, cell, '|');) cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

// Each disagreement between the index and the files under `workstation`.
std::vector<std::string> indexProblems(const std::string& readme, const fs::path& workstation) {
    std::vector<std::string> problems;
    std::set<std::string> indexed;
    for (const auto& cells : indexRows(readme)) {
        if (cells.size() != 6) {
            problems.push_back("a row without six cells");
            continue;
        }
        const std::string code = std::regex_replace(cells[0], std::regex(" "), "");
        const std::string name = std::regex_replace(cells[1], std::regex("^ | $"), "");
        const auto page = quoted(cells[2]), form = quoted(cells[3]);
        const auto handlers = quoted(cells[4]), builders = quoted(cells[5]);
        const auto fail = [&](const std::string& what) { problems.push_back(code + ": " + what); };
        const auto tableName = cuponex::commandName(std::atoi(code.c_str()));
        if (!tableName || name != *tableName)
            fail("the name is not the table's \"" + std::string(tableName.value_or("")) + "\"");
        if (form.size() != 1 || form[0] != "forms/tab" + code + ".ui") {
            fail("the form is not forms/tab" + code + ".ui");
            continue;
        }
        indexed.insert(form[0]);
        const std::string ui = readText(workstation / form[0]);
        if (ui.empty()) fail("no file " + form[0]);
        if (page.size() != 1 ||
            !contains(ui, "<class>Tab" + code + "</class>\\s*<widget class=\"QWidget\" name=\"" +
                              page[0] + "\">"))
            fail("the page is not the form's top widget");
        if (handlers.size() < 2) {
            fail("no handler");
            continue;
        }
        const std::string handlerFile = readText(workstation / handlers[0]);
        for (std::size_t i = 1; i < handlers.size(); ++i)
            if (!contains(handlerFile, "void TfrmPrincipal::" + handlers[i] + "\\("))
                fail("no handler " + handlers[i] + " in " + handlers[0]);
        if (cells[5].starts_with(" none")) {
            // The shared sender of the commands without parameters: the code
            // is the Tag of the tab's button.
            if (handlers[1] != "btnEnviaSemParametroClick") fail("no builder");
            if (!contains(ui, "name=\"Tag\" stdset=\"0\"><number>" +
                                  std::to_string(std::stoi(code)) + "</number>"))
                fail("the button's Tag is not the code");
            continue;
        }
        // Builders are declared in the Qt-free headers *Commands.h.
        if (builders.size() < 2 || !builders[0].ends_with("Commands.h")) {
            fail("no builder header");
            continue;
        }
        const std::string header = readText(workstation / builders[0]);
        for (std::size_t i = 1; i < builders.size(); ++i)
            if (!contains(header, "[\\w>] " + builders[i] + "\\("))
                fail("no builder " + builders[i] + " in " + builders[0]);
    }
    for (const auto& entry : fs::directory_iterator(workstation / "forms")) {
        const std::string name = "forms/" + entry.path().filename().string();
        if (name.starts_with("forms/tab") && !indexed.contains(name))
            problems.push_back(name + " has no row");
    }
    return problems;
}

std::string joined(const std::vector<std::string>& problems) {
    std::string text;
    for (const auto& problem : problems) text += problem + "\n";
    return text;
}

TEST(TabIndex, AgreesWithTheFiles) {
    const std::string readme = readText(kSourceDir / "README.md");
    EXPECT_EQ(indexRows(readme).size(), 51u);
    EXPECT_EQ(cuponex::tabCommands().size(), 51u);
    EXPECT_EQ(joined(indexProblems(readme, kSourceDir / "workstation")), "");
}

TEST(TabIndex, FindsEveryKindOfWrongName) {
    const std::string readme = readText(kSourceDir / "README.md");
    struct Case {
        std::string right, wrong;
    };
    const Case cases[] = {
        {"| 01 |", "| 00 |"},
        {"`tsEsc01`", "`TabSheet1`"},
        {"`forms/tab02.ui`", "`forms/tab03.ui`"},
        {"`BitBtn8Click`", "`BitBtn80Click`"},
        {"`commands/SaleCouponTabs.cpp`: `BitBtn1Click`",
         "`commands/ReportTabs.cpp`: `BitBtn1Click`"},
        {"`itemDiscountCommand`", "`itemDiscount`"},
        {"`commands/TableCommands.h`: `legendRow`", "`commands/TableTabs.cpp`: `legendRow`"},
        {"`legendChangeRecord`", "`legendChangesRecord`"},
        {"| 05 | Comando sem parâmetros | `TabSheet4` | `forms/tab05.ui`",
         "| 05 | Comando sem parâmetros | `TabSheet4` | `forms/tab18.ui`"},
        {"| 54 |", "| 55 |"},
        {"| 13 | Leitura X |", "| 13 | Leitura Z |"},
        {"| 01 | Venda de item |", "| 01 | Venda de itens |"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wrong);
        const std::size_t at = readme.find(c.right);
        ASSERT_NE(at, std::string::npos);
        std::string wrong = readme;
        wrong.replace(at, c.right.size(), c.wrong);
        EXPECT_NE(joined(indexProblems(wrong, kSourceDir / "workstation")), "");
    }
}

}  // namespace
