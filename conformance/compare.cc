// Compares the two runs of the scenario list, line by line, and prints every difference.
//
//   conformance_compare <wine run> <our run> <kept differences>
//
// A difference passes only when the kept-differences file lists it with both lines exactly as
// they came out; an entry there that no longer differs fails too, so the list stays true. The
// file holds one entry per operation:
//
//   move.path-without-drive
//       wine: rc=0 C:[b.txt=1]
//       ours: rc=123 C:[a.txt=1]
//       kind: ours
//       why: A path without a drive letter would depend on the folder the program
//           started in ...
//
// kind is "ours" for a difference we keep on purpose and "wine" where Wine differs from
// Windows and we do what Windows does; why may run on over further indented lines. Lines that
// start with '#' are comments.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Run {
    std::vector<std::string> ids;
    std::map<std::string, std::string> results;
};

struct Kept {
    std::string wine, ours, kind, why;
};

std::optional<Run> ReadRun(const char* file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    Run run;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::size_t space = line.find(' ');
        const std::string id = line.substr(0, space);
        run.ids.push_back(id);
        run.results[id] = space == std::string::npos ? "" : line.substr(space + 1);
    }
    return run;
}

// The field of an entry that a line names, or nothing for a line that names none.
std::string* FieldOf(Kept& entry, const std::string& name) {
    if (name == "wine") return &entry.wine;
    if (name == "ours") return &entry.ours;
    if (name == "kind") return &entry.kind;
    if (name == "why") return &entry.why;
    return nullptr;
}

// Fills kept, or says in error what is wrong with the file.
bool ReadKept(const char* file, std::map<std::string, Kept>& kept, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot read it";
        return false;
    }
    std::string line, id;
    bool in_why = false;  // a line that names no field continues the reason
    for (int number = 1; std::getline(in, line); ++number) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos || line.front() == '#') continue;
        if (start == 0) {
            id = line;
            in_why = false;
            if (!kept.emplace(id, Kept{}).second) {
                error = "line " + std::to_string(number) + ": " + id + " is listed twice";
                return false;
            }
            continue;
        }
        const std::string text = line.substr(start);
        const std::size_t colon = text.find(": ");
        std::string* field = id.empty() || colon == std::string::npos
                                 ? nullptr
                                 : FieldOf(kept[id], text.substr(0, colon));
        if (field) {
            *field = text.substr(colon + 2);
            in_why = field == &kept[id].why;
        } else if (in_why) {
            kept[id].why += " " + text;
        } else {
            error = "line " + std::to_string(number) +
                    ": expected wine:, ours:, kind: or why: under an id";
            return false;
        }
    }
    for (const auto& [kept_id, entry] : kept) {
        if ((entry.kind != "ours" && entry.kind != "wine") || entry.why.empty() ||
            entry.wine.empty() || entry.ours.empty()) {
            error = kept_id + ": an entry needs wine:, ours:, kind: (ours or wine) and why:";
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: " << argv[0] << " <wine run> <our run> <kept differences>\n";
        return 2;
    }
    const std::optional<Run> wine = ReadRun(argv[1]);
    const std::optional<Run> ours = ReadRun(argv[2]);
    std::map<std::string, Kept> kept;
    std::string error;
    if (!wine || !ours) {
        std::cerr << "conformance: cannot read " << (wine ? argv[2] : argv[1]) << "\n";
        return 2;
    }
    if (!ReadKept(argv[3], kept, error)) {
        std::cerr << "conformance: " << argv[3] << ": " << error << "\n";
        return 2;
    }
    if (wine->ids != ours->ids || wine->ids.empty()) {
        std::cerr << "conformance: the two runs did not run the same operations ("
                  << wine->ids.size() << " under Wine, " << ours->ids.size() << " on ours)\n";
        return 2;
    }

    int same = 0, kept_ours = 0, kept_wine = 0, failed = 0;
    std::set<std::string> used;
    for (const std::string& id : wine->ids) {
        const std::string& theirs = wine->results.at(id);
        const std::string& mine = ours->results.at(id);
        const auto entry = kept.find(id);
        if (theirs == mine) {
            ++same;
            continue;
        }
        if (entry != kept.end() && entry->second.wine == theirs && entry->second.ours == mine) {
            used.insert(id);
            ++(entry->second.kind == "wine" ? kept_wine : kept_ours);
            std::cout << "kept (" << entry->second.kind << ") " << id << "\n";
            continue;
        }
        ++failed;
        std::cout << "DIFFERS " << id << "\n    wine: " << theirs << "\n    ours: " << mine << "\n";
        if (entry != kept.end()) {
            used.insert(id);
            std::cout << "    (listed as kept, but with other lines)\n";
        }
    }
    for (const auto& [id, entry] : kept) {
        if (used.count(id)) continue;
        ++failed;
        std::cout << "STALE " << id << ": listed as a kept difference, but "
                  << (wine->results.count(id) ? "both runs now agree" : "no operation has this id")
                  << "\n";
    }
    const int operations = static_cast<int>(wine->ids.size());
    std::cout << "conformance: " << operations << " operations; " << same << " alike, " << kept_ours
              << " kept differences of ours, " << kept_wine << " where Wine differs from Windows, "
              << failed << " failing\n";
    // Passed: every operation that agrees or differs as listed; failed: every other difference
    // and every stale entry.
    std::cout << "conformance: " << same + kept_ours + kept_wine << " passed, " << failed
              << " failed\n";
    return failed == 0 ? 0 : 1;
}
