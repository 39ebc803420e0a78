// The main window's lists on big folders, against `ls` listing the same folder sorted, in the same
// run: a folder of 100,000 files and 2,000 sub-folders, and one of 100,000 sub-folders, both in
// the home folder (drive H:). One iteration of the window benchmark opens the big folder in the
// folder list as a user would, from a small one: the folder list reads it, the file list follows
// and the window is painted. `ls` runs as a process of its own, its output thrown away; the
// platform benchmark is the two listings alone. Counters: first_ms, the first opening in a
// window; heap_MiB_small_folder and heap_MiB_big_folder, the heap the program holds with the
// small folder and then the big one shown; rss_MiB_big_folder, its resident size then.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "forms/qt/widgets.h"
#include "platform/file_system.h"
#include "platform/posix/prefix.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kManyFiles = 100000;
constexpr int kFewFolders = 2000;
constexpr int kManyFolders = 100000;

fs::path home;
std::string unexpected_message;  // a window that shows a message has failed the benchmark

void Check(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what + " failed");
}

// Names in mixed letter case, so that the case-insensitive order differs from byte order.
std::string NameOf(const char* stem, int k, const char* extension) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%s %06d%s", k % 3 == 0 ? "" : "_", k % 2 ? stem : "Big",
                  (k * 7919) % 1000003, extension);
    return name;
}

void MakeBigFolders() {
    const fs::path files = home / "Files";
    fs::create_directories(files);
    for (int k = 0; k < kManyFiles; ++k) {
        const int fd = open((files / NameOf("photo", k, ".jpg")).c_str(), O_CREAT | O_WRONLY, 0644);
        Check(fd >= 0, "creating a file");
        close(fd);
    }
    for (int k = 0; k < kFewFolders; ++k) {
        Check(mkdir((files / NameOf("album", k, "")).c_str(), 0755) == 0, "creating a folder");
    }
    const fs::path folders = home / "Folders";
    fs::create_directories(folders);
    for (int k = 0; k < kManyFolders; ++k) {
        Check(mkdir((folders / NameOf("project", k, "")).c_str(), 0755) == 0, "creating a folder");
    }
    fs::create_directories(home / "Small");
}

// The memory the program holds: its heap in use (what the lists keep, whatever the allocator
// keeps besides), and its resident size.
double HeapMiB() {
    return static_cast<double>(mallinfo2().uordblks) / (1024 * 1024);
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

// `ls FOLDER`, sorted by name as ls sorts, writing to /dev/null; waits for it to end.
void ListWithLs(const fs::path& folder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string path = folder.string();
    char* argv[] = {const_cast<char*>("ls"), const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    Check(posix_spawnp(&child, "ls", &actions, nullptr, argv, environ) == 0, "starting ls");
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    Check(waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0,
          "ls");
}

void BM_Ls(benchmark::State& state, const char* folder) {
    for (auto _ : state) ListWithLs(home / folder);
}

// The platform's part of the window's work: the two listings the folder and file lists read.
void BM_PlatformLists(benchmark::State& state, const char* folder) {
    const std::string path = std::string("H:\\") + folder;
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ListSubFolders(path));
        benchmark::DoNotOptimize(platform::ListFiles(path));
    }
}

void BM_MainWindowShows(benchmark::State& state, const char* folder) {
    forms::Form1& window = forms::Instance<forms::Form1>();
    window.Show();
    Check(QTest::qWaitForWindowExposed(forms::qt::WindowOf(window)), "showing the main window");
    window.Dir1.SetPath("H:\\Small");
    QCoreApplication::processEvents();
    state.counters["heap_MiB_small_folder"] = HeapMiB();
    const std::string big = std::string("H:\\") + folder;
    double first_ms = -1;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        window.Dir1.SetPath(big);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (first_ms < 0) {
            first_ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            state.counters["heap_MiB_big_folder"] = HeapMiB();
            state.counters["rss_MiB_big_folder"] = static_cast<double>(ResidentKiB()) / 1024;
        }
        window.Dir1.SetPath("H:\\Small");
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    // The first opening in a window pays for memory the later ones find ready.
    state.counters["first_ms"] = first_ms;
    window.Dir1.SetPath(big);
    const int shown = window.Dir1.ListCount() + window.File1.ListCount();
    if (shown < kManyFolders || !unexpected_message.empty()) {
        state.SkipWithError(("lists not filled " + unexpected_message).c_str());
    }
    window.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // In memory by default, so that making 200,000 entries takes seconds, not minutes, and a busy
    // disk does not blur the figures; TMPDIR chooses another place.
    const char* tmp = std::getenv("TMPDIR");
    const std::string place = tmp && *tmp                    ? tmp
                              : fs::is_directory("/dev/shm") ? "/dev/shm"
                                                             : "/tmp";
    std::string pattern = place + "/tessarn-bench-XXXXXX";
    Check(mkdtemp(pattern.data()) != nullptr, "mkdtemp");
    const fs::path scratch = pattern;
    home = scratch / "home";
    fs::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    setenv("TESSARN_PREFIX", (scratch / "prefix").c_str(), 1);
    platform::PrepareMachine();
    MakeBigFolders();
    fs::current_path(home / "Small");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarn"));
    QApplication::setQuitOnLastWindowClosed(false);
    forms::SetOnLastFormUnloaded([] {});
    forms::SetMessageBoxHandler(
        [](const std::string& text, const std::string&) { unexpected_message = text; });
    std::printf("before the main window opens: heap %.1f MiB, resident %.1f MiB\n", HeapMiB(),
                static_cast<double>(ResidentKiB()) / 1024);

    // Each on both folders, in this order, so that ls and the program list them in one run.
    using Measure = void (*)(benchmark::State&, const char*);
    for (const auto& [measure_name, measure] : {std::pair<const char*, Measure>{"BM_Ls", BM_Ls},
                                                {"BM_PlatformLists", BM_PlatformLists},
                                                {"BM_MainWindowShows", BM_MainWindowShows}}) {
        for (const auto& [folder_name, folder] :
             {std::pair{"files_and_folders", "Files"}, std::pair{"folders", "Folders"}}) {
            const std::string name = std::string(measure_name) + "/" + folder_name;
            benchmark::RegisterBenchmark(name.c_str(), measure, folder)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(2);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::current_path(scratch.parent_path());
    fs::remove_all(scratch);
    return 0;
}
