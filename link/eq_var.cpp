#include "eq_var.h"

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

// The defaults live in static storage, so the program starts with them set
// and nothing allocated; only values set later are malloc'ed.
static char eq_default_device[] = "/dev/ttyS1";
static char eq_default_cfgdir[] = "/home/usuarios/ecf";
static char eq_default_empty[] = "";

char* eq_device = eq_default_device;
char* eq_cfgdir = eq_default_cfgdir;
char* eq_subcfg = eq_default_empty;
char* eq_logfile = eq_default_empty;
char* eq_msgfile = eq_default_empty;
char* eq_tmpresp = eq_default_empty;
char* eq_finalresp = eq_default_empty;
char* eq_takenfile = eq_default_empty;
int eq_resptim = EQ_DEFAULT_RESPTIM;
int eq_cfg_permission = EQ_DEFAULT_CFG_PERMISSION;

int leituraX = 0;
int eq_fd = -1;
struct termios eq_normal_tio;
int eq_tio_saved = 0;
long long eq_port_retry_at = 0;

char eq_initial_buffer[EQ_INITIAL_BUFFER_SIZE];
char* eq_global_read_buffer = eq_initial_buffer;
size_t eq_global_read_size = sizeof eq_initial_buffer;

int eq_watch_fd = -1;
int eq_watch_wd = -1;

static void eq_release(char** setting, char* default_value) {
    if (*setting != eq_default_device && *setting != eq_default_cfgdir &&
        *setting != eq_default_empty) {
        free(*setting);
    }
    *setting = default_value;
}

int eq_set_text(char** setting, const char* value) {
    char* copy = strdup(value);
    if (copy == nullptr) return -1;
    eq_release(setting, copy);
    return 0;
}

void eq_var_reset() {
    eq_release(&eq_device, eq_default_device);
    eq_release(&eq_cfgdir, eq_default_cfgdir);
    eq_release(&eq_subcfg, eq_default_empty);
    eq_release(&eq_logfile, eq_default_empty);
    eq_release(&eq_msgfile, eq_default_empty);
    eq_release(&eq_tmpresp, eq_default_empty);
    eq_release(&eq_finalresp, eq_default_empty);
    eq_release(&eq_takenfile, eq_default_empty);
    eq_resptim = EQ_DEFAULT_RESPTIM;
    eq_cfg_permission = EQ_DEFAULT_CFG_PERMISSION;
    leituraX = 0;
    eq_port_retry_at = 0;
    if (eq_global_read_buffer != eq_initial_buffer) free(eq_global_read_buffer);
    eq_global_read_buffer = eq_initial_buffer;
    eq_global_read_size = sizeof eq_initial_buffer;
    if (eq_watch_fd >= 0) close(eq_watch_fd);
    eq_watch_fd = -1;
    eq_watch_wd = -1;
}
