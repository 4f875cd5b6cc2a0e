#pragma once

#include <vector>

class GameModel;

// What the debugging overlay shows of the board: the cells no figure may enter, the items'
// cells, each figure's cells and collision radius, and the computer's planned ways with their
// goals, projected as the board is drawn.
class BoardOverlay {
public:
    static void Submit(const std::vector<GameModel*>& figures);

private:
    static void SubmitWalkGrid();
    static void SubmitItems();
    static void SubmitFigure(const GameModel& figure);
    static void SubmitPath(const GameModel& figure);
};
