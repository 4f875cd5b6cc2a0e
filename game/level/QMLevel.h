#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Level.h"
#include "game/board/BoardPoint.h"

class GameElement;
class GameModel;
class StreamingSample;

// What any playing level holds: the figures of the game, the run-time objects of the round
// (items on the board and at work), the elements waiting to be taken out of play, the
// floating numbers that show points, and the level's looping streams.
class QMLevel : public Level {
public:
    struct FloatingNumber {
        std::string text;
        int x = 0;
        int y = 0;
        float age = 0.0f;
        float lifetime = 0.0f;
        float speed = 0.0f;
        int xOffset = 0;
    };

    QMLevel();
    ~QMLevel() override;

    // A run-time object of the round that the level owns and deletes when it leaves play.
    void AddDynamic(std::unique_ptr<GameElement> element);
    // One the level only refers to (a figure); it is never deleted here.
    void AddDynamic(GameElement* element);
    // Takes the element out of play at the end of the current update pass.
    void Forget(GameElement* element);
    void AddFloatingNumber(int value, int x, int y);

    const std::vector<GameModel*>& GetFigures() const { return figures; }
    const std::vector<GameModel*>& GetActiveFigures() const { return activeFigures; }
    const std::vector<GameElement*>& GetForgetList() const { return forgetList; }
    const std::vector<FloatingNumber>& GetFloatingNumbers() const { return floatingNumbers; }
    int DynamicCount() const { return static_cast<int>(dynamics.size()); }
    GameElement* GetDynamic(int index) const { return dynamics[static_cast<size_t>(index)].element; }
    bool HasDynamic(const GameElement* element) const;

protected:
    struct Dynamic {
        GameElement* element = nullptr;
        std::unique_ptr<GameElement> owned;
    };

    void UpdateDynamics(float dtSeconds);
    void ProcessForgetList();
    void AgeFloatingNumbers(float dtSeconds);
    // Deletes what the level owns; figures among the dynamics only leave play.
    void ClearDynamics();
    void RemoveActiveFigure(const GameModel* figure);

    std::vector<GameElement*> forgetList;
    std::vector<Dynamic> dynamics;
    std::vector<GameModel*> figures;
    std::vector<GameModel*> activeFigures;
    int nDwarfs = 1;
    std::map<std::string, StreamingSample*> streams;
    std::vector<FloatingNumber> floatingNumbers;
    float numberSpeed = -20.0f;
    float numberTime = 2.0f;
    std::string numberFont = "font_ziffern_gross";
    BoardPoint depthCorrection{1.0f, 0.0f};
    float ambientVolume = 0.1f;
    float musicVolume = 0.1f;

private:
    void TakeOutOfPlay(GameElement* element);
};
