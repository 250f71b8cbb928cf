#include "eq_send.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/EcfProtocol.h"
#include "eq_io.h"
#include "eq_respo.h"
#include "eq_var.h"

// Waiting for the request file.
//
// The directory that holds it is watched with inotify, and the process sleeps
// until a file there is closed after writing or renamed into place; its mere
// creation is not a reason to look, since the writer may still be at work.
// The watch is set before the file is first looked for, so a request that
// comes between the look and the sleep still wakes the sleep.
//
// Where no watch can be set (no inotify, no watches left, the directory is
// missing) or a watch is lost (the directory removed or moved, the event queue
// overflowed), the file is looked for every millisecond instead, and a new
// watch is tried on each of those passes.
//
// EQLINK_FORCE_POLL=1 in the environment always uses the millisecond poll
// (to compare the two in the benchmark).

// How long one look of the poll waits, and room for the watch's events of one
// read (each is a struct inotify_event and a name).
enum { EQ_POLL_MS = 1, EQ_WATCH_EVENTS_SIZE = 4096 };

static int eq_force_poll() {
    const char* value = getenv("EQLINK_FORCE_POLL");
    return value != nullptr && strcmp(value, "1") == 0;
}

// 1 when a watch is in place.
static int eq_watch_ensure() {
    if (eq_watch_wd >= 0) return 1;
    if (eq_force_poll()) return 0;
    if (eq_watch_fd < 0) {
        eq_watch_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (eq_watch_fd < 0) return 0;
    }
    // eq_msgfile is always a path inside the working directory, so it has a "/".
    char* slash = strrchr(eq_msgfile, '/');
    if (slash == nullptr) return 0;
    const char saved = slash[1];
    slash[1] = '\0';  // the directory, with its trailing "/"
    eq_watch_wd = inotify_add_watch(
        eq_watch_fd, eq_msgfile,
        IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
    slash[1] = saved;
    return eq_watch_wd >= 0;
}

// Sleeps until the directory changes (watching) or for EQ_POLL_MS, and while
// the port is away at most until the next try to open it. An open port is
// watched too, for nothing but its hang-up or error, which closes it.
static void eq_wait_request(int watching) {
    struct pollfd entries[2];
    nfds_t count = 0;
    if (watching) entries[count++] = {eq_watch_fd, POLLIN, 0};
    if (eq_fd >= 0) entries[count++] = {eq_fd, 0, 0};
    const int timeout = !watching ? EQ_POLL_MS : eq_port_retry_in();
    if (poll(entries, count, timeout) > 0 && eq_fd >= 0 &&
        (entries[count - 1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        eq_port_lost();
    }
    if (!watching) return;

    alignas(struct inotify_event) char events[EQ_WATCH_EVENTS_SIZE];
    ssize_t n;
    while ((n = read(eq_watch_fd, events, sizeof events)) > 0) {
        for (ssize_t at = 0; at < n;) {
            const struct inotify_event* event =
                reinterpret_cast<const struct inotify_event*>(events + at);
            const int lost = (event->mask & IN_Q_OVERFLOW) != 0 ||
                             (event->wd == eq_watch_wd &&
                              (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) != 0);
            if (lost && eq_watch_wd >= 0) {
                // A moved directory is still watched, but no longer at our path.
                if ((event->mask & IN_IGNORED) == 0) inotify_rm_watch(eq_watch_fd, eq_watch_wd);
                eq_watch_wd = -1;
            }
            at += static_cast<ssize_t>(sizeof *event + event->len);
        }
    }
}

void eq_wait_while_away() {
    if (eq_fd >= 0) return;
    // Only a watch that was in place at the last look for the request will do:
    // a request renamed into place since then has left its event, which ends
    // the sleep at once. Without one, the millisecond poll.
    eq_wait_request(eq_watch_wd >= 0);
}

// The take. The request is moved to the link's own name in the same directory
// (a rename, one step) before it is opened, and then read from there: from that
// moment the request name is free, and a request renamed there meanwhile is the
// next one, untouched until its turn. Deleting the request by its name after
// reading it would delete that next one unread. Whoever else takes the request
// off that name in one step (a workstation withdrawing a request that nobody
// took) either finds it there or finds it taken by the link: never both.
static const char EQ_TAKEN_NAME[] = "eqL.MSG";

// Forms eq_takenfile beside eq_msgfile unless it is formed already; 1 when it is.
static int eq_taken_path() {
    if (eq_takenfile[0] != '\0') return 1;
    const char* slash = strrchr(eq_msgfile, '/');
    const size_t dir = slash != nullptr ? static_cast<size_t>(slash - eq_msgfile) + 1 : 0;
    char* path = static_cast<char*>(malloc(dir + sizeof EQ_TAKEN_NAME));
    if (path == nullptr) return 0;
    memcpy(path, eq_msgfile, dir);
    memcpy(path + dir, EQ_TAKEN_NAME, sizeof EQ_TAKEN_NAME);
    const int set = eq_set_text(&eq_takenfile, path);
    free(path);
    return set == 0;
}

// Removes whatever stands at the own name (a directory only when empty); 0
// when nothing is left there.
static int eq_clear_taken() {
    struct stat info;
    if (lstat(eq_takenfile, &info) != 0) return errno == ENOENT ? 0 : -1;
    return S_ISDIR(info.st_mode) ? rmdir(eq_takenfile) : unlink(eq_takenfile);
}

void eq_drop_leftover() {
    if (eq_taken_path()) eq_clear_taken();
}

// 0 when the request is now under the own name; otherwise -1 with errno.
// Something planted at the own name that a rename cannot replace (a
// directory) is removed first when it can be.
static int eq_take() {
    if (rename(eq_msgfile, eq_takenfile) == 0) return 0;
    if (errno != EISDIR && errno != ENOTEMPTY && errno != EEXIST) return -1;
    if (eq_clear_taken() != 0) return -1;
    return rename(eq_msgfile, eq_takenfile);
}

// Removes what stands at `path`, provided it is still the file that was
// looked at (`seen`): whatever has been renamed there since is a new request
// and stays. A directory goes with rmdir (only when empty). 4 when it is
// gone, 13 when it cannot be removed.
static int eq_drop(const char* path, const struct stat* seen) {
    struct stat now;
    if (lstat(path, &now) != 0 || now.st_dev != seen->st_dev || now.st_ino != seen->st_ino) {
        return EQ_MSG_READ_FAILED;
    }
    const int removed = S_ISDIR(now.st_mode) ? rmdir(path) : unlink(path);
    return removed == 0 ? EQ_MSG_READ_FAILED : EQ_MSG_DELETE_FAILED;
}

// A request is a regular file with no other name. Anything else put in its
// place (a symbolic link or a second name for some other file, which would
// send that file to the printer; a named pipe; a device; a directory) is a
// request that cannot be read.
static int eq_plain_file(const struct stat* info) {
    return S_ISREG(info->st_mode) && info->st_nlink == 1;
}

// Waits for a regular file at the request name and takes it. 0 when taken;
// otherwise the code of the request that stays or was removed unread.
static int eq_await_take() {
    for (;;) {
        eq_port_up();  // a port that is away is tried again while requests are awaited
        const int watching = eq_watch_ensure();
        if (!eq_taken_path()) return EQ_MSG_OPEN_FAILED;
        struct stat seen;
        if (lstat(eq_msgfile, &seen) == 0) {
            // Only a regular file is taken; anything else is removed where it
            // stands, or stays there when it cannot be.
            if (!S_ISREG(seen.st_mode)) return eq_drop(eq_msgfile, &seen);
            if (eq_take() == 0) return 0;
            // Gone since the look (withdrawn): wait for the next. Otherwise
            // the directory does not let it be moved, nor deleted: it stays.
            if (errno != ENOENT) return EQ_MSG_DELETE_FAILED;
            continue;
        }
        if (errno != ENOENT) return EQ_MSG_OPEN_FAILED;
        eq_wait_request(watching);
    }
}

int eq_get_message(char** data, size_t* length) {
    const int code = eq_await_take();
    if (code != 0) return code;

    // Not through a symbolic link, and not waiting: a named pipe with no
    // writer would otherwise hold the open for good. A terminal device must
    // not become the link's controlling terminal either. (What was looked at
    // may have been swapped before the rename.)
    const int fd = open(eq_takenfile, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        // Taken all the same, so it goes unsent: given back, it could
        // replace a newer request.
        eq_clear_taken();
        return EQ_MSG_OPEN_FAILED;
    }
    struct stat seen;
    if (fstat(fd, &seen) != 0) {
        close(fd);
        eq_clear_taken();
        return EQ_MSG_READ_FAILED;
    }
    if (!eq_plain_file(&seen)) {
        close(fd);
        return eq_drop(eq_takenfile, &seen);
    }
    // Its name goes before the read: the descriptor is all that is needed,
    // and a link killed while reading leaves nothing behind. Should the name
    // stay, it is never read again: the next take replaces it, start-up
    // removes it.
    unlink(eq_takenfile);

    // Read whole, one byte past the cap at most to tell a file that is too long.
    char* buffer;
    size_t count = 0;
    int failed = 0;
    for (;;) {
        if (count == eq_global_read_size) {
            if (count > EQ_DATA_CAP) break;
            if (!eq_grow_data(count + 1)) {
                failed = 1;
                break;
            }
        }
        eq_aloc_data(&buffer);
        const ssize_t n = read(fd, buffer + count, eq_global_read_size - count);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failed = 1;
        if (n <= 0) break;
        count += static_cast<size_t>(n);
    }
    if (failed) {
        close(fd);
        return EQ_MSG_READ_FAILED;
    }
    if (close(fd) != 0) return EQ_MSG_CLOSE_FAILED;
    if (count > EQ_DATA_CAP) return EQ_MSG_READ_FAILED;
    eq_aloc_data(data);
    *length = count;
    return 0;
}

int eq_multiblock_request(const char* data, size_t length) {
    if (length < ecf::kFrameStartLength + ecf::kCodeLength ||
        memcmp(data, ecf::kFrameStart, ecf::kFrameStartLength) != 0) {
        return 0;
    }
    const char* code = data + ecf::kFrameStartLength;
    for (const char* report : ecf::kReportCodes) {
        if (memcmp(code, report, ecf::kCodeLength) == 0) return 1;
    }
    return 0;
}

int eq_send_message(const char* text) {
    const char* data = text;
    size_t length;
    if (text == nullptr) {
        char* request;
        const int code = eq_get_message(&request, &length);
        if (code != 0) return code;
        data = request;
    } else {
        length = strlen(text);
    }

    // Every request decides afresh, so a report that ended in a failure does
    // not turn the next ordinary reply into a multi-block read.
    leituraX = eq_multiblock_request(data, length);
    // With the port away the request goes nowhere, as to a printer that does
    // not answer; the reply step then fails at once.
    if (!eq_port_up()) return EQ_SEND_FAILED;
    eq_flush();  // stale bytes must not pass for the reply
    return eq_port_write(data, length);
}
