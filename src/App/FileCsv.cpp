#include "App/FileCsv.h"

#include <bit>
#include <cmath>
#include <fstream>
#include <limits>
#include <unordered_map>

#include "App/AppCh.h"
#include "App/AppDateInfo.h"
#include "filelib/ChConstants.h"
#include "filelib/Stuff.h"

namespace ovgApp {
namespace {

constexpr const char* kWhere = "FileCsv::SaveImpl";
constexpr double kErrorAbove = 9.99999999995523e299;

// The time of a point in whole milliseconds: x × 1000 + 0.1, truncated.
int64_t PointMs(double x) { return int64_t(std::trunc(x * 1000.0 + 0.1)); }

// ASCII goes straight into the row; anything else through UTF-8.
void AppendCell(std::string& row, const QString& text, char separator)
{
    const size_t start = row.size();
    row.resize(start + size_t(text.size()) + 2);
    char* out = row.data() + start;
    *out++ = '"';
    const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
    const char16_t* end = c + text.size();
    // Dates and serial numbers are plain ASCII without quotes: copied as they are.
    for (; c != end && *c < 0x80 && *c != u'"'; ++c) *out++ = char(*c);
    row.resize(size_t(out - row.data()));
    if (c != end)
        row += FileCsv::Quote(QStringView(c, end).toUtf8().toStdString()).substr(1);
    else
        row += '"';
    row += separator;
}

// Walks a channel's points in chunks, skipping the marks between blocks.
class PointCursor {
public:
    explicit PointCursor(const AppPoints& points) : m_points(points) { Advance(); }
    // The current point's time in milliseconds; the largest int64 past the end.
    int64_t Ms() const { return m_ms; }
    // How many of the points have been passed.
    size_t Passed() const { return m_next - m_filled + std::min(m_at, m_filled); }
    double Y() const { return m_ys[m_at]; }
    void Advance()
    {
        for (;;) {
            if (++m_at >= m_filled) {
                m_filled = m_points.Read(m_next, kChunk, m_xs.data(), m_ys.data());
                m_next += m_filled;
                m_at = 0;
                if (m_filled == 0) {
                    m_ms = std::numeric_limits<int64_t>::max();
                    return;
                }
            }
            if (m_ys[m_at] != OvGraphFileLib::BREAK_VALUE) break;
        }
        m_ms = PointMs(m_xs[m_at]);
    }

private:
    static constexpr size_t kChunk = 4096;
    const AppPoints& m_points;
    std::vector<double> m_xs = std::vector<double>(kChunk), m_ys = std::vector<double>(kChunk);
    size_t m_next = 0;    // the next point to read
    size_t m_at = size_t(-1);  // the current point in the chunk
    size_t m_filled = 0;
    int64_t m_ms = 0;
};

}  // namespace

FileCsv::FileCsv(std::vector<std::shared_ptr<AppCh>> channels, const ovgApp::AppDateInfo& dateInfo, int32_t separator)
    : m_channels(std::move(channels)), m_dateInfo(dateInfo), m_separator(separator == kTab ? kTab : kComma)
{
}

std::string FileCsv::Quote(const std::string& utf8)
{
    std::string cell = "\"";
    for (const char c : utf8) {
        if (c == '"') cell += '"';
        cell += c;
    }
    return cell + '"';
}

OvGraphFileLib::Result FileCsv::Save(const std::filesystem::path& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return {OvGraphFileLib::kOpenFailed, 0, "OvGraphFileLib::IFile::Save"};
    OvGraphFileLib::Result result = Save(out);
    if (result.Ok() && !out.flush()) result = {OvGraphFileLib::kWriteFailed, 7003, kWhere};
    return result;
}

void FileCsv::SaveImpl(std::ostream& out) const
{
    const char separator = m_separator == kTab ? '\t' : ',';
    const auto writeRow = [&](std::string& row, int32_t location) {
        if (!row.empty() && row.back() == separator) row.pop_back();
        row += "\r\n";
        OvGraphFileLib::Stuff::WriteBytes(out, reinterpret_cast<const uint8_t*>(row.data()), row.size(), location, kWhere);
        // The three short header rows reach the file at once, so that a failure names its row;
        // data rows are flushed as the buffer fills.
        if (location != 7003 && !out.flush()) OvGraphFileLib::ThrowResult(OvGraphFileLib::kWriteFailed, location, kWhere);
    };
    const auto header = [&](const std::string& first, auto cellOf, int32_t location) {
        std::string row = first + separator + first + separator;
        for (const auto& channel : m_channels) row += Quote(cellOf(*channel).toUtf8().toStdString()) + separator;
        writeRow(row, location);
    };
    header("\"Date/Time\"", [](const AppCh& ch) { return ch.GetChNumberText(); }, 7000);
    header("\"Date/Time\"", [](const AppCh& ch) { return ch.GetDisplayName(); }, 7001);
    header("\"\"", [](const AppCh& ch) { return ch.GetUnitText(); }, 7002);

    bool milliseconds = false;
    for (const auto& channel : m_channels) {
        const int64_t interval = channel->GetInterval();
        milliseconds = milliseconds || (interval != -1 && interval < 1000);
    }

    // Merge the channels' points by time; each channel's points are in time order. The marks
    // between blocks are not samples and make no rows.
    const size_t n = m_channels.size();
    constexpr int64_t kNone = std::numeric_limits<int64_t>::max();
    std::vector<PointCursor> cursors;
    cursors.reserve(n);
    for (const auto& channel : m_channels) cursors.emplace_back(channel->GetPoints());
    // A channel's values come from a few thousand codes: each cell is made once.
    std::vector<std::unordered_map<uint64_t, std::string>> valueCells(n);
    std::vector<std::pair<double, std::string>> errorCells;
    const auto cellOf = [&](const std::string& text) { return Quote(text) + separator; };
    for (const auto& [value, text] : m_errorTexts) errorCells.emplace_back(value, cellOf(text));
    const std::string emptyCell = cellOf({});
    std::vector<double> lastValues(n, 0);
    std::vector<const std::string*> lastCells(n, nullptr);
    AppTimeFormatter::SystemClock clock;
    std::string row;
    row.reserve(256);
    size_t totalPoints = 0;
    for (const auto& channel : m_channels) totalPoints += channel->GetPoints().Size();
    constexpr int64_t kRowsPerReport = 1 << 16;
    int64_t rows = 0;
    for (;;) {
        if (m_progress && ++rows % kRowsPerReport == 0) {
            size_t passed = 0;
            for (const PointCursor& cursor : cursors) passed += cursor.Passed();
            m_progress(int64_t(passed), int64_t(totalPoints));
        }
        int64_t time = kNone;
        for (const PointCursor& cursor : cursors) time = std::min(time, cursor.Ms());
        if (time == kNone) break;
        row.clear();
        AppendCell(row, m_dateInfo.DateTimeText(time, milliseconds), separator);
        // The serial number is the row's instant on the computer's clock: the first channel with a
        // sample at this time tells the logger's offset from UTC.
        size_t first = 0;
        while (cursors[first].Ms() != time) ++first;
        const int64_t utcOffsetMs = int64_t(m_channels[first]->GetLocalTimeOffset() * 1000.0);
        AppendCell(row, m_dateInfo.SerialDayText(time, utcOffsetMs, clock), separator);
        for (size_t c = 0; c < n; ++c) {
            const std::string* cell = &emptyCell;
            while (cursors[c].Ms() == time) {
                const double y = cursors[c].Y();
                if (y == lastValues[c] && lastCells[c]) {  // slow-changing data repeats its value
                    cell = lastCells[c];
                } else if (y > kErrorAbove) {
                    cell = &emptyCell;
                    for (const auto& [value, text] : errorCells)
                        if (value == y) cell = &text;
                } else {
                    auto& known = valueCells[c][std::bit_cast<uint64_t>(y)];
                    if (known.empty()) known = cellOf(m_channels[c]->FormatValue(y).toUtf8().toStdString());
                    cell = &known;
                    lastValues[c] = y;
                    lastCells[c] = cell;
                }
                cursors[c].Advance();
            }
            row += *cell;
        }
        writeRow(row, 7003);
    }
}

}  // namespace ovgApp
