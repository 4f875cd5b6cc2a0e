#include "sound/PcmEncoding.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace pcm {

namespace {

constexpr int kEncodeBlockFrames = 4096;

void Put16(std::string& out, uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void AppendPage(std::string& out, const ogg_page& page)
{
    out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
}

// The libvorbis encoder's state, torn down in reverse order of set-up.
class VorbisSession {
public:
    VorbisSession(int rate, float quality, int serial)
    {
        vorbis_info_init(&info);
        ready = vorbis_encode_init_vbr(&info, 2, rate, quality) == 0;
        if (!ready) {
            return;
        }
        vorbis_comment_init(&comment);
        vorbis_analysis_init(&state, &info);
        vorbis_block_init(&state, &block);
        ogg_stream_init(&stream, serial);
    }
    ~VorbisSession()
    {
        if (ready) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&state);
            vorbis_comment_clear(&comment);
        }
        vorbis_info_clear(&info);
    }
    VorbisSession(const VorbisSession&) = delete;
    VorbisSession& operator=(const VorbisSession&) = delete;

    bool Ready() const { return ready; }

    void WriteHeaders(std::string& out)
    {
        ogg_packet identification;
        ogg_packet comments;
        ogg_packet codebooks;
        vorbis_analysis_headerout(&state, &comment, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream, &identification);
        ogg_stream_packetin(&stream, &comments);
        ogg_stream_packetin(&stream, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) != 0) {
            AppendPage(out, page);
        }
    }

    void WriteFrames(const float* left, const float* right, int frames, std::string& out)
    {
        float** channels = vorbis_analysis_buffer(&state, std::max(frames, 1));
        std::copy(left, left + frames, channels[0]);
        std::copy(right, right + frames, channels[1]);
        vorbis_analysis_wrote(&state, frames);
        Drain(out);
    }

    void Finish(std::string& out)
    {
        vorbis_analysis_wrote(&state, 0);
        Drain(out);
    }

private:
    void Drain(std::string& out)
    {
        while (vorbis_analysis_blockout(&state, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&state, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    AppendPage(out, page);
                }
            }
        }
    }

    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state state{};
    vorbis_block block{};
    ogg_stream_state stream{};
    bool ready = false;
};

}  // namespace

int16_t ToSample(float value)
{
    const float scaled = std::round(value * 32767.0f);
    return static_cast<int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

std::string EncodeWav(const synth::Buffer& samples, int rate)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    Put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate * 2));
    Put16(out, 2);
    Put16(out, 16);
    out += "data";
    Put32(out, dataBytes);
    for (float sample : samples) {
        Put16(out, static_cast<uint16_t>(ToSample(sample)));
    }
    return out;
}

std::string EncodeOggVorbis(const synth::Buffer& left, const synth::Buffer& right, int rate, float quality,
                            int serial)
{
    VorbisSession session(rate, quality, serial);
    if (!session.Ready() || left.size() != right.size()) {
        std::fprintf(stderr, "qmforge: the Vorbis encoder refused %d Hz at quality %.2f\n", rate, quality);
        return {};
    }
    std::string out;
    session.WriteHeaders(out);
    for (size_t at = 0; at < left.size(); at += kEncodeBlockFrames) {
        const int frames = static_cast<int>(std::min<size_t>(kEncodeBlockFrames, left.size() - at));
        session.WriteFrames(left.data() + at, right.data() + at, frames, out);
    }
    session.Finish(out);
    return out;
}

}  // namespace pcm
