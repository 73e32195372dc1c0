#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace OvGraphFileLib {

// A small in-memory XML tree: what the graph state and theme files are built into before they
// are written, and parsed into when they are read. Texts are UTF-8.
class XmlElement {
public:
    XmlElement() = default;
    explicit XmlElement(std::string name, std::string text = {}) : m_name(std::move(name)), m_text(std::move(text)) {}

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }
    const std::string& Text() const { return m_text; }
    void SetText(std::string text) { m_text = std::move(text); }
    const std::map<std::string, std::string>& Attributes() const { return m_attributes; }
    void SetAttribute(const std::string& name, std::string value) { m_attributes[name] = std::move(value); }
    const std::vector<std::shared_ptr<XmlElement>>& Children() const { return m_children; }

    // Appends a child and returns it.
    XmlElement& Append(std::shared_ptr<XmlElement> child);
    XmlElement& Append(std::string name, std::string text = {});
    void ReserveChildren(size_t count) { m_children.reserve(count); }
    // The first child of that name, or null.
    const XmlElement* Find(std::string_view name) const;

    bool operator==(const XmlElement& other) const;

private:
    std::string m_name;
    std::string m_text;
    std::map<std::string, std::string> m_attributes;
    std::vector<std::shared_ptr<XmlElement>> m_children;
};

// The tree as an XML document in UTF-8 with its declaration, indented by two spaces.
std::string WriteXmlDocument(const XmlElement& root);

// Parses a UTF-8 XML document; its document element becomes the root. A document that is not
// well-formed raises XmlLiteHelperException with the parser's description and byte offset.
// Element texts are the concatenated character data of the element (CR LF kept as written).
std::shared_ptr<XmlElement> ReadXmlDocument(std::string_view bytes);

}  // namespace OvGraphFileLib
