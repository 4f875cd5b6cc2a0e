#pragma once

#include "game/items/BonusItem.h"

// Dropped by the knights: it cannot be collected. When its time runs out it explodes, and
// the blast strikes the dwarfs near it, nearest first, up to the first figure out of reach.
class BombItem : public BonusItem {
public:
    enum Phase : int { kWaiting = 0, kDetonating = 1 };
    // The blast comes with this frame of the explosion (6 of 13).
    static constexpr float kBlastPosition = 0.46153846153846156f;
    static constexpr float kExplosionFramesPerSecond = 15.0f;

    BombItem();

    void Render() override;
    void Update(float dtSeconds) override;
    void Reset() override;
    void PlaceAt(int column, int row) override;
    std::unique_ptr<BonusItem> Clone() const override;
    void PickUp(DwarfModel*) override {}
    void ParametersChanged() override;

protected:
    const char* SectionLabel() const override { return "BombItem"; }
    void ItemParameters(Serializer& serializer) override;
    void CopyFrom(const BonusItem& prototype) override;

private:
    void Detonate(float dtSeconds);
    void Blast();

    std::string animationName;
    Animation explosion;
    int phase = kWaiting;
    // In cells. Without a setting three: it catches whoever stands beside the bomb and spares
    // the rest of the board.
    float explosionRadius = 3.0f;
    BoardPoint bombPosition;
    bool exploded = false;
};
