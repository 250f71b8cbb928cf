// eqlink: owns the printer's serial port and carries requests and replies
// between it and the files of the working directory. Runs until killed; ends
// by itself only when start-up fails, with the low 8 bits of the code as its
// exit status. Prints only the usage (-h), command-line errors and, in one
// line, a failure of the working directory or the port at start-up.

#include "eq_init.h"
#include "eq_io.h"
#include "eq_respo.h"
#include "eq_send.h"
#include "eq_var.h"

// Codes from EQ_FATAL_LOWEST to EQ_FATAL_HIGHEST end the program; the others
// are failures of one step.
static int eq_fatal(int code) {
    return code >= EQ_FATAL_LOWEST && code <= EQ_FATAL_HIGHEST;
}

int main(int argc, char** argv) {
    int code = eq_init(argc, argv);
    if (code != 0) eq_end(code);
    for (;;) {
        // The reply is listened for even when nothing could be sent.
        code = eq_send_message(nullptr);
        if (eq_fatal(code)) eq_end(code);
        code = eq_receive_response(nullptr);
        if (eq_fatal(code)) eq_end(code);
        // With the port away both steps fail at once; this is where the loop
        // waits for the port, or for a new request, instead of spinning.
        eq_wait_while_away();
    }
}
