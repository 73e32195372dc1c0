#include "filelib/XmlElement.h"

#include <pugixml.hpp>

#include "filelib/XmlLiteHelperException.h"

namespace OvGraphFileLib {
namespace {

void ToPugi(const XmlElement& element, pugi::xml_node parent)
{
    pugi::xml_node node = parent.append_child(element.Name().c_str());
    for (const auto& [name, value] : element.Attributes()) node.append_attribute(name.c_str()).set_value(value.c_str());
    if (!element.Text().empty()) node.append_child(pugi::node_pcdata).set_value(element.Text().c_str());
    for (const auto& child : element.Children()) ToPugi(*child, node);
}

std::shared_ptr<XmlElement> FromPugi(const pugi::xml_node& node)
{
    auto element = std::make_shared<XmlElement>(node.name());
    for (const pugi::xml_attribute& attribute : node.attributes()) element->SetAttribute(attribute.name(), attribute.value());
    size_t elements = 0;
    for (const pugi::xml_node& child : node.children()) elements += child.type() == pugi::node_element;
    element->ReserveChildren(elements);
    std::string text;
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() == pugi::node_element)
            element->Append(FromPugi(child));
        else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
    }
    element->SetText(std::move(text));
    return element;
}

}  // namespace

XmlElement& XmlElement::Append(std::shared_ptr<XmlElement> child)
{
    m_children.push_back(std::move(child));
    return *m_children.back();
}

XmlElement& XmlElement::Append(std::string name, std::string text)
{
    return Append(std::make_shared<XmlElement>(std::move(name), std::move(text)));
}

const XmlElement* XmlElement::Find(std::string_view name) const
{
    for (const auto& child : m_children)
        if (child->Name() == name) return child.get();
    return nullptr;
}

bool XmlElement::operator==(const XmlElement& other) const
{
    if (m_name != other.m_name || m_text != other.m_text || m_attributes != other.m_attributes) return false;
    if (m_children.size() != other.m_children.size()) return false;
    for (size_t i = 0; i < m_children.size(); ++i)
        if (!(*m_children[i] == *other.m_children[i])) return false;
    return true;
}

std::string WriteXmlDocument(const XmlElement& root)
{
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    ToPugi(root, document);
    struct StringWriter : pugi::xml_writer {
        std::string text;
        void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
    } out;
    // A Base64 double ends in CR LF: the CR is written as a character reference, so it comes back.
    document.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
    return std::move(out.text);
}

std::shared_ptr<XmlElement> ReadXmlDocument(std::string_view bytes)
{
    pugi::xml_document document;
    // No end-of-line normalisation: element texts keep their CR LF.
    const unsigned options = pugi::parse_default & ~pugi::parse_eol;
    const pugi::xml_parse_result parsed = document.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8);
    if (!parsed) throw XmlLiteHelperException(std::string(parsed.description()) + " at offset " + std::to_string(parsed.offset));
    const pugi::xml_node root = document.document_element();
    if (!root) throw XmlLiteHelperException("no document element");
    return FromPugi(root);
}

}  // namespace OvGraphFileLib
