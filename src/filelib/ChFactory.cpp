#include "filelib/ChFactory.h"

#include "filelib/AppCalcCh.h"
#include "filelib/CalcCh.h"
#include "filelib/EmptyCh.h"
#include "filelib/FileCraCh.h"
#include "filelib/FileKe8Ch.h"
#include "filelib/FileKmqCh.h"
#include "filelib/FileKmvCh.h"
#include "filelib/FileKmvChCumulative.h"
#include "filelib/FileKmwCh.h"
#include "filelib/FileKs3Ch.h"
#include "filelib/GCh.h"

namespace OvGraphFileLib {

// The kn1 and kn2 channels do not store themselves (a document stores a GCh copy of them); a
// web-storage channel stores itself as "GCh".
ChFactory::ChFactory()
{
    Register<GCh>();
    Register<EmptyCh>();
    Register<CalcCh>();
    Register<AppCalcCh>();
    Register<FileKmvCh>();
    Register<FileKmvChCumulative>();
    Register<FileKmqCh>();
    Register<FileKe8Ch>();
    Register<FileKmwCh>();
    Register<FileKs3Ch>();
    Register<FileCraCh>();
}

const ChFactory& ChFactory::Instance()
{
    static const ChFactory* factory = new ChFactory;  // lives for the whole process
    return *factory;
}

template <class Channel>
void ChFactory::Register()
{
    m_creators[Channel().GetClassName()] = std::make_unique<CreateFanctor<Channel>>();
}

std::shared_ptr<ICh> ChFactory::Create(const std::string& className) const
{
    const auto found = m_creators.find(className);
    return found == m_creators.end() ? nullptr : found->second->Create();
}

}  // namespace OvGraphFileLib
