// Start-up to the first painted window, each probe run as a process of its own: the
// demonstration's start-up (tambrel_startup_probe) against a bare QTableView window
// (qt_startup_probe). Runs alternate between the two; the table shows medians over 15 runs
// each, on the offscreen platform and, when Xvfb is installed, on an X server of its own.
//   build/bench/bin/startup_bench [runs]
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double firstPaint = 0;
    double painted = 0;
};

long long Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

std::string Folder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) {
        return ".";
    }
    path[n] = '\0';
    std::string exe(path);
    return exe.substr(0, exe.rfind('/'));
}

// Reads what fd has until end of file or the deadline; false on the deadline.
bool ReadAll(int fd, std::string& out, long long deadline) {
    char buffer[512];
    for (;;) {
        const long long left = (deadline - Now()) / 1000000;
        if (left <= 0) {
            return false;
        }
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) {
            continue;
        }
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return true;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
}

// One run of the probe; nothing when it failed or took longer than 30 s.
std::optional<Sample> RunProbe(const std::string& program) {
    int out[2];
    if (pipe(out) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    // The clock starts just before the process is made; the probe reads it from its
    // environment.
    const long long start = Now();
    setenv("TAMBREL_PROBE_START", std::to_string(start).c_str(), 1);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        return std::nullopt;
    }
    std::string text;
    const bool finished = ReadAll(out[0], text, start + 30LL * 1000000000LL);
    close(out[0]);
    if (!finished) {
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    Sample s;
    if (!finished) {
        std::fprintf(stderr, "startup_bench: %s gave no paint within 30 s\n", program.c_str());
        return std::nullopt;
    }
    if (std::sscanf(text.c_str(), "first_paint_ms=%lf painted_ms=%lf", &s.firstPaint, &s.painted) !=
        2) {
        std::fprintf(stderr, "startup_bench: %s ended (status %d) before a paint\n",
                     program.c_str(), status);
        return std::nullopt;
    }
    return s;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Result {
    std::vector<double> firstPaint;
    std::vector<double> painted;
    int failed = 0;
};

// An X server of its own on a display number it picks; its pid, or 0 when there is none.
pid_t StartXvfb() {
    int fds[2];
    if (pipe(fds) != 0) {
        return 0;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The read end is closed first: it may be the very descriptor 3 the server writes to.
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>("Xvfb"),
                    const_cast<char*>("-displayfd"),
                    const_cast<char*>("3"),
                    const_cast<char*>("-screen"),
                    const_cast<char*>("0"),
                    const_cast<char*>("1280x1024x24"),
                    const_cast<char*>("-nolisten"),
                    const_cast<char*>("tcp"),
                    nullptr};
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return 0;
    }
    // The display number arrives as a line once the server is ready.
    std::string line;
    const long long deadline = Now() + 10LL * 1000000000LL;
    char c = 0;
    while (Now() < deadline && read(fds[0], &c, 1) == 1 && c != '\n') {
        line += c;
    }
    close(fds[0]);
    if (line.empty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return 0;
    }
    setenv("DISPLAY", (":" + line).c_str(), 1);
    return pid;
}

void Measure(const char* platform, int runs, const std::string& ours, const std::string& qt,
             Result& ourResult, Result& qtResult) {
    // One run each first, unrecorded: the programs and libraries into the page cache.
    RunProbe(ours);
    RunProbe(qt);
    for (int i = 0; i < runs; ++i) {
        for (auto [program, result] : {std::pair{&ours, &ourResult}, std::pair{&qt, &qtResult}}) {
            if (auto s = RunProbe(*program)) {
                result->firstPaint.push_back(s->firstPaint);
                result->painted.push_back(s->painted);
            } else {
                ++result->failed;
            }
        }
    }
    std::fprintf(stderr, "startup_bench: %s done (%d + %d failed runs)\n", platform,
                 ourResult.failed, qtResult.failed);
}

std::string Num(double v) {
    if (v < 0) {
        return "n/a";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

std::string Ratio(double a, double b) {
    if (a < 0 || b <= 0) {
        return "n/a";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", a / b);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string folder = Folder();
    const std::string ours = folder + "/tambrel_startup_probe";
    const std::string qt = folder + "/qt_startup_probe";
    char runtime[] = "/tmp/startup-bench-XXXXXX";
    if (mkdtemp(runtime) != nullptr) {
        setenv("XDG_RUNTIME_DIR", runtime, 1);
    }

    struct Row {
        const char* platform;
        Result ours;
        Result qt;
        bool ran = false;
    };
    std::vector<Row> rows(2);
    rows[0].platform = "offscreen";
    rows[1].platform = "xvfb";

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Measure("offscreen", runs, ours, qt, rows[0].ours, rows[0].qt);
    rows[0].ran = true;

    if (pid_t xvfb = StartXvfb(); xvfb != 0) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        Measure("xvfb", runs, ours, qt, rows[1].ours, rows[1].qt);
        rows[1].ran = true;
        kill(xvfb, SIGTERM);
        waitpid(xvfb, nullptr, 0);
    }
    rmdir(runtime);

    std::printf("\n== 6. Start-up to the first painted window, from process start (median of %d "
                "runs each)\n",
                runs);
    std::printf("%-10s %-13s %12s %13s %8s %12s %13s %8s\n", "platform", "", "Tambrel ms",
                "QTableView ms", "Qt / T", "Tambrel min", "QTableView min", "fails");
    for (const Row& row : rows) {
        if (!row.ran) {
            std::printf("%-10s (no Xvfb installed)\n", row.platform);
            continue;
        }
        for (auto [label, pick] : {std::pair{"first paint", &Result::firstPaint},
                                   std::pair{"pass painted", &Result::painted}}) {
            const double a = Median(row.ours.*pick);
            const double b = Median(row.qt.*pick);
            const auto minOf = [](const std::vector<double>& v) {
                return v.empty() ? -1.0 : *std::min_element(v.begin(), v.end());
            };
            std::printf("%-10s %-13s %12s %13s %8s %12s %13s %4d+%d\n", row.platform, label,
                        Num(a).c_str(), Num(b).c_str(), Ratio(b, a).c_str(),
                        Num(minOf(row.ours.*pick)).c_str(), Num(minOf(row.qt.*pick)).c_str(),
                        row.ours.failed, row.qt.failed);
        }
    }
    std::printf("(\"first paint\": the first paint event a widget of the window gets; \"pass "
                "painted\": that painting pass ended, the window flushed.)\n");
    return 0;
}
