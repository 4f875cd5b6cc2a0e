#pragma once

#include <string>

// One showing of a film between levels: the film is read through the file handlers (so it
// also plays from the archive), drawn into the frame at its fixed place below the top band,
// and ended early by Escape or Space. The caller has let go of the game's sound. A film that
// is missing or does not play leaves the screen as it was and a line in the log.
class VideoShow {
public:
    // Files above this are refused rather than read whole.
    static constexpr int kMaxFileBytes = 256 << 20;

    // True if the film was shown (to its end or until skipped).
    static bool Play(const std::string& fileName);
};
