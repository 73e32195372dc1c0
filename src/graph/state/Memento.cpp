#include "graph/state/Memento.h"

#include "Common/Library/SeriousError.h"

namespace ovgGraph {

void RegisterGraphMementos(MementoFactory& factory);  // the graph's object kinds (GraphState.cpp)

MementoFactory& MementoFactory::Instance()
{
    static MementoFactory factory;
    return factory;
}

MementoFactory::MementoFactory() { RegisterGraphMementos(*this); }

void MementoFactory::Register(const std::string& name, Creator creator) { m_creators[name] = std::move(creator); }

std::shared_ptr<Memento> MementoFactory::Create(const std::string& name) const
{
    const auto found = m_creators.find(name);
    if (found == m_creators.end()) throw orvel::SeriousError("MementoFactory.cpp", __LINE__, name);
    return found->second();
}

void ListMemento::Write(XmlElement& parent) const
{
    XmlElement& element = parent.Append(ElementName());
    element.ReserveChildren(m_members.size());
    for (const auto& member : m_members) member->Write(element);
}

void ListMemento::Read(const XmlElement& element)
{
    m_members.clear();
    m_members.reserve(element.Children().size());
    for (const auto& child : element.Children()) {
        auto member = MementoFactory::Instance().Create(child->Name());
        member->Read(*child);
        m_members.push_back(std::move(member));
    }
}

}  // namespace ovgGraph
