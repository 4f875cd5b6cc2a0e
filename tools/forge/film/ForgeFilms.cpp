#include "film/ForgeFilms.h"

#include <cstdio>
#include <future>
#include <string>

#include "core/ForgeOutput.h"
#include "film/FilmCast.h"
#include "film/FilmRecorder.h"
#include "film/FinaleFilm.h"
#include "film/OpeningFilm.h"
#include "sound/MusicPieces.h"

namespace {

constexpr const char* kOpeningPath = "data\\Movies\\video1.avi";
constexpr const char* kFinalePath = "data\\Movies\\video2.avi";

bool Write(ForgeOutput& output, const std::string& path, const std::string& name, const FilmRecorder::Reel& reel)
{
    for (const auto& [label, picture] : reel.stills) {
        output.AddToSheet("film_" + name, label, picture);
    }
    return output.WriteBytes(path, std::string(reel.avi.begin(), reel.avi.end()));
}

}  // namespace

bool ForgeFilms(ForgeOutput& output)
{
    FilmCast cast(output.Sheets());
    screen_painting::Fonts fonts;
    OpeningFilm opening(cast, fonts);
    FinaleFilm finale(cast, fonts);
    if (!cast.Complete()) {
        std::fprintf(stderr, "ForgeFilms: the films lack pictures; none is written\n");
        return false;
    }
    // The films only read the forge's pictures and the shared music, so they are made side by
    // side; each one's bytes depend on nothing but its own script.
    const std::shared_future<StereoMix> waltz =
        std::async(std::launch::async | std::launch::deferred, &music::TitleWaltz).share();
    auto first = std::async(std::launch::async | std::launch::deferred,
                            [&opening, waltz] { return FilmRecorder::Record(opening, waltz, "video1"); });
    const FilmRecorder::Reel second = FilmRecorder::Record(finale, waltz, "video2");
    const FilmRecorder::Reel firstReel = first.get();
    const bool openingWritten = Write(output, kOpeningPath, "video1", firstReel);
    return Write(output, kFinalePath, "video2", second) && openingWritten;
}
