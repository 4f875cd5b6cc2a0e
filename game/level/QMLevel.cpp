#include "game/level/QMLevel.h"

#include <algorithm>
#include <cstdio>

#include "app/Debug.h"
#include "game/figures/GameModel.h"
#include "params/AsciiSerializer.h"
#include "params/GameElement.h"
#include "text/TextDisplay.h"

namespace {

// Enough for every number a round shows at once, so adding one does not allocate.
constexpr size_t kReservedNumbers = 64;
constexpr const char* kNumberFont = "font_ziffern_gross";

}  // namespace

QMLevel::QMLevel()
{
    floatingNumbers.reserve(kReservedNumbers);
}

QMLevel::~QMLevel() = default;

void QMLevel::AddDynamic(std::unique_ptr<GameElement> element)
{
    GameElement* borrowed = element.get();
    dynamics.push_back({borrowed, std::move(element)});
}

void QMLevel::AddDynamic(GameElement* element)
{
    dynamics.push_back({element, nullptr});
}

bool QMLevel::HasDynamic(const GameElement* element) const
{
    return std::any_of(dynamics.begin(), dynamics.end(), [element](const Dynamic& d) { return d.element == element; });
}

void QMLevel::Forget(GameElement* element)
{
    if (std::find(forgetList.begin(), forgetList.end(), element) != forgetList.end()) {
        Debug::Instance().Warning("Double Entry in Forgetlist Crash hopefully evaded\n");
        return;
    }
    forgetList.push_back(element);
}

void QMLevel::AddFloatingNumber(int value, int x, int y)
{
    char text[16];
    std::snprintf(text, sizeof text, value < 1 ? "%i" : "+%i", value);
    FloatingNumber number;
    number.text = text;
    number.x = x;
    number.y = y;
    number.lifetime = numberTime;
    number.speed = numberSpeed;
    number.xOffset = -(TextDisplay::Instance().GetTextWidth(kNumberFont, number.text) / 2);
    floatingNumbers.push_back(std::move(number));
}

void QMLevel::UpdateDynamics(float dtSeconds)
{
    const size_t before = dynamics.size();
    // By index: an update may add dynamics, which join this same pass.
    for (size_t i = 0; i < dynamics.size(); ++i) {
        dynamics[i].element->Update(dtSeconds);
    }
    if (dynamics.size() > before) {
        Debug::Instance().Log("InUpdate Addition\n");
    }
}

void QMLevel::ProcessForgetList()
{
    // By index: taking an element out of play may forget another.
    for (size_t i = 0; i < forgetList.size(); ++i) {
        TakeOutOfPlay(forgetList[i]);
    }
    forgetList.clear();
}

void QMLevel::TakeOutOfPlay(GameElement* element)
{
    auto found =
        std::find_if(dynamics.begin(), dynamics.end(), [element](const Dynamic& d) { return d.element == element; });
    // Deleted on leaving, if the level owns it at all.
    std::unique_ptr<GameElement> owned;
    if (found == dynamics.end()) {
        Debug::Instance().Warning("Model missing in dynamics, item:%s\n",
                                  AsciiSerializer::ClassTypeName(*element).c_str());
    } else {
        owned = std::move(found->owned);
        dynamics.erase(found);
    }
    if (auto* figure = dynamic_cast<GameModel*>(element)) {
        Debug::Instance().Log("Removing Knight\n");
        figure->StopSounds();
        RemoveActiveFigure(figure);
        Debug::Instance().Log("Removing Done\n");
    }
}

void QMLevel::RemoveActiveFigure(const GameModel* figure)
{
    activeFigures.erase(std::remove(activeFigures.begin(), activeFigures.end(), figure), activeFigures.end());
}

void QMLevel::ClearDynamics()
{
    for (Dynamic& dynamic : dynamics) {
        if (auto* figure = dynamic_cast<GameModel*>(dynamic.element)) {
            RemoveActiveFigure(figure);
        }
    }
    // Owned elements are deleted here; each leaves the board's grids and lists as it goes.
    dynamics.clear();
}

void QMLevel::AgeFloatingNumbers(float dtSeconds)
{
    for (FloatingNumber& number : floatingNumbers) {
        number.age += dtSeconds;
    }
    floatingNumbers.erase(std::remove_if(floatingNumbers.begin(), floatingNumbers.end(),
                                         [](const FloatingNumber& n) { return n.age > n.lifetime; }),
                          floatingNumbers.end());
}
