#include "film/FilmCast.h"

#include <cstdio>

#include "figures/FigureStripWriter.h"

FilmCast::FilmCast(const Sheets& sheets)
{
    for (const auto& [group, entries] : sheets) {
        for (const auto& [label, picture] : entries) {
            pictures.emplace(std::make_pair(group, label), &picture);
        }
    }
}

SpriteStrip FilmCast::Strip(const std::string& group, const std::string& label, int frames)
{
    auto found = pictures.find({group, label});
    if (found == pictures.end() || frames < 1 || found->second->Height() % frames != 0) {
        std::fprintf(stderr, "FilmCast::Strip: no picture of %d frames <%s/%s>\n", frames, group.c_str(),
                     label.c_str());
        complete = false;
        return {};
    }
    return {found->second, frames};
}

SpriteStrip FilmCast::Figure(const std::string& group, const std::string& name, const std::string& clip, int direction,
                             int frames)
{
    const int d = ((direction % FigureStripWriter::kDirections) + FigureStripWriter::kDirections) %
                  FigureStripWriter::kDirections;
    return Strip(group, name + "_" + clip + "_" + FigureStripWriter::kDirectionSuffixes[d], frames);
}
