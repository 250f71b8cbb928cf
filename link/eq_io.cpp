#include "eq_io.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include "eq_var.h"

int eq_com_init() {
    // Opened non-blocking so that the open itself does not wait for a
    // carrier, and kept so: reads and writes wait in poll(), under the time
    // limit, and never in the driver.
    eq_fd = open(eq_device, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (eq_fd < 0) return EQ_PORT_OPEN_FAILED;
    // One program per port, as serial terminals (picocom, tio) lock it: two
    // links would each read part of the other's replies. Taken before the
    // port is touched, so a port in use is left exactly as it is. A port
    // that takes no lock at all still gets used.
    if (flock(eq_fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        close(eq_fd);
        eq_fd = -1;
        return EQ_PORT_IN_USE;
    }
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
    return 0;
}

int eq_flush() {
    return tcflush(eq_fd, TCIFLUSH);
}

enum { EQ_MS_PER_SECOND = 1000, EQ_NS_PER_MS = 1000 * 1000 };

static long long eq_now_ms() {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * EQ_MS_PER_SECOND + now.tv_nsec / EQ_NS_PER_MS;
}

// How long after a failure of the port the next try to open it is due.
enum { EQ_RETRY_MS = 1000 };

void eq_port_lost() {
    // The settings are not put back: a port that hung up takes none.
    if (eq_fd >= 0) close(eq_fd);
    eq_fd = -1;
    eq_tio_saved = 0;
    // Not at once: a device that opens and fails straight away again must not
    // make a busy loop of it.
    eq_port_retry_at = eq_now_ms() + EQ_RETRY_MS;
}

int eq_port_up() {
    if (eq_fd >= 0) return 1;
    if (eq_now_ms() < eq_port_retry_at) return 0;
    if (eq_com_init() == 0) return 1;
    eq_port_retry_at = eq_now_ms() + EQ_RETRY_MS;
    return 0;
}

int eq_port_retry_in() {
    if (eq_fd >= 0) return -1;
    const long long left = eq_port_retry_at - eq_now_ms();
    return left <= 0 ? 0 : left > EQ_RETRY_MS ? EQ_RETRY_MS : static_cast<int>(left);
}

// The moment the time limit set now runs out; 0 when there is none.
static long long eq_deadline() {
    return eq_resptim > 0 ? eq_now_ms() + static_cast<long long>(eq_resptim) * EQ_MS_PER_SECOND : 0;
}

enum { EQ_READY = 1, EQ_WAIT_OVER = 0, EQ_WAIT_FAILED = -1 };

// Waits for the port to be ready for `events` until `deadline` (none when 0).
// The limit is a poll() timeout, so it cannot be missed the way a signal
// arriving just before a blocking call can.
static int eq_port_wait(short events, long long deadline) {
    for (;;) {
        int timeout = -1;
        if (deadline != 0) {
            const long long left = deadline - eq_now_ms();
            if (left <= 0) return EQ_WAIT_OVER;
            timeout = left > INT_MAX ? INT_MAX : static_cast<int>(left);
        }
        struct pollfd entry = {eq_fd, events, 0};
        const int ready = poll(&entry, 1, timeout);
        if (ready > 0) return EQ_READY;
        if (ready < 0 && errno != EINTR) return EQ_WAIT_FAILED;
        // interrupted, or a chunk of a long limit over: look again
    }
}

int eq_port_read_byte(char* at) {
    if (eq_fd < 0) return EQ_READ_ERROR;
    const long long deadline = eq_deadline();
    for (;;) {
        const ssize_t n = read(eq_fd, at, 1);
        if (n == 1) return EQ_BYTE;
        // Non-blocking with VMIN = 1, a terminal with nothing to read says
        // EAGAIN; it reads as the end of file only once it has hung up.
        if (n == 0) {
            eq_port_lost();
            return EQ_END_OF_FILE;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN) {
            eq_port_lost();
            return EQ_READ_ERROR;
        }
        const int ready = eq_port_wait(POLLIN, deadline);
        if (ready == EQ_WAIT_OVER) return EQ_TIMED_OUT;
        if (ready == EQ_WAIT_FAILED) return EQ_READ_ERROR;
    }
}

int eq_port_write(const char* data, size_t length) {
    if (eq_fd < 0) return EQ_SEND_FAILED;
    long long deadline = eq_deadline();
    while (length > 0) {
        const ssize_t n = write(eq_fd, data, length);
        if (n > 0) {
            data += n;
            length -= static_cast<size_t>(n);
            deadline = eq_deadline();  // the port took more: the limit starts afresh
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // With hardware flow control a printer that keeps CTS low takes
        // nothing; a full queue then waits here, and only so long.
        if (n == 0 || errno != EAGAIN) {
            eq_port_lost();  // a port that hung up (EIO) or has gone
            return EQ_SEND_FAILED;
        }
        if (eq_port_wait(POLLOUT, deadline) != EQ_READY) break;
    }
    if (length == 0) return 0;
    tcflush(eq_fd, TCOFLUSH);
    return EQ_SEND_FAILED;
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
