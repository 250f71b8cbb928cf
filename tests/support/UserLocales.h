#pragma once
// The locales the window's users have: scripts/setup.sh generates them. The
// number and field rules must write amounts with the decimal comma under each.

#include <clocale>
#include <string>

namespace testsupport {

inline constexpr const char* kUserLocales[] = {"pt_BR.UTF-8", "en_US.UTF-8"};

// The process runs under `name` while this lives, under "C" again after.
// set() is false when the machine does not have that locale.
class ScopedLocale {
  public:
    explicit ScopedLocale(const char* name) : set_(std::setlocale(LC_ALL, name) != nullptr) {}
    ~ScopedLocale() { std::setlocale(LC_ALL, "C"); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    bool set() const { return set_; }
    static std::string missing(const char* name) {
        return std::string(name) + " is not installed (scripts/setup.sh generates it)";
    }

  private:
    bool set_;
};

}  // namespace testsupport
