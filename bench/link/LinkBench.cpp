// Timing of eqlink against a pseudo-terminal printer that answers at once.
//
// For each exchange, a request is written under a temporary name at a random
// moment and renamed to eq.MSG; measured are the time from the rename to the
// request's first byte on the line (pickup), and from the reply's last byte
// being written to eq.RSP appearing (publication). Then the CPU an idle
// eqlink uses. All of it once with the inotify wait and once with the
// millisecond poll forced (EQLINK_FORCE_POLL=1).
//
//   eqlink_bench [--exchanges N] [--idle-seconds S]

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "LinkTestSupport.h"

namespace {

using namespace eqlink_test;

struct Figures {
    std::vector<double> pickupMs;
    std::vector<double> publishMs;
    int failures = 0;
    double idleTicksPercent = -1;  // utime + stime over the idle time
    double idleSchedPercent = -1;  // time on CPU from schedstat, finer grained
};

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double percentile(std::vector<double> values, double q) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    std::size_t rank = static_cast<std::size_t>(q * static_cast<double>(values.size()) + 0.999999);
    rank = std::clamp<std::size_t>(rank, 1, values.size());
    return values[rank - 1];
}

// utime + stime of a process, in clock ticks.
long long cpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    const auto close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {  // field 3 is the state
        if (i == 14) utime = std::stoll(field);
        if (i == 15) {
            stime = std::stoll(field);
            return utime + stime;
        }
    }
    return -1;
}

// Nanoseconds on a CPU, or -1 where schedstat is missing.
long long cpuNanoseconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/schedstat");
    long long ns = -1;
    in >> ns;
    return in ? ns : -1;
}

// Waits for eq.RSP to be renamed into place; the moment it is seen.
bool awaitResponse(int watch, Clock::time_point& seen, std::chrono::milliseconds limit) {
    alignas(inotify_event) char events[4096];
    const auto deadline = Clock::now() + limit;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd entry{watch, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
        seen = Clock::now();
        const ssize_t n = ::read(watch, events, sizeof events);
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            if ((event->mask & IN_MOVED_TO) && event->len > 0 &&
                strcmp(event->name, "eq.RSP") == 0) {
                return true;
            }
            at += static_cast<ssize_t>(sizeof *event + event->len);
        }
    }
}

Figures run(int exchanges, double idleSeconds, bool forcePoll) {
    Figures figures;
    ScratchDir scratch;
    FakePrinterLine printer;
    const std::string dir = scratch / "bench";
    std::vector<std::string> env;
    if (forcePoll) env.push_back("EQLINK_FORCE_POLL=1");
    ChildProcess link(EQLINK_PATH,
                      {"-d", printer.slavePath(), "-p", scratch.path(), "-s", "bench", "-T", "2"},
                      env);
    const auto ready = Clock::now() + 3s;
    while (!printer.setUpByLink() && Clock::now() < ready) std::this_thread::sleep_for(1ms);
    if (!printer.setUpByLink()) {
        figures.failures = exchanges;
        return figures;
    }

    const int watch = inotify_init1(IN_CLOEXEC);
    inotify_add_watch(watch, dir.c_str(), IN_MOVED_TO);
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> pauseUs(0, 3000);
    const std::string frame = "\x1b.05}\n";
    const std::string tempPath = dir + "/eq.MSG.tmp";
    const std::string requestPath = dir + "/eq.MSG";

    for (int i = 0; i < exchanges; ++i) {
        writeFile(tempPath, frame);
        std::this_thread::sleep_for(std::chrono::microseconds(pauseUs(random)));
        const auto renamed = Clock::now();
        ::rename(tempPath.c_str(), requestPath.c_str());

        pollfd entry{printer.masterFd(), POLLIN, 0};
        if (::poll(&entry, 1, 3000) <= 0) {
            ++figures.failures;
            continue;
        }
        const auto firstByte = Clock::now();
        if (printer.receive(frame.size()) != frame) {
            ++figures.failures;
            continue;
        }
        const auto replied = Clock::now();
        printer.send(".+0000}");
        Clock::time_point published;
        if (!awaitResponse(watch, published, 3000ms)) {
            ++figures.failures;
            continue;
        }
        ::unlink((dir + "/eq.RSP").c_str());
        figures.pickupMs.push_back(ms(firstByte - renamed));
        figures.publishMs.push_back(ms(published - replied));
    }
    ::close(watch);

    if (idleSeconds > 0) {
        std::this_thread::sleep_for(200ms);  // let the last exchange settle
        const long long ticks0 = cpuTicks(link.pid());
        const long long ns0 = cpuNanoseconds(link.pid());
        const auto start = Clock::now();
        std::this_thread::sleep_for(std::chrono::duration<double>(idleSeconds));
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const long long ticks1 = cpuTicks(link.pid());
        const long long ns1 = cpuNanoseconds(link.pid());
        figures.idleTicksPercent = 100.0 * static_cast<double>(ticks1 - ticks0) /
                                   static_cast<double>(sysconf(_SC_CLK_TCK)) / elapsed;
        if (ns0 >= 0 && ns1 >= 0) {
            figures.idleSchedPercent = 100.0 * static_cast<double>(ns1 - ns0) / 1e9 / elapsed;
        }
    }
    return figures;
}

void print(const char* title, const Figures& f, bool withPublication) {
    printf("%s (%zu exchanges, %d failed)\n", title, f.pickupMs.size(), f.failures);
    printf("  pickup       median %.3f ms   p99 %.3f ms   max %.3f ms\n",
           percentile(f.pickupMs, 0.5), percentile(f.pickupMs, 0.99), percentile(f.pickupMs, 1.0));
    if (withPublication) {
        printf("  publication  median %.3f ms   p99 %.3f ms   max %.3f ms\n",
               percentile(f.publishMs, 0.5), percentile(f.publishMs, 0.99),
               percentile(f.publishMs, 1.0));
    }
    if (f.idleTicksPercent >= 0) {
        printf("  idle CPU     %.3f %% of a core (utime+stime)", f.idleTicksPercent);
        if (f.idleSchedPercent >= 0) printf(", %.4f %% (schedstat)", f.idleSchedPercent);
        printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    int exchanges = 500;
    double idleSeconds = 10;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "--exchanges") == 0) exchanges = atoi(argv[i + 1]);
        if (strcmp(argv[i], "--idle-seconds") == 0) idleSeconds = atof(argv[i + 1]);
    }

    const Figures watched = run(exchanges, idleSeconds, false);
    print("inotify wait", watched, true);
    const Figures polled = run(exchanges, idleSeconds, true);
    print("forced 1 ms poll (EQLINK_FORCE_POLL=1)", polled, true);

    const bool met = percentile(watched.pickupMs, 0.5) <= 0.3 &&
                     percentile(watched.pickupMs, 0.99) <= 2.0 &&
                     percentile(watched.publishMs, 0.5) <= 0.3 &&
                     (idleSeconds <= 0 || watched.idleTicksPercent <= 0.1);
    printf(
        "targets (pickup median <= 0.3 ms, p99 <= 2 ms, publication median <= 0.3 ms, "
        "idle <= 0.1 %%): %s\n",
        met ? "met" : "NOT met");
    return watched.failures + polled.failures == 0 ? 0 : 1;
}
