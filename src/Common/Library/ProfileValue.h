#pragma once

#include <QSettings>
#include <QString>
#include <cstdint>

namespace ovgApp {

// One entry of the per-user settings store: a section (a group path such as "Settings/DateInfo"),
// a key inside it and the value that stands in for it while the store holds none.
// T is int32_t, double or QString. Reading never fails: a key that is absent, or whose stored text
// does not convert to T, reads as the default.
template <typename T>
class ProfileValue {
public:
    ProfileValue(QString section, QString key, T defaultValue);

    T Read(const QSettings& settings) const;
    void Write(QSettings& settings, const T& value) const;
    // The same on the application's per-user store (organisation and application name of the
    // QCoreApplication).
    T Read() const;
    void Write(const T& value) const;

    const QString& GetSection() const { return m_section; }
    const QString& GetKey() const { return m_key; }
    const T& GetDefault() const { return m_default; }

private:
    QString Path() const { return m_section + u'/' + m_key; }

    QString m_section;
    QString m_key;
    T m_default;
};

extern template class ProfileValue<int32_t>;
extern template class ProfileValue<double>;
extern template class ProfileValue<QString>;

}  // namespace ovgApp
