// Stand-in for libFuzzer's main where the compiler has no libFuzzer (g++):
// runs every seed, then mutated seeds until the time is up, with the same
// command line (-max_total_time=N and corpus folders or files). A crash or
// a sanitizer report fails the run just as under libFuzzer.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {
using Input = std::vector<std::uint8_t>;

void addFile(const std::filesystem::path &path, std::vector<Input> &seeds)
{
    std::ifstream file(path, std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

Input mutate(const std::vector<Input> &seeds, std::mt19937 &random)
{
    Input input = seeds[random() % seeds.size()];
    const int edits = 1 + int(random() % 8);
    for (int edit = 0; edit < edits; ++edit) {
        const std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
        switch (random() % 6) {
        case 0: // flip a bit
            if (!input.empty())
                input[at % input.size()] ^= std::uint8_t(1u << (random() % 8));
            break;
        case 1: // set a byte to an interesting value
            if (!input.empty()) {
                static const std::uint8_t interesting[] = {0x00, 0x01, 0x0F, 0x40, 0x41, 0x7F,
                                                           0x80, 0x9A, 0xF0, 0xF7, 0xF8, 0xFF};
                input[at % input.size()] = interesting[random() % sizeof interesting];
            }
            break;
        case 2: // truncate
            input.resize(at);
            break;
        case 3: // insert random bytes
            input.insert(input.begin() + std::ptrdiff_t(at), 1 + random() % 16, std::uint8_t(random()));
            break;
        case 4: { // splice with another seed
            const Input &other = seeds[random() % seeds.size()];
            if (!other.empty()) {
                const std::size_t from = random() % other.size();
                input.insert(input.begin() + std::ptrdiff_t(at), other.begin() + std::ptrdiff_t(from), other.end());
            }
            break;
        }
        default: // duplicate a run
            if (!input.empty() && input.size() < 65536) {
                const std::size_t from = random() % input.size();
                const std::size_t length = 1 + random() % (input.size() - from);
                const Input run(input.begin() + std::ptrdiff_t(from), input.begin() + std::ptrdiff_t(from + length));
                input.insert(input.begin() + std::ptrdiff_t(at), run.begin(), run.end());
            }
            break;
        }
    }
    return input;
}
} // namespace

int main(int argc, char **argv)
{
    double seconds = 2;
    std::vector<Input> seeds;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("-max_total_time=", 0) == 0) {
            seconds = std::atof(argument.c_str() + std::strlen("-max_total_time="));
        } else if (argument.rfind("-", 0) == 0) {
            continue; // other libFuzzer flags mean nothing here
        } else if (std::filesystem::is_directory(argument)) {
            for (const auto &entry : std::filesystem::directory_iterator(argument))
                if (entry.is_regular_file())
                    addFile(entry.path(), seeds);
        } else if (std::filesystem::is_regular_file(argument)) {
            addFile(argument, seeds);
        }
    }
    seeds.emplace_back(); // the empty input
    for (const Input &seed : seeds)
        LLVMFuzzerTestOneInput(seed.data(), seed.size());

    std::mt19937 random(20261207);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = long(seeds.size());
    while (std::chrono::steady_clock::now() < end) {
        for (int batch = 0; batch < 64; ++batch, ++runs) {
            const Input input = mutate(seeds, random);
            LLVMFuzzerTestOneInput(input.data(), input.size());
        }
    }
    std::printf("Done %ld runs in %g second(s) from %zu seeds\n", runs, seconds, seeds.size());
    return 0;
}
