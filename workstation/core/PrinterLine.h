#pragma once

namespace cuponex {

// The printer lines, as the item indexes of rgLinha; None when no item is
// chosen. A command builder given a line it has no form for builds nothing.
enum class PrinterLine { None = -1, L4100 = 0, L6100 = 1, RX = 2 };

}  // namespace cuponex
