#pragma once

#include <memory>
#include <vector>

#include "filelib/FileKmvHeader.h"
#include "filelib/FileKmwCh.h"
#include "filelib/IFile.h"

namespace OvGraphFileLib {

// The kmw binary recording: the kmv layout (a 256-byte file header with two presence words, then
// one channel record per presence bit) with kmw channels. Reading and writing give the same bytes.
class FileKmw : public IFile {
public:
    // Throw Result: header 2100 (write) / 2110 (read), channel records 3300-3312.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmw"; }
    // One FileKmwCh per record, in file order.
    ChList GetChList() const override;

private:
    FileKmvHeader m_header;
    std::vector<std::shared_ptr<FileKmwCh>> m_channels;
};

}  // namespace OvGraphFileLib
