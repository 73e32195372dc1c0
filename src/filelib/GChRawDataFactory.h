#pragma once

#include <map>
#include <memory>
#include <string>

#include "filelib/GChRawData.h"

namespace OvGraphFileLib {

// Creates an empty raw data block of a class, by the class name that serialized streams carry.
class GChRawDataFactory {
public:
    struct ICreateFanctor {
        virtual ~ICreateFanctor() = default;
        virtual std::shared_ptr<GChRawData> Create() const = 0;
    };
    template <class Block>
    struct CreateFanctor : ICreateFanctor {
        std::shared_ptr<GChRawData> Create() const override { return std::make_shared<Block>(); }
    };

    static const GChRawDataFactory& Instance();

    // An empty block of the class, or null for a name that is not registered.
    std::shared_ptr<GChRawData> Create(const std::string& className) const;

private:
    GChRawDataFactory();
    template <class Block>
    void Register();

    std::map<std::string, std::unique_ptr<ICreateFanctor>> m_creators;
};

}  // namespace OvGraphFileLib
