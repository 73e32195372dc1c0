#pragma once

#include <array>
#include <memory>
#include <vector>

#include "filelib/FileKs3Ch.h"
#include "filelib/IFile.h"

namespace OvGraphFileLib {

// The ks3 block file of the voltage loggers: a 128-byte header (bytes 0-5 "KZ33" and two spaces,
// bytes 6-9 and 10-13 two channel presence words) and one channel block per presence bit.
// Reading and writing give the same bytes. Locations: header 4200 (write) / 4210 (read), a wrong
// magic 55 at 4211.
class FileKs3 : public IFile {
public:
    static constexpr size_t kHeaderSize = 128;

    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKs3"; }
    ChList GetChList() const override { return {m_channels.begin(), m_channels.end()}; }

private:
    std::array<uint8_t, kHeaderSize> m_header{};
    std::vector<std::shared_ptr<FileKs3Ch>> m_channels;
};

}  // namespace OvGraphFileLib
