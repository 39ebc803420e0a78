// The register at its largest, 32,766 records (13.1 MB), against the plain file operations that
// bound each of its operations from below: reading the whole file, and writing a copy, flushing
// it, renaming it over the original and flushing the folder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/posix/prefix.h"
#include "register/hidden_item_record.h"
#include "register/hidden_items_register.h"
#include "register/hiding_place.h"

namespace {

constexpr int kRecords = 32766;

std::filesystem::path system_folder;
std::string full_register;  // the bytes of the register at its largest

std::filesystem::path RegisterFile() {
    return system_folder / "tessarn.dat";
}

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string(what) + " failed");
}

std::string ReadWhole(const std::filesystem::path& file) {
    const int fd = open(file.c_str(), O_RDONLY);
    Check(fd >= 0, "open");
    struct stat status;
    Check(fstat(fd, &status) == 0, "fstat");
    std::string bytes(status.st_size, '\0');
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        Check(got > 0, "read");
        done += got;
    }
    close(fd);
    return bytes;
}

void WriteWhole(const std::filesystem::path& file, const std::string& bytes) {
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Check(fd >= 0, "open");
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        Check(put > 0, "write");
        done += put;
    }
    Check(fsync(fd) == 0, "fsync");
    close(fd);
}

void SyncFolder() {
    const int fd = open(system_folder.c_str(), O_RDONLY | O_DIRECTORY);
    Check(fd >= 0 && fsync(fd) == 0, "folder fsync");
    close(fd);
}

// Puts the full register back, on the medium, so that every timed step starts from the same
// clean state and flushes nothing left over from the previous one.
void RestoreRegister() {
    WriteWhole(RegisterFile(), full_register);
    SyncFolder();
}

void ReadAllRecords(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(hiding::ReadAllRecords());
    state.SetBytesProcessed(state.iterations() * full_register.size());
}

void PlainRead(benchmark::State& state) {
    for (auto _ : state) {
        const int fd = open(RegisterFile().c_str(), O_RDONLY);
        struct stat status;
        fstat(fd, &status);
        std::unique_ptr<char[]> buffer(new char[status.st_size]);
        std::size_t done = 0;
        while (done < static_cast<std::size_t>(status.st_size)) {
            const ssize_t got = read(fd, buffer.get() + done, status.st_size - done);
            if (got <= 0) break;
            done += got;
        }
        close(fd);
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(state.iterations() * full_register.size());
}

// Hide's share of the register: open, count, write the record, flush, close.
void WriteRecord(benchmark::State& state) {
    const hiding::HiddenItemRecord record = hiding::HiddenItemRecord::Make(
        hiding::HiddenNameFor(kRecords), "C:\\Docs\\report.txt", "report.txt");
    for (auto _ : state) {
        hiding::HiddenItemsRegister hidden_items = hiding::HiddenItemsRegister::Open();
        hidden_items.WriteRecord(hidden_items.RecordCount(), record);
        hidden_items.Close();
    }
}

void PlainWriteAndFlush(benchmark::State& state) {
    const std::string record(hiding::HiddenItemRecord::kSize, ' ');
    for (auto _ : state) {
        const int fd = open(RegisterFile().c_str(), O_RDWR);
        Check(pwrite(fd, record.data(), record.size(), (kRecords - 1) * record.size()) ==
                  static_cast<ssize_t>(record.size()),
              "pwrite");
        fsync(fd);
        close(fd);
    }
}

void RemoveRecordAt0(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        RestoreRegister();
        state.ResumeTiming();
        hiding::RemoveRecordAt(0);
    }
    state.SetBytesProcessed(state.iterations() * full_register.size());
    RestoreRegister();
}

void CopyFlushRename(benchmark::State& state) {
    const std::filesystem::path copy = system_folder / "copy.dat";
    const std::filesystem::path target = system_folder / "target.dat";
    for (auto _ : state) {
        state.PauseTiming();
        RestoreRegister();
        state.ResumeTiming();
        WriteWhole(copy, ReadWhole(RegisterFile()));
        Check(std::rename(copy.c_str(), target.c_str()) == 0, "rename");
        SyncFolder();
    }
    state.SetBytesProcessed(state.iterations() * full_register.size());
}

BENCHMARK(ReadAllRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainWriteAndFlush)->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveRecordAt0)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFlushRename)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tessarn-bench-XXXXXX";
    Check(mkdtemp(pattern.data()) != nullptr, "mkdtemp");
    const std::filesystem::path scratch = pattern;
    // A home folder of the benchmark's own, which the first start maps as drive H:.
    std::filesystem::create_directories(scratch / "home");
    setenv("HOME", (scratch / "home").c_str(), 1);
    setenv("TESSARN_PREFIX", (scratch / "prefix").c_str(), 1);
    platform::PrepareMachine();
    system_folder = scratch / "prefix" / "drive_c" / "windows" / "system32";

    for (int k = 1; k <= kRecords; ++k) {
        const std::string name = "document" + std::to_string(k) + ".txt";
        const hiding::HiddenItemRecord record = hiding::HiddenItemRecord::Make(
            hiding::HiddenNameFor(k), "C:\\Users\\someone\\Documents\\" + name, name);
        full_register.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    RestoreRegister();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(scratch);
}
