#pragma once

#include <filesystem>

#include "filelib/ICh.h"
#include "filelib/Result.h"

namespace OvGraphFileLib {

// A file of the library: a logger recording, a graph document or an export. LoadImpl reads the
// whole stream and builds the channel list; both Impl calls throw Result on failure. The public
// Save and Load never throw: any other exception becomes code 1 with its text in `where`.
class IFile : public IBlock {
public:
    // Readers that cannot write keep this: it throws std::logic_error("not impremented").
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override = 0;

    // Code 50 when the file cannot be opened. A failed save leaves the previous file untouched:
    // the data goes to a temporary file beside it, which replaces it only when complete.
    virtual Result Save(const std::filesystem::path& path) const;
    virtual Result Load(const std::filesystem::path& path);
    virtual Result Save(std::ostream& out) const;
    virtual Result Load(std::istream& in);
    // The channels in file order.
    virtual ChList GetChList() const = 0;
};

}  // namespace OvGraphFileLib
