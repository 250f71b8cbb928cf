#include "FileCallHooks.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <vector>

namespace filehooks {
namespace {

struct Pending {
    Moment moment;
    std::string path;
    std::function<void()> action;
};

std::mutex mutex;
std::vector<Pending> pending;
std::atomic<bool> anyPending{false};

void runAt(Moment moment, const char* path) {
    if (!anyPending.load()) return;
    std::function<void()> action;
    {
        std::lock_guard lock(mutex);
        for (auto it = pending.begin(); it != pending.end(); ++it) {
            if (it->moment == moment && it->path == path) {
                action = std::move(it->action);
                pending.erase(it);
                break;
            }
        }
        anyPending = !pending.empty();
    }
    if (action) action();
}

template <typename Function>
Function* next(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

void at(Moment moment, const std::string& path, std::function<void()> action) {
    std::lock_guard lock(mutex);
    pending.push_back({moment, path, std::move(action)});
    anyPending = true;
}

void clear() {
    std::lock_guard lock(mutex);
    pending.clear();
    anyPending = false;
}

}  // namespace filehooks

extern "C" {

int rename(const char* from, const char* to) noexcept {
    static auto* const real = filehooks::next<int(const char*, const char*)>("rename");
    filehooks::runAt(filehooks::Moment::BeforeRenameOnto, to);
    const int result = real(from, to);
    filehooks::runAt(filehooks::Moment::AfterRenameOnto, to);
    return result;
}

int lstat(const char* path, struct stat* info) noexcept {
    static auto* const real = filehooks::next<int(const char*, struct stat*)>("lstat");
    filehooks::runAt(filehooks::Moment::BeforeLookAt, path);
    return real(path, info);
}

}  // extern "C"
