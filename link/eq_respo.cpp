#include "eq_respo.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "common/EcfProtocol.h"
#include "eq_io.h"
#include "eq_var.h"

// The end marker is looked for before the newest byte from ecf::kBlockEndFrom
// on, so it must fit there.
static_assert(ecf::kBlockEndFrom >= ecf::kEndMarkerLength,
              "the marker is looked for before the newest byte");

int eq_aloc_data(char** buffer) {
    *buffer = eq_global_read_buffer;
    return 0;
}

int eq_grow_data(size_t need) {
    if (need <= eq_global_read_size) return 1;
    if (need > EQ_DATA_CAP + 1) return 0;
    size_t size = eq_global_read_size;
    while (size < need) size *= 2;
    if (size > EQ_DATA_CAP + 1) size = EQ_DATA_CAP + 1;
    char* grown = static_cast<char*>(malloc(size));
    if (grown == nullptr) return 0;
    memcpy(grown, eq_global_read_buffer, eq_global_read_size);
    if (eq_global_read_buffer != eq_initial_buffer) free(eq_global_read_buffer);
    eq_global_read_buffer = grown;
    eq_global_read_size = size;
    return 1;
}

int eq_get_response(char** data, size_t* length) {
    char* buffer;
    size_t count = 0;
    int last;
    for (;;) {
        // Room for the byte read next; at the cap it may still be one that is
        // not kept (the closing "}" or the byte after the end marker).
        if (!eq_grow_data(count + 1)) return EQ_PORT_READ_FAILED;
        eq_aloc_data(&buffer);
        last = eq_port_read_byte(buffer + count);
        if (last != EQ_BYTE) break;
        const char byte = buffer[count];
        if (!leituraX) {
            if (byte == '}') break;
        } else if (count >= ecf::kBlockEndFrom) {
            // The marker is looked for before the newest byte, so a report
            // ends only when one more byte follows ".]}" (not kept) or when
            // the time limit passes.
            if (memcmp(buffer + count - ecf::kEndMarkerLength, ecf::kEndMarker,
                       ecf::kEndMarkerLength) == 0) {
                leituraX = 0;
                break;
            }
            // A continuation the port does not take fails the exchange: the
            // printer would wait for it and send nothing more.
            if (byte == '}' && eq_port_write(ecf::kContinuation, ecf::kContinuationLength) != 0) {
                return EQ_SEND_FAILED;
            }
        }
        // A reply that keeps more than the cap is dropped like a failed read.
        if (count == EQ_DATA_CAP) return EQ_PORT_READ_FAILED;
        ++count;
    }

    if (last == EQ_TIMED_OUT) {
        if (!leituraX || count == 0) return EQ_REPLY_TIMEOUT;
        leituraX = 0;  // the normal end of a report
    } else if (last == EQ_READ_ERROR || last == EQ_END_OF_FILE) {
        // Also a port that hung up in the middle: what came is not the reply.
        return EQ_PORT_READ_FAILED;
    }
    buffer[count] = '\0';
    *data = buffer;
    *length = count;
    return 0;
}

int eq_receive_response(const char* destination) {
    char* data;
    size_t length;
    const int code = eq_get_response(&data, &length);
    if (code != 0) return code;

    // Never through a symbolic link: one planted in the shared directory
    // must not make the link overwrite another file.
    const int fd = open(eq_tmpresp, O_RDWR | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return EQ_TMP_OPEN_FAILED;
    while (length > 0) {
        const ssize_t n = write(fd, data, length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            close(fd);
            return EQ_TMP_WRITE_FAILED;
        }
        data += n;
        length -= static_cast<size_t>(n);
    }
    if (close(fd) != 0) return EQ_TMP_CLOSE_FAILED;
    if (rename(eq_tmpresp, destination != nullptr ? destination : eq_finalresp) != 0) {
        return EQ_RENAME_FAILED;
    }
    return 0;
}
