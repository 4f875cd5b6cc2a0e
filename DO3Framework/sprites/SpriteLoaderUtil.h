#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "images/Image.h"
#include "sprites/SpriteInfo.h"
#include "util/Singleton.h"

class AnimatedRLESprite;

// Reads sprite lists, the pictures of sprites with their masks and alpha pictures, the frame
// tables and audio-event maps beside them, and the pre-encoded ".rle" files of animated
// run-length sprites.
class SpriteLoaderUtil : public Singleton<SpriteLoaderUtil> {
public:
    static constexpr int kMaxLineLength = 999;

    enum class LineResult {
        kEntry,
        kSkipped,
        kUnparsable,
    };

    // Registers every entry of a list file with the sprite manager; with preload the sprites are
    // built at once. The loading screen moves from progressStart to progressEnd meanwhile.
    bool Load(const std::string& listFile, const std::string& directory, float progressStart, float progressEnd,
              bool preload);
    // One list line: comments and lines of fewer than two tokens are skipped.
    static LineResult ParseLine(const std::string& line, const std::string& directory, SpriteInfo& info);

    // name + ".bmp", or name + ".jpg" with the 1-bit mask name + "_Mask.bmp" if there is one.
    // prepare remaps the transparent colour, converts to the screen format (8-bit pictures
    // through their palette) and applies the mask.
    std::unique_ptr<Image> LoadImage(const std::string& name, bool prepare);
    // name + "Alpha" as an 8-bit alpha map; null (no message) when there is none.
    std::unique_ptr<Image> LoadAlphaImage(const std::string& name);

    // Frame table (file + ".txt") and audio events (file + "_audioevents.txt" or file + "_ae.txt");
    // both optional.
    static std::vector<int32_t> LoadFrameTable(const std::string& file);
    static std::map<float, std::string> LoadAudioEvents(const std::string& file);

    // base + ".rle" for an empty sprite; picture is the file the sprite is built from (its
    // ".bmp" time and "_alpha.bmp" decide whether the data is current) and frameCount the number
    // of frames the list gives it. False when there is no usable file: missing, stale, foreign,
    // damaged, or cut into another number of frames.
    bool LoadPreEncodedData(AnimatedRLESprite& sprite, const std::string& base, const std::string& picture,
                            int frameCount);
    void CreatePreEncodedData(const AnimatedRLESprite& sprite, const std::string& base, const std::string& picture);

    static bool FileExists(const std::string& name);

private:
    void GenerateRleFileOnce(const std::string& label);
    static bool ReadWholeFile(const std::string& name, std::vector<uint8_t>& bytes);

    std::set<std::string> rleFilesGenerated;
};
