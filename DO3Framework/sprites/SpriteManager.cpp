#include "sprites/SpriteManager.h"

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "images/ImageRect.h"
#include "images/ImageUtil.h"
#include "platform/EventPump.h"
#include "sprites/AlphaSprite.h"
#include "sprites/AnimatedRLESprite.h"
#include "sprites/AnimatedSprite.h"
#include "sprites/ShadowSprite.h"
#include "sprites/SpriteLoaderUtil.h"
#include "sprites/SurfaceSprite.h"

namespace {

constexpr int kQuitOnBrokenData = -1;

void QuitAfterFrame()
{
    platform::EventPump::Instance().PostQuit(kQuitOnBrokenData);
}

// A surface sprite, or an alpha sprite when there is an alpha map.
std::unique_ptr<Sprite> MakePictureSprite(std::unique_ptr<Image> image, std::unique_ptr<Image> alpha, int width,
                                          int height, bool crop)
{
    if (alpha) {
        auto sprite = std::make_unique<AlphaSprite>();
        if (!sprite->Create(std::move(image), std::move(alpha), width, height, 0, 0, crop)) {
            return nullptr;
        }
        return sprite;
    }
    auto sprite = std::make_unique<SurfaceSprite>();
    if (!sprite->Create(std::move(image), width, height, 0, 0, crop)) {
        return nullptr;
    }
    return sprite;
}

// Rows [top, top + height) of a picture as a picture of its own.
std::unique_ptr<Image> CutCell(const Image& strip, int top, int height)
{
    auto cell = std::make_unique<Image>();
    if (!cell->Create(strip.GetWidth(), height, strip.GetDepth(), false)) {
        return nullptr;
    }
    if (strip.GetPalette()) {
        cell->SetPalette(strip.GetPalette());
    }
    ImageRect rect{0, top, strip.GetWidth() - 1, top + height - 1};
    if (!ImageUtil::Instance().CopyRect(strip, *cell, rect, 0, 0)) {
        return nullptr;
    }
    return cell;
}

void AttachSideFiles(Sprite& sprite, const std::string& file)
{
    sprite.GetFrameTable() = SpriteLoaderUtil::LoadFrameTable(file);
    sprite.GetAudioEvents() = SpriteLoaderUtil::LoadAudioEvents(file);
}

}  // namespace

SpriteManager::SpriteManager()
{
    DirectDraw::Instance().SetLostSurfaceHandler([this] { restoreNeeded = true; });
}

SpriteManager::~SpriteManager()
{
    if (DirectDraw::Exists()) {
        DirectDraw::Instance().SetLostSurfaceHandler(nullptr);
    }
}

void SpriteManager::AddSpriteInfo(const SpriteInfo& info)
{
    SpriteInfo& stored = infos[info.label];
    stored = info;
    stored.loaded = sprites.count(info.label) > 0;
}

const SpriteInfo* SpriteManager::FindSpriteInfo(const std::string& label) const
{
    auto found = infos.find(label);
    return found == infos.end() ? nullptr : &found->second;
}

Sprite* SpriteManager::GetSprite(const std::string& label)
{
    auto loaded = sprites.find(label);
    if (loaded != sprites.end()) {
        return loaded->second.get();
    }
    auto info = infos.find(label);
    if (info == infos.end()) {
        Debug::Instance().Warning("Failed to access SpriteInfo for label %s.\n", label.c_str());
        return nullptr;
    }
    std::unique_ptr<Sprite> sprite = CreateSprite(info->second);
    if (!sprite) {
        Debug::Instance().Warning("Failed to load sprite %s.\n", label.c_str());
        return nullptr;
    }
    Sprite* result = sprite.get();
    StoreSprite(std::move(sprite), label);
    return result;
}

std::unique_ptr<Sprite> SpriteManager::CreateSprite(const SpriteInfo& info)
{
    switch (info.type) {
    case SpriteInfo::kStatic:
        return LoadStaticSprite(info);
    case SpriteInfo::kShadow:
        return LoadShadowSprite(info);
    case SpriteInfo::kAnim:
        return LoadAnimatedSprite(info);
    case SpriteInfo::kAnimRle:
        return LoadAnimatedRLESprite(info);
    default:
        Debug::Instance().Error("invalid sprite type supplied in sprite info.\n");
        return nullptr;
    }
}

void SpriteManager::StoreSprite(std::unique_ptr<Sprite> sprite, const std::string& label)
{
    if (!sprite) {
        return;
    }
    sprites[label] = std::move(sprite);
    auto info = infos.find(label);
    if (info != infos.end()) {
        info->second.loaded = true;
    }
}

bool SpriteManager::ReleaseSprite(const std::string& label)
{
    if (sprites.erase(label) == 0) {
        return false;
    }
    auto info = infos.find(label);
    if (info != infos.end()) {
        info->second.loaded = false;
    }
    return true;
}

void SpriteManager::ReleaseAll()
{
    sprites.clear();
    infos.clear();
}

void SpriteManager::RestoreIfNeeded()
{
    if (!restoreNeeded) {
        return;
    }
    Debug::Instance().Log("Restoring surfaces.\n");
    DirectDraw::Instance().RestoreSurfaces();
    for (auto& entry : sprites) {
        entry.second->Restore();
    }
    restoreNeeded = false;
    Debug::Instance().Log("Restoring surfaces done.\n");
}

void SpriteManager::ReportMissingPicture(const SpriteInfo& info)
{
    Debug::Instance().Error("Failed to load sprite %s.\n", info.label.c_str());
    QuitAfterFrame();
}

std::unique_ptr<Sprite> SpriteManager::LoadStaticSprite(const SpriteInfo& info)
{
    SpriteLoaderUtil& loader = SpriteLoaderUtil::Instance();
    std::unique_ptr<Image> image = loader.LoadImage(info.file, true);
    if (!image) {
        ReportMissingPicture(info);
        return nullptr;
    }
    std::unique_ptr<Image> alpha = loader.LoadAlphaImage(info.file);
    if (info.mirror) {
        image->MirrorHorizontal();
        if (alpha) {
            alpha->MirrorHorizontal();
        }
    }
    int width = image->GetWidth();
    int height = image->GetHeight();
    return MakePictureSprite(std::move(image), std::move(alpha), width, height, info.crop);
}

std::unique_ptr<Sprite> SpriteManager::LoadShadowSprite(const SpriteInfo& info)
{
    std::unique_ptr<Image> mask = SpriteLoaderUtil::Instance().LoadImage(info.file, false);
    if (!mask) {
        ReportMissingPicture(info);
        return nullptr;
    }
    if (mask->GetDepth() != 1) {
        Debug::Instance().Error("SpriteManager::LoadShadowSprite: <%s> is not a 1-bit picture!\n", info.file.c_str());
        return nullptr;
    }
    if (info.mirror) {
        mask->MirrorHorizontal();
    }
    int width = mask->GetWidth();
    int height = mask->GetHeight();
    auto sprite = std::make_unique<ShadowSprite>();
    if (!sprite->Create(std::move(mask), width, height)) {
        return nullptr;
    }
    return sprite;
}

std::unique_ptr<Sprite> SpriteManager::LoadAnimatedSprite(const SpriteInfo& info)
{
    SpriteLoaderUtil& loader = SpriteLoaderUtil::Instance();
    std::unique_ptr<Image> strip = loader.LoadImage(info.file, true);
    if (!strip) {
        ReportMissingPicture(info);
        return nullptr;
    }
    std::unique_ptr<Image> alphaStrip = loader.LoadAlphaImage(info.file);
    int cellHeight = info.frameCount > 0 ? strip->GetHeight() / info.frameCount : 0;
    if (cellHeight < 1) {
        Debug::Instance().Error("SpriteManager::LoadAnimatedSprite: %d frames do not fit <%s>!\n", info.frameCount,
                                info.file.c_str());
        return nullptr;
    }
    if (info.mirror) {
        strip->MirrorHorizontal();
        if (alphaStrip) {
            alphaStrip->MirrorHorizontal();
        }
    }
    auto sprite = std::make_unique<AnimatedSprite>(strip->GetWidth(), cellHeight);
    for (int frame = 0; frame < info.frameCount; ++frame) {
        std::unique_ptr<Image> cell = CutCell(*strip, frame * cellHeight, cellHeight);
        std::unique_ptr<Image> alphaCell = alphaStrip ? CutCell(*alphaStrip, frame * cellHeight, cellHeight) : nullptr;
        std::unique_ptr<Sprite> frameSprite =
            cell ? MakePictureSprite(std::move(cell), std::move(alphaCell), strip->GetWidth(), cellHeight, info.crop)
                 : nullptr;
        if (!frameSprite) {
            return nullptr;
        }
        sprite->AddFrame(std::move(frameSprite));
    }
    AttachSideFiles(*sprite, info.file);
    return sprite;
}

std::unique_ptr<Image> SpriteManager::LoadRleStrip(const std::string& name)
{
    std::unique_ptr<Image> strip = SpriteLoaderUtil::Instance().LoadImage(name, false);
    if (!strip) {
        QuitAfterFrame();
        return nullptr;
    }
    if (strip->GetDepth() != 8) {
        Debug::Instance().Fatal("Alle anim_rle Animationen m\xFCssen 8Bit sein(auch alpha-images)!\n<%s> ist nicht 8Bit!",
                                name.c_str());
        QuitAfterFrame();
        return nullptr;
    }
    return strip;
}

std::unique_ptr<Sprite> SpriteManager::LoadAnimatedRLESprite(const SpriteInfo& info)
{
    Debug::Instance().Log("SpriteManager::LoadAnimatedRLESprite filename=%s\n", info.file.c_str());
    SpriteLoaderUtil& loader = SpriteLoaderUtil::Instance();
    std::string base = info.mirror ? info.file + "_mirror" : info.file;
    auto sprite = std::make_unique<AnimatedRLESprite>();
    if (!loader.LoadPreEncodedData(*sprite, base, info.file, info.frameCount)) {
        sprite = std::make_unique<AnimatedRLESprite>();
        std::unique_ptr<Image> strip = LoadRleStrip(info.file);
        if (!strip) {
            return nullptr;
        }
        std::unique_ptr<Image> alphaStrip;
        if (SpriteLoaderUtil::FileExists(info.file + "_alpha.bmp")) {
            alphaStrip = LoadRleStrip(info.file + "_alpha");
            if (!alphaStrip) {
                return nullptr;
            }
            ImageUtil::Instance().RemapTransparentColorAlpha(*alphaStrip);
        }
        if (info.mirror) {
            strip->MirrorHorizontal();
            if (alphaStrip) {
                alphaStrip->MirrorHorizontal();
            }
        }
        if (!sprite->Create(*strip, alphaStrip.get(), info.frameCount, info.crop)) {
            return nullptr;
        }
        loader.CreatePreEncodedData(*sprite, base, info.file);
    }
    AttachSideFiles(*sprite, info.file);
    return sprite;
}
