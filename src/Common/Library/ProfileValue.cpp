#include "Common/Library/ProfileValue.h"

#include <QVariant>
#include <limits>
#include <utility>

namespace ovgApp {

namespace {

bool Convert(const QVariant& stored, int32_t& value)
{
    bool ok = false;
    const qlonglong wide = stored.toLongLong(&ok);
    if (!ok || wide < std::numeric_limits<int32_t>::min() || wide > std::numeric_limits<int32_t>::max())
        return false;
    value = int32_t(wide);
    return true;
}

bool Convert(const QVariant& stored, double& value)
{
    bool ok = false;
    const double converted = stored.toDouble(&ok);
    if (ok) value = converted;
    return ok;
}

bool Convert(const QVariant& stored, QString& value)
{
    if (!stored.canConvert<QString>()) return false;
    value = stored.toString();
    return true;
}

}  // namespace

template <typename T>
ProfileValue<T>::ProfileValue(QString section, QString key, T defaultValue)
    : m_section(std::move(section)), m_key(std::move(key)), m_default(std::move(defaultValue))
{
}

template <typename T>
T ProfileValue<T>::Read(const QSettings& settings) const
{
    const QVariant stored = settings.value(Path());
    T value = m_default;
    if (!stored.isValid() || !Convert(stored, value)) return m_default;
    return value;
}

template <typename T>
void ProfileValue<T>::Write(QSettings& settings, const T& value) const
{
    settings.setValue(Path(), QVariant::fromValue(value));
}

template <typename T>
T ProfileValue<T>::Read() const
{
    const QSettings settings;
    return Read(settings);
}

template <typename T>
void ProfileValue<T>::Write(const T& value) const
{
    QSettings settings;
    Write(settings, value);
}

template class ProfileValue<int32_t>;
template class ProfileValue<double>;
template class ProfileValue<QString>;

}  // namespace ovgApp
