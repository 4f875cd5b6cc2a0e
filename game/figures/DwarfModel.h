#pragma once

#include <string>
#include <vector>

#include "game/figures/GameModel.h"

class Sprite;
class Voice;

// A dwarf: walks, picks up items, raises its wooden board and strikes, staggers when hit and
// may call "Schach!" to stay on its feet, falls when it does not, and comes back elsewhere.
// The dwarf named "fenno" is the player's and is steered from the keyboard.
class DwarfModel : public GameModel {
public:
    static constexpr const char* kPlayerName = "fenno";
    static const std::vector<std::string>& Names();
    // The player's dwarf, published when a dwarf takes the name "fenno"; null before.
    static DwarfModel* Player() { return player; }

    DwarfModel();
    ~DwarfModel() override;

    void Parameters(Serializer& serializer, const std::string& sectionName) override;
    void Update(float dtSeconds) override;
    void Reset() override;
    void DrawStatus(int x, int y) override;
    void Hit(GameElement* attacker, float force) override;
    void Strike() override;
    void StartStrike() override;
    void SayCheck() override;
    void Hold() override;
    void Sleep(float seconds) override;
    void SetDirection(int dir) override;
    void StopSounds() override;
    void SetState(int newState) override;

    float GetCharge() const { return charge; }
    bool IsReleased() const { return released; }
    const std::vector<std::string>& GetCheckSounds() const { return checkSounds; }

protected:
    void StateStep() override;
    void LoadExtras(const std::string& baseName) override;

private:
    void Init();
    void LoadCheckSounds();
    void PlayOwnSound(const std::string& eventName);
    void PickUpItems();
    void HoldStrike(float dtSeconds);
    void HitByFigure(GameModel& attacker, float force);
    void HitByOther(GameElement* attacker);
    void LandBlow();
    void EndStrike();
    void Respawn();
    void MakePlayer();
    bool IsStriking() const { return state == kStrike || state == kBoardStrike; }

    static inline DwarfModel* player = nullptr;

    // The player's dwarf: the computer's steering it had before the player took it over.
    std::unique_ptr<DwarfController> computerBrains;
    bool initialised = false;
    Voice* ownSound = nullptr;
    std::vector<std::string> checkSounds;
    Sprite* icon = nullptr;
    bool released = false;
    float charge = -0.5f;
    float forceFactor = 0.3f;
    float forceMax = 3.0f;
    float dwarfSwayingTime = 1.0f;
    int nameIndex = 1;
};
