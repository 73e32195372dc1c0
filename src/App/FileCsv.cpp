#include "App/FileCsv.h"

#include <bit>
#include <cmath>
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

// Appends the cell: quoted, inner quotes doubled, then the separator.
void AppendCell(std::string& row, const char* text, size_t size, char separator)
{
    row += '"';
    for (size_t i = 0; i < size; ++i) {
        if (text[i] == '"') row += '"';
        row += text[i];
    }
    row += '"';
    row += separator;
}

// ASCII goes straight into the row; anything else through UTF-8.
void AppendCell(std::string& row, const QString& text, char separator)
{
    row += '"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            if (c == u'"') row += '"';
            row += char(c);
        } else {
            row += text.mid(i).toUtf8().replace("\"", "\"\"").toStdString();
            break;
        }
    }
    row += '"';
    row += separator;
}

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

void FileCsv::SaveImpl(std::ostream& out) const
{
    const char separator = m_separator == kTab ? '\t' : ',';
    const auto writeRow = [&](std::string& row, int32_t location) {
        if (!row.empty() && row.back() == separator) row.pop_back();
        row += "\r\n";
        OvGraphFileLib::Stuff::WriteBytes(out, reinterpret_cast<const uint8_t*>(row.data()), row.size(), location, kWhere);
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
    std::vector<size_t> next(n, 0);
    std::vector<int64_t> nextMs(n, kNone);  // the time of each channel's next point
    std::vector<size_t> runs(n, 0);
    std::vector<std::unordered_map<uint64_t, std::string>> valueTexts(n);
    const auto advance = [&](size_t c) {
        const AppPoints& points = m_channels[c]->GetPoints();
        while (next[c] < points.Size() && points.Y(next[c]) == OvGraphFileLib::BREAK_VALUE) ++next[c];
        nextMs[c] = next[c] < points.Size() ? PointMs(points.X(next[c], runs[c])) : kNone;
    };
    for (size_t c = 0; c < n; ++c) advance(c);
    std::string row;
    row.reserve(256);
    const std::string empty;
    for (;;) {
        int64_t time = kNone;
        for (size_t c = 0; c < n; ++c) time = std::min(time, nextMs[c]);
        if (time == kNone) break;
        row.clear();
        AppendCell(row, m_dateInfo.DateTimeText(time, milliseconds), separator);
        // The serial number is the row's instant on the computer's clock: the first channel with a
        // sample at this time tells the logger's offset from UTC.
        size_t first = 0;
        while (nextMs[first] != time) ++first;
        const int64_t utcOffsetMs = int64_t(m_channels[first]->GetLocalTimeOffset() * 1000.0);
        AppendCell(row, m_dateInfo.SerialDayText(time, utcOffsetMs), separator);
        for (size_t c = 0; c < n; ++c) {
            const AppPoints& points = m_channels[c]->GetPoints();
            const std::string* cell = &empty;
            while (nextMs[c] == time) {
                const double y = points.Y(next[c]);
                if (y > kErrorAbove) {
                    cell = &empty;
                    for (const auto& [value, text] : m_errorTexts)
                        if (value == y) cell = &text;
                } else {
                    // A channel's values come from a few thousand codes: format each once.
                    auto& known = valueTexts[c][std::bit_cast<uint64_t>(y)];
                    if (known.empty()) known = m_channels[c]->FormatValue(y).toUtf8().toStdString();
                    cell = &known;
                }
                ++next[c];
                advance(c);
            }
            AppendCell(row, cell->data(), cell->size(), separator);
        }
        writeRow(row, 7003);
    }
}

}  // namespace ovgApp
