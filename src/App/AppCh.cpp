#include "App/AppCh.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "App/AppDocument.h"
#include "App/PrmScaleExpr.h"
#include "Common/Library/OvChType.h"
#include "filelib/ChConstants.h"
#include "filelib/EmptyCh.h"
#include "filelib/GCh.h"
#include "filelib/GChRawData.h"
#include "filelib/TextCodec.h"
#include "graph/ValueStatistics.h"

namespace ovgApp {
namespace {

constexpr int32_t kCelsius = 13;
constexpr int32_t kFahrenheit = 14;

QString FromU16(const std::u16string& text) { return QString::fromStdU16String(text); }

// The channel type whose unit an override code shows (codes name kinds of quantity).
int32_t TypeOfOverrideCode(int32_t code)
{
    static constexpr int32_t kTypes[] = {0, 13, 14, 209, 65, 66, 73, 329, 85, 341, 129, 146, 77, 333, 416, 0};
    return code >= 0 && code < 16 ? kTypes[code] : 0;
}

// Points in [first, last) of a channel's point list, read in bulk for plotting.
class PointIterator : public ovgGraph::GCh::DataIteratorImpl {
public:
    PointIterator(const AppPoints* points, size_t index) : m_points(points), m_index(index) {}
    double GetTime() const override { return m_points->X(m_index); }
    double GetValue() const override { return m_points->Y(m_index); }
    std::unique_ptr<DataIteratorImpl> Clone() const override { return std::make_unique<PointIterator>(*this); }
    void Next() override
    {
        if (m_index >= m_points->Size()) throw std::out_of_range("out_of_range 1");
        ++m_index;
    }
    void Prev() override
    {
        if (m_index == 0) throw std::out_of_range("out_of_range 1");
        --m_index;
    }
    bool Equals(const DataIteratorImpl& other) const override
    {
        return m_index == static_cast<const PointIterator&>(other).m_index;
    }
    size_t Read(const DataIteratorImpl& last, double* times, double* values, size_t max) override
    {
        const size_t end = std::min(static_cast<const PointIterator&>(last).m_index, m_index + max);
        const size_t n = end > m_index ? m_points->Read(m_index, end - m_index, times, values) : 0;
        m_index += n;
        return n;
    }
    bool PeekGroup(const DataIteratorImpl& last, ovgGraph::GCh::SampleGroup& group) const override
    {
        AppPoints::Group g;
        if (!m_points->GroupAt(m_index, static_cast<const PointIterator&>(last).m_index, g)) return false;
        group = {g.count, g.lastX, g.lastY, g.minimum, g.maximum};
        return true;
    }
    size_t ToGroupBoundary() const override { return m_points->ToGroupBoundary(m_index); }
    void Skip(size_t count) override { m_index = std::min(m_points->Size(), m_index + count); }

private:
    const AppPoints* m_points;
    size_t m_index;
};

}  // namespace

AppCh::AppCh(AppDocument* document, std::shared_ptr<OvGraphFileLib::ICh> fileCh, ovgGraph::Glyph* parent)
    : GCh(parent), m_document(document)
{
    SetFileCh(std::move(fileCh));
}

AppCh::~AppCh() = default;

void AppCh::SetFileCh(std::shared_ptr<OvGraphFileLib::ICh> fileCh)
{
    m_fileCh = fileCh ? std::move(fileCh) : std::make_shared<OvGraphFileLib::EmptyCh>();
    const QString logger = FromU16(m_fileCh->GetLoggerName());
    m_displayName = logger.isEmpty() ? FromU16(m_fileCh->GetChName()) : logger + QLatin1Char(' ') + FromU16(m_fileCh->GetChName());
    m_scaleExpr = PrmScaleExpr::FromChannelText(FromU16(m_fileCh->GetScaleExpr()));
    if (!m_scaleExpr && m_document) m_scaleExpr = m_document->GetDefaultScaleExpr();
    if (!m_scaleExpr) m_scaleExpr = PrmScaleExpr::MakeNoConversion();
    m_useOwnType = true;
    m_ownType = m_fileCh->GetChType();
    m_overrideCode = 0;
    m_decimalPlacesOverride = -2;
    m_temperatureDisplayType = m_ownType;
    if (IsTemperature()) m_temperatureDisplayType = m_document && m_document->GetTemperatureDisplayType() == kFahrenheit ? kFahrenheit : kCelsius;
    Rebuild();
}

void AppCh::RebindFileCh(std::shared_ptr<OvGraphFileLib::ICh> fileCh)
{
    m_fileCh = fileCh ? std::move(fileCh) : std::make_shared<OvGraphFileLib::EmptyCh>();
    m_ownType = m_fileCh->GetChType();
    Rebuild();
    Notify(ovgGraph::kChanged | ovgGraph::kRelayout);
}

void AppCh::SetDisplayName(const QString& name)
{
    if (name == m_displayName) return;
    m_displayName = name;
    Notify(ovgGraph::kChanged);
}

bool AppCh::HasOwnScaleExpr() const { return m_scaleExpr && !m_scaleExpr->IsNoConversion(); }

void AppCh::SetScaleExpr(std::shared_ptr<PrmScaleExpr> expr)
{
    if (!expr) expr = m_document ? m_document->GetDefaultScaleExpr() : PrmScaleExpr::MakeNoConversion();
    m_scaleExpr = std::move(expr);
    Rebuild();
    Notify(ovgGraph::kChanged | ovgGraph::kRelayout);
}

void AppCh::SetTypeOverride(bool active, int32_t code)
{
    m_useOwnType = !active;
    m_overrideCode = active ? code : 0;
    // A channel that becomes a temperature shows the document's temperature unit.
    if (IsTemperature()) m_temperatureDisplayType = m_document && m_document->GetTemperatureDisplayType() == kFahrenheit ? kFahrenheit : kCelsius;
    Rebuild();
    Notify(ovgGraph::kChanged | ovgGraph::kRelayout);
}

bool AppCh::IsTemperature() const
{
    if (IsOverrideActive()) return m_overrideCode == 1 || m_overrideCode == 2;
    return m_ownType == kCelsius || m_ownType == kFahrenheit;
}

void AppCh::SetTemperatureDisplayType(int32_t type)
{
    if (!IsTemperature() || (type != kCelsius && type != kFahrenheit)) return;
    m_temperatureDisplayType = type;
    Rebuild();
    Notify(ovgGraph::kChanged | ovgGraph::kRelayout);
}

int32_t AppCh::EffectiveType() const { return IsOverrideActive() ? TypeOfOverrideCode(m_overrideCode) : m_ownType; }

bool AppCh::ShowsFahrenheitOfCelsius() const { return m_temperatureDisplayType == kFahrenheit && m_fileCh->GetChType() == kCelsius; }

int32_t AppCh::GetDecimalPlaces() const
{
    if (m_decimalPlacesOverride != -2) return m_decimalPlacesOverride == -1 ? 1 : m_decimalPlacesOverride;
    const int32_t places = m_fileCh->GetDecimalPlaces();
    return places == -1 ? 1 : places;
}

void AppCh::SetDecimalPlaces(int32_t places)
{
    // Stored in the data when they are editable, unless an override (kept from data that were not)
    // already decides what is shown.
    auto* editable = dynamic_cast<OvGraphFileLib::GCh*>(m_fileCh.get());
    if (editable && m_decimalPlacesOverride == -2)
        editable->SetDecimalPlaces(int8_t(places));
    else
        m_decimalPlacesOverride = places;
    Notify(ovgGraph::kChanged);
}

double AppCh::GetUpperLimit() const
{
    const double limit = m_fileCh->GetUpperLimit();
    return ShowsFahrenheitOfCelsius() && limit != OvGraphFileLib::NO_UPPER_LIMIT ? limit * 9 / 5 + 32 : limit;
}

double AppCh::GetLowerLimit() const
{
    const double limit = m_fileCh->GetLowerLimit();
    return ShowsFahrenheitOfCelsius() && limit != OvGraphFileLib::NO_LOWER_LIMIT && limit != OvGraphFileLib::INVALID_VALUE
               ? limit * 9 / 5 + 32
               : limit;
}

void AppCh::SetUpperLimit(double limit)
{
    if (ShowsFahrenheitOfCelsius() && limit != OvGraphFileLib::NO_UPPER_LIMIT) limit = (limit - 32) * 5 / 9;
    if (auto* editable = dynamic_cast<OvGraphFileLib::GCh*>(m_fileCh.get())) editable->SetUpperLimit(limit);
    Notify(ovgGraph::kChanged);
}

void AppCh::SetLowerLimit(double limit)
{
    if (ShowsFahrenheitOfCelsius() && limit != OvGraphFileLib::NO_LOWER_LIMIT) limit = (limit - 32) * 5 / 9;
    if (auto* editable = dynamic_cast<OvGraphFileLib::GCh*>(m_fileCh.get())) editable->SetLowerLimit(limit);
    Notify(ovgGraph::kChanged);
}

QString AppCh::IntervalText(int64_t intervalMs)
{
    if (intervalMs < 0) return {};
    int64_t s = intervalMs / 1000;
    const int64_t ms = intervalMs % 1000;
    QStringList parts;
    if (s > 3600) {
        parts << QStringLiteral("%1 hour").arg(s / 3600);
        s %= 3600;
    }
    if (s >= 60) {
        parts << QStringLiteral("%1 min.").arg(s / 60);
        s %= 60;
    }
    if (s >= 1) parts << QStringLiteral("%1 sec.").arg(s);
    if (ms != 0) parts << QStringLiteral("%1 ミリ秒").arg(ms);
    return parts.join(QLatin1Char(' '));
}

QString AppCh::GetIntervalText() const { return IntervalText(GetInterval()); }

QString AppCh::GetChNumberText() const
{
    const int index = m_document ? m_document->IndexOf(this) : -1;
    return index < 0 ? QString() : QStringLiteral("No.%1").arg(index + 1);
}

QString AppCh::GetUnitText() const
{
    if (GetDataCount() == 0) return {};
    if (HasOwnScaleExpr()) return m_scaleExpr->GetUnit();
    const QString aux = FromU16(m_fileCh->GetAuxText());
    if (!aux.isEmpty()) return aux;
    const int32_t type = IsTemperature() ? m_temperatureDisplayType : EffectiveType();
    return FromU16(orvel::detail::OvChTypeOf(uint16_t(type)).GetUnit());
}

QString AppCh::FormatValue(double y) const
{
    if (OvGraphFileLib::IsNoData(y)) return {};
    return QLocale::c().toString(y, 'f', std::clamp(GetDecimalPlaces(), 0, 9));
}

double AppCh::GetLocalTimeOffset() const
{
    const int64_t timeDiff = m_fileCh->GetTimeDiff();
    return timeDiff == OvGraphFileLib::NOT_GIVEN ? -60.0 * (m_document ? m_document->GetTimeZoneBias() : 0)
                                                 : double(timeDiff / 1000);
}

AppPoints::Conversion AppCh::MakeConversion(int32_t temperatureType) const
{
    // Conversions in the order: temperature unit, then the expression.
    const int32_t kind = IsOverrideActive() ? (m_overrideCode == 2 ? kFahrenheit : m_overrideCode == 1 ? kCelsius : 0) : m_ownType;
    const bool toCelsius = IsTemperature() && temperatureType == kCelsius && kind == kFahrenheit;
    const bool toFahrenheit = IsTemperature() && temperatureType == kFahrenheit && kind == kCelsius;
    return {toCelsius, toFahrenheit, HasOwnScaleExpr() ? m_scaleExpr : nullptr};
}

std::vector<OvGraphFileLib::ChSample> AppCh::GetSamples(int32_t temperatureType) const
{
    const auto convert = MakeConversion(temperatureType);
    const OvGraphFileLib::RawDataList blocks = m_fileCh->GetRawData();
    std::vector<OvGraphFileLib::ChSample> samples;
    size_t records = blocks.size();
    for (const auto& block : blocks) records += size_t(std::max(0, block->GetCount()));
    // Read in bulk straight into the result, then converted in place.
    samples.resize(records);
    auto it = OvGraphFileLib::GChDataIterator::Begin(blocks);
    size_t filled = 0;
    while (filled < samples.size()) {
        const size_t n = it.Read(samples.data() + filled, samples.size() - filled);
        if (n == 0) break;
        filled += n;
    }
    samples.resize(filled);
    if (!convert.IsIdentity())
        for (OvGraphFileLib::ChSample& sample : samples)
            if (sample.value != OvGraphFileLib::BREAK_VALUE) sample.value = convert(sample.value);
    return samples;
}

void AppCh::Rebuild()
{
    m_points.Clear();
    m_points.SetConversion(MakeConversion(m_temperatureDisplayType));
    const auto& convert = m_points.GetConversion();
    const OvGraphFileLib::RawDataList blocks = m_fileCh->GetRawData();
    const double offset = GetLocalTimeOffset();
    for (size_t b = 0; b < blocks.size(); ++b) {
        const OvGraphFileLib::GChRawData& block = *blocks[b];
        const int32_t count = block.GetCount();
        if (count <= 0) continue;
        if (block.IsEquallySpaced()) {
            // The points read the block's bytes, which the file channel shares: nothing is copied.
            m_points.AppendBlock(blocks[b], double(block.GetFirstTime()) / 1000.0 + offset, double(block.GetInterval()) / 1000.0);
        } else {
            for (int32_t i = 0; i < count; ++i)
                m_points.AppendPoint(double(block.GetTime(i)) / 1000.0 + offset, convert(block.GetValue(i)));
        }
        // A gap between blocks: no line joins them.
        if (b + 1 < blocks.size())
            m_points.AppendPoint(double(block.GetTime(count - 1) + 1) / 1000.0 + offset, OvGraphFileLib::BREAK_VALUE);
    }

    m_firstX = m_points.Empty() ? -OvGraphFileLib::INVALID_VALUE : m_points.X(0);
    m_lastX = m_points.Empty() ? OvGraphFileLib::INVALID_VALUE : m_points.X(m_points.Size() - 1);
    const ovgGraph::ValueStatistics& statistics = m_points.Statistics();
    m_maximum = statistics.maximum;
    m_minimum = statistics.minimum;
    m_average = statistics.Average();
    DataChanged();
}

ovgGraph::GCh::DataRange AppCh::CreateDataIterator(double timeMin, double timeMax, int before, int after) const
{
    const size_t size = m_points.Size();
    const size_t lower = m_points.LowerBound(timeMin);
    const size_t upper = m_points.UpperBound(timeMax);
    const size_t first = size_t(std::max<ptrdiff_t>(0, ptrdiff_t(lower) + before));
    const size_t last = std::min(size, size_t(std::max<ptrdiff_t>(ptrdiff_t(first), ptrdiff_t(upper) + after)));
    return {std::make_unique<PointIterator>(&m_points, first), std::make_unique<PointIterator>(&m_points, last)};
}

bool AppCh::HasData(double timeMin, double timeMax) const
{
    return !m_points.Empty() && m_firstX <= timeMax && m_lastX >= timeMin;
}

}  // namespace ovgApp
