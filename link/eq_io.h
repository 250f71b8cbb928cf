#pragma once
// The serial port and the program's end.

#include <stddef.h>

// Opens eq_device, locks it (flock, exclusive) and sets it up for the
// printer: 9600 baud, 8N1, RTS/CTS, raw. The descriptor stays non-blocking:
// every wait on the port is a poll() with a time limit. 0, -499 when the
// device cannot be opened, or -243 when another program holds its lock (then
// it is closed again, untouched).
int eq_com_init();

// Discards input received by the port and not yet read.
int eq_flush();

// A port that hangs up, reports an error or disappears (a USB adapter pulled
// out) is closed, and eq_device is opened and set up again, at most once a
// second, until that works; the path may by then lead to another device. A
// device that another program holds counts as away.

// The port has failed: closes it (eq_fd becomes -1); the next try to open it
// again is due one second later.
void eq_port_lost();

// 1 when the port is open, trying to open it again first if it is away and a
// try is due; 0 while it is away.
int eq_port_up();

// Milliseconds until the next try to open the port, -1 while it is open.
int eq_port_retry_in();

// Results of eq_port_read_byte.
enum { EQ_BYTE = 1, EQ_END_OF_FILE = 0, EQ_READ_ERROR = -1, EQ_TIMED_OUT = -2 };

// Reads one byte, waiting at most eq_resptim seconds for it (no limit when 0
// or less). The end of file of a port that hung up and a read error close the
// port (eq_port_lost).
int eq_port_read_byte(char* at);

// Writes every byte to the port, waiting at most eq_resptim seconds (no limit
// when 0 or less) each time the port stops taking them. 0, or 1 when the
// write fails or the port takes nothing more within the limit; what is still
// queued for the port is then discarded, so that the printer never gets the
// rest of it later. A write error closes the port (eq_port_lost).
int eq_port_write(const char* data, size_t length);

// Puts the port's own settings back and closes it (only when it was opened
// and its settings saved), then ends the process with the code.
[[noreturn]] void eq_end(int code);
