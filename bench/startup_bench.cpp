// One code from a fresh process, as a script that calls the program once per
// code pays for it: nubora-qr (its start-up, the engine, the read-back and
// the PNG file, flushed to the disk) beside the qrencode tool making the same
// text's PNG (not flushed), each started with posix_spawn and waited for.
// Time per process, and the process's own CPU time (user and system, from
// wait4), which other work on the machine does not stretch. Each runs twice:
// into the system's temporary folder, and into /dev/shm, where a flush costs
// nothing, so that start-up and the disk's flush can be told apart.
//
//   nubora_startup_bench [--benchmark_filter=…]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// An address-book text of 77 bytes: version 4 at level M.
constexpr const char* kText =
    "MEMORY:Yamada Taro\r\nNAME1:Yamada Taro\r\nTEL1:03-1234-5678\r\nMAIL1:taro@example.jp\r\n";

// Runs `argv` to its end with its output and errors thrown away. The CPU
// seconds it used, or a negative number when it did not end with status 0.
double Run(std::vector<std::string> argv)
{
    std::vector<char*> args;
    for (std::string& arg : argv)
        args.push_back(arg.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Starts `program` once an iteration, making one PNG file in `folder`.
void OneCodePerProcess(benchmark::State& state, const fs::path& folder, const std::vector<std::string>& program)
{
    if (!fs::is_directory(folder)) {
        state.SkipWithError((folder.string() + " is no folder").c_str());
        return;
    }
    const fs::path out = folder / ("nubora_startup_bench_" + std::to_string(::getpid()) + ".png");
    std::vector<std::string> argv = program;
    argv.insert(argv.end(), {"-o", out.string(), kText});
    double cpu = 0;
    for (auto _ : state) {
        const double used = Run(argv);
        if (used < 0) {
            state.SkipWithError((program[0] + " failed").c_str());
            break;
        }
        cpu += used;
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
    std::error_code ignored;
    fs::remove(out, ignored);
}

const std::vector<std::string> kNuboraQr = {NUBORA_QR};
const std::vector<std::string> kQrencode = {"qrencode", "-l", "M", "-s", "3", "-m", "4"};

BENCHMARK_CAPTURE(OneCodePerProcess, nubora_qr_temp_folder, fs::temp_directory_path(), kNuboraQr)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(OneCodePerProcess, qrencode_temp_folder, fs::temp_directory_path(), kQrencode)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(OneCodePerProcess, nubora_qr_dev_shm, "/dev/shm", kNuboraQr)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK_CAPTURE(OneCodePerProcess, qrencode_dev_shm, "/dev/shm", kQrencode)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
