#pragma once
// Facts of the printer's protocol that the link program, the simulated
// printer and the workstation share. Constants only, so the link program
// still links nothing but libc.

#include <stddef.h>

namespace ecf {

// A request's frame: ESC ".", the two-digit command code, the parameters, "}".
inline constexpr char kFrameStart[] = "\x1b.";
inline constexpr size_t kFrameStartLength = sizeof kFrameStart - 1;
inline constexpr size_t kCodeLength = 2;

// The commands whose reply comes in blocks, one block per continuation.
inline constexpr char kReportCodes[][kCodeLength + 1] = {"13", "15", "16", "18"};

// What asks the printer for the next block of such a reply, and the marker
// that ends the reply; their lengths leave out the terminating zero.
inline constexpr char kContinuation[] = "\001b.++}";  // 01 62 2E 2B 2B 7D
inline constexpr size_t kContinuationLength = sizeof kContinuation - 1;
inline constexpr char kEndMarker[] = ".]}";
inline constexpr size_t kEndMarkerLength = sizeof kEndMarker - 1;

// In a multi-block reply, the position (from 0) of the first byte at which a
// block or the reply can end: a "}" before it is part of the first block and
// asks for no continuation.
inline constexpr size_t kBlockEndFrom = 4;

// What the workstation shows and records for a request the printer did not
// answer in time; a recorded printer stays silent to a request recorded so.
inline constexpr char kTimeoutReply[] = ".-P006}";

}  // namespace ecf
