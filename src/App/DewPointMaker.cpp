#include "App/DewPointMaker.h"

#include <QCoreApplication>

#include <cmath>
#include <vector>

#include "App/AppCh.h"
#include "App/SampleBlockBuilder.h"
#include "filelib/CalcCh.h"
#include "filelib/ChConstants.h"

namespace ovgApp::DewPoint {
namespace {

constexpr int32_t kCelsius = 13;

// A channel's samples without the break items; `breakBefore` marks a sample that starts a block.
struct Series {
    std::vector<OvGraphFileLib::ChSample> samples;
    std::vector<bool> breakBefore;
};

Series SeriesOf(const AppCh& channel, int32_t temperatureType)
{
    Series series;
    bool pending = false;
    for (const OvGraphFileLib::ChSample& sample : channel.GetSamples(temperatureType)) {
        if (sample.value == OvGraphFileLib::BREAK_VALUE) {
            pending = true;
            continue;
        }
        series.samples.push_back(sample);
        series.breakBefore.push_back(pending);
        pending = false;
    }
    return series;
}

}  // namespace

double Of(double celsius, double humidity)
{
    const double t = celsius + 273.15;
    const double lnEs =
        -6096.9385 / t + 21.2409642 - 0.02711193 * t + 0.00001673952 * t * t + 2.433502 * std::log(t);
    // The base is this constant, not e at full precision.
    const double es = std::pow(2.718281828, lnEs);
    const double e = es * humidity / 100;
    const double y = std::log(e / 611.213);
    const double dewPoint =
        y >= 0 ? 13.715 * y + 0.84262 * y * y + 0.019048 * y * y * y + 0.0078158 * y * y * y * y
               : 13.7204 * y + 0.736631 * y * y + 0.0332136 * y * y * y + 0.000778591 * y * y * y * y;
    return std::isfinite(dewPoint) ? dewPoint : OvGraphFileLib::INVALID_VALUE;
}

bool IsTemperatureCh(const AppCh& channel)
{
    return channel.IsTemperature();
}

bool IsHumidityCh(const AppCh& channel)
{
    if (channel.IsOverrideActive()) return channel.GetOverrideCode() == 3;
    return channel.GetOwnType() == 208 || channel.GetOwnType() == 209;
}

Made Make(const AppCh* temperature, const AppCh* humidity)
{
    const Series temperatures = temperature ? SeriesOf(*temperature, kCelsius) : Series();
    const Series humidities =
        humidity ? SeriesOf(*humidity, humidity->GetTemperatureDisplayType()) : Series();
    const size_t count = temperatures.samples.size();
    if (count == 0 || humidities.samples.empty())
        return {QCoreApplication::translate("DewPointMaker", "温度と湿度のデータがありません。"), nullptr};
    if (count != humidities.samples.size())
        return {QCoreApplication::translate("DewPointMaker", "温度と湿度のデータ数が異なります。"), nullptr};
    for (size_t i = 0; i < count; ++i)
        if (temperatures.samples[i].time != humidities.samples[i].time)
            return {QCoreApplication::translate("DewPointMaker", "温度と湿度のデータの時刻が異なります。"),
                    nullptr};

    const OvGraphFileLib::ICh& source = temperature->GetFileCh();
    const int64_t interval =
        source.GetInterval() == humidity->GetInterval() ? source.GetInterval() : OvGraphFileLib::NO_INTERVAL;
    OvGraphFileLib::RawDataList blocks;
    SampleBlockBuilder block(kCelsius, interval);
    for (size_t i = 0; i < count; ++i) {
        // A block of either source ends here, or a value is missing: the line does not go on.
        if (temperatures.breakBefore[i] || humidities.breakBefore[i]) block.End(blocks);
        const double t = temperatures.samples[i].value, h = humidities.samples[i].value;
        if (OvGraphFileLib::IsNoData(t) || OvGraphFileLib::IsNoData(h))
            block.End(blocks);
        else
            block.Add(temperatures.samples[i].time, Of(t, h));
    }
    block.End(blocks);

    auto channel = std::make_shared<OvGraphFileLib::CalcCh>();
    channel->SetSerialNo(source.GetSerialNo());
    channel->SetModel(source.GetModel());
    channel->SetLoggerName(source.GetLoggerName());
    channel->SetChName(u"露点温度");
    channel->SetDecimalPlaces(1);
    channel->SetTimeDiff(source.GetTimeDiff());
    channel->SetStdBias(source.GetStdBias());
    channel->SetDstBias(source.GetDstBias());
    channel->SetRawData(std::move(blocks));
    channel->SetChType(kCelsius);
    channel->SetInterval(interval);
    return {QString(), channel};
}

}  // namespace ovgApp::DewPoint
