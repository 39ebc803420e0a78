// Hide and Unhide with their intent journal, against the least any Hide or Unhide could do on
// disk: one rename, and a 400-byte record appended (or cut off) and flushed. Both run on the same
// file system, in the same rounds, from a register of ten records.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

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

PlainRecords& Records() {
    static PlainRecords records;
    return records;
}

void PlainHide() {
    fs::rename(drive_c / "Docs/report.txt", drive_c / "recycled/plain");
    Records().Append();
}

void PlainUnhide() {
    fs::rename(drive_c / "recycled/plain", drive_c / "Docs/report.txt");
    Records().CutOff();
}

// One side of a comparison: `timed` runs after `before` and is followed by `after`.
struct Side {
    void (*before)();
    void (*timed)();
    void (*after)();
};

void Nothing() {}

double TimedSeconds(const Side& side) {
    side.before();
    const auto start = std::chrono::steady_clock::now();
    side.timed();
    const auto took = std::chrono::steady_clock::now() - start;
    side.after();
    return std::chrono::duration<double>(took).count();
}

double MedianMicroseconds(std::vector<double> seconds) {
    std::nth_element(seconds.begin(), seconds.begin() + seconds.size() / 2, seconds.end());
    return seconds[seconds.size() / 2] * 1e6;
}

// Each round times the operation and then the plain steps, so that both meet the machine at the
// same moment: this machine's flushes take from a fifth of a millisecond to several, by the
// load of others, and medians of rounds side by side compare what means of separate runs
// cannot. The time column is the operation's; the counters give both medians and their ratio.
void Compare(benchmark::State& state, Side operation, Side plain) {
    std::vector<double> operation_times;
    std::vector<double> plain_times;
    for (auto _ : state) {
        operation_times.push_back(TimedSeconds(operation));
        plain_times.push_back(TimedSeconds(plain));
        state.SetIterationTime(operation_times.back());
    }
    const double median = MedianMicroseconds(operation_times);
    const double plain_median = MedianMicroseconds(plain_times);
    state.counters["median_us"] = median;
    state.counters["plain_median_us"] = plain_median;
    state.counters["ratio"] = median / plain_median;
}

BENCHMARK_CAPTURE(Compare, hide, Side{Nothing, HideItem, UnhideItem},
                  Side{Nothing, PlainHide, PlainUnhide})
    ->Name("Hide (journal, move, record) against rename + 400-byte append + fsync")
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Compare, unhide, Side{HideItem, UnhideItem, Nothing},
                  Side{PlainHide, PlainUnhide, Nothing})
    ->Name("Unhide (journal, move back, rewrite) against rename + 400-byte cut + fsync")
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

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
