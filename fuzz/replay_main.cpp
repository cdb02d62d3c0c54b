// Runs a fuzz target's entry point over files, without libFuzzer: the seed
// corpus and the regression inputs replay in the ordinary test run. Each
// argument is a file or a folder whose files are all read (sorted by name).
// A crash ends the process; otherwise it prints how many inputs ran.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "fuzz_support.h"

namespace {

bool Run(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << file << "\n";
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    // A copy of exactly the input's size, so that a read past its end shows
    // under the sanitizers as it does in the fuzzer.
    std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(input.data(), input.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int ran = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg = argv[i];
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                // Dot files (.gitkeep) keep empty folders in git; they are no inputs.
                if (entry.is_regular_file() && !entry.path().filename().string().starts_with("."))
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
        } else {
            files.push_back(arg);
        }
        for (const auto& file : files) {
            ok = Run(file) && ok;
            ++ran;
        }
    }
    std::cout << ran << " inputs ran\n";
    return ok && ran > 0 ? 0 : 1;
}
