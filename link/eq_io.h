#pragma once
// The serial port and the program's end.

// Opens eq_device and sets it up for the printer: 9600 baud, 8N1, RTS/CTS,
// raw. 0, or -499 when the device cannot be opened.
int eq_com_init();

// Discards input received by the port and not yet read.
int eq_flush();

// Puts the port's own settings back and closes it (only when it was opened
// and its settings saved), then ends the process with the code.
[[noreturn]] void eq_end(int code);
