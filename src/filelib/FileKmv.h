#pragma once

#include <memory>
#include <vector>

#include "filelib/FileKmvCh.h"
#include "filelib/FileKmvHeader.h"
#include "filelib/IFile.h"

namespace OvGraphFileLib {

// The kmv binary recording (also kaq and kac): a 256-byte file header, then one channel record
// per presence bit. Reading and writing give the same bytes.
class FileKmv : public IFile {
public:
    // Throw Result: header 2100 (write) / 2110 (read), channel records 3300-3312.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmv"; }
    // One FileKmvCh per record; an illuminance or UV channel that carries cumulative data is
    // followed by its FileKmvChCumulative, and its own copy no longer marks the cumulative data.
    ChList GetChList() const override;

    FileKmvHeader& Header() { return m_header; }
    std::vector<std::shared_ptr<FileKmvCh>>& Channels() { return m_channels; }

private:
    FileKmvHeader m_header;
    std::vector<std::shared_ptr<FileKmvCh>> m_channels;
};

}  // namespace OvGraphFileLib
