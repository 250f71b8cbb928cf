#pragma once
// Receiving the printer's reply and publishing it as the response file.

#include <stddef.h>

// The continuation answered to each block of a multi-block reply, and the
// marker that ends such a reply; their lengths leave out the terminating zero.
inline constexpr char EQ_CONTINUATION[] = "\001b.++}";  // 01 62 2E 2B 2B 7D
inline constexpr size_t EQ_CONTINUATION_LENGTH = sizeof EQ_CONTINUATION - 1;
inline constexpr char EQ_END_MARKER[] = ".]}";
inline constexpr size_t EQ_END_MARKER_LENGTH = sizeof EQ_END_MARKER - 1;

// In a multi-block reply, the position (from 0) of the first byte at which a
// block or the reply can end: a "}" among the bytes before it is kept but not
// answered, and the end marker is looked for only in the bytes before the
// newest one from there on.
inline constexpr size_t EQ_BLOCK_END_FROM = 4;
static_assert(EQ_BLOCK_END_FROM >= EQ_END_MARKER_LENGTH,
              "the marker is looked for before the newest byte");

// Receives one reply, each byte within eq_resptim seconds. 0 with the shared
// buffer (kept bytes, then a zero byte) and the count; 1 when the port does
// not take a block's continuation within the time limit; 5 when the port
// read fails, the port hangs up or is away, or the reply would keep more than
// EQ_DATA_CAP bytes; 6 when the time limit passes with no byte (in
// multi-block mode, once bytes have come, that is the reply's normal end).
int eq_get_response(char** data, size_t* length);

// Receives a reply and publishes it: written to eq_tmpresp, then renamed to
// destination (eq_finalresp when null). 0, the code of eq_get_response, or
// 7 to 10.
int eq_receive_response(const char* destination);

// Gives the shared buffer; always 0.
int eq_aloc_data(char** buffer);

// Makes the shared buffer hold at least need bytes (at most EQ_DATA_CAP + 1),
// keeping its content. 1, or 0 when need is past that or memory runs out.
int eq_grow_data(size_t need);
