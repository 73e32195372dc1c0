#include "App/AppDocument.h"

#include <QDateTime>
#include <algorithm>

#include "App/AppCh.h"
#include "App/PrmScaleExpr.h"

namespace ovgApp {

AppDocument::AppDocument()
    : m_defaultScaleExpr(PrmScaleExpr::MakeNoConversion()), m_timeZoneBias(SystemTimeZoneBias())
{
}

AppDocument::~AppDocument() = default;

int32_t AppDocument::SystemTimeZoneBias() { return -QDateTime::currentDateTime().offsetFromUtc() / 60; }

void AppDocument::AddChannel(std::shared_ptr<AppCh> channel) { InsertChannel(m_channels.size(), std::move(channel)); }

void AppDocument::InsertChannel(size_t index, std::shared_ptr<AppCh> channel)
{
    channel->SetDocument(this);
    m_channels.insert(m_channels.begin() + ptrdiff_t(std::min(index, m_channels.size())), std::move(channel));
}

void AppDocument::RemoveChannel(const AppCh* channel)
{
    std::erase_if(m_channels, [channel](const std::shared_ptr<AppCh>& c) { return c.get() == channel; });
}

int AppDocument::IndexOf(const AppCh* channel) const
{
    for (size_t i = 0; i < m_channels.size(); ++i)
        if (m_channels[i].get() == channel) return int(i);
    return -1;
}

void AppDocument::SetTemperatureDisplayType(int32_t type)
{
    m_temperatureDisplayType = type;
    for (const auto& channel : m_channels)
        if (channel->IsTemperature()) channel->SetTemperatureDisplayType(type);
}

}  // namespace ovgApp
