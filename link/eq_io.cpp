#include "eq_io.h"

#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

#include "eq_var.h"

int eq_com_init() {
    // Opened non-blocking so that the open itself does not wait for a
    // carrier; once CLOCAL is set the descriptor is made blocking again.
    eq_fd = open(eq_device, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (eq_fd < 0) return EQ_PORT_OPEN_FAILED;
    eq_tio_saved = tcgetattr(eq_fd, &eq_normal_tio) == 0;

    struct termios tio;
    memset(&tio, 0, sizeof tio);
    tio.c_iflag = IGNPAR;
    tio.c_cflag = B9600 | CS8 | CREAD | CLOCAL | CRTSCTS;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    // A port that refuses these still gets used.
    tcflush(eq_fd, TCIFLUSH);
    tcsetattr(eq_fd, TCSANOW, &tio);

    const int flags = fcntl(eq_fd, F_GETFL);
    if (flags >= 0) fcntl(eq_fd, F_SETFL, flags & ~O_NONBLOCK);
    return 0;
}

int eq_flush() {
    return tcflush(eq_fd, TCIFLUSH);
}

void eq_end(int code) {
    if (eq_fd >= 0 && eq_tio_saved) {
        tcsetattr(eq_fd, TCSANOW, &eq_normal_tio);
        close(eq_fd);
        eq_fd = -1;
        eq_tio_saved = 0;
    }
    exit(code);
}
