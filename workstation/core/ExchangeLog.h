#pragma once
// The session's exchanges as the history window lists them: when each began,
// its command code, the frame sent (readable and in hexadecimal), the reply,
// how long it took and, for a scenario's exchange, the reply expected and the
// verdict. Kept in memory only. Nothing here depends on Qt; texts are
// 8-bit ISO-8859-1 like the command texts.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/Scenario.h"

namespace cuponex {

// How an exchange ended.
enum class ExchangeOutcome {
    Reply,     // eq.RSP arrived and its first line was read
    Timeout,   // taken by a link, no reply in time: the timeout reply stood in for it
    NotTaken,  // no link took the request; it was withdrawn and shows the timeout reply
    IoError,   // the request could not be written or the reply not read
};

// One exchange as it happened.
struct ExchangeRecord {
    std::string time;   // local time at which it began, "hh:mm:ss.zzz"
    std::string frame;  // ESC "." command text "}", as written to eq.MSG
    std::string reply;  // the reply's first line, the timeout reply, or the error's text
    ExchangeOutcome outcome = ExchangeOutcome::Reply;
    std::int64_t microseconds = 0;
};

// Bytes as a person can read them in one line: ESC as "<ESC>", every other
// control byte (below 0x20, 0x7F, 0x80 to 0x9F) as "<xx>" with two upper-case
// hexadecimal digits; the rest as they are. Tabs and line feeds are control
// bytes too, so the text never breaks a line or a tab-separated cell. Not the
// scenario notation (escapeBytes): the history shows the window's own texts,
// accented letters as letters, and only a file must read back exactly.
std::string readableBytes(std::string_view bytes);

// Each byte as two upper-case hexadecimal digits, separated by single spaces.
std::string hexBytes(std::string_view bytes);

// Microseconds as milliseconds with one decimal and a comma: 1250 -> "1,3".
std::string millisecondsText(std::int64_t microseconds);

// The command text inside a frame: what stands between ESC "." and the final "}".
std::string commandTextOf(std::string_view frame);

class ExchangeLog {
  public:
    enum Column { Hora, Comando, Enviado, Hex, Recebido, Ms, Esperado, Resultado };
    static constexpr int kColumns = 8;

    // How a scenario's run judged a row's reply. Rows sent otherwise (a tab,
    // "Reenviar", the free line) are not judged and leave both cells empty.
    enum class Comparison { None, Equal, Differs, NotCompared };
    static const std::array<const char*, kColumns> kHeaders;

    // Marks that begin the "Recebido" cell of an exchange that did not end
    // with a reply.
    static constexpr const char* kTimeoutMark = "[tempo esgotado] ";
    static constexpr const char* kIoErrorMark = "[erro de E/S] ";
    static constexpr const char* kNotTakenMark = "[n\xE3o retirado] ";
    // Why a row that was not taken got no reply.
    static constexpr const char* kNotTakenHint =
        "Nenhum eqlink retirou o pedido deste diret\xF3rio.";

    void append(const ExchangeRecord& record);
    void clear() { rows_.clear(); }
    size_t size() const { return rows_.size(); }

    ExchangeOutcome outcome(size_t row) const { return rows_[row].outcome; }
    // The text of one cell; none holds a tab or a line feed.
    const std::string& cell(size_t row, int column) const { return rows_[row].cells[column]; }
    // The given rows, in the order given, one line each ended by a line feed,
    // cells separated by tabs.
    std::string tabSeparated(const std::vector<size_t>& rows) const;

    // The command text the row's exchange sent.
    const std::string& command(size_t row) const { return rows_[row].command; }
    // The reply as received, the timeout reply or the error's text.
    const std::string& reply(size_t row) const { return rows_[row].reply; }

    // Gives a row the expected reply (in the scenario's notation, empty when
    // the line expects nothing) and the verdict of its comparison.
    void setComparison(size_t row, std::string expected, Comparison comparison);
    Comparison comparison(size_t row) const { return rows_[row].comparison; }

    // Every row as a scenario step: its command text and, as the expected
    // reply, what the window showed as received (the timeout reply for a
    // timeout). A row that ended in an input/output error, or whose request
    // no link took, expects nothing and carries the reason as its comment.
    std::vector<ScenarioStep> scenario() const;

  private:
    struct Row {
        std::array<std::string, kColumns> cells;
        ExchangeOutcome outcome;
        std::string command;
        std::string reply;  // as received, or the error's text
        Comparison comparison = Comparison::None;
    };
    std::vector<Row> rows_;
};

}  // namespace cuponex
