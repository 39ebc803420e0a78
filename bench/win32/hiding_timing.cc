// Hide and Unhide with their intent journal on Windows (make windows-bench, under Wine), against
// the least any Hide or Unhide could do on disk: one MoveFileExW, and a 400-byte record appended
// (or cut off) and flushed with FlushFileBuffers. Both on drive C, in one run, from a register
// of ten records; each round times the operation and then the plain calls, so that both meet the
// machine at the same moment, and each is reported as its minimum, median and maximum.
//
// With --one-of-each it makes one Hide, one Unhide and one plain Hide between markers that
// OutputDebugStringA leaves in a trace of Wine's (bench/win32/count-calls counts the Win32
// calls between them).
//
// It wipes the register of the machine it runs on, so it runs only on the Wine machine of the
// Windows build's tests, as they do (TESSARN_TEST_MACHINE=wine).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hiding/hide.h"
#include "hiding/recovery.h"
#include "hiding/unhide.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRecordsBefore = 10;
constexpr int kRounds = 300;
const fs::path kDocs = "C:\\BenchDocs";
const std::string kItem = "C:\\BenchDocs\\report.txt";

void Check(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what + " failed");
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
    PlainRecords() {
        file_ = CreateFileW((kDocs / "plain.dat").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        Check(file_ != INVALID_HANDLE_VALUE, "CreateFileW");
        CutTo(kRecordsBefore * 400);
    }
    ~PlainRecords() { CloseHandle(file_); }
    void Append() {
        const std::string record(400, ' ');
        OVERLAPPED at{};
        at.Offset = kRecordsBefore * 400;
        DWORD written = 0;
        Check(WriteFile(file_, record.data(), 400, &written, &at) && written == 400, "WriteFile");
        Check(FlushFileBuffers(file_), "FlushFileBuffers");
    }
    void CutOff() {
        CutTo(kRecordsBefore * 400);
        Check(FlushFileBuffers(file_), "FlushFileBuffers");
    }

  private:
    void CutTo(LONGLONG length) {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = length;
        Check(SetFileInformationByHandle(file_, FileEndOfFileInfo, &end, sizeof end),
              "SetFileInformationByHandle");
    }
    HANDLE file_;
};

void Move(const fs::path& from, const fs::path& to) {
    Check(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH), "MoveFileExW");
}

struct Timing {
    std::string name;
    std::vector<double> microseconds;
    double Median() const { return microseconds[microseconds.size() / 2]; }
};

// One side of a comparison: `timed` runs after `before` and is followed by `after`.
struct Side {
    std::string name;
    std::function<void()> before;
    std::function<void()> timed;
    std::function<void()> after;
};

double Microseconds(const Side& side) {
    side.before();
    const Clock::time_point start = Clock::now();
    side.timed();
    const Clock::duration took = Clock::now() - start;
    side.after();
    return std::chrono::duration<double, std::micro>(took).count();
}

// Times the operation and then the plain calls in each of kRounds rounds.
std::pair<Timing, Timing> Compare(const Side& operation, const Side& plain) {
    std::pair<Timing, Timing> timings{{operation.name, {}}, {plain.name, {}}};
    for (int round = 0; round < kRounds; ++round) {
        timings.first.microseconds.push_back(Microseconds(operation));
        timings.second.microseconds.push_back(Microseconds(plain));
    }
    for (Timing* timing : {&timings.first, &timings.second}) {
        std::sort(timing->microseconds.begin(), timing->microseconds.end());
    }
    return timings;
}

void Report(const Timing& timing) {
    std::printf("%-44s %9.0f %9.0f %9.0f\n", timing.name.c_str(), timing.microseconds.front(),
                timing.Median(), timing.microseconds.back());
}

void Ratio(const Timing& operation, const Timing& plain) {
    std::printf("%-44s %.1fx (medians)\n", (operation.name + " / plain").c_str(),
                operation.Median() / plain.Median());
}

void RemoveTheRegister() {
    for (const char* name : {"tessarn.dat", "temp.dat", "tessarn.jnl"}) {
        fs::remove(fs::path("C:\\windows\\system32") / name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* machine = std::getenv("TESSARN_TEST_MACHINE");
    if (machine == nullptr || std::string_view(machine) != "wine") {
        std::fprintf(stderr, "hiding_timing wipes the register: run it with make windows-bench\n");
        return 2;
    }
    try {
        RemoveTheRegister();
        fs::remove_all(kDocs);
        fs::create_directories(kDocs);
        fs::create_directories("C:\\recycled");
        for (const fs::directory_entry& entry : fs::directory_iterator("C:\\recycled")) {
            fs::remove_all(entry.path());
        }
        std::ofstream(kDocs / "report.txt") << "report";
        for (int i = 0; i < kRecordsBefore; ++i) {
            const std::string name = "item" + std::to_string(i) + ".txt";
            std::ofstream(kDocs / name) << name;
            Check(hiding::Hide("C:\\BenchDocs\\" + name, "c:").result ==
                      hiding::HideOutcome::Result::kHidden,
                  "Hide");
        }

        const auto nothing = [] {};
        const fs::path home = kDocs / "report.txt";
        const fs::path hidden = "C:\\recycled\\plain";
        PlainRecords records;
        const auto plain_hide = [&] {
            Move(home, hidden);
            records.Append();
        };
        const auto plain_unhide = [&] {
            Move(hidden, home);
            records.CutOff();
        };
        if (argc > 1 && std::string_view(argv[1]) == "--one-of-each") {
            for (const auto& [name, step] : {std::pair{"Hide", std::function<void()>(HideItem)},
                                             {"Unhide", UnhideItem},
                                             {"plain Hide", plain_hide}}) {
                OutputDebugStringA((std::string("hiding_timing: ") + name + " begins").c_str());
                step();
                OutputDebugStringA((std::string("hiding_timing: ") + name + " ends").c_str());
            }
            plain_unhide();
        } else {
            const auto [hide, plain_hide_timing] = Compare(
                {"Hide (journal, move, record)", nothing, HideItem, UnhideItem},
                {"MoveFileExW + 400-byte append + flush", nothing, plain_hide, plain_unhide});
            const auto [unhide, plain_unhide_timing] =
                Compare({"Unhide (journal, move back, rewrite)", HideItem, UnhideItem, nothing},
                        {"MoveFileExW + 400-byte cut + flush", plain_hide, plain_unhide, nothing});
            std::printf("%d rounds each, in microseconds   %22s %9s %9s\n", kRounds, "min",
                        "median", "max");
            for (const Timing* timing :
                 {&hide, &plain_hide_timing, &unhide, &plain_unhide_timing}) {
                Report(*timing);
            }
            Ratio(hide, plain_hide_timing);
            Ratio(unhide, plain_unhide_timing);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "hiding_timing: %s\n", error.what());
        return 1;
    }
    RemoveTheRegister();
    fs::remove_all(kDocs);
    return 0;
}
