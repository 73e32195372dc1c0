#pragma once

#include <map>
#include <memory>
#include <string>

#include "filelib/ICh.h"

namespace OvGraphFileLib {

// Creates an empty stored channel by the class name a graph document carries in front of it.
// Registered: every channel class that writes and reads its own stored form.
class ChFactory {
public:
    struct ICreateFanctor {
        virtual ~ICreateFanctor() = default;
        virtual std::shared_ptr<ICh> Create() const = 0;
    };
    template <class Channel>
    struct CreateFanctor : ICreateFanctor {
        std::shared_ptr<ICh> Create() const override { return std::make_shared<Channel>(); }
    };

    static const ChFactory& Instance();

    // An empty channel of the class, or null for a name that is not registered.
    std::shared_ptr<ICh> Create(const std::string& className) const;
    // Whether channels of the class can be stored and read back.
    bool Knows(const std::string& className) const { return m_creators.count(className) != 0; }

private:
    ChFactory();
    template <class Channel>
    void Register();

    std::map<std::string, std::unique_ptr<ICreateFanctor>> m_creators;
};

}  // namespace OvGraphFileLib
