#pragma once

#include <string>

#include "game/figures/GameModel.h"

class BonusItem;

// A knight: carries a wooden board from the start, so its blows fell a dwarf at once; takes
// two blows to fell (one with a board); comes back after a fall; now and then drops a bomb.
class KnightModel : public GameModel {
public:
    static constexpr int kFullHitPoints = 2;
    static constexpr const char* kBombName = "BombItem_Dwarf";

    KnightModel();
    ~KnightModel() override;

    void Parameters(Serializer& serializer, const std::string& sectionName) override;
    void Render() override;
    void Update(float dtSeconds) override;
    void Reset() override;
    void Hit(GameElement* attacker, float force) override;
    void SetState(int newState) override;

protected:
    void StateStep() override;
    void LoadExtras(const std::string&) override { ClearSpriteOffsets(); }

private:
    void Init();
    void DropBomb();
    void Fell(GameModel& attacker);
    void ComeBack();
    void EndStrike();

    bool initialised = false;
    float bombProbability = 0.001f;
    BonusItem* bombPrototype = nullptr;
    bool comesBack = true;
    int nameIndex = 0;
};
