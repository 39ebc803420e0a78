// Hide and Unhide with their intent journal, against the least any Hide or Unhide could do on
// disk: one rename, and a 400-byte record appended (or cut off) and flushed. Both run on the same
// file system, in the same run, from a register of ten records.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "hiding/hide.h"
#include "hiding/recovery.h"
#include "hiding/unhide.h"
#include "platform/posix/prefix.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecordsBefore = 10;
const std::string kItem = "C:\\Docs\\report.txt";

fs::path drive_c;

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string(what) + " failed");
}

void HideItem() {
    Check(hiding::Hide(kItem, "c:").result == hiding::HideOutcome::Result::kHidden, "Hide");
}

void UnhideItem() {
    Check(hiding::Unhide(kRecordsBefore, "report.txt", kItem).result ==
              hiding::UnhideOutcome::Result::kUnhidden,
          "Unhide");
}

void HideBench(benchmark::State& state) {
    for (auto _ : state) {
        HideItem();
        state.PauseTiming();
        UnhideItem();
        state.ResumeTiming();
    }
}

void UnhideBench(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        HideItem();
        state.ResumeTiming();
        UnhideItem();
    }
}

// The baseline's register: a plain file with the same ten records.
class PlainRecords {
  public:
    PlainRecords() : fd_(open((drive_c / "plain.dat").c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644)) {
        Check(fd_ >= 0, "open");
        Check(ftruncate(fd_, kRecordsBefore * 400) == 0, "ftruncate");
    }
    ~PlainRecords() { close(fd_); }
    void Append() {
        const std::string record(400, ' ');
        Check(pwrite(fd_, record.data(), record.size(), kRecordsBefore * 400) == 400, "pwrite");
        Check(fsync(fd_) == 0, "fsync");
    }
    void CutOff() {
        Check(ftruncate(fd_, kRecordsBefore * 400) == 0, "ftruncate");
        Check(fsync(fd_) == 0, "fsync");
    }

  private:
    int fd_;
};

const fs::path& Home() {
    static const fs::path home = drive_c / "Docs/report.txt";
    return home;
}
const fs::path& Hidden() {
    static const fs::path hidden = drive_c / "recycled/plain";
    return hidden;
}

void PlainHideBench(benchmark::State& state) {
    PlainRecords records;
    for (auto _ : state) {
        fs::rename(Home(), Hidden());
        records.Append();
        state.PauseTiming();
        fs::rename(Hidden(), Home());
        records.CutOff();
        state.ResumeTiming();
    }
}

void PlainUnhideBench(benchmark::State& state) {
    PlainRecords records;
    for (auto _ : state) {
        state.PauseTiming();
        fs::rename(Home(), Hidden());
        records.Append();
        state.ResumeTiming();
        fs::rename(Hidden(), Home());
        records.CutOff();
    }
}

BENCHMARK(HideBench)->Name("Hide (journal, move, record)")->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainHideBench)->Name("rename + 400-byte append + fsync")->Unit(benchmark::kMicrosecond);
BENCHMARK(UnhideBench)->Name("Unhide (journal, move back, rewrite)")->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainUnhideBench)->Name("rename + 400-byte cut + fsync")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Beside the benchmark in the build folder rather than in /tmp, which may be a memory file
    // system where flushing costs nothing and the comparison would say little.
    const fs::path scratch = fs::read_symlink("/proc/self/exe").parent_path() / "hiding-machine";
    fs::remove_all(scratch);
    // A home folder of the benchmark's own, which the first start maps as drive H:.
    fs::create_directories(scratch.string() + "-home");
    setenv("HOME", (scratch.string() + "-home").c_str(), 1);
    setenv("TESSARN_PREFIX", scratch.c_str(), 1);
    platform::PrepareMachine();
    drive_c = scratch / "drive_c";
    fs::create_directories(drive_c / "Docs");
    std::ofstream(drive_c / "Docs/report.txt") << "report";
    for (int i = 0; i < kRecordsBefore; ++i) {
        const std::string name = "item" + std::to_string(i) + ".txt";
        std::ofstream(drive_c / "Docs" / name) << name;
        Check(
            hiding::Hide("C:\\Docs\\" + name, "c:").result == hiding::HideOutcome::Result::kHidden,
            "Hide");
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(scratch);
    fs::remove_all(scratch.string() + "-home");
    return 0;
}
