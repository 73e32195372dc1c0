#pragma once

#include <memory>

#include "filelib/IBlock.h"
#include "filelib/XmlElement.h"

namespace ovgApp {

// The graph state section of a graph document: "GrD", 9 reserved zero bytes, a 32-bit byte
// length and the graph state as an XML document in UTF-8.
class FileKmbGraphState : public OvGraphFileLib::IBlock {
public:
    // Throws Result: no tree code 56 at 5300; a tree that cannot be written code 56 at 5301;
    // code 51 at 5302 (tag), 5303 (reserved), 5304 (length), 5305 (document).
    void SaveImpl(std::ostream& out) const override;
    // Throws Result: code 52 at 5320 (tag short), 5321 (tag is not "GrD"), 5322 (reserved),
    // 5423 (length), 5424 (document bytes) and 5425 (the bytes are not a well-formed XML
    // document). The bytes are read in pieces, so a length the stream does not hold never
    // allocates more than what was actually read.
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmbGraphState"; }

    const std::shared_ptr<OvGraphFileLib::XmlElement>& GetTree() const { return m_tree; }
    void SetTree(std::shared_ptr<OvGraphFileLib::XmlElement> tree) { m_tree = std::move(tree); }

private:
    std::shared_ptr<OvGraphFileLib::XmlElement> m_tree;
};

}  // namespace ovgApp
