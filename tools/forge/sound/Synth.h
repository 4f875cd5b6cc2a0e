#pragma once

#include <vector>

#include "sound/SoundRandom.h"

// The forge's synthesiser: sounds are float buffers (full scale 1.0) rendered at a given
// rate and turned into 16-bit PCM only when written.
namespace synth {

using Buffer = std::vector<float>;

constexpr int kEffectRate = 22050;
constexpr int kMusicRate = 44100;

int Frames(int rate, double seconds);

enum class Wave { Sine, Triangle, Saw, Square };

// The wave at phase 0..1; step is the phase advance per sample, used to round the edges of
// saw and square (poly-BLEP) so high notes do not alias.
float WaveAt(Wave wave, double phase, double step);

// A tone whose frequency glides exponentially from startHz to endHz.
Buffer Tone(int rate, double seconds, double startHz, double endHz, Wave wave);
// A tone with vibrato: depth in semitones, speed in Hz.
Buffer VibratoTone(int rate, double seconds, double hz, double depthSemitones, double speedHz, Wave wave);

Buffer WhiteNoise(SoundRandom& random, int frames);
// Integrated noise (dark rumble), levelled to about the loudness of white noise.
Buffer BrownNoise(SoundRandom& random, int frames);

// A decaying sine partial of a struck body.
struct Mode {
    double hz;
    float amplitude;
    double decaySeconds;
};
// The sum of struck modes, starting together with a click-free onset.
Buffer StruckBody(int rate, double seconds, const std::vector<Mode>& modes);

// Karplus-Strong string: brightness 0..1 shapes the pluck, stretch 0..1 how long it rings.
Buffer Pluck(int rate, double hz, double seconds, SoundRandom& random, float brightness, float stretch);
// A two-operator FM bell: carrier hz, modulator at ratio times hz, index fading with the tone.
Buffer FmBell(int rate, double hz, double seconds, double ratio, double index, double decaySeconds);

// Linear attack, exponential decay to silence (time constant decaySeconds).
void StrikeEnvelope(Buffer& samples, int rate, double attackSeconds, double decaySeconds);
// Attack, decay to sustain, hold, release: the note length is the buffer length.
void NoteEnvelope(Buffer& samples, int rate, double attack, double decay, float sustain, double release);
void FadeIn(Buffer& samples, int rate, double seconds);
void FadeOut(Buffer& samples, int rate, double seconds);

void Gain(Buffer& samples, float gain);
// Adds source * gain at frame offset, growing target as needed.
void MixInto(Buffer& target, const Buffer& source, int offset, float gain);
// As MixInto, but what runs past the end wraps round to the start (for loops).
void MixLooped(Buffer& target, const Buffer& source, int offset, float gain);

float Peak(const Buffer& samples);
// The loudness of the loudest moment: RMS of the loudest 50 ms window.
float LoudestRms(const Buffer& samples, int rate);
// Scales the sound so its loudest moment has the given RMS.
void SetLoudness(Buffer& samples, int rate, float targetRms);

}  // namespace synth
