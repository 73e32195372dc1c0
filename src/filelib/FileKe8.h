#pragma once

#include <memory>
#include <vector>

#include "filelib/FileKe8Ch.h"
#include "filelib/FileKe8Header.h"
#include "filelib/IFile.h"

namespace OvGraphFileLib {

// The ke8 binary recording (also kej and kad): a 128-byte file header that starts with "QXA41 ",
// then one channel record per presence bit. Reading and writing give the same bytes.
class FileKe8 : public IFile {
public:
    // Throw Result: header 2100 (write) / 2110 (read; code 53 at 2111 for a wrong magic), channel
    // records 2200-2202 (write) and 2210, 2310, 2311 (read).
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKe8"; }
    // One FileKe8Ch per record, in file order.
    ChList GetChList() const override;

    const FileKe8Header& Header() const { return m_header; }
    const std::vector<std::shared_ptr<FileKe8Ch>>& Channels() const { return m_channels; }

private:
    FileKe8Header m_header;
    std::vector<std::shared_ptr<FileKe8Ch>> m_channels;
};

}  // namespace OvGraphFileLib
