// The main of every test program below the windows.
#include "machine/child_process.h"

int main(int argc, char** argv) {
    return test_machine::RunTestsOrChildRole(argc, argv);
}
