#include "sprites/SpriteLoaderUtil.h"

#include <cmath>
#include <cstring>

#include "app/Debug.h"
#include "files/DataFile.h"
#include "files/File.h"
#include "files/ReplacingFileWriter.h"
#include "images/BmpLoader.h"
#include "images/ImageConverter.h"
#include "images/ImageUtil.h"
#include "images/JpegLoader.h"
#include "render/Animation.h"
#include "settings/SettingsManager.h"
#include "settings/Tokenizer.h"
#include "sprites/AnimatedRLESprite.h"
#include "sprites/LoadingScreen.h"
#include "sprites/RleFile.h"
#include "sprites/SpriteManager.h"

namespace {

constexpr const char* kNormalMode = "normx";

// A line of the file without its line feed; false at the end.
bool ReadTextLine(File& file, std::string& line)
{
    char buffer[SpriteLoaderUtil::kMaxLineLength + 1];
    if (!file.ReadLine(buffer, sizeof(buffer))) {
        return false;
    }
    size_t length = std::strlen(buffer);
    if (length > 0 && buffer[length - 1] == '\n') {
        --length;
    }
    line.assign(buffer, length);
    return true;
}

int32_t TypeOfForm(const std::string& form, int tokenCount)
{
    if (form == "static" && tokenCount == 4) {
        return SpriteInfo::kStatic;
    }
    if (form == "anim" && tokenCount == 5) {
        return SpriteInfo::kAnim;
    }
    if (form == "anim_rle" && tokenCount == 5) {
        return SpriteInfo::kAnimRle;
    }
    return -1;
}

std::unique_ptr<Image> LoadPicture(const std::string& name, bool fromBmp)
{
    if (fromBmp) {
        return BmpLoader::Instance().Load((name + ".bmp").c_str());
    }
    std::unique_ptr<Image> image = JpegLoader::Instance().Load((name + ".jpg").c_str());
    return image && !image->IsEmpty() ? std::move(image) : nullptr;
}

}  // namespace

bool SpriteLoaderUtil::Load(const std::string& listFile, const std::string& directory, float progressStart,
                            float progressEnd, bool preload)
{
    bool generateRleFiles = SettingsManager::Instance().GetBool("generateRleFiles");
    File file;
    if (!file.Open(listFile.c_str(), "r")) {
        Debug::Instance().Error("SpriteLoaderUtil::Load: Failed to open <%s>!\n", listFile.c_str());
        return false;
    }
    int fileSize = file.Length();
    int entries = 0;
    std::string line;
    while (ReadTextLine(file, line)) {
        SpriteInfo info;
        LineResult result = ParseLine(line, directory, info);
        if (result == LineResult::kUnparsable) {
            Debug::Instance().Warning("SpriteLoaderUtil::Load: Couldn't parse line <%s>!\n", line.c_str());
        } else if (result == LineResult::kEntry) {
            ++entries;
            SpriteManager::Instance().AddSpriteInfo(info);
            if (info.type == SpriteInfo::kAnimRle && generateRleFiles) {
                GenerateRleFileOnce(info.label);
            }
            if (preload) {
                SpriteManager::Instance().GetSprite(info.label);
            }
        }
        if (fileSize > 0) {
            float fraction = static_cast<float>(file.Tell()) / static_cast<float>(fileSize);
            LoadingScreen::Instance().Progress(progressStart + (progressEnd - progressStart) * fraction);
        }
    }
    // Without this line an empty list would only show as screens without pictures.
    if (entries == 0) {
        Debug::Instance().Warning("SpriteLoaderUtil::Load: <%s> lists no sprites!\n", listFile.c_str());
    }
    return true;
}

SpriteLoaderUtil::LineResult SpriteLoaderUtil::ParseLine(const std::string& line, const std::string& directory,
                                                         SpriteInfo& info)
{
    if (!line.empty() && line[0] == '#') {
        return LineResult::kSkipped;
    }
    Tokenizer tokens(line);
    if (tokens.Count() < 2) {
        return LineResult::kSkipped;
    }
    int32_t type = TypeOfForm(tokens.Token(1), tokens.Count());
    int frames = 1;
    // A frame count that is no positive number would leave no frame to cut from the picture.
    if (type < 0 || (type != SpriteInfo::kStatic && (!Tokenizer::ParseInt(tokens.Token(4), frames) || frames < 1))) {
        return LineResult::kUnparsable;
    }
    info = SpriteInfo{};
    info.label = tokens.Token(0);
    info.file = directory + tokens.Token(2);
    info.type = type;
    info.mirror = tokens.Token(3) != kNormalMode;
    info.frameCount = frames;
    info.crop = true;
    return LineResult::kEntry;
}

void SpriteLoaderUtil::GenerateRleFileOnce(const std::string& label)
{
    if (rleFilesGenerated.insert(label).second) {
        // Binding an animation builds the sprite, which writes its ".rle" file.
        Animation animation;
        animation.SetSpriteLabel(label);
    }
}

std::unique_ptr<Image> SpriteLoaderUtil::LoadImage(const std::string& name, bool prepare)
{
    bool fromBmp = FileExists(name + ".bmp");
    if (!fromBmp && !FileExists(name + ".jpg")) {
        Debug::Instance().Error("SpriteLoaderUtil::LoadImage: Failed to load image <%s> from bmp or jpeg!\n",
                                name.c_str());
        return nullptr;
    }
    std::unique_ptr<Image> image = LoadPicture(name, fromBmp);
    if (!image || !prepare) {
        return image;
    }
    std::unique_ptr<Image> mask;
    if (!fromBmp && FileExists(name + "_Mask.bmp")) {
        mask = BmpLoader::Instance().Load((name + "_Mask.bmp").c_str());
    }
    ImageUtil::Instance().RemapTransparentColor(*image);
    image = ImageConverter::Instance().ConvertToScreenFormat(std::move(image));
    if (image && mask) {
        ImageUtil::Instance().ApplyMask(*image, *mask);
    }
    return image;
}

std::unique_ptr<Image> SpriteLoaderUtil::LoadAlphaImage(const std::string& name)
{
    std::string alphaName = name + "Alpha";
    std::unique_ptr<Image> mask;
    bool fromBmp = FileExists(alphaName + ".bmp");
    if (!fromBmp && !FileExists(alphaName + ".jpg")) {
        return nullptr;
    }
    std::unique_ptr<Image> alpha = LoadPicture(alphaName, fromBmp);
    if (!alpha) {
        return nullptr;
    }
    if (!fromBmp && FileExists(name + "_Mask.bmp")) {
        mask = BmpLoader::Instance().Load((name + "_Mask.bmp").c_str());
        if (!mask) {
            Debug::Instance().Error("SpriteLoaderUtil::LoadAlphaImage: Failed to load mask for image <%s>!\n",
                                    name.c_str());
        }
    }
    alpha = ImageConverter::Instance().ConvertTo8BitAlpha(std::move(alpha));
    if (alpha && mask) {
        ImageUtil::Instance().ApplyMask(*alpha, *mask);
    }
    return alpha;
}

std::vector<int32_t> SpriteLoaderUtil::LoadFrameTable(const std::string& file)
{
    std::vector<int32_t> table;
    File input;
    std::string name = file + ".txt";
    if (!input.Open(name.c_str(), "r")) {
        return table;
    }
    std::string line;
    while (ReadTextLine(input, line)) {
        Tokenizer tokens(line);
        for (int i = 0; i < tokens.Count(); ++i) {
            int frame = 0;
            if (Tokenizer::ParseInt(tokens.Token(i), frame)) {
                table.push_back(frame);
            } else {
                Debug::Instance().Warning("SpriteLoaderUtil::LoadFrameTable: Skipping <%s> in <%s>!\n",
                                          tokens.Token(i).c_str(), name.c_str());
            }
        }
    }
    return table;
}

std::map<float, std::string> SpriteLoaderUtil::LoadAudioEvents(const std::string& file)
{
    std::map<float, std::string> events;
    File input;
    if (!input.Open((file + "_audioevents.txt").c_str(), "r") && !input.Open((file + "_ae.txt").c_str(), "r")) {
        return events;
    }
    std::string line;
    while (ReadTextLine(input, line)) {
        Tokenizer tokens(line);
        float position = 0.0f;
        // A NaN would compare equal to every key of the map.
        if (tokens.Count() == 2 && Tokenizer::ParseFloat(tokens.Token(0), position) && std::isfinite(position)) {
            events[position] = tokens.Token(1);
        }
    }
    return events;
}

bool SpriteLoaderUtil::FileExists(const std::string& name)
{
    File file;
    return file.Open(name.c_str(), "rb");
}

bool SpriteLoaderUtil::ReadWholeFile(const std::string& name, std::vector<uint8_t>& bytes)
{
    File file;
    if (!file.Open(name.c_str(), "rb")) {
        Debug::Instance().Warning("Failed to open file <%s>!\n", name.c_str());
        return false;
    }
    int length = file.Length();
    bytes.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return length >= 0 && file.Read(bytes.data(), length) == length;
}

bool SpriteLoaderUtil::LoadPreEncodedData(AnimatedRLESprite& sprite, const std::string& base,
                                          const std::string& picture, int frameCount)
{
    std::string name = base + ".rle";
    std::vector<uint8_t> bytes;
    if (!FileExists(name) || !ReadWholeFile(name, bytes)) {
        return false;
    }
    RleFile::Header header;
    std::string problem;
    bool usable = RleFile::ParseHeader(bytes, header, problem);
    if (usable && header.version != RleFile::kVersion) {
        problem = "unknown version";
        usable = false;
    } else if (usable && header.frameCount != frameCount) {
        // The list cuts the picture into another number of frames now.
        problem = "another frame count than the sprite list's";
        usable = false;
    }
    // Data from the archive is trusted to match its pictures; on disk it must be current.
    if (usable && !DataFile::Instance().IsAvailable()) {
        bool current = header.sourceTime == File::GetFileTime((picture + ".bmp").c_str()) &&
                       header.hasAlpha == FileExists(picture + "_alpha.bmp");
        if (!current) {
            Debug::Instance().Log("SpriteLoaderUtil::LoadPreEncodedData: <%s> is out of date, rebuilding\n",
                                  name.c_str());
            return false;
        }
    }
    if (usable) {
        usable = RleFile::ParseFrames(bytes, header, sprite, problem);
    }
    if (!usable) {
        Debug::Instance().Warning("SpriteLoaderUtil::LoadPreEncodedData: Ignoring <%s>: %s\n", name.c_str(),
                                  problem.c_str());
    }
    return usable;
}

void SpriteLoaderUtil::CreatePreEncodedData(const AnimatedRLESprite& sprite, const std::string& base,
                                            const std::string& picture)
{
    if (sprite.GetFrameCount() == 0) {
        return;
    }
    if (DataFile::Instance().IsAvailable()) {
        Debug::Instance().Error(
            "SpriteLoaderUtil::CreatePreEncodedData: Try to create pre-encoded data with loaded Onefile!\n");
        return;
    }
    std::string name = base + ".rle";
    std::vector<uint8_t> bytes = RleFile::Encode(sprite, File::GetFileTime((picture + ".bmp").c_str()));
    // Replaced whole: another instance starting at the same time, or a crash, never leaves a
    // cache cut short.
    ReplacingFileWriter writer(name, "SpriteLoaderUtil::CreatePreEncodedData", ReplacingFileWriter::Kind::Cache);
    writer.Write([&bytes](File& file) {
        int size = static_cast<int>(bytes.size());
        return file.Write(bytes.data(), size) == size;
    });
}
