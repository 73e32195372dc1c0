#include "graph/Subject.h"

#include <algorithm>

namespace ovgGraph {

Observer::~Observer()
{
    for (Subject* subject : std::vector<Subject*>(m_subjects)) subject->Detach(this);
}

void Observer::Update(Subject*, uint32_t) {}

Subject::Subject(Observer* first)
{
    if (first) Attach(first);
}

Subject::~Subject()
{
    for (Observer* observer : m_observers) std::erase(observer->m_subjects, this);
}

void Subject::Attach(Observer* observer)
{
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
        observer->m_subjects.push_back(this);
    }
}

void Subject::Detach(Observer* observer)
{
    const auto found = std::find(m_observers.begin(), m_observers.end(), observer);
    if (found == m_observers.end()) return;
    m_observers.erase(found);
    const auto back = std::find(observer->m_subjects.begin(), observer->m_subjects.end(), this);
    if (back != observer->m_subjects.end()) observer->m_subjects.erase(back);
}

void Subject::NotifyObservers(uint32_t flags)
{
    // A copy: an observer may detach itself while being notified.
    const std::vector<Observer*> observers = m_observers;
    for (Observer* observer : observers) observer->Update(this, flags);
}

}  // namespace ovgGraph
