#pragma once
// Settings and shared state of the link program. Text settings are malloc'ed
// strings of any length; eq_var_reset() puts every setting back to its default.

#include <stddef.h>
#include <termios.h>

// Result codes: 0 success; EQ_FATAL_LOWEST..EQ_FATAL_HIGHEST end the program
// wherever they come from; the other codes of the loop's steps are failures
// of one exchange, which the loop drops. Start-up ends on any code but 0
// (11 and 12 come only from start-up).
enum {
    EQ_OK = 0,
    EQ_SEND_FAILED = 1,         // writing to the port, or the port away
    EQ_MSG_OPEN_FAILED = 2,     // request file present but cannot be opened
    EQ_MSG_CLOSE_FAILED = 3,    // closing the request file
    EQ_MSG_READ_FAILED = 4,     // reading the request file; too long or not a plain file
    EQ_PORT_READ_FAILED = 5,    // reading the port, reply too long, port hung up or away
    EQ_REPLY_TIMEOUT = 6,       // no byte within eq_resptim seconds
    EQ_TMP_OPEN_FAILED = 7,     // creating eqT.RSP
    EQ_TMP_WRITE_FAILED = 8,    // writing eqT.RSP
    EQ_TMP_CLOSE_FAILED = 9,    // closing eqT.RSP
    EQ_RENAME_FAILED = 10,      // renaming eqT.RSP to eq.RSP
    EQ_WORKDIR_FAILED = 11,     // working directory or file paths cannot be made
    EQ_HELP = 12,               // option -h
    EQ_MSG_DELETE_FAILED = 13,  // moving the request file away, or deleting what is not one
    // Another program holds the port's lock: ends start-up with status 13, as -499 does.
    EQ_PORT_IN_USE = -243,
    EQ_PORT_OPEN_FAILED = -499,
    EQ_BAD_CMDLINE = -500,
};
// The range of the codes that end the program.
constexpr int EQ_FATAL_LOWEST = -501;
constexpr int EQ_FATAL_HIGHEST = -1;

// Largest request or reply carried; anything longer is dropped.
constexpr size_t EQ_DATA_CAP = 1024 * 1024;

// Defaults of -T and of the mode the working directory is made with (less
// the file-creation mask).
constexpr int EQ_DEFAULT_RESPTIM = 10;
constexpr int EQ_DEFAULT_CFG_PERMISSION = 0777;

extern char* eq_device;     // -d, "/dev/ttyS1"
extern char* eq_cfgdir;     // -p, "/home/usuarios/ecf"; the working directory after start-up
extern char* eq_subcfg;     // -s, empty: the device's base name
extern char* eq_logfile;    // -l, "eq.LOG" (its path is formed, nothing is written to it)
extern char* eq_msgfile;    // -m, "eq.MSG"
extern char* eq_tmpresp;    // -t, "eqT.RSP"
extern char* eq_finalresp;  // -r, "eq.RSP"
// The link's own name for the request while it reads it: "eqL.MSG" beside
// eq_msgfile, formed at its first use (empty until then).
extern char* eq_takenfile;
extern int eq_resptim;  // -T, seconds per reply byte; 0 or less: no limit
// The mode the working directory is made with.
extern int eq_cfg_permission;

extern int leituraX;  // the reply being read comes in blocks
extern int eq_fd;     // serial port, -1 when not open
extern struct termios eq_normal_tio;
extern int eq_tio_saved;  // eq_normal_tio holds the port's own settings
// While the port is away: when the next try to open it is due (milliseconds of
// the monotonic clock).
extern long long eq_port_retry_at;

// The one data buffer: the request, then the reply over it. Starts at
// EQ_INITIAL_BUFFER_SIZE bytes and grows up to EQ_DATA_CAP + 1 (room for a
// terminating zero).
constexpr size_t EQ_INITIAL_BUFFER_SIZE = 8 * 1024 + 1;  // 8 KiB and a terminating zero
extern char* eq_global_read_buffer;
extern size_t eq_global_read_size;
// The first buffer, static; later ones are malloc'ed.
extern char eq_initial_buffer[EQ_INITIAL_BUFFER_SIZE];

// The watch on the request file's directory (-1: none).
extern int eq_watch_fd;
extern int eq_watch_wd;

// Replaces a text setting with a malloc'ed copy of value; 0, or -1 when out
// of memory (the setting is then unchanged).
int eq_set_text(char** setting, const char* value);

// Defaults for every setting; frees what was allocated, closes the watch.
// Leaves the port alone.
void eq_var_reset();
