#pragma once
// Receiving the printer's reply and publishing it as the response file.

#include <stddef.h>

// Receives one reply, each byte within eq_resptim seconds; a multi-block
// reply is answered ecf::kContinuation after each block and ends with
// ecf::kEndMarker (common/EcfProtocol.h). 0 with the shared buffer (kept
// bytes, then a zero byte) and the count; 1 when the port does not take a
// block's continuation within the time limit; 5 when the port read fails, the
// port hangs up or is away, or the reply would keep more than EQ_DATA_CAP
// bytes; 6 when the time limit passes with no byte (in multi-block mode, once
// bytes have come, that is the reply's normal end).
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
