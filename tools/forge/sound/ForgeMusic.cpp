#include "sound/ForgeMusic.h"

#include <cmath>
#include <future>
#include <string>
#include <vector>

#include "core/ForgeOutput.h"
#include "sound/Limiter.h"
#include "sound/MusicPieces.h"
#include "sound/PcmEncoding.h"
#include "sound/SoundPicture.h"

namespace {

constexpr float kVorbisQuality = 0.4f;
constexpr float kCeiling = 0.89f;

struct Piece {
    const char* gamePath;
    StereoMix (*render)();
    // The RMS of the whole loop: music near -17 dBFS, the ambience quieter.
    float loudnessRms;
    // Fixed, so the file's bytes never change from run to run.
    int serial;
};

const Piece kPieces[] = {
    {"data\\Shared\\Audio\\Ambient\\Titel.ogg", &music::TitleWaltz, 0.14f, 0x51A10001},
    {"data\\level01\\Audio\\Ambient\\Moorgan_L1.ogg", &music::MoorDance, 0.14f, 0x51A10002},
    {"data\\level01\\Audio\\Ambient\\amb_wald.ogg", &music::ForestAmbience, 0.09f, 0x51A10003},
};

struct Rendered {
    std::string ogg;
    synth::Buffer preview;
};

void Level(StereoMix& mix, float targetRms)
{
    double sum = 0.0;
    for (size_t i = 0; i < mix.Left().size(); ++i) {
        sum += static_cast<double>(mix.Left()[i]) * mix.Left()[i] + static_cast<double>(mix.Right()[i]) * mix.Right()[i];
    }
    const double rms = std::sqrt(sum / (2.0 * static_cast<double>(std::max<size_t>(1, mix.Left().size()))));
    if (rms > 0.0) {
        synth::Gain(mix.Left(), static_cast<float>(targetRms / rms));
        synth::Gain(mix.Right(), static_cast<float>(targetRms / rms));
    }
    Limiter(mix.Rate(), kCeiling).ApplyLoop(mix.Left(), mix.Right());
}

// Mono at the effects' rate is enough for the review picture.
synth::Buffer Preview(const StereoMix& mix)
{
    synth::Buffer mono(mix.Left().size() / 2);
    for (size_t i = 0; i < mono.size(); ++i) {
        mono[i] = 0.5f * (mix.Left()[2 * i] + mix.Right()[2 * i]);
    }
    return mono;
}

Rendered RenderPiece(const Piece& piece)
{
    StereoMix mix = piece.render();
    Level(mix, piece.loudnessRms);
    return {pcm::EncodeOggVorbis(mix.Left(), mix.Right(), mix.Rate(), kVorbisQuality, piece.serial), Preview(mix)};
}

std::string PictureLabel(const std::string& gamePath)
{
    return gamePath.substr(gamePath.find_last_of('\\') + 1);
}

}  // namespace

bool ForgeMusic(ForgeOutput& output)
{
    // The pieces are independent; encoding them side by side keeps the forge quick. Where no
    // thread can be started, a piece is rendered when its result is asked for.
    std::vector<std::future<Rendered>> jobs;
    for (const Piece& piece : kPieces) {
        jobs.push_back(std::async(std::launch::async | std::launch::deferred, RenderPiece, std::cref(piece)));
    }
    bool ok = true;
    for (size_t i = 0; i < jobs.size(); ++i) {
        const Rendered rendered = jobs[i].get();
        const std::string path = kPieces[i].gamePath;
        if (rendered.ogg.empty()) {
            ok = false;
            continue;
        }
        output.AddToSheet("sound_music", PictureLabel(path), soundpicture::Draw(rendered.preview, synth::kEffectRate));
        ok = output.WriteBytes(path, rendered.ogg) && ok;
    }
    return ok;
}
