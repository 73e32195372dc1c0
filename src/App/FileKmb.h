#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "App/FileKmbCh.h"
#include "App/FileKmbFileHeader.h"
#include "App/FileKmbGraphState.h"
#include "App/FileKmbMemo.h"
#include "filelib/IFile.h"
#include "filelib/XmlElement.h"

namespace ovgGraph {
class GraphAxes;
}

class QSaveFile;

namespace ovgApp {

class AppCh;
class AppDocument;

// The graph document file (.kmb): a 32-byte header, then the body: one record per application
// channel, the memo section and the graph state section, deflated as one gzip stream when the
// header's compression flag is 1, stored plainly when it is 0 (both are read).
//
// Reading never inflates the body ahead of the parser, and every count is checked against what
// the body can still hold before it sizes anything (see docs/formats.md), so a small file cannot
// make the reader allocate more than what the file truly inflates to.
class FileKmb : public OvGraphFileLib::IFile {
public:
    // A channel's axis identifiers in the graph (10 + i below, 20 + i left, 30 + i right,
    // 40 + i above; 0 none).
    struct AxisIds {
        uint8_t timeAxis = 0;
        uint8_t valueAxis = 0;
    };
    using AxisIdsOf = std::function<AxisIds(const AppCh&)>;

    // Header, then the body through a gzip-deflating buffer when compressed, then a flush.
    // Throws Result: the blocks' codes; finishing the body or flushing code 51 at 5101; more than
    // 65,535 records code 51 at 5100.
    void SaveImpl(std::ostream& out) const override;
    // Throws Result: the header's codes; a version above 6 code 54 at 5112; then the records',
    // the memo's and the graph state's codes (a corrupt or truncated gzip stream is a short read
    // of the step that was reading); a gzip stream that does not end intact after the graph state
    // (truncated or bad trailer) code 52 at 5430. Nothing is kept from a failed load.
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "FileKmb"; }

    using IFile::Load;
    using IFile::Save;
    // Writes through QSaveFile: a temporary file in the same folder that replaces the file only
    // once complete and flushed, so a failed save leaves the previous file as it was. A folder
    // that cannot take the temporary file: code 50 at 5120; a failed commit: code 51 at 5121;
    // otherwise the result of SaveImpl.
    OvGraphFileLib::Result Save(const std::filesystem::path& path) const override;
    // The same through a save file not yet opened (tests hand in one whose writes fail).
    OvGraphFileLib::Result Save(QSaveFile& file) const;
    // The stored channels, in record order.
    OvGraphFileLib::ChList GetChList() const override;

    // Replaces this file's content by the document's (the save action, before the graph's own
    // checks): version 6, the compression flag, one record per channel in document order with its
    // axis identifiers from axisIdsOf (0 and 0 when it is empty), the temperature unit (1 Celsius
    // or 2 Fahrenheit after the document's display when any channel is a temperature, else 0),
    // the memo and the graph state tree. A record that cannot be filled, or more than 65,535
    // channels: code 56 at 5500; no graph state tree: code 56 at 5504. Nothing changes on failure.
    OvGraphFileLib::Result FromDocument(const AppDocument& document, std::shared_ptr<OvGraphFileLib::XmlElement> graphState,
                                        const AxisIdsOf& axisIdsOf, bool compressed = true);
    // The same with the identifiers of the channels' axes in the graph's axes collection.
    OvGraphFileLib::Result FromDocument(const AppDocument& document, std::shared_ptr<OvGraphFileLib::XmlElement> graphState,
                                        const ovgGraph::GraphAxes& axes, bool compressed = true);
    // A graph document holds fewer than 10 value axes (left and right together): code 57 at 5505.
    static OvGraphFileLib::Result CheckValueAxisCount(const ovgGraph::GraphAxes& axes);

    FileKmbFileHeader& GetHeader() { return m_header; }
    const FileKmbFileHeader& GetHeader() const { return m_header; }
    // The header's channel count follows this list when saving.
    std::vector<FileKmbCh>& GetRecords() { return m_records; }
    const std::vector<FileKmbCh>& GetRecords() const { return m_records; }
    const QString& GetMemo() const { return m_memo.GetText(); }
    void SetMemo(const QString& memo) { m_memo.SetText(memo); }
    const std::shared_ptr<OvGraphFileLib::XmlElement>& GetGraphState() const { return m_graphState.GetTree(); }
    void SetGraphState(std::shared_ptr<OvGraphFileLib::XmlElement> tree) { m_graphState.SetTree(std::move(tree)); }

private:
    void SaveBody(std::ostream& out) const;

    FileKmbFileHeader m_header;
    std::vector<FileKmbCh> m_records;
    FileKmbMemo m_memo;
    FileKmbGraphState m_graphState;
};

}  // namespace ovgApp
