#include <cstdio>
#include <string>

#include "ArchiveWriter.h"

// qmpack DIR ARCHIVE: packs the data directory DIR into ARCHIVE (usually datafile.dat).
int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: qmpack DIR ARCHIVE\n");
        return 2;
    }
    ArchiveWriter writer;
    if (!writer.Pack(argv[1], argv[2])) {
        std::fprintf(stderr, "qmpack: %s\n", writer.Error().c_str());
        return 1;
    }
    for (const std::string& name : writer.LeftOut()) {
        std::printf("qmpack: left out %s: the game writes it\n", name.c_str());
    }
    return 0;
}
