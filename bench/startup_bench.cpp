// Start-up of ortix-t against a minimal Qt Widgets program: the time from process start to the main
// window's first paint and the peak resident memory, the two programs run in turn on each platform.
// With --report, a third in the same turns: `ortix-t --report OUT.pdf FILE` from process start to its end,
// against ortix-t's own first paint.
//
//   startup_bench [--runs N] [--warmup N] [--platform NAME]... [--report CALCULATION_FILE]
//
// Without --platform: offscreen, and xcb as well when DISPLAY is set.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Program
{
    std::string name;
    const char *path;
    std::vector<std::string> arguments;
    bool untilExit = false; // timed to its end rather than to the first paint it prints
};

struct Sample
{
    double milliseconds; // process start to first paint, or to the end
    double mebibytes;    // peak resident set
};

constexpr int kTimeoutMs = 60000;

long long Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

[[noreturn]] void Fail(const std::string &what)
{
    std::fprintf(stderr, "startup_bench: %s\n", what.c_str());
    std::exit(1);
}

std::vector<std::string> ChildEnvironment(const std::string &platform)
{
    std::vector<std::string> environment;
    for (char **entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (variable.rfind("QT_QPA_PLATFORM=", 0) != 0 && variable.rfind("ORTIX_QUIT_AFTER_FIRST_PAINT=", 0) != 0)
            environment.push_back(variable);
    }
    environment.push_back("QT_QPA_PLATFORM=" + platform);
    environment.push_back("ORTIX_QUIT_AFTER_FIRST_PAINT=1");
    return environment;
}

// One run: the program prints the moment of its first paint on standard output and quits.
Sample Run(const Program &program, const std::string &platform)
{
    int out[2];
    if (pipe(out) != 0)
        Fail(std::string("pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    // The headless platform's notices are no part of the measurement.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<std::string> environment = ChildEnvironment(platform);
    std::vector<char *> envp;
    for (std::string &variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::vector<char *> argv{const_cast<char *>(program.path)};
    for (const std::string &argument : program.arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const long long start = Now();
    const int spawned = posix_spawn(&pid, program.path, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0)
        Fail(std::string(program.path) + ": " + std::strerror(spawned));

    std::string text;
    char buffer[256];
    pollfd readable{out[0], POLLIN, 0};
    bool timedOut = false;
    for (;;) {
        const int ready = poll(&readable, 1, kTimeoutMs);
        if (ready == 0) {
            timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        text.append(buffer, static_cast<size_t>(got));
    }
    close(out[0]);

    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {}
    const long long ended = Now();
    const std::string run = program.name + " on " + platform;
    if (timedOut)
        Fail(run + ": no first paint within " + std::to_string(kTimeoutMs / 1000) + " s");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(run + ": ended abnormally (status " + std::to_string(status) + "); run it by hand to see why");
    if (program.untilExit)
        return {double(ended - start) / 1e6, double(usage.ru_maxrss) / 1024.0};
    char *end = nullptr;
    const long long painted = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || painted < start)
        Fail(run + ": printed no moment of first paint: '" + text + "'");
    return {double(painted - start) / 1e6, double(usage.ru_maxrss) / 1024.0};
}

// The value at fraction q of the sorted values, interpolated between neighbours.
double Quantile(std::vector<double> values, double q)
{
    std::sort(values.begin(), values.end());
    const double position = q * double(values.size() - 1);
    const size_t below = static_cast<size_t>(position);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (position - double(below));
}

struct Summary
{
    double median, lower, upper; // the median and the quartiles around it
};

Summary Summarise(const std::vector<Sample> &samples, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample &sample : samples)
        values.push_back(sample.*field);
    return {Quantile(values, 0.5), Quantile(values, 0.25), Quantile(values, 0.75)};
}

void Measure(const std::string &platform, const std::vector<Program> &programs, int runs, int warmup)
{
    for (int i = 0; i < warmup; ++i) {
        for (const Program &program : programs)
            Run(program, platform);
    }
    // In turn, run by run, so that whatever else the machine does falls on all alike.
    std::vector<std::vector<Sample>> samples(programs.size());
    for (int i = 0; i < runs; ++i) {
        for (size_t p = 0; p < programs.size(); ++p)
            samples[p].push_back(Run(programs[p], platform));
    }

    std::printf("\nplatform %s: %d runs each, after %d warm-up runs each; median (quartiles)\n", platform.c_str(), runs,
                warmup);
    std::printf("%-16s %30s %30s\n", "program", "first paint (or end), ms", "peak resident memory, MiB");
    std::vector<Summary> time(programs.size()), memory(programs.size());
    for (size_t p = 0; p < programs.size(); ++p) {
        time[p] = Summarise(samples[p], &Sample::milliseconds);
        memory[p] = Summarise(samples[p], &Sample::mebibytes);
        std::printf("%-16s %12.1f (%6.1f .. %6.1f) %12.1f (%6.1f .. %6.1f)\n", programs[p].name.c_str(), time[p].median,
                    time[p].lower, time[p].upper, memory[p].median, memory[p].lower, memory[p].upper);
    }
    // Each against the one before it: ortix-t against the minimal window, the report against ortix-t.
    for (size_t p = 1; p < programs.size(); ++p)
        std::printf("%s / %s: time %.2f, memory %.2f\n", programs[p].name.c_str(), programs[p - 1].name.c_str(),
                    time[p].median / time[p - 1].median, memory[p].median / memory[p - 1].median);
    std::fflush(stdout);
}

int Number(const char *option, const char *text)
{
    char *end = nullptr;
    const long value = text ? std::strtol(text, &end, 10) : 0;
    if (!text || *end || value < 1 || value > 100000)
        Fail(std::string(option) + " takes a positive number");
    return int(value);
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 30, warmup = 3;
    std::vector<std::string> platforms;
    const char *calculation = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char *value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (option == "--runs") {
            runs = Number("--runs", value);
            ++i;
        } else if (option == "--warmup") {
            warmup = Number("--warmup", value);
            ++i;
        } else if (option == "--platform" && value) {
            platforms.emplace_back(value);
            ++i;
        } else if (option == "--report" && value) {
            calculation = value;
            ++i;
        } else {
            std::fprintf(stderr, "usage: %s [--runs N] [--warmup N] [--platform NAME]... [--report FILE]\n", argv[0]);
            return 2;
        }
    }
    if (platforms.empty()) {
        platforms.emplace_back("offscreen");
        if (const char *display = std::getenv("DISPLAY"); display && *display)
            platforms.emplace_back("xcb");
    }
    std::vector<Program> programs{{"minimal", MINIMAL_WINDOW_PATH, {}}, {"ortix-t", ORTIX_T_PATH, {}}};
    char directory[] = "/tmp/startup_bench.XXXXXX";
    if (calculation) {
        if (!mkdtemp(directory))
            Fail(std::string("mkdtemp: ") + std::strerror(errno));
        programs.push_back({"ortix-t --report",
                            ORTIX_T_PATH,
                            {"--report", std::string(directory) + "/report.pdf", calculation},
                            true});
    }
    for (const std::string &platform : platforms)
        Measure(platform, programs, runs, warmup);
    if (calculation) {
        unlink((std::string(directory) + "/report.pdf").c_str());
        rmdir(directory);
    }
    return 0;
}
