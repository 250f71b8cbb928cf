// The link program's command line: the input is split at zero bytes into
// arguments. The options are parsed and the working directory formed; nothing
// is created on disk. Run it with -close_fd_mask=3: usage and error lines
// would flood the output.
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "eq_init.h"
#include "eq_var.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words{"eqlink"};
    std::string word;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word.push_back(static_cast<char>(data[i]));
        }
    }
    words.push_back(word);
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    eq_var_reset();
    if (eq_cmdline(static_cast<int>(words.size()), argv.data()) == 0) {
        eq_form_workdir();
        eq_parse_seconds(words.back().c_str());
    }
    eq_var_reset();
    return 0;
}
