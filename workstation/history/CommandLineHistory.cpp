#include "history/CommandLineHistory.h"

namespace cuponex {

void CommandLineHistory::add(const std::string& line) {
    if (lines_.empty() || lines_.back() != line) lines_.push_back(line);
    position_ = lines_.size();
}

std::optional<std::string> CommandLineHistory::older() {
    if (position_ == 0) return std::nullopt;
    return lines_[--position_];
}

std::optional<std::string> CommandLineHistory::newer() {
    if (position_ >= lines_.size()) return std::nullopt;
    ++position_;
    return position_ == lines_.size() ? std::string() : lines_[position_];
}

}  // namespace cuponex
