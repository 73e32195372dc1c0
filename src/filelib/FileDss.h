#pragma once

#include <memory>
#include <vector>

#include "filelib/DssGCh.h"
#include "filelib/IFile.h"

namespace OvGraphFileLib {

// A web-storage JSON answer for one logger, given as UTF-8 text; one DssGCh per item of
// `channels`, in that order. Read-only. Failures are code 52 with the location of the step:
// 7300 text that is not JSON (the parser's message in `where`), 7310 status, the status itself
// when it is not 200 (the answer's `errors` messages in `where`), 7311-7316 the logger's keys,
// 7320 a channel that is not an object, 7321 chNumber, 7322 chName, 7323 blocks, 7330-7338 the
// keys of a block. Block data that is not Base64 or not whole records is code 55 at 7332; records
// that overflow a 32-bit count are code 55 at 7339.
class FileDss : public IFile {
public:
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileDss"; }
    ChList GetChList() const override;

private:
    std::vector<std::shared_ptr<DssGCh>> m_channels;
};

}  // namespace OvGraphFileLib
