// ostrevia_first_window: the time from starting a program to its first
// window on the screen, for bench/compare.
//
//   ostrevia_first_window [--runs N] [--x11 | --wayland] -- PROGRAM [ARG...]
//
// Each run starts PROGRAM, waits for its first window, lets it finish its
// start (half a second: Ostrevia writes its font match cache once the panels
// stand), ends it (SIGTERM) and prints the milliseconds; the last line is the
// median. On X11 (DISPLAY) the
// first window is the first MapNotify on the root window, as the server
// reports it. On Wayland no other client can see a surface appear, so the
// program runs with WAYLAND_DEBUG=client and its first window is its first
// surface commit with a buffer attached, stamped as the line is read; the
// debug output costs the program a little time of its own.
// Exits 1 when a program shows no window within 10 s, 2 on usage errors.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kPatience = 10000;  // ms for a first window

double NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

void End(pid_t pid)
{
    usleep(500000);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// X11: from the spawn to the first MapNotify of a child of the root.
std::optional<double> RunOnX11(char** command)
{
    // A busy server may turn a connection away for a moment.
    Display* display = nullptr;
    for (int attempt = 0; attempt < 20 && !(display = XOpenDisplay(nullptr)); ++attempt)
        usleep(50000);
    if (!display) {
        fputs("ostrevia_first_window: cannot open the X display (DISPLAY)\n", stderr);
        return std::nullopt;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    const double started = NowMs();
    pid_t pid = 0;
    if (posix_spawnp(&pid, command[0], nullptr, nullptr, command, environ) != 0) {
        XCloseDisplay(display);
        return std::nullopt;
    }
    std::optional<double> mapped;
    while (!mapped && NowMs() - started < kPatience) {
        if (!XPending(display)) {
            pollfd wait{ConnectionNumber(display), POLLIN, 0};
            poll(&wait, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            mapped = NowMs() - started;
    }
    End(pid);
    XCloseDisplay(display);
    return mapped;
}

// Wayland: from the spawn to the first commit of a surface with a buffer,
// read from the program's WAYLAND_DEBUG lines on its standard error.
std::optional<double> RunOnWayland(char** command)
{
    int ends[2];
    if (pipe(ends) != 0)
        return std::nullopt;
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) {
        if (strncmp(*variable, "WAYLAND_DEBUG=", 14) != 0)
            variables.emplace_back(*variable);
    }
    variables.emplace_back("WAYLAND_DEBUG=client");
    std::vector<char*> environment;
    for (std::string& variable : variables)
        environment.push_back(variable.data());
    environment.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    const double started = NowMs();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, command[0], &actions, nullptr, command, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (spawned != 0) {
        close(ends[0]);
        return std::nullopt;
    }
    std::optional<double> mapped;
    std::string pending, attached;  // unread text; "wl_surface@N." of the last attach
    char buffer[4096];
    while (!mapped && NowMs() - started < kPatience) {
        pollfd wait{ends[0], POLLIN, 0};
        if (poll(&wait, 1, 100) <= 0)
            continue;
        const ssize_t got = read(ends[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        pending.append(buffer, size_t(got));
        for (size_t end; !mapped && (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            const std::string line = pending.substr(0, end);
            const size_t surface = line.find("-> wl_surface@");
            if (surface == std::string::npos)
                continue;
            const size_t dot = line.find('.', surface);
            const std::string object = line.substr(surface + 3, dot - surface - 2);
            if (line.find(".attach(wl_buffer@", surface) != std::string::npos)
                attached = object;
            else if (!attached.empty() && object == attached && line.find(".commit()", surface) != std::string::npos)
                mapped = NowMs() - started;
        }
    }
    End(pid);
    close(ends[0]);
    return mapped;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 10;
    bool wayland = false;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string option = argv[first];
        if (option == "--runs" && first + 1 < argc)
            runs = atoi(argv[++first]);
        else if (option == "--wayland" || option == "--x11")
            wayland = option == "--wayland";
        else if (option == "--") {
            ++first;
            break;
        } else
            break;
    }
    if (first >= argc || runs < 1) {
        fputs("usage: ostrevia_first_window [--runs N] [--x11 | --wayland] -- PROGRAM [ARG...]\n", stderr);
        return 2;
    }
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const std::optional<double> time = wayland ? RunOnWayland(argv + first) : RunOnX11(argv + first);
        if (!time) {
            fprintf(stderr, "ostrevia_first_window: %s showed no window within %d ms\n", argv[first], kPatience);
            return 1;
        }
        printf("%.2f\n", *time);
        fflush(stdout);
        times.push_back(*time);
    }
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    printf("median %.2f\n", times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2);
    return 0;
}
