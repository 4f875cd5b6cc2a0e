#pragma once

#include <map>
#include <memory>
#include <string>

#include "sprites/SpriteInfo.h"
#include "util/Singleton.h"

class Image;
class Sprite;

// The registry of sprites by label. Sprite lists register what a label is made of; the sprite
// is built on first use and owned here until it is released. Also the one place where lost
// display surfaces are restored, once per frame before presenting.
class SpriteManager : public Singleton<SpriteManager> {
public:
    SpriteManager();
    ~SpriteManager() override;

    // Registers or replaces the info under its label.
    void AddSpriteInfo(const SpriteInfo& info);
    // Null when the label was never registered.
    const SpriteInfo* FindSpriteInfo(const std::string& label) const;
    // The loaded sprite, built from its info on first use; null (and a log line) without info
    // or when building fails.
    Sprite* GetSprite(const std::string& label);
    // A sprite stored under the label before is deleted.
    void StoreSprite(std::unique_ptr<Sprite> sprite, const std::string& label);
    // Deletes the loaded sprite (the info stays); false if none was loaded.
    bool ReleaseSprite(const std::string& label);
    // Deletes every sprite and forgets every info.
    void ReleaseAll();
    int LoadedCount() const { return static_cast<int>(sprites.size()); }

    void SetRestoreNeeded() { restoreNeeded = true; }
    bool IsRestoreNeeded() const { return restoreNeeded; }
    // Restores the display's buffers and every sprite if a lost surface was met.
    void RestoreIfNeeded();

private:
    std::unique_ptr<Sprite> CreateSprite(const SpriteInfo& info);
    std::unique_ptr<Sprite> LoadStaticSprite(const SpriteInfo& info);
    std::unique_ptr<Sprite> LoadShadowSprite(const SpriteInfo& info);
    std::unique_ptr<Sprite> LoadAnimatedSprite(const SpriteInfo& info);
    std::unique_ptr<Sprite> LoadAnimatedRLESprite(const SpriteInfo& info);
    std::unique_ptr<Image> LoadRleStrip(const std::string& name);
    static void ReportMissingPicture(const SpriteInfo& info);

    std::map<std::string, std::unique_ptr<Sprite>> sprites;
    std::map<std::string, SpriteInfo> infos;
    bool restoreNeeded = false;
};
