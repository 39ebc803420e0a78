#include "sample_machine.h"

#include <filesystem>
#include <fstream>

#include "password/password_store.h"
#include "register/hidden_items_register.h"

void PrepareSampleMachine() {
    namespace fs = std::filesystem;
    const fs::path c = "C:\\";
    fs::remove_all(c / "Docs");
    fs::create_directories(c / "Docs" / "Old");
    fs::create_directories(c / "Docs" / "Projects");
    for (const char* name : {"budget.xls", "letter.doc", "notes.txt", "report.txt"}) {
        std::ofstream(c / "Docs" / name) << name;
    }
    // The hiding place the installer makes on the system drive.
    fs::remove_all(c / "recycled");
    fs::create_directories(c / "recycled" / "H2");
    std::ofstream(c / "recycled" / "H1") << "diary";
    fs::remove(c / "windows" / "system32" / "tessarn.dat");
    auto hidden_items = hiding::HiddenItemsRegister::Open();
    hidden_items.WriteRecord(
        1, hiding::HiddenItemRecord::Make("H1", "C:\\Docs\\diary.txt", "diary.txt"));
    hidden_items.WriteRecord(2,
                             hiding::HiddenItemRecord::Make("H2", "C:\\Docs\\Letters", "Letters"));
    hidden_items.Close();
    password::StoreCheckValue(password::ComputeCheckValue("secret").value());
    fs::current_path(c / "Docs");
}
