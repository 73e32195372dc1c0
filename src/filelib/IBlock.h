#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace OvGraphFileLib {

// Anything that serialises itself into a binary stream. SaveImpl and LoadImpl throw Result on failure.
class IBlock {
public:
    virtual ~IBlock() = default;
    virtual void SaveImpl(std::ostream& out) const = 0;
    virtual void LoadImpl(std::istream& in) = 0;
    // The class name that serialized streams and the graph document carry as a type tag.
    virtual std::string GetClassName() const = 0;
};

}  // namespace OvGraphFileLib
