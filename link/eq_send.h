#pragma once
// Taking the workstation's request file and sending it to the printer.

#include <stddef.h>

// Waits without bound for the request file (trying meanwhile to open again a
// port that is away, once a second) and takes it: renames it to the link's own
// name (eq_takenfile), opens that, removes the name and reads it whole. 0 with
// the shared buffer and the length; 2 (cannot be opened: removed all the
// same), 3 (close), 4 (read failure, or longer than EQ_DATA_CAP) or 13 (cannot
// be moved away: it stays). Only a regular file with a single name is read;
// anything else standing at the request name is removed, unread, with 4 (13
// when it cannot be removed: it stays).
int eq_get_message(char** data, size_t* length);

// Removes whatever stands at the link's own name for a request: one left by a
// link killed while it read it, never to be sent. Called at start-up, once
// the port is locked, so that it is never another running link's request.
void eq_drop_leftover();

// While the port is away: sleeps until the request file's directory changes
// or the next try to open the port is due, whichever comes first (at most
// 1 ms where the directory cannot be watched). Returns at once while the port
// is open. The loop calls it after each pass, so that a request that cannot
// be removed, met again on every pass, does not make it spin.
void eq_wait_while_away();

// With text null, takes the request with eq_get_message (its failure code is
// returned and nothing is sent); otherwise sends text. Decides the multi-block
// flag, discards stale input and writes every byte (eq_port_write). 0, or 1
// when the port is away, the write fails or the port stops taking bytes for
// the time limit.
int eq_send_message(const char* text);

// 1 for a request whose reply comes in blocks (ESC ".13", ".15", ".16", ".18").
int eq_multiblock_request(const char* data, size_t length);
