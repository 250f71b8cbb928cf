#pragma once
// The serial port and the program's end.

#include <stddef.h>

// Opens eq_device and sets it up for the printer: 9600 baud, 8N1, RTS/CTS,
// raw. The descriptor stays non-blocking: every wait on the port is a poll()
// with a time limit. 0, or -499 when the device cannot be opened.
int eq_com_init();

// Discards input received by the port and not yet read.
int eq_flush();

// Results of eq_port_read_byte.
enum { EQ_BYTE = 1, EQ_END_OF_FILE = 0, EQ_READ_ERROR = -1, EQ_TIMED_OUT = -2 };

// Reads one byte, waiting at most eq_resptim seconds for it (no limit when 0
// or less).
int eq_port_read_byte(char* at);

// Writes every byte to the port, waiting at most eq_resptim seconds (no limit
// when 0 or less) each time the port stops taking them. 0, or 1 when the
// write fails or the port takes nothing more within the limit; what is still
// queued for the port is then discarded, so that the printer never gets the
// rest of it later.
int eq_port_write(const char* data, size_t length);

// Puts the port's own settings back and closes it (only when it was opened
// and its settings saved), then ends the process with the code.
[[noreturn]] void eq_end(int code);
