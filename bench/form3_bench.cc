// The hidden-items window at the register's largest, 32,766 records (13.1 MB): opening it (the
// register read and both lists filled and shown) and one Unhide of its first record through the
// real button (the item moved back, the register rewritten without its record, both lists
// updated). Runs offscreen; each iteration starts from the same register and hiding place.
// Last, the opening with every one of 32,767 records' items in the hiding place, whose list the
// opening reads and checks against the register and the hiding place's names, and in which it
// looks for items without a record.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "forms/Form1.h"
#include "forms/Form3.h"
#include "forms/message_box.h"
#include "forms/qt/widgets.h"
#include "platform/memory.h"
#include "platform/posix/prefix.h"
#include "register/hidden_items_register.h"
#include "register/hiding_place.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecords = 32766;

fs::path drive_c;
std::string full_register;
std::string unexpected_message;  // a window that shows a message has failed the benchmark

fs::path RegisterFile() {
    return drive_c / "windows" / "system32" / "tessarn.dat";
}

void WriteWhole(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// A machine whose register is full: item k was C:\Docs\item<k>.txt and is hidden as Hk. Only
// H1 needs to lie in the hiding place, since only the first record is ever unhidden.
void PrepareFullMachine() {
    const fs::path prefix =
        fs::temp_directory_path() / ("tessarn-bench-" + std::to_string(getpid()));
    // A home folder of the benchmark's own, which the first start maps as drive H:.
    fs::create_directories(prefix.string() + "-home");
    setenv("HOME", (prefix.string() + "-home").c_str(), 1);
    setenv("TESSARN_PREFIX", prefix.c_str(), 1);
    platform::PrepareMachine();
    drive_c = prefix / "drive_c";
    fs::create_directories(drive_c / "Docs");
    full_register.reserve(std::size_t{kRecords} * hiding::HiddenItemRecord::kSize);
    for (int k = 1; k <= kRecords; ++k) {
        const std::string name = "item" + std::to_string(k) + ".txt";
        const auto record =
            hiding::HiddenItemRecord::Make(hiding::HiddenNameFor(k), "C:\\Docs\\" + name, name);
        full_register.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    WriteWhole(RegisterFile(), full_register);
    std::ofstream(drive_c / "recycled" / "H1") << "item 1";
    forms::SetMessageBoxHandler(
        [](const std::string& text, const std::string&) { unexpected_message = text; });
}

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Times openings of the window, each ended untimed, which must list `entries` items and show no
// message.
void TimeOpenings(benchmark::State& state, int entries) {
    for (auto _ : state) {
        forms::Form3& window = forms::Instance<forms::Form3>();
        window.Show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.List1.ListCount());
        state.PauseTiming();
        const bool filled = window.List1.ListCount() == entries && unexpected_message.empty();
        window.Unload();
        Settle();
        if (!filled) {
            state.SkipWithError(("lists not filled " + unexpected_message).c_str());
            break;
        }
        state.ResumeTiming();
    }
}

void BM_Form3Opening(benchmark::State& state) {
    TimeOpenings(state, kRecords);
}
BENCHMARK(BM_Form3Opening)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Form3UnhideFirstRecord(benchmark::State& state) {
    forms::Form3& window = forms::Instance<forms::Form3>();
    window.Show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        window.List1.SetListIndex(0);
        state.ResumeTiming();
        QTest::mouseClick(forms::qt::WidgetOf(window.Command1), Qt::LeftButton);
        state.PauseTiming();
        if (!fs::exists(drive_c / "Docs" / "item1.txt") || !unexpected_message.empty()) {
            state.SkipWithError(("item not back " + unexpected_message).c_str());
            break;
        }
        // Back to the full register: the item into hiding, its record and list entries restored.
        fs::rename(drive_c / "Docs" / "item1.txt", drive_c / "recycled" / "H1");
        WriteWhole(RegisterFile(), full_register);
        window.List1.AddItem("item1.txt", 0);
        window.List2.AddItem("C:\\Docs\\item1.txt", 0);
        state.ResumeTiming();
    }
    window.Unload();
    Settle();
}
BENCHMARK(BM_Form3UnhideFirstRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

// The register full to its last number, and every item it names in the hiding place: a list of
// 32,767 entries to read and check at every opening, and as many names to look through.
// The benchmark library runs a benchmark more than once to choose its number of iterations, and
// every run after the first finds the place full already.
void FillTheHidingPlace() {
    if (full_register.size() > std::size_t{kRecords} * hiding::HiddenItemRecord::kSize) return;
    const auto last = hiding::HiddenItemRecord::Make(hiding::HiddenNameFor(kRecords + 1),
                                                     "C:\\Docs\\last.txt", "last.txt");
    full_register.append(reinterpret_cast<const char*>(&last), sizeof last);
    WriteWhole(RegisterFile(), full_register);
    for (int k = 2; k <= kRecords + 1; ++k) {
        std::ofstream(drive_c / "recycled" / hiding::HiddenNameFor(k)) << k;
    }
}

void BM_Form3OpeningWithEveryItemInItsHidingPlace(benchmark::State& state) {
    FillTheHidingPlace();
    // The first opening writes the list whole; the ones measured find it in step.
    forms::Instance<forms::Form3>().Show();
    forms::Instance<forms::Form3>().Unload();
    Settle();
    TimeOpenings(state, kRecords + 1);
}
BENCHMARK(BM_Form3OpeningWithEveryItemInItsHidingPlace)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    // As the program does at its start.
    platform::KeepLargeBlocksForReuse();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarn"));
    QApplication::setQuitOnLastWindowClosed(false);
    forms::SetOnLastFormUnloaded([] {});
    PrepareFullMachine();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(drive_c.parent_path(), ignored);
    fs::remove_all(drive_c.parent_path().string() + "-home", ignored);
    return 0;
}
