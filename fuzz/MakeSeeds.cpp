// Writes seed inputs for the collection-edits target: collections of 98, 112 and 126 images and
// a short one, each under a sequence that touches every operation. Usage: make_fuzz_seeds FOLDER
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const unsigned sizes[] = {202752, 231424, 260096, 5000};
    const std::uint8_t steps[][4] = {{0, 12, 0, 200}, {1, 40, 41, 0}, {2, 7, 100, 0}, {3, 0, 98, 0},
                                     {4, 20, 0, 126}, {5, 0, 60, 0},  {6, 127, 0, 0}};
    int number = 0;
    for (unsigned size : sizes) {
        std::vector<std::uint8_t> input{static_cast<std::uint8_t>(sizeof steps / 4 - 1)};
        for (const auto& step : steps) {
            input.insert(input.end(), step, step + 4);
        }
        input.push_back(static_cast<std::uint8_t>(size / 4));
        input.push_back(static_cast<std::uint8_t>(size / 4 >> 8));
        for (int i = 0; i < 97; ++i) { // a prime, so that records don't all look alike
            input.push_back(static_cast<std::uint8_t>(i * 37 + number));
        }
        std::string path = std::string(argv[1]) + "/seed-" + std::to_string(number++);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr || std::fwrite(input.data(), 1, input.size(), f) != input.size() ||
            std::fclose(f) != 0) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
