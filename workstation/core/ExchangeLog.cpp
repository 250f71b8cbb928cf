#include "ExchangeLog.h"

#include "common/Digits.h"
#include "common/EcfProtocol.h"

namespace cuponex {
namespace {

void appendHex(std::string& out, unsigned char byte) {
    out += hexDigit(byte >> 4);
    out += hexDigit(byte);
}

bool isControl(unsigned char byte) {
    return byte < 0x20 || (byte >= 0x7F && byte <= 0x9F);
}

// The two characters after ESC "."; a frame too short for a code has none.
std::string commandCode(std::string_view frame) {
    return readableBytes(frame.size() >= 4 ? frame.substr(2, 2) : std::string_view());
}

}  // namespace

const std::array<const char*, ExchangeLog::kColumns> ExchangeLog::kHeaders = {
    "Hora", "Comando", "Enviado", "Hex", "Recebido", "ms"};

std::string readableBytes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + 8);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x1B) {
            out += "<ESC>";
        } else if (isControl(byte)) {
            out += '<';
            appendHex(out, byte);
            out += '>';
        } else {
            out += c;
        }
    }
    return out;
}

std::string hexBytes(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        if (!out.empty()) out += ' ';
        appendHex(out, static_cast<unsigned char>(c));
    }
    return out;
}

std::string millisecondsText(std::int64_t microseconds) {
    const std::int64_t tenths = (microseconds < 0 ? 0 : microseconds + 50) / 100;
    return std::to_string(tenths / 10) + ',' + static_cast<char>('0' + tenths % 10);
}

void ExchangeLog::append(const ExchangeRecord& record) {
    std::string received = readableBytes(record.reply);
    if (record.outcome == ExchangeOutcome::Timeout) received = kTimeoutMark + received;
    if (record.outcome == ExchangeOutcome::IoError) received = kIoErrorMark + received;
    if (record.outcome == ExchangeOutcome::NotTaken) received = kNotTakenMark + received;
    rows_.push_back(
        {{readableBytes(record.time), commandCode(record.frame), readableBytes(record.frame),
          hexBytes(record.frame), std::move(received), millisecondsText(record.microseconds)},
         record.outcome,
         commandTextOf(record.frame),
         record.reply});
}

std::string commandTextOf(std::string_view frame) {
    if (frame.starts_with(ecf::kFrameStart)) frame.remove_prefix(ecf::kFrameStartLength);
    if (frame.ends_with('}')) frame.remove_suffix(1);
    return std::string(frame);
}

std::vector<ScenarioStep> ExchangeLog::scenario() const {
    std::vector<ScenarioStep> steps;
    steps.reserve(rows_.size());
    for (const Row& row : rows_) {
        ScenarioStep step{row.command, row.reply, 0, {}, {}};
        if (row.outcome == ExchangeOutcome::IoError) {
            step.expected.reset();
            step.comment = "erro de E/S: " + row.reply;
        } else if (row.outcome == ExchangeOutcome::NotTaken) {
            step.expected.reset();
            step.comment = std::string("n\xE3o retirado: ") + kNotTakenHint;
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

std::string ExchangeLog::tabSeparated(const std::vector<size_t>& rows) const {
    std::string out;
    for (const size_t row : rows) {
        for (int column = 0; column < kColumns; ++column) {
            if (column > 0) out += '\t';
            out += rows_[row].cells[column];
        }
        out += '\n';
    }
    return out;
}

}  // namespace cuponex
