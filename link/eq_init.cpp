#include "eq_init.h"

#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "eq_io.h"
#include "eq_send.h"
#include "eq_var.h"

int eq_init(int argc, char** argv) {
    int code = eq_log_init();
    if (code == 0) code = eq_cmdline(argc, argv);
    if (code == 0) code = eq_solve_filenames();
    if (code == 0) {
        code = eq_com_init();
        // Said here and not in eq_com_init, which also makes the quiet tries
        // to open a port that has gone away.
        if (code == EQ_PORT_IN_USE) {
            fprintf(stderr, "eqlink: the serial port %s is in use by another program\n", eq_device);
        } else if (code != 0) {
            eq_startup_failed("cannot open the serial port", eq_device);
        }
    }
    if (code == 0) eq_drop_leftover();
    return code;
}

void eq_startup_failed(const char* what, const char* path) {
    fprintf(stderr, "eqlink: %s %s: %s\n", what, path, strerror(errno));
}

int eq_log_init() {
    return 0;
}

int eq_valid_arg(const char* text) {
    return text[0] == '-' ? 1 : 0;
}

void eq_show_help() {
    fputs(
        "usage: eqlink [options]\n"
        "  -d DEVICE  serial port (default /dev/ttyS1)\n"
        "  -p DIR     configuration directory (default /home/usuarios/ecf)\n"
        "  -s NAME    working sub-directory (default: the device's base name)\n"
        "  -m NAME    request file (default eq.MSG)\n"
        "  -t NAME    temporary response file (default eqT.RSP)\n"
        "  -r NAME    response file (default eq.RSP)\n"
        "  -l NAME    log file name (default eq.LOG; nothing is written to it)\n"
        "  -T SECS    time limit for each reply byte, 0 for none (default 10)\n"
        "  -h         this text\n",
        stdout);
}

int eq_parse_seconds(const char* text) {
    const long value = strtol(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

static char** eq_text_option(char letter) {
    switch (letter) {
        case 'd':
            return &eq_device;
        case 'l':
            return &eq_logfile;
        case 'm':
            return &eq_msgfile;
        case 'p':
            return &eq_cfgdir;
        case 'r':
            return &eq_finalresp;
        case 's':
            return &eq_subcfg;
        case 't':
            return &eq_tmpresp;
        default:
            return nullptr;
    }
}

int eq_cmdline(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!eq_valid_arg(arg)) {
            fprintf(stderr, "eqlink: not an option: %s\n", arg);
            return EQ_BAD_CMDLINE;
        }
        // Only the letter counts: "-dev" is read as -d.
        const char letter = arg[1];
        if (letter == 'h') {
            eq_show_help();
            return EQ_HELP;
        }
        char** text = eq_text_option(letter);
        if (letter != 'T' && text == nullptr) {
            fprintf(stderr, "eqlink: unknown option: %s\n", arg);
            return EQ_BAD_CMDLINE;
        }
        if (i + 1 >= argc) {
            fprintf(stderr, "eqlink: option needs a value: %s\n", arg);
            return EQ_BAD_CMDLINE;
        }
        const char* value = argv[++i];  // taken even when it begins with "-"
        if (text == nullptr) {
            eq_resptim = eq_parse_seconds(value);
        } else if (eq_set_text(text, value) != 0) {
            fprintf(stderr, "eqlink: out of memory at: %s\n", arg);
            return EQ_BAD_CMDLINE;
        }
    }
    return 0;
}

// a + "/" + b in a new malloc'ed string, or null.
static char* eq_join(const char* a, const char* b) {
    const size_t la = strlen(a);
    const size_t lb = strlen(b);
    char* joined = static_cast<char*>(malloc(la + 1 + lb + 1));  // the "/", the zero
    if (joined == nullptr) return nullptr;
    memcpy(joined, a, la);
    joined[la] = '/';
    memcpy(joined + la + 1, b, lb + 1);
    return joined;
}

int eq_form_workdir() {
    const char* sub = eq_subcfg;
    if (sub[0] == '\0') {
        const char* slash = strrchr(eq_device, '/');
        sub = slash != nullptr ? slash + 1 : eq_device;
    }
    if (sub != eq_subcfg && eq_set_text(&eq_subcfg, sub) != 0) return EQ_WORKDIR_FAILED;
    char* dir = eq_join(eq_cfgdir, eq_subcfg);
    if (dir == nullptr) return EQ_WORKDIR_FAILED;
    const int code = eq_set_text(&eq_cfgdir, dir);
    free(dir);
    return code == 0 ? 0 : EQ_WORKDIR_FAILED;
}

int eq_cfgdir_prefix(char** name, const char* default_name) {
    char* path = eq_join(eq_cfgdir, (*name)[0] == '\0' ? default_name : *name);
    if (path == nullptr) return EQ_WORKDIR_FAILED;
    const int code = eq_set_text(name, path);
    free(path);
    return code == 0 ? 0 : EQ_WORKDIR_FAILED;
}

int eq_solve_filenames() {
    int code = eq_form_workdir();
    if (code != 0) {
        eq_startup_failed("cannot form the working directory in", eq_cfgdir);
        return code;
    }
    // Only the last component is created. Whatever already stands there is
    // used as it is, provided it is a directory.
    if (mkdir(eq_cfgdir, static_cast<mode_t>(eq_cfg_permission)) != 0) {
        if (errno != EEXIST) {
            eq_startup_failed("cannot create the working directory", eq_cfgdir);
            return EQ_WORKDIR_FAILED;
        }
        struct stat info;
        const int seen = stat(eq_cfgdir, &info) == 0;
        if (!seen || !S_ISDIR(info.st_mode)) {
            if (seen) errno = ENOTDIR;  // a file, say, where the directory goes
            eq_startup_failed("cannot use the working directory", eq_cfgdir);
            return EQ_WORKDIR_FAILED;
        }
    }
    code = eq_cfgdir_prefix(&eq_logfile, "eq.LOG");
    if (code == 0) code = eq_cfgdir_prefix(&eq_msgfile, "eq.MSG");
    if (code == 0) code = eq_cfgdir_prefix(&eq_tmpresp, "eqT.RSP");
    if (code == 0) code = eq_cfgdir_prefix(&eq_finalresp, "eq.RSP");
    if (code != 0) eq_startup_failed("cannot form the file names in", eq_cfgdir);
    return code;
}
