// Round trip of one parameterless command through EnviaComando, eqlink and the
// unpaced simulated printer; what the working directory's lock adds to each
// exchange, measured alone; and the processor time the window's thread uses
// while it waits out a timeout.

#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "GuiTestSupport.h"
#include "core/DirectoryLock.h"
#include "window/uPrincipal.h"

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    auto secs = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return secs(usage.ru_utime) + secs(usage.ru_stime);
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TfrmPrincipal window;

    testsupport::RealLink link;
    if (!link.start()) {
        std::fprintf(stderr, "could not start eqlink and ecfsim\n");
        return 1;
    }
    window.ui.edCaminho->setText(link.workingDir());
    window.EnviaComando("05");  // warm up

    const int rounds = argc > 1 ? std::atoi(argv[1]) : 300;
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const QString reply = window.EnviaComando("05");
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (reply == QLatin1String(".-P006}")) {
            std::fprintf(stderr, "timeout in round %d\n", i);
            return 1;
        }
    }
    std::printf(
        "round trip of command 05 over %d exchanges: median %.3f ms, p99 %.3f ms "
        "(target median 2 ms)\n",
        rounds, percentile(ms, 0.5), percentile(ms, 0.99));

    // The lock is uncontended here, as in the round trips above.
    const std::string dir = link.workingDir().toStdString();
    std::vector<double> lockMs;
    for (int i = 0; i < 10000; ++i) {
        const auto start = std::chrono::steady_clock::now();
        { const cuponex::DirectoryLock lock(dir, dir, start + std::chrono::seconds(5)); }
        lockMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::printf("the directory's lock taken and given back: median %.4f ms, p99 %.4f ms\n",
                percentile(lockMs, 0.5), percentile(lockMs, 0.99));

    QTemporaryDir silent;
    window.ui.edCaminho->setText(silent.path() + "/");
    const double cpuBefore = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    window.EnviaComando("05");
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "processor use while waiting out the %.1f s timeout: %.2f%% of one core "
        "(target 5%%)\n",
        wall, 100.0 * (cpuSeconds() - cpuBefore) / wall);
    return 0;
}
