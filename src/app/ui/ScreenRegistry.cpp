#include "app/ui/ScreenRegistry.h"

namespace kor {

void ScreenRegistry::AddChildScreen(int number, const QString& className, ScreenFactory create)
{
    m_children[number] = ChildScreen{className, std::move(create)};
}

const ScreenRegistry::ChildScreen* ScreenRegistry::Child(int number) const
{
    const auto found = m_children.find(number);
    return found != m_children.end() ? &found->second : nullptr;
}

std::vector<int> ScreenRegistry::ChildNumbers() const
{
    std::vector<int> numbers;
    for (const auto& entry : m_children)
        numbers.push_back(entry.first);
    return numbers;
}

void ScreenRegistry::AddTourScreen(const QString& name, ScreenFactory create, QSize size)
{
    m_tour.push_back(TourScreen{name, std::move(create), size});
}

} // namespace kor
