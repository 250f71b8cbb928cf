// The pseudo-terminal the simulator serves on, reachable through a symbolic link.
#pragma once

#include <string>

namespace ecfsim {

class PseudoTerminal {
  public:
    // Opens a raw pseudo-terminal and points `linkPath` at its device. Throws
    // std::runtime_error on failure, and when `linkPath` exists as anything
    // other than a symbolic link.
    explicit PseudoTerminal(std::string linkPath);
    // Removes the link if it still points at this device, then closes both
    // sides: whoever still has the device open sees it hang up.
    ~PseudoTerminal();

    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int master() const { return master_; }
    const std::string& devicePath() const { return devicePath_; }

  private:
    void closeAll();

    std::string linkPath_;
    std::string devicePath_;
    int master_ = -1;
    // Held open so that the master never sees a hang-up while the client
    // closes and reopens the device.
    int slave_ = -1;
    bool linked_ = false;
};

}  // namespace ecfsim
