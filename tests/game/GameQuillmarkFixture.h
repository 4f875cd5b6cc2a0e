#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Level.h"
#include "game/GameQuillmark.h"
#include "params/GameElement.h"
#include "support/TempDir.h"

// A level that writes what reaches it into a shared list, as "3 Activate", "0 KeyUp 27".
class RecordingLevel : public Level {
public:
    RecordingLevel(int levelNumber, std::vector<std::string>& callList) : number(levelNumber), calls(callList) {}

    bool Init(GameState* game) override;
    void Exit() override { Record("Exit"); }
    void Activate() override { Record("Activate"); }
    void Update(float) override { Record("Update"); }
    void Render() override { Record("Render"); }
    void KeyDown(int key) override { Record("KeyDown " + std::to_string(key)); }
    void KeyUp(int key) override { Record("KeyUp " + std::to_string(key)); }
    void MouseMove(int x, int y) override { Record("MouseMove " + std::to_string(x) + " " + std::to_string(y)); }

    GameState* Game() const { return game; }

private:
    void Record(const std::string& what) { calls.push_back(std::to_string(number) + " " + what); }

    int number;
    std::vector<std::string>& calls;
    GameState* game = nullptr;
};

// A game element with two parameters, registered under "TestElement".
class TestElement : public GameElement {
public:
    void Parameters(Serializer& serializer, const std::string& name) override;
    void Render() override {}
    void Update(float) override {}

    int strength = 1;
    int speed = 2;
};

// A static object of the settings file, as the sound engine is one.
class TestSettingsObject : public Object {
public:
    void Parameters(Serializer& serializer, const std::string& name) override;

    int volume = 10;
    float pitch = 1.0f;
};

// A fresh game in a temporary directory that holds just enough data to load: empty sprite and
// sound lists. Its levels record their calls; level 1 (the board game) and 2 are missing, as in
// the game until the board game exists.
class GameQuillmarkFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void WriteSettings(const std::string& text) const;
    std::string Log() const;
    bool LogHas(const std::string& text) const { return Log().find(text) != std::string::npos; }
    // Steps the game past the global keys' guard time.
    void Wait(double seconds);
    // Calls made to the levels since the last look, then forgotten.
    std::vector<std::string> TakeCalls();

    std::unique_ptr<TempDir> dir;
    std::vector<std::string> calls;
    std::unique_ptr<GameQuillmark> game;

private:
    static void ReleaseServices();
};
