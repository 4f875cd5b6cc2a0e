#include "sound/EspeakVoice.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kProgram = "espeak-ng";
constexpr int kEspeakRate = 22050;

uint32_t Read32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
}

uint16_t Read16(const std::string& bytes, size_t at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8));
}

}  // namespace

EspeakVoice::EspeakVoice(std::string voiceVariant, int voicePitch, int speed)
    : variant(std::move(voiceVariant)), pitch(voicePitch), wordsPerMinute(speed)
{
}

bool EspeakVoice::Available()
{
    return Run({kProgram, "--version"});
}

bool EspeakVoice::Speak(const std::string& text, synth::Buffer& speech) const
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("qmforge-speech-" + std::to_string(getpid()) + ".wav");
    const bool spoken = Run({kProgram, "-v", "de+" + variant, "-p", std::to_string(pitch), "-s",
                             std::to_string(wordsPerMinute), "-w", file.string(), text});
    const bool read = spoken && ReadSpeech(file.string(), speech);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    if (!read) {
        std::fprintf(stderr, "qmforge: espeak-ng could not speak \"%s\" with voice de+%s\n", text.c_str(),
                     variant.c_str());
    }
    return read;
}

bool EspeakVoice::Run(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) {
        return false;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// espeak-ng writes a plain 16-bit mono file; the chunks are walked, with every size checked.
bool EspeakVoice::ReadSpeech(const std::string& path, synth::Buffer& speech)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        return false;
    }
    size_t at = 12;
    bool formatOk = false;
    while (at + 8 <= bytes.size()) {
        const std::string tag = bytes.substr(at, 4);
        const size_t size = Read32(bytes, at + 4);
        const size_t body = at + 8;
        const size_t available = bytes.size() - body;
        if (tag == "fmt " && size >= 16 && size <= available) {
            formatOk = Read16(bytes, body) == 1 && Read16(bytes, body + 2) == 1 &&
                       Read32(bytes, body + 4) == kEspeakRate && Read16(bytes, body + 14) == 16;
        } else if (tag == "data" && formatOk) {
            const size_t length = std::min(size, available) / 2;
            speech.resize(length);
            for (size_t i = 0; i < length; ++i) {
                speech[i] = static_cast<int16_t>(Read16(bytes, body + 2 * i)) / 32768.0f;
            }
            return !speech.empty();
        }
        if (size > available) {
            return false;
        }
        at = body + size + (size & 1);
    }
    return false;
}
