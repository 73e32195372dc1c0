#include "graph/Subject.h"

#include <algorithm>

namespace ovgGraph {

void Observer::Update(Subject*, uint32_t) {}

Subject::Subject(Observer* first)
{
    if (first) Attach(first);
}

void Subject::Attach(Observer* observer)
{
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void Subject::Detach(Observer* observer)
{
    const auto found = std::find(m_observers.begin(), m_observers.end(), observer);
    if (found != m_observers.end()) m_observers.erase(found);
}

void Subject::NotifyObservers(uint32_t flags)
{
    // A copy: an observer may detach itself while being notified.
    const std::vector<Observer*> observers = m_observers;
    for (Observer* observer : observers) observer->Update(this, flags);
}

}  // namespace ovgGraph
