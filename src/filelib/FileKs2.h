#pragma once

#include <vector>

#include "filelib/FileKs2Header.h"
#include "filelib/IFile.h"

namespace OvGraphFileLib {

// The ks2 binary recording: a 416-byte header (FileKs2Header), then the header's record count of
// 4-byte records. A record is the channel number (byte 0, from 0), a byte kept as read and the
// 16-bit raw code (bytes 2-3). The j-th record of a channel lies at the first time plus j
// intervals; records of channel numbers at or above the channel count belong to no channel.
class FileKs2 : public IFile {
public:
    // Throw Result: header 6100 (short read, code 52), magic 6112 (code 53), record count and its
    // copy 6114, channel count and its copy or a count outside 1-8 6115, no records 6116 (code 55),
    // records 6101 (code 52).
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKs2"; }
    // One GCh per channel of the header, each with one FileKs2ChRawData block.
    ChList GetChList() const override;

private:
    FileKs2Header m_header;
    std::vector<uint8_t> m_records;
};

}  // namespace OvGraphFileLib
