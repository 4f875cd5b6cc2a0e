// qmicons DIR ID: writes the program's desktop icon as DIR/hicolor/<n>x<n>/apps/ID.png in the
// usual theme sizes, the same bytes on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "icon/AppIcon.h"
#include "icon/PngEncoder.h"

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool WriteIcon(const std::filesystem::path& root, const std::string& id, int size)
{
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    const std::filesystem::path directory = root / "hicolor" / folder / "apps";
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    std::ofstream out(directory / (id + ".png"), std::ios::binary | std::ios::trunc);
    out << png::EncodeRgba(AppIcon::Paint(size));
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: qmicons DIR ID\n");
        return 2;
    }
    for (int size : kSizes) {
        if (!WriteIcon(argv[1], argv[2], size)) {
            std::fprintf(stderr, "qmicons: cannot write the %d-pixel icon below %s\n", size, argv[1]);
            return 1;
        }
    }
    return 0;
}
