#pragma once

#include <array>
#include <memory>
#include <vector>

#include "filelib/FileCraCh.h"
#include "filelib/IFile.h"

namespace OvGraphFileLib {

// The cra block file: a 96-byte header (bytes 0-2 "CRA", byte 4 the format version 1, bytes 8-11
// the number of blocks) and one block per channel. Reading and writing give the same bytes.
// Locations: header 1000 (write) / 1010 (read); "CRA" 53 at 1011; a newer version 54 at 1012.
class FileCra : public IFile {
public:
    static constexpr size_t kHeaderSize = 96;

    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileCra"; }
    ChList GetChList() const override { return {m_channels.begin(), m_channels.end()}; }

    std::array<uint8_t, kHeaderSize>& Header() { return m_header; }
    std::vector<std::shared_ptr<FileCraCh>>& Channels() { return m_channels; }

private:
    std::array<uint8_t, kHeaderSize> m_header{};
    std::vector<std::shared_ptr<FileCraCh>> m_channels;
};

}  // namespace OvGraphFileLib
