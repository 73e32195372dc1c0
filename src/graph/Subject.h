#pragma once

#include <cstdint>
#include <vector>

#include "graph/Observer.h"
#include "graph/Sender.h"

namespace ovgGraph {

// Keeps an ordered list of observers (no duplicates, not owned) and notifies them in order.
class Subject : public Sender {
public:
    explicit Subject(Observer* first = nullptr);
    Subject(const Subject&) = delete;
    Subject& operator=(const Subject&) = delete;
    ~Subject() override;
    void Attach(Observer* observer);
    // Removes the first entry equal to the observer.
    void Detach(Observer* observer);
    const std::vector<Observer*>& Observers() const { return m_observers; }

protected:
    // Calls Update(this, flags) on every observer in list order.
    void NotifyObservers(uint32_t flags);

private:
    std::vector<Observer*> m_observers;
};

}  // namespace ovgGraph
