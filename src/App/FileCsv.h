#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "filelib/IFile.h"

namespace ovgApp {
class AppDateInfo;
}

namespace ovgApp {

class AppCh;

// Channels as comma- or tab-separated text: three header rows (channel numbers, names, units),
// then one row per time at which any channel has a sample, starting with the time as text and as
// serial day number. Values appear as the application shows them. UTF-8, rows end with "\r\n",
// every cell in double quotes; rows are written as they are built.
// A failed write throws Result 51 at 7000 (row 1), 7001 (row 2), 7002 (row 3) or 7003 (data),
// and the rows written before it stay in the file.
class FileCsv : public OvGraphFileLib::IFile {
public:
    enum Separator : int32_t { kComma = 0, kTab = 1 };

    FileCsv(std::vector<std::shared_ptr<AppCh>> channels, const ovgApp::AppDateInfo& dateInfo,
            int32_t separator = kComma);

    // Texts for the no-data marks and error values (values above 9.99999999995523e299); a value
    // not in the table gives an empty cell.
    void SetErrorTexts(std::vector<std::pair<double, std::string>> texts) { m_errorTexts = std::move(texts); }

    // Called every 65,536 data rows with the points written so far and the points of all the
    // channels (break marks included), for a progress display.
    using Progress = std::function<void(int64_t pointsDone, int64_t pointsTotal)>;
    void SetProgress(Progress progress) { m_progress = std::move(progress); }

    using OvGraphFileLib::IFile::Save;
    // Writes straight into the file (no temporary beside it), so that a failure keeps the rows
    // before it; the end of the data rows is flushed and checked as row 7003.
    OvGraphFileLib::Result Save(const std::filesystem::path& path) const override;
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream&) override {}
    std::string GetClassName() const override { return "FileCsv"; }
    OvGraphFileLib::ChList GetChList() const override { return {}; }

    // The cell text of a value: quoted, with inner quotes doubled.
    static std::string Quote(const std::string& utf8);

private:
    std::vector<std::shared_ptr<AppCh>> m_channels;
    const ovgApp::AppDateInfo& m_dateInfo;
    int32_t m_separator;
    std::vector<std::pair<double, std::string>> m_errorTexts;
    Progress m_progress;
};

}  // namespace ovgApp
