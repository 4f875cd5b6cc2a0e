#pragma once

#include "params/Object.h"

class GameModel;

// A figure's "Brains": each frame it decides where the figure goes and when it strikes, by
// calling the figure's own operations. The figure calls Update at the start of its update.
class DwarfController : public Object {
public:
    virtual void Reset() = 0;
    virtual void Attach(GameModel* figure) = 0;
    virtual void Update(float dtSeconds) = 0;

    bool AttacksOwnKind() const { return attacksOwnKind; }
    void SetAttacksOwnKind(bool on) { attacksOwnKind = on; }

protected:
    bool attacksOwnKind = true;
};
