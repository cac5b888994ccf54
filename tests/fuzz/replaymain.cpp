// Replays fuzz inputs through a target without libFuzzer, as CTest runs them in the normal
// build: each argument is an input file or a folder of them (a missing folder holds none). Any
// broken invariant aborts.

#include "fuzzcheck.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputsIn(const fs::path &path)
{
    if (!fs::is_directory(path))
        return {path};
    std::vector<fs::path> files;
    for (const fs::directory_entry &entry : fs::directory_iterator(path))
        if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char *argv[])
{
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        if (!fs::exists(argv[i]))
            continue; // no regression inputs yet
        for (const fs::path &file : inputsIn(argv[i])) {
            std::ifstream stream(file, std::ios::binary);
            const std::vector<uint8_t> bytes {std::istreambuf_iterator<char>(stream), {}};
            std::fprintf(stderr, "%s\n", file.c_str());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 2; // an empty corpus would test nothing
}
