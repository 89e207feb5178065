// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the program and the floor alternately in an X server of its own and
// measures, for each start, the time from exec until the window is mapped and
// first painted (watched through X events: CreateNotify and MapNotify on the
// root window, then the first Damage report on the mapped window), and the
// peak resident memory up to that moment.
//
// Usage: startup_bench PROGRAM FLOOR [ROUNDS], at least 15 rounds, 25 by default.

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double mapMs = 0;
    double paintMs = 0;
    double peakMiB = 0;
};

pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& extraEnv,
            int stdoutFd = -1) {
    std::vector<std::string> environment(extraEnv);
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM" &&
            name != "QT_SCALE_FACTOR") {
            environment.push_back(entry);
        }
    }
    std::vector<char*> argv;
    for (const std::string& a : arguments) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : environment) {
        envp.push_back(const_cast<char*>(e.c_str()));
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
        std::perror(argv[0]);
        std::exit(EXIT_FAILURE);
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for an X event until the deadline; false when none came.
bool NextEvent(Display* display, Clock::time_point deadline, XEvent* event) {
    while (!XPending(display)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(ConnectionNumber(display), &readable);
        timeval wait{static_cast<time_t>(left.count() / 1'000'000),
                     static_cast<suseconds_t>(left.count() % 1'000'000)};
        select(ConnectionNumber(display) + 1, &readable, nullptr, nullptr, &wait);
    }
    XNextEvent(display, event);
    return true;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

Sample Measure(Display* display, int damageEvents, const std::string& displayName,
               const std::string& program) {
    XSync(display, True); // drop what earlier rounds left
    const Clock::time_point start = Clock::now();
    const pid_t pid = Spawn({program}, {"DISPLAY=" + displayName, "QT_QPA_PLATFORM=xcb"});

    Sample sample;
    std::map<Window, Damage> created;
    Window shown = 0;
    const auto deadline = start + std::chrono::seconds(30);
    XEvent event;
    bool painted = false;
    while (!painted && NextEvent(display, deadline, &event)) {
        const auto elapsed =
            std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (event.type == CreateNotify) {
            created[event.xcreatewindow.window] =
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            XFlush(display);
        } else if (event.type == MapNotify && created.count(event.xmap.window) && !shown) {
            shown = event.xmap.window;
            sample.mapMs = elapsed;
        } else if (event.type == damageEvents + XDamageNotify &&
                   reinterpret_cast<XDamageNotifyEvent*>(&event)->drawable == shown && shown) {
            sample.paintMs = elapsed;
            painted = true;
        }
    }

    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    sample.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    if (!painted) {
        std::fprintf(stderr, "%s: no painted window within 30 s\n", program.c_str());
        std::exit(EXIT_FAILURE);
    }
    return sample;
}

struct Summary {
    double median;
    double min;
    double max;
};

Summary Summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM FLOOR [ROUNDS]\n", argv[0]);
        return EXIT_FAILURE;
    }
    const std::string programs[2]{argv[1], argv[2]};
    const int rounds = argc > 3 ? std::max(15, std::atoi(argv[3])) : 25;

    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        std::perror("pipe");
        return EXIT_FAILURE;
    }
    const pid_t server =
        Spawn({"Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {},
              pipeFds[1]);
    close(pipeFds[1]);
    char number[32] = {};
    const ssize_t got = read(pipeFds[0], number, sizeof number - 1);
    close(pipeFds[0]);
    if (got <= 0) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return EXIT_FAILURE;
    }
    const std::string displayName = ":" + std::to_string(std::atoi(number));

    Display* display = XOpenDisplay(displayName.c_str());
    int damageEvents = 0;
    int damageErrors = 0;
    if (!display || !XDamageQueryExtension(display, &damageEvents, &damageErrors)) {
        std::fprintf(stderr, "no X server with the Damage extension at %s\n", displayName.c_str());
        kill(server, SIGTERM);
        return EXIT_FAILURE;
    }
    XSetErrorHandler(IgnoreErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    // One start of each to warm the caches, then the measured rounds, alternating.
    for (const std::string& program : programs) {
        Measure(display, damageEvents, displayName, program);
    }
    std::vector<Sample> samples[2];
    for (int round = 0; round < rounds; ++round) {
        for (int p = 0; p < 2; ++p) {
            samples[p].push_back(Measure(display, damageEvents, displayName, programs[p]));
        }
    }
    XCloseDisplay(display);
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);

    Summary mapped[2];
    Summary painted[2];
    Summary peak[2];
    std::printf("%d rounds each, alternating, in Xvfb %s\n\n", rounds, displayName.c_str());
    std::printf("%-8s %-28s %9s %9s %9s\n", "", "", "median", "min", "max");
    const char* names[2]{"program", "floor"};
    for (int p = 0; p < 2; ++p) {
        std::vector<double> map;
        std::vector<double> paint;
        std::vector<double> memory;
        for (const Sample& s : samples[p]) {
            map.push_back(s.mapMs);
            paint.push_back(s.paintMs);
            memory.push_back(s.peakMiB);
        }
        mapped[p] = Summarise(map);
        painted[p] = Summarise(paint);
        peak[p] = Summarise(memory);
        std::printf("%-8s %-28s %9.1f %9.1f %9.1f\n", names[p], "exec to mapped (ms)",
                    mapped[p].median, mapped[p].min, mapped[p].max);
        std::printf("%-8s %-28s %9.1f %9.1f %9.1f\n", names[p], "exec to first paint (ms)",
                    painted[p].median, painted[p].min, painted[p].max);
        std::printf("%-8s %-28s %9.2f %9.2f %9.2f\n", names[p], "peak resident memory (MiB)",
                    peak[p].median, peak[p].min, peak[p].max);
    }
    std::printf("\nprogram / floor, medians: first paint %.3f (target <= 1.10), "
                "peak memory %.3f (target <= 1.05)\n",
                painted[0].median / painted[1].median, peak[0].median / peak[1].median);
    return EXIT_SUCCESS;
}
