// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the program and the floor alternately in an X server of its own and
// measures, for each start, the time from exec until the window is mapped and
// first painted (watched through X events: CreateNotify and MapNotify on the
// root window, then the first Damage report on the mapped window), and the
// peak resident memory up to that moment, and the shared objects mapped then.
// Then it runs each under callgrind until its first paint and counts the
// instructions, which unlike the times repeat from run to run.
//
// Usage: startup_bench PROGRAM FLOOR [ROUNDS], at least 15 rounds, 25 by default.

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <set>
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

constexpr int CallgrindRounds = 3;

struct Sample {
    double mapMs = 0;
    double paintMs = 0;
    double peakMiB = 0;
    int sharedObjects = 0;
};

// The shared objects a running process has mapped.
int SharedObjects(pid_t pid) {
    std::FILE* maps = std::fopen(("/proc/" + std::to_string(pid) + "/maps").c_str(), "r");
    if (!maps) {
        return 0;
    }
    std::set<std::string> objects;
    char line[4096];
    while (std::fgets(line, sizeof line, maps)) {
        const char* path = std::strchr(line, '/');
        if (path && std::strstr(path, ".so")) {
            objects.insert(std::string(path, std::strcspn(path, "\n")));
        }
    }
    std::fclose(maps);
    return static_cast<int>(objects.size());
}

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

// Starts the command and waits for its window's first paint; then ends it with
// the signal (callgrind writes its counts when its program is terminated).
Sample Measure(Display* display, int damageEvents, const std::string& displayName,
               const std::vector<std::string>& command, int stopSignal = SIGKILL,
               std::chrono::seconds limit = std::chrono::seconds(30)) {
    XSync(display, True); // drop what earlier rounds left
    const Clock::time_point start = Clock::now();
    const pid_t pid = Spawn(command, {"DISPLAY=" + displayName, "QT_QPA_PLATFORM=xcb"});

    Sample sample;
    std::map<Window, Damage> created;
    Window shown = 0;
    const auto deadline = start + limit;
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

    sample.sharedObjects = SharedObjects(pid);
    kill(pid, stopSignal);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    sample.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    if (!painted) {
        std::fprintf(stderr, "%s: no painted window within %lld s\n", command.back().c_str(),
                     static_cast<long long>(limit.count()));
        std::exit(EXIT_FAILURE);
    }
    return sample;
}

// Instructions from exec to the first paint, as callgrind counts them.
double Instructions(Display* display, int damageEvents, const std::string& displayName,
                    const std::string& program) {
    char file[] = "/tmp/startup_bench.callgrind.XXXXXX";
    const int fd = mkstemp(file);
    if (fd < 0) {
        std::perror("mkstemp");
        std::exit(EXIT_FAILURE);
    }
    close(fd);
    Measure(display, damageEvents, displayName,
            {"valgrind", "--tool=callgrind", std::string("--callgrind-out-file=") + file, program},
            SIGTERM, std::chrono::seconds(600));
    double total = 0;
    std::FILE* out = std::fopen(file, "r");
    char line[4096];
    while (out && std::fgets(line, sizeof line, out)) {
        if (std::strncmp(line, "totals:", 7) == 0) {
            total = std::atof(line + 7);
        }
    }
    if (out) {
        std::fclose(out);
    }
    std::remove(file);
    if (total <= 0) {
        std::fprintf(stderr, "%s: callgrind counted nothing (is valgrind installed?)\n",
                     program.c_str());
        std::exit(EXIT_FAILURE);
    }
    return total;
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
        Measure(display, damageEvents, displayName, {program});
    }
    std::vector<Sample> samples[2];
    for (int round = 0; round < rounds; ++round) {
        for (int p = 0; p < 2; ++p) {
            samples[p].push_back(Measure(display, damageEvents, displayName, {programs[p]}));
        }
    }
    std::vector<double> instructions[2];
    for (int round = 0; round < CallgrindRounds; ++round) {
        for (int p = 0; p < 2; ++p) {
            instructions[p].push_back(
                Instructions(display, damageEvents, displayName, programs[p]));
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
    Summary counted[2];
    int objects[2];
    for (int p = 0; p < 2; ++p) {
        counted[p] = Summarise(instructions[p]);
        objects[p] = 0;
        for (const Sample& sample : samples[p]) {
            objects[p] = std::max(objects[p], sample.sharedObjects);
        }
        std::printf("%-8s %-28s %9.0f %9.0f %9.0f\n", names[p], "instructions, exec to paint",
                    counted[p].median, counted[p].min, counted[p].max);
        std::printf("%-8s %-28s %9d\n", names[p], "shared objects at paint", objects[p]);
    }
    std::printf("\n(instructions: %d callgrind runs each)\n", CallgrindRounds);
    std::printf("program / floor, medians: first paint %.3f (target <= 1.10), "
                "instructions %.4f (target <= 1.03), peak memory %.3f (target <= 1.02); "
                "shared objects %+d (target <= 0)\n",
                painted[0].median / painted[1].median, counted[0].median / counted[1].median,
                peak[0].median / peak[1].median, objects[0] - objects[1]);
    return EXIT_SUCCESS;
}
