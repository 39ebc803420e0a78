#include "window_tour.h"

#include <fstream>

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/frmAbout.h"
#include "forms/frmLogin.h"
#include "password/password_store.h"
#include "register/hidden_items_register.h"

void FillSampleMachine(const std::filesystem::path& drive_c) {
    namespace fs = std::filesystem;
    const fs::path docs = drive_c / "Docs";
    fs::remove_all(docs);
    fs::create_directories(docs / "Old");
    fs::create_directories(docs / "Projects");
    for (const char* name : {"budget.xls", "letter.doc", "notes.txt", "report.txt"}) {
        std::ofstream(docs / name) << name;
    }
    // Items hidden earlier lie in the hiding place under their numbers.
    const fs::path hiding_place = drive_c / "recycled";
    fs::remove_all(hiding_place / "H1");
    fs::remove_all(hiding_place / "H2");
    fs::create_directories(hiding_place / "H2");
    std::ofstream(hiding_place / "H1") << "diary";
    auto hidden_items = hiding::HiddenItemsRegister::Open();
    hidden_items.WriteRecord(
        1, hiding::HiddenItemRecord::Make("H1", "C:\\Docs\\diary.txt", "diary.txt"));
    hidden_items.WriteRecord(2,
                             hiding::HiddenItemRecord::Make("H2", "C:\\Docs\\Letters", "Letters"));
    hidden_items.Close();
    password::StoreCheckValue(password::ComputeCheckValue("secret").value());
    fs::current_path(docs);
}

void TourEveryWindow(const TourHands& hands) {
    forms::SetOnLastFormUnloaded([] {});

    forms::Form4& first_run = forms::Instance<forms::Form4>();
    first_run.Show();
    hands.type(first_run.Text1, "secret");
    hands.shoot(first_run, "Form4");
    first_run.Unload();

    forms::frmLogin& login = forms::Instance<forms::frmLogin>();
    login.Show();
    hands.type(login.txtPassword, "secret");
    hands.shoot(login, "frmLogin");
    login.Unload();

    forms::Form1& main_window = forms::Instance<forms::Form1>();
    main_window.Show();
    hands.shoot(main_window, "Form1");

    hands.click(main_window.Command2);
    forms::Form3& hidden_items = forms::Instance<forms::Form3>();
    hidden_items.List1.SetListIndex(0);
    hands.shoot(hidden_items, "Form3");
    hidden_items.Unload();

    hands.click(main_window.Command4);
    hands.shoot(forms::Instance<forms::Form2>(), "Form2");
    forms::Instance<forms::Form2>().Unload();

    hands.click(main_window.Command3);
    hands.shoot(forms::Instance<forms::frmAbout>(), "frmAbout");
    forms::Instance<forms::frmAbout>().Unload();
    main_window.Unload();
}
