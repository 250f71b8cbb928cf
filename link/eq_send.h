#pragma once
// Taking the workstation's request file and sending it to the printer.

#include <stddef.h>

// Waits without bound for the request file, reads it whole, closes and
// deletes it. 0 with the shared buffer and the length; 2 (cannot be opened),
// 3 (close), 4 (read failure, or longer than EQ_DATA_CAP: then deleted) or
// 13 (cannot be deleted). Only a regular file with a single name is read;
// anything else standing there is removed, unread, with 4 (13 when it cannot
// be removed).
int eq_get_message(char** data, size_t* length);

// With text null, takes the request with eq_get_message (its failure code is
// returned and nothing is sent); otherwise sends text. Decides the multi-block
// flag, discards stale input and writes every byte (eq_port_write). 0, or 1
// when the write fails or the port stops taking bytes for the time limit.
int eq_send_message(const char* text);

// 1 for a request whose reply comes in blocks (ESC ".13", ".15", ".16", ".18").
int eq_multiblock_request(const char* data, size_t length);
