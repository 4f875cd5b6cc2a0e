// Writes the starting corpora of the fuzz targets: <directory>/<target>/<seed>. Every seed is
// made by the engine's own writers or built here, so no binary input lives in the repository.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "film/AviWriter.h"
#include "files/DataFile.h"
#include "files/File.h"
#include "files/TextScrambler.h"
#include "images/BmpWriter.h"
#include "images/Image.h"
#include "images/ImageRect.h"
#include "images/ImageUtil.h"
#include "params/AsciiSerializer.h"
#include "audio/TestSounds.h"
#include "seeds/BinarySeeds.h"
#include "sprites/AnimatedRLESprite.h"
#include "sprites/RleFile.h"
#include "support/FuzzOuter.h"

namespace {

namespace fs = std::filesystem;

fs::path root;

void Seed(const std::string& target, const std::string& name, const std::string& bytes)
{
    fs::create_directories(root / target);
    std::ofstream(root / target / name, std::ios::binary) << bytes;
}

std::string ReadBack(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Scrambled(std::string text)
{
    TextScrambler::Scramble(text.data(), text.size());
    return text;
}

void PutName(std::string& out, const std::string& name)
{
    std::string field(DataFile::kNameSize, '\0');
    field.replace(0, name.size(), name);
    out += field;
}

// A directory of a text and a binary entry, then their bytes.
void WriteArchiveSeeds()
{
    const std::string text = Scrambled("first line\r\nsecond line\nno end");
    const std::string blob = "\x01\x02\x03\x04 binary";
    const int contents = 4 + 2 * DataFile::kEntrySize;
    std::string out;
    seeds::Put32(out, 2);
    PutName(out, "data\\note.txt");
    seeds::Put32(out, contents);
    seeds::Put32(out, static_cast<uint32_t>(text.size()));
    out += std::string(DataFile::kEntrySize - DataFile::kNameSize - 8, '\0');
    PutName(out, "data\\blob.bin");
    seeds::Put32(out, static_cast<uint32_t>(contents + text.size()));
    seeds::Put32(out, static_cast<uint32_t>(blob.size()));
    out += std::string(DataFile::kEntrySize - DataFile::kNameSize - 8, '\0');
    Seed("fuzz_datafile", "two_entries", out + text + blob);
}

void WriteTextSeeds()
{
    const std::string lines = "first line\r\nsecond line\n\n" + std::string(200, 'x') + "\nlast";
    Seed("fuzz_textfile", "lines", "\x10" + Scrambled(lines));
    Seed("fuzz_textfile", "long_buffer", "\xff" + Scrambled(lines));
    const std::string settings = "screenwidth 1024\n# comment\nSECTION sounds\nvolume 80\n"
                                 "fullscreen 1\nname Quill mark\nENDSECTION\nwidth\t800px\nspeed 1.5\n";
    Seed("fuzz_settings", "sections", "SECTION sounds\n" + settings);
    Seed("fuzz_tokenizer", "line", "width 800px -7 1.5e3 0x10 nan\t+3");
    Seed("fuzz_sprite_list", "list", "# sprites\nhero anim hero normx 8\nrock static rock mirrx\n"
                                     "smoke anim_rle smoke normx 12\nbad anim x normx zero\n");
    Seed("fuzz_highscore", "tables", "108\n900 name:Quill\n800 name:Mark\n700 name:\n12x name:odd\n"
                                     "-5 name:a b c\n1 name:one\n2 name:two\n3 name:three\n4 name:four\n");
    Seed("fuzz_frame_table", "frames", "0 1 2 3 3 2\n4 x 5\n0.5 step\n");
    Seed("fuzz_markup", "tags", std::string("\x50\x04", 2) +
                                    "Hello <font big>big</font> world<br><center>mid</center> "
                                    "<halign right>r</halign><valign bottom>v</valign> &lt;a&gt; &amp;");
}

void WriteParamsSeed()
{
    const fs::path path = root / "params_seed.txt";
    FuzzOuter outer;
    outer.title = "seed";
    outer.inner.sprite = "dwarf";
    {
        File file;
        if (!file.OpenDisk(path.string().c_str(), "w")) {
            return;
        }
        AsciiSerializer writer(file, true);
        writer.SubObject("First", &outer);
        writer.SubObject("Second", &outer);
    }
    Seed("fuzz_params", "two_blocks", ReadBack(path));
    fs::remove(path);
}

bool Marked(int x, int y)
{
    return (x / 2 + y) % 3 == 0;
}

Image Checkers(int width, int height, int depth)
{
    Image image;
    image.Create(width, height, depth, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, Marked(x, y) ? MakeColor(200, 40, 10) : 0);
        }
    }
    return image;
}

// Palette indices written as they are (an 8-bit SetPixel looks its colour up in the palette).
Image IndexedCheckers(int width, int height)
{
    Image image;
    image.Create(width, height, 8, true);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.Row(y)[x] = Marked(x, y) ? static_cast<uint8_t>(x + 1) : 0;
        }
    }
    return image;
}

void WriteBmpSeed()
{
    const fs::path path = root / "bmp_seed.bmp";
    if (BmpWriter::Instance().Write(Checkers(5, 3, 24), path.string().c_str())) {
        Seed("fuzz_bmp", "rgb_5x3", ReadBack(path));
    }
    fs::remove(path);
    Seed("fuzz_bmp", "indexed_4x2", seeds::IndexedBmp(4, 2, 8));
    Seed("fuzz_bmp", "mask_9x2", seeds::IndexedBmp(9, 2, 1));
}

// 8-bit frames of a small sprite, encoded, with an alpha frame each.
void WriteRunLengthSeeds()
{
    Image frame = IndexedCheckers(6, 4);
    ImageUtil::Instance().RunLengthEncode(frame);
    const std::string stream(reinterpret_cast<const char*>(frame.GetData()), frame.GetDataSize());
    Seed("fuzz_rle_decode", "frame_6x4", std::string("\x05\x03\x00\x21", 4) + stream);

    AnimatedRLESprite sprite;
    sprite.SetCellSize(6, 4);
    for (int i = 0; i < 2; ++i) {
        auto colour = std::make_unique<Image>(IndexedCheckers(6, 4));
        auto alpha = std::make_unique<Image>(IndexedCheckers(6, 4));
        ImageUtil::Instance().RunLengthEncode(*colour);
        ImageUtil::Instance().RunLengthEncode(*alpha);
        sprite.AddFrame(std::move(colour), std::move(alpha), ImageRect{0, 0, 5, 3});
    }
    const std::vector<uint8_t> file = RleFile::Encode(sprite, 1234);
    Seed("fuzz_rle_file", "two_frames", std::string(file.begin(), file.end()));
}

void WriteFontSeed()
{
    // 12 x 3 pixels: three glyphs two columns wide with empty columns between.
    std::string pixels(36, '\0');
    for (int y = 0; y < 3; ++y) {
        for (int x : {1, 2, 5, 6, 9}) {
            pixels[static_cast<size_t>(y * 12 + x)] = 7;
        }
    }
    Seed("fuzz_font", "three_glyphs", std::string("\x0b\x02\x03", 3) + "abc" + pixels);
}

void WriteSoundSeeds()
{
    Seed("fuzz_wav", "mono16", audiotest::WavFile(8000, 16, 1, std::string(64, '\x10')));
    Seed("fuzz_wav", "stereo8", audiotest::WavFile(11025, 8, 2, std::string(32, '\x80')));
    Seed("fuzz_ogg", "tone", audiotest::OggTone(8000, 1, 800, 12000));
    Seed("fuzz_jpeg", "grey_8x8", seeds::Jpeg(8, 8, 1, false));
    Seed("fuzz_jpeg", "colour_16x8", seeds::Jpeg(16, 8, 3, false));
    Seed("fuzz_jpeg", "progressive_9x9", seeds::Jpeg(9, 9, 3, true));
}

// Three frames at 25 per second, with 8000 Hz mono sound and without.
void WriteFilmSeeds()
{
    for (bool withSound : {true, false}) {
        AviWriter writer(16, 8, 25, 1, 50);
        if (withSound) {
            writer.SetAudio(1, 8000);
        }
        for (int frame = 0; frame < 3; ++frame) {
            const std::vector<uint8_t> rgb(16 * 8 * 3, static_cast<uint8_t>(60 * frame + 20));
            writer.AddFrame(rgb.data());
        }
        const std::vector<int16_t> samples(1000, 1200);
        writer.AddAudio(samples.data(), samples.size());
        const std::vector<uint8_t> film = writer.Finish();
        Seed("fuzz_avi", withSound ? "mjpeg_pcm" : "mjpeg_silent", std::string(film.begin(), film.end()));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    root = fs::absolute(argv[1]);
    fs::create_directories(root);
    WriteArchiveSeeds();
    WriteTextSeeds();
    WriteParamsSeed();
    WriteBmpSeed();
    WriteRunLengthSeeds();
    WriteFontSeed();
    WriteSoundSeeds();
    WriteFilmSeeds();
    return 0;
}
