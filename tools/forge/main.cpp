// qmforge DIR: writes the game's data directory below DIR, the same bytes on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Start-up keys of the program; the game's own keys follow as the game grows.
constexpr const char* kConfig =
    "# Das Quillmark - Konfiguration\n"
    "# Anzeige: Breite, H\xF6he, Farbtiefe, Vollbild (0 = Fenster)\n"
    "screenwidth 800\n"
    "screenheight 600\n"
    "screendepth 16\n"
    "fullscreen 0\n"
    "\n"
    "# Start\n"
    "startGameState GameQuillmark\n"
    "activeLevel 0\n"
    "preloadData 0\n"
    "generateRleFiles 1\n";

bool WriteFile(const fs::path& path, const std::string& bytes)
{
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        std::fprintf(stderr, "qmforge: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qmforge DIR\n");
        return 2;
    }
    fs::path root = argv[1];
    bool ok = WriteFile(root / "data" / "config.txt", kConfig);
    return ok ? 0 : 1;
}
