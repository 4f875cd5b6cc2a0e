// The floor of the start-up measurement (scripts/measure-start): the least any start of the game
// does, so that the start's own time can be told from it. It brings up the window with its
// renderer and the sound device through the platform layer as the game does, then reads once
// every file of the data directory that a start with current ".rle" files loads: all of them
// but the pictures an ".rle" file stands for (the start only dates those) and the music (only
// the beginning of the title music is read, as a stream). Exits 0 after printing what it read.
//
//   start_floor <data directory>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Presenter.h"
#include "platform/SoundDevice.h"
#include "platform/Window.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr size_t kReadBlock = 1 << 20;

// The game finds its files without regard to letter case.
std::string Lower(const fs::path& path)
{
    std::string text = path.string();
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// "x_mirror.rle" and "x.rle" both stand for "x.bmp" and "x_alpha.bmp".
std::set<std::string> PicturesStoodForByRleFiles(const std::vector<fs::path>& files)
{
    const std::string mirrored = "_mirror";
    std::set<std::string> pictures;
    for (const fs::path& file : files) {
        if (file.extension() != ".rle") {
            continue;
        }
        std::string stem = file.stem().string();
        if (stem.ends_with(mirrored)) {
            stem.resize(stem.size() - mirrored.size());
        }
        pictures.insert(Lower(file.parent_path() / (stem + ".bmp")));
        pictures.insert(Lower(file.parent_path() / (stem + "_alpha.bmp")));
    }
    return pictures;
}

std::vector<fs::path> FilesBelow(const fs::path& directory)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(directory, fs::directory_options::follow_directory_symlink)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    return files;
}

size_t ReadWhole(const fs::path& file, std::vector<char>& block)
{
    std::ifstream input(file, std::ios::binary);
    size_t total = 0;
    while (input.read(block.data(), static_cast<std::streamsize>(block.size())) || input.gcount() > 0) {
        total += static_cast<size_t>(input.gcount());
    }
    return total;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: start_floor <data directory>\n");
        return 2;
    }
    platform::Window window;
    if (!window.InitVideo("start_floor") || !window.Create("start_floor", kWidth, kHeight, false)) {
        std::fprintf(stderr, "start_floor: no window\n");
        return 1;
    }
    std::unique_ptr<platform::Presenter> presenter = platform::Presenter::Create(window.Handle(), false);
    platform::SoundDevice sound;
    sound.Open();

    const std::vector<fs::path> files = FilesBelow(argv[1]);
    const std::set<std::string> onlyDated = PicturesStoodForByRleFiles(files);
    std::vector<char> block(kReadBlock);
    size_t count = 0;
    size_t bytes = 0;
    for (const fs::path& file : files) {
        if (file.extension() == ".ogg" || onlyDated.count(Lower(file)) > 0) {
            continue;
        }
        bytes += ReadWhole(file, block);
        ++count;
    }
    std::printf("%zu files, %zu bytes read\n", count, bytes);
    return presenter ? 0 : 1;
}
