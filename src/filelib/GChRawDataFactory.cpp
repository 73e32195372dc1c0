#include "filelib/GChRawDataFactory.h"

#include "filelib/DssChRawData.h"
#include "filelib/FileKe8ChRawData.h"
#include "filelib/FileCraChRawData.h"
#include "filelib/FileKmqChRawData.h"
#include "filelib/FileKmvChCumulativeRawData.h"
#include "filelib/FileKmvChRawData.h"
#include "filelib/FileKmwChRawData.h"
#include "filelib/FileKnChRawData.h"
#include "filelib/FileKs2ChRawData.h"
#include "filelib/RawDataInvalidInterval.h"
#include "filelib/RawDataValidInterval.h"

namespace OvGraphFileLib {

// Every block class that a stored channel may carry is registered here.
GChRawDataFactory::GChRawDataFactory()
{
    Register<GChRawData>();
    Register<RawDataValidInterval>();
    Register<RawDataInvalidInterval>();
    Register<FileKmqChRawData>();
    Register<FileCraChRawData>();
    Register<FileKmvChRawData>();
    Register<FileKmvChCumulativeRawData>();
    Register<FileKe8ChRawData>();
    Register<FileKs2ChRawData>();
    Register<FileKn1ChRawData>();
    Register<FileKn2ChRawData>();
    Register<FileKmwChRawData>();
    Register<DssChRawData>();
}

const GChRawDataFactory& GChRawDataFactory::Instance()
{
    static const GChRawDataFactory* factory = new GChRawDataFactory;  // lives for the whole process
    return *factory;
}

template <class Block>
void GChRawDataFactory::Register()
{
    m_creators[Block().GetClassName()] = std::make_unique<CreateFanctor<Block>>();
}

std::shared_ptr<GChRawData> GChRawDataFactory::Create(const std::string& className) const
{
    const auto found = m_creators.find(className);
    return found == m_creators.end() ? nullptr : found->second->Create();
}

}  // namespace OvGraphFileLib
