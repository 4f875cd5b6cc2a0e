#pragma once

#include <memory>
#include <vector>

#include "game/board/BoardPoint.h"
#include "game/steering/AStarSearch.h"
#include "game/steering/DwarfController.h"

// The computer's steering of rival dwarfs and knights: it chooses a goal (the player, the
// nearest figure, a random free cell or its own cell), finds a way there with A*, walks it,
// strikes at figures that come within reach after a short delay, and calls "Schach!" when
// staggering. It plans again when a leg's time is up, on arrival, or when stuck.
class AStarController : public DwarfController {
public:
    static constexpr int kMaxSearchSteps = 300;

    AStarController();
    ~AStarController() override;

    void Parameters(Serializer& serializer, const std::string& name) override;
    void Reset() override;
    void Attach(GameModel* steered) override;
    void Update(float dtSeconds) override;

    GameModel* GetTarget() const { return target; }
    GameModel* GetStrikeCandidate() const { return strikeCandidate; }
    const std::vector<Cell>& GetPath() const { return path; }
    int GetPathIndex() const { return pathIndex; }
    const AStarSearch& GetSearch() const { return *search; }

    float turnLength = 0.75f;
    float generalAggressiveness = 0.9f;
    float playerAggressiveness = 0.3f;
    float sleepiness = 0.2f;
    float persistance = 0.8f;
    float sayCheck = 0.5f;
    float strikeDelay = 0.5f;

private:
    void Plan(float keepChance);
    Cell ChooseGoal(float keepChance);
    Cell ChooseNearestTarget();
    void Search(Cell goal);
    Cell TargetCell(const GameModel& other) const;
    GameModel* FindStrikeTarget() const;
    void StrikeAt(GameModel* other);
    int DirectionTo(BoardPoint point) const;
    int StraightRun(int index) const;
    void Walk();
    void Strike(float dtSeconds);
    bool MayAttack(const GameModel& other) const;

    std::unique_ptr<AStarSearch> search;
    float turnTimer = -1.0f;
    int pathIndex = -1;
    std::vector<Cell> path;
    GameModel* figure = nullptr;
    GameModel* target = nullptr;
    std::vector<GameModel*> figures;
    std::vector<GameModel*> byDistance;
    GameModel* strikeCandidate = nullptr;
    float strikeTimer = 0.0f;
    bool overrunLogged = false;
};
