// What every harness shares: a machine prefix of its own for the whole run, and the check that
// stops the run on a broken promise so that libFuzzer keeps the input that broke it.
#pragma once

#include <filesystem>
#include <string_view>

namespace fuzz {

// Creates a fresh temporary machine once per process, as a first start would make it, points
// TESSARN_PREFIX at it and removes it again at exit. Drive Z: (the whole host) is taken away, so
// that every drive a harness reaches is a folder it built. Returns the prefix folder.
const std::filesystem::path& TemporaryMachine();

// A host file holding exactly these bytes, replacing what was there.
void WriteHostFile(const std::filesystem::path& file, std::string_view bytes);

// Aborts with the broken promise when a check fails; libFuzzer then saves the input.
void Require(bool holds, const char* promise);

}  // namespace fuzz
