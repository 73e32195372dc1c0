#pragma once

#include <memory>
#include <vector>

#include "filelib/FileKmqCh.h"
#include "filelib/IFile.h"

namespace OvGraphFileLib {

// The kmq XML export: a base unit and `ch` elements whose samples are Base64 text. Read-only.
// Locations: 8060 empty stream, 8061 parser failure, 8000 no format, 8001 no version, 8004 unknown
// sample kind, 8020 a count that cannot fit in the file. Malformed XML raises
// XmlLiteHelperException (a general failure with the parser's message).
class FileKmq : public IFile {
public:
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmq"; }
    ChList GetChList() const override;

private:
    std::vector<std::shared_ptr<FileKmqCh>> m_channels;
};

}  // namespace OvGraphFileLib
