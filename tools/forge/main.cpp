// qmforge DIR: writes the game's data directory below DIR, the same bytes on every run.
// qmforge --sheets DIR: the same, and review sheets of every picture group in DIR/sheets.
#include <cstdio>
#include <cstring>

#include "core/ForgeOutput.h"
#include "data/ForgeAll.h"
#include "sheets/ContactSheet.h"

int main(int argc, char** argv)
{
    const bool sheets = argc == 3 && std::strcmp(argv[1], "--sheets") == 0;
    if (argc != 2 && !sheets) {
        std::fprintf(stderr, "usage: qmforge [--sheets] DIR\n");
        return 2;
    }
    const char* root = argv[argc - 1];
    ForgeOutput output(root);
    bool ok = ForgeAll(output);
    if (sheets) {
        ok = ContactSheet::WriteAll(output.Sheets(), std::filesystem::path(root) / "sheets") && ok;
    }
    return ok ? 0 : 1;
}
