#include "audio/TestSounds.h"

#include <cmath>

#include <vorbis/vorbisenc.h>

namespace audiotest {

namespace {

void Put32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void Put16(std::string& out, uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void AppendPages(ogg_stream_state& stream, std::string& out, bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    }
}

void DrainBlocks(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, std::string& out)
{
    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            AppendPages(stream, out, false);
        }
    }
}

}  // namespace

std::string WavFile(int rate, int bits, int channels, const std::string& pcm)
{
    const int blockAlign = channels * bits / 8;
    std::string out = "RIFF";
    Put32(out, static_cast<uint32_t>(36 + pcm.size()));
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, static_cast<uint16_t>(channels));
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate * blockAlign));
    Put16(out, static_cast<uint16_t>(blockAlign));
    Put16(out, static_cast<uint16_t>(bits));
    out += "data";
    Put32(out, static_cast<uint32_t>(pcm.size()));
    return out + pcm;
}

std::string Pcm16(const std::vector<int16_t>& samples)
{
    std::string out;
    for (int16_t sample : samples) {
        Put16(out, static_cast<uint16_t>(sample));
    }
    return out;
}

std::vector<int16_t> Tone(int rate, int channels, int frames, int amplitude, float frequencyHz)
{
    std::vector<int16_t> out;
    for (int i = 0; i < frames; ++i) {
        const double phase = 2.0 * M_PI * frequencyHz * i / rate;
        const auto value = static_cast<int16_t>(std::lround(amplitude * std::sin(phase)));
        for (int c = 0; c < channels; ++c) {
            out.push_back(value);
        }
    }
    return out;
}

std::string OggTone(int rate, int channels, int frames, int amplitude, float frequencyHz)
{
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, channels, rate, 0.5f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::string out;
    ogg_packet header;
    ogg_packet commentHeader;
    ogg_packet codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    AppendPages(stream, out, true);

    const std::vector<int16_t> samples = Tone(rate, channels, frames, amplitude, frequencyHz);
    float** input = vorbis_analysis_buffer(&dsp, frames);
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            input[c][i] = samples[static_cast<size_t>(i * channels + c)] / 32768.0f;
        }
    }
    vorbis_analysis_wrote(&dsp, frames);
    DrainBlocks(dsp, block, stream, out);
    vorbis_analysis_wrote(&dsp, 0);
    DrainBlocks(dsp, block, stream, out);
    AppendPages(stream, out, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

}  // namespace audiotest
