// The link program's reply reader, ordinary and multi-block, reading the
// printer's side from one end of a socket pair: the input's first byte picks
// the mode, the rest is what the printer sends, then the line goes quiet
// (end of file). Whatever it keeps must be a prefix of what was sent, and an
// ordinary reply ends before the first "}".
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <unistd.h>

#include "eq_respo.h"
#include "eq_var.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > 65536) return 0;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) abort();
    // Room for the whole reply and every continuation the reader answers.
    const int room = 1 << 20;
    setsockopt(ends[0], SOL_SOCKET, SO_SNDBUF, &room, sizeof room);
    setsockopt(ends[1], SOL_SOCKET, SO_RCVBUF, &room, sizeof room);
    const char* sent = reinterpret_cast<const char*>(data + 1);
    const size_t sentSize = size - 1;
    if (sentSize > 0 && write(ends[1], sent, sentSize) != static_cast<ssize_t>(sentSize)) abort();
    shutdown(ends[1], SHUT_WR);

    const int multiBlock = data[0] & 1;
    eq_fd = ends[0];
    eq_resptim = 1;
    leituraX = multiBlock;
    char* kept = nullptr;
    size_t length = 0;
    if (eq_get_response(&kept, &length) == 0) {
        if (length > sentSize || memcmp(kept, sent, length) != 0 || kept[length] != '\0') abort();
        if (!multiBlock && memchr(kept, '}', length) != nullptr) abort();
    }
    eq_fd = -1;
    leituraX = 0;
    close(ends[0]);
    close(ends[1]);
    return 0;
}
