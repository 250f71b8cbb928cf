#pragma once
// cuponex --replay as a process, without a display, through the real eqlink
// and the simulated printer on a pseudo-terminal: the bench the tests share.

#include "LinkTestSupport.h"

namespace eqlink_test {

// The simulated printer and the link program on it, in a scratch directory.
class Bench {
  public:
    explicit Bench(std::vector<std::string> simOptions = {"--unpaced"}) {
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::unsetenv("QT_QPA_PLATFORM");
        std::filesystem::create_directories(dir / "ecf");
        simOptions.insert(simOptions.end(), {"--link", dir / "ttyECF", "--log", dir / "frames"});
        sim_.emplace(ECFSIM_PATH, simOptions);
        ready_ = sim_->firstLine().has_value();
        link_.emplace(EQLINK_PATH,
                      std::vector<std::string>{"-d", dir / "ttyECF", "-p", dir / "ecf"});
        ready_ = ready_ && waitFor([&] { return exists(dir / "ecf/ttyECF"); }, 5000ms);
    }
    bool ready() const { return ready_; }
    std::string workDir() const { return dir / "ecf/ttyECF/"; }
    std::string frames() const { return readFile(dir / "frames").value_or(""); }
    pid_t linkPid() const { return link_->pid(); }

    // cuponex with `args`; its exit status, standard output and error.
    struct Run {
        int status;
        std::string out, err;
    };
    Run cuponex(std::vector<std::string> args) const {
        ChildProcess process(CUPONEX_PATH, args);
        const int status = process.waitForExit(60s);
        return {status, process.out(), process.err()};
    }
    std::string scenario(const std::string& name, const std::string& text) const {
        writeFile(dir / name, text);
        return dir / name;
    }

    ScratchDir dir;

  private:
    std::optional<ChildProcess> sim_, link_;
    bool ready_ = false;
};

}  // namespace eqlink_test
