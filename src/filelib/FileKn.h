#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "filelib/FileKnHeader.h"
#include "filelib/IFile.h"

namespace OvGraphFileLib {

class FileKnCh;
class GChRawData;

// The multi-input recordings kn1 and kn2: a 1280-byte file header (FileKnFileHeader, with its
// settings table), then the data block, which runs to the end of the file. The data block is a
// sequence of scans; a scan holds one sample of every recorded input, in table order. Scan j was
// taken at the first time plus j intervals. A partial scan at the end (a recording cut short) is
// left out.
class FileKn : public IFile {
public:
    // Throw Result, every failure at location 9999: a short header (code 52), another magic (53),
    // a version above 1 (54), version 0, a recorded-input count that is not that of the settings
    // table or is 0, an interval of 0, a negative first time, more than 2^31 - 1 scans or a last
    // scan beyond the 64-bit time range (55).
    void LoadImpl(std::istream& in) override;
    // One channel per recorded input, each with one block of its samples (none when the file has
    // no scans); nothing before a successful load.
    ChList GetChList() const override;

protected:
    virtual std::string_view Magic() const = 0;
    // Bytes of one input's sample in a scan.
    virtual uint8_t SampleSize(uint16_t chType) const = 0;
    virtual std::shared_ptr<FileKnCh> NewChannel() const = 0;
    virtual std::shared_ptr<GChRawData> NewBlock() const = 0;
    virtual const char* LoadWhere() const = 0;

private:
    size_t ScanSize(const FileKnFileHeader& header) const;
    bool FitsScans(const FileKnFileHeader& header, size_t blockSize) const;
    // The samples of the input at that offset within a scan, taken out of every whole scan.
    std::vector<uint8_t> InputSamples(size_t offset, uint8_t sampleSize, size_t scanSize) const;

    FileKnFileHeader m_header;
    FileKnBlock m_block;
};

// kn1 (model "QNS-7A"): every sample is a 16-bit code.
class FileKn1 final : public FileKn {
public:
    std::string GetClassName() const override { return "FileKn1"; }

protected:
    std::string_view Magic() const override;
    uint8_t SampleSize(uint16_t) const override { return 2; }
    std::shared_ptr<FileKnCh> NewChannel() const override;
    std::shared_ptr<GChRawData> NewBlock() const override;
    const char* LoadWhere() const override { return "OvGraphFileLib::FileKn1::LoadImpl"; }
};

// kn2 (model "QNS-7BK"): a sample has its channel type's width, so the cumulative pulse inputs
// record 32-bit counts.
class FileKn2 final : public FileKn {
public:
    std::string GetClassName() const override { return "FileKn2"; }

protected:
    std::string_view Magic() const override;
    uint8_t SampleSize(uint16_t chType) const override;
    std::shared_ptr<FileKnCh> NewChannel() const override;
    std::shared_ptr<GChRawData> NewBlock() const override;
    const char* LoadWhere() const override { return "OvGraphFileLib::FileKn2::LoadImpl"; }
};

}  // namespace OvGraphFileLib
