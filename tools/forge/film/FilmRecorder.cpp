#include "film/FilmRecorder.h"

#include <cmath>
#include <cstdio>

#include "film/AviWriter.h"
#include "film/FigureMotion.h"
#include "film/FilmFormat.h"
#include "sound/PcmEncoding.h"

FilmRecorder::Reel FilmRecorder::Record(FilmScript& script, std::shared_future<StereoMix> waltz,
                                       const std::string& name)
{
    using namespace film_format;
    AviWriter writer(kWidth, kHeight, kFramesPerSecond, 1, kJpegQuality);
    Reel reel;
    const int frames = script.FrameCount();
    const double length = Seconds(frames);
    int nextStill = 0;
    for (int frame = 0; frame < frames; ++frame) {
        Canvas picture = script.Picture(frame);
        Darken(picture, FadeLevel(Seconds(frame), length, script.FadeInSeconds(), script.FadeOutSeconds()));
        writer.AddFrame(Rgb(picture).data());
        if (nextStill < kStills && frame == (2 * nextStill + 1) * frames / (2 * kStills)) {
            char label[48];
            std::snprintf(label, sizeof label, "%s %.1f s", name.c_str(), Seconds(frame));
            reel.stills.emplace_back(label, std::move(picture));
            ++nextStill;
        }
    }
    const synth::Buffer sound = script.Soundtrack(waltz.get());
    std::vector<int16_t> samples(static_cast<size_t>(frames) * kSamplesPerFrame, 0);
    for (size_t i = 0; i < samples.size() && i < sound.size(); ++i) {
        samples[i] = pcm::ToSample(sound[i]);
    }
    writer.SetAudio(1, kSampleRate);
    writer.AddAudio(samples.data(), samples.size());
    reel.avi = writer.Finish();
    return reel;
}

double FilmRecorder::FadeLevel(double seconds, double length, double fadeIn, double fadeOut)
{
    const double in = fadeIn > 0.0 ? seconds / fadeIn : 1.0;
    const double out = fadeOut > 0.0 ? (length - film_format::Seconds(1) - seconds) / fadeOut : 1.0;
    return figure_motion::Smooth(std::min(in, out));
}

void FilmRecorder::Darken(Canvas& picture, double level)
{
    if (level >= 1.0) {
        return;
    }
    const int scale = static_cast<int>(std::lround(level * 256.0));
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            Rgba& p = picture.At(x, y);
            p.r = static_cast<uint8_t>(p.r * scale >> 8);
            p.g = static_cast<uint8_t>(p.g * scale >> 8);
            p.b = static_cast<uint8_t>(p.b * scale >> 8);
        }
    }
}

std::vector<uint8_t> FilmRecorder::Rgb(const Canvas& picture)
{
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(picture.Width()) * picture.Height() * 3);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Rgba& p = picture.At(x, y);
            rgb.insert(rgb.end(), {p.r, p.g, p.b});
        }
    }
    return rgb;
}
