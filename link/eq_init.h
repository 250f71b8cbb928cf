#pragma once
// Start-up: command line, working directory and file paths, port set-up.

// Runs eq_log_init, eq_cmdline, eq_solve_filenames and eq_com_init in this
// order; returns the first non-zero code. A failure of the working directory
// or of the port (also a port that another program holds) is told in one line
// on standard error, so that the journal of a service says why it stopped.
// Then, with the port locked, removes a request left under the link's own
// name (eq_drop_leftover).
int eq_init(int argc, char** argv);

// "eqlink: <what> <path>: <the reason errno gives>" on standard error.
void eq_startup_failed(const char* what, const char* path);

// Nothing is logged; always 0.
int eq_log_init();

// Options -T -d -l -m -p -r -s -t (each followed by its value) and -h.
// Returns 0, 12 at the first -h (usage on standard output), or -500 for an
// argument not starting with "-", an unknown letter, a missing value or no
// memory for a value (one line naming it on standard error).
int eq_cmdline(int argc, char** argv);

// 1 when the text begins with "-".
int eq_valid_arg(const char* text);

// The usage text, on standard output.
void eq_show_help();

// Forms the working directory, creates it (not its parents) and forms the
// four file paths. 0, or 11 when the directory cannot be created or a
// non-directory stands in its place (said on standard error).
int eq_solve_filenames();

// eq_cfgdir := eq_cfgdir + "/" + (eq_subcfg, or the device's base name: the
// part after its last "/", the whole text when it has none). 0, or 11 when
// out of memory.
int eq_form_workdir();

// *name := eq_cfgdir + "/" + (*name, or default_name when empty); a name is
// always taken inside the directory, even one starting with "/". 0, or 11
// when out of memory.
int eq_cfgdir_prefix(char** name, const char* default_name);

// The -T value: leading blanks, an optional sign, then decimal digits; text
// that does not begin with a number gives 0; out-of-range values saturate.
int eq_parse_seconds(const char* text);
