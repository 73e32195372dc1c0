#pragma once

namespace ovgGraph {

// Base of every element that notifies on behalf of an owner; holds the owner (non-owning).
class Sender {
public:
    explicit Sender(void* owner = nullptr) : m_owner(owner) {}
    virtual ~Sender() = default;
    void* GetOwner() const { return m_owner; }
    void SetOwner(void* owner) { m_owner = owner; }

private:
    void* m_owner;
};

}  // namespace ovgGraph
