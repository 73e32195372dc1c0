#include "ext/MacroScriptObjects.h"

#include <QJSEngine>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <type_traits>

#include "ext/AppMacroCallbacks.h"
#include "ext/AppMacroCh.h"
#include "ext/MacroWatchdog.h"

namespace ovgApp {
namespace {

// Times beyond ±2^53 ms would not survive the trip through a script number.
constexpr double kLargestTime = 9007199254740992.0;
// The most samples one block of replacement data may have: far beyond any recording, and small
// enough that reading them never exhausts memory.
constexpr quint32 kMostSamples = 50'000'000;
// The most files one load may name.
constexpr quint32 kMostFiles = 10000;
// How often a long read looks whether the run's time is up.
constexpr quint32 kCheckEvery = 65536;

bool IsArray(const QJSValue& value) { return value.isArray(); }

quint32 LengthOf(const QJSValue& array) { return array.property(QStringLiteral("length")).toUInt(); }

// A script number as a time, false for anything that is not a whole number of ms in range.
bool ToTime(const QJSValue& value, int64_t& time)
{
    if (!value.isNumber()) return false;
    const double number = value.toNumber();
    if (!std::isfinite(number) || std::fabs(number) > kLargestTime || std::floor(number) != number) return false;
    time = int64_t(number);
    return true;
}

// null, undefined and NaN are no value.
double ToValue(const QJSValue& value)
{
    if (value.isNull() || value.isUndefined()) return std::numeric_limits<double>::quiet_NaN();
    return value.toNumber();
}

// One block of replacement data from its script object; an error text when it is malformed, has
// more than `room` samples, or the run's time ran out while reading it.
QString ReadBlock(QJSEngine& engine, const QJSValue& object, size_t room, AppMacroCallbacks::Block& block)
{
    const QString outOfTime = QStringLiteral("the run's time ran out while reading the data");
    const QJSValue values = object.property(QStringLiteral("values"));
    if (!IsArray(values)) return QStringLiteral("a block needs an array 'values'");
    const quint32 count = LengthOf(values);
    if (count > room) return QStringLiteral("the data may hold at most %1 samples").arg(kMostSamples);
    block.values.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        if (i % kCheckEvery == 0 && engine.isInterrupted()) return outOfTime;
        block.values.push_back(ToValue(values.property(i)));
    }
    const QJSValue times = object.property(QStringLiteral("times"));
    if (IsArray(times)) {
        if (LengthOf(times) != count) return QStringLiteral("'times' and 'values' differ in length");
        block.times.resize(count);
        for (quint32 i = 0; i < count; ++i) {
            if (i % kCheckEvery == 0 && engine.isInterrupted()) return outOfTime;
            if (!ToTime(times.property(i), block.times[i])) return QStringLiteral("time %1 is not a whole number of ms").arg(i);
        }
        return {};
    }
    int64_t start = 0, interval = 0;
    if (!ToTime(object.property(QStringLiteral("start")), start) || !ToTime(object.property(QStringLiteral("interval")), interval) ||
        interval <= 0)
        return QStringLiteral("a block needs 'times', or 'start' and an 'interval' above 0 (ms)");
    if (count > 0 && (double(start) + double(interval) * double(count - 1)) > kLargestTime)
        return QStringLiteral("the block's times run out of range");
    block.times.resize(count);
    for (quint32 i = 0; i < count; ++i) block.times[i] = start + interval * int64_t(i);
    return {};
}

// Runs work the application does for the script: a failure inside it (a broken invariant, no
// memory) becomes a script error instead of unwinding through the engine, and with a watchdog the
// time it takes does not count against the script.
template <class Step>
auto Guarded(QJSEngine& engine, MacroWatchdog* watchdog, Step step) -> decltype(step())
{
    try {
        const MacroWatchdog::Pause pause(watchdog);
        return step();
    } catch (const std::exception& error) {
        engine.throwError(QJSValue::GenericError, QString::fromUtf8(error.what()));
    }
    if constexpr (!std::is_void_v<decltype(step())>) return {};
}

}  // namespace

MacroApp::MacroApp(AppMacroCallbacks& callbacks, QJSEngine& engine) : m_callbacks(callbacks), m_engine(engine) {}

QJSValue MacroApp::info()
{
    return m_engine.evaluate(QLatin1Char('(') + m_callbacks.GetAppInfo() + QLatin1Char(')'));
}

int MacroApp::channelCount()
{
    return m_callbacks.GetChCount();
}

QJSValue MacroApp::Wrap(const std::shared_ptr<AppMacroCh>& channel)
{
    return m_engine.newQObject(new MacroChannel(channel, m_engine));
}

QJSValue MacroApp::WrapList(const std::vector<std::shared_ptr<AppMacroCh>>& list)
{
    QJSValue array = m_engine.newArray(quint32(list.size()));
    for (size_t i = 0; i < list.size(); ++i) array.setProperty(quint32(i), Wrap(list[i]));
    return array;
}

QJSValue MacroApp::channels()
{
    return WrapList(m_callbacks.GetChList());
}

QJSValue MacroApp::graphChannels()
{
    return WrapList(m_callbacks.GetGraphChList());
}

QJSValue MacroApp::channel(int index)
{
    const auto view = m_callbacks.GetCh(index);
    return view ? Wrap(view) : QJSValue(QJSValue::NullValue);
}

int MacroApp::load(const QJSValue& paths)
{
    QStringList list;
    if (paths.isString()) {
        list << paths.toString();
    } else if (IsArray(paths) && LengthOf(paths) <= kMostFiles) {
        for (quint32 i = 0; i < LengthOf(paths); ++i) list << paths.property(i).toString();
    } else {
        m_engine.throwError(QJSValue::TypeError, QStringLiteral("load() takes a path or an array of at most %1 paths").arg(kMostFiles));
        return 0;
    }
    QStringList errors;
    const int added = Guarded(m_engine, m_watchdog, [&] { return m_callbacks.LoadFiles(list, errors); });
    if (!errors.isEmpty()) m_engine.throwError(QJSValue::GenericError, errors.join(QLatin1Char('\n')));
    return added;
}

std::shared_ptr<AppMacroCh> MacroApp::ViewOf(const QJSValue& value)
{
    if (auto* channel = qobject_cast<MacroChannel*>(value.toQObject())) return channel->View();
    m_engine.throwError(QJSValue::TypeError, QStringLiteral("not a channel"));
    return nullptr;
}

bool MacroApp::isValid(const QJSValue& channel)
{
    auto* object = qobject_cast<MacroChannel*>(channel.toQObject());
    return object && m_callbacks.IsValidCh(*object->View());
}

void MacroApp::replace(const QJSValue& channel, const QJSValue& data)
{
    const auto view = ViewOf(channel);
    if (!view) return;
    if (!data.isObject()) {
        m_engine.throwError(QJSValue::TypeError, QStringLiteral("replace() needs the channel's new data"));
        return;
    }
    std::vector<AppMacroCallbacks::Block> blocks;
    size_t samples = 0;
    const QJSValue list = data.property(QStringLiteral("blocks"));
    const auto read = [&](const QJSValue& object) {
        AppMacroCallbacks::Block block;
        QString error;
        try {
            error = ReadBlock(m_engine, object, kMostSamples - samples, block);
        } catch (const std::exception& failure) {  // no memory for the data
            error = QString::fromUtf8(failure.what());
        }
        samples += block.values.size();
        if (!error.isEmpty()) {
            m_engine.throwError(QJSValue::TypeError, error);
            return false;
        }
        blocks.push_back(std::move(block));
        return true;
    };
    if (IsArray(list)) {
        for (quint32 i = 0; i < LengthOf(list); ++i)
            if (!read(list.property(i))) return;
    } else if (!read(data)) {
        return;
    }
    const QJSValue places = data.property(QStringLiteral("decimalPlaces"));
    const int decimalPlaces = places.isNumber() ? places.toInt() : -1;
    const QString error = Guarded(m_engine, m_watchdog, [&] { return m_callbacks.ReplaceCh(*view, blocks, decimalPlaces); });
    if (!error.isEmpty()) m_engine.throwError(QJSValue::RangeError, error);
}

int MacroApp::remove(const QJSValue& channels)
{
    AppMacroCallbacks::ChList views;
    if (IsArray(channels)) {
        for (quint32 i = 0; i < LengthOf(channels); ++i) {
            auto view = ViewOf(channels.property(i));
            if (!view) return 0;
            views.push_back(std::move(view));
        }
    } else {
        auto view = ViewOf(channels);
        if (!view) return 0;
        views.push_back(std::move(view));
    }
    return Guarded(m_engine, m_watchdog, [&] { return m_callbacks.DeleteCh(views); });
}

MacroChannel::MacroChannel(std::shared_ptr<AppMacroCh> view, QJSEngine& engine) : m_view(std::move(view)), m_engine(engine) {}

QString MacroChannel::number() const { return m_view->GetChNumber(); }
QString MacroChannel::name() const { return m_view->GetName(); }
QString MacroChannel::unit() const { return m_view->GetUnit(); }
QString MacroChannel::serialNo() const { return m_view->GetSerialNo(); }
QString MacroChannel::model() const { return m_view->GetModel(); }
QString MacroChannel::loggerName() const { return m_view->GetLoggerName(); }
int MacroChannel::kind() const { return m_view->GetDataKind(); }
int MacroChannel::decimalPlaces() const { return m_view->GetDecimalPlaces(); }
double MacroChannel::interval() const { return double(m_view->GetInterval()); }
int MacroChannel::blockCount() const { return m_view->GetDataBlockCount(); }

QJSValue MacroChannel::block(int index)
{
    const AppMacroDataBlock* block = m_view->GetDataBlock(index);
    if (!block) return QJSValue(QJSValue::NullValue);
    return m_engine.newQObject(new MacroBlock(m_view, *block, m_engine));
}

QJSValue MacroChannel::blocks()
{
    const int count = m_view->GetDataBlockCount();
    QJSValue array = m_engine.newArray(quint32(count));
    for (int i = 0; i < count; ++i) array.setProperty(quint32(i), block(i));
    return array;
}

MacroBlock::MacroBlock(std::shared_ptr<AppMacroCh> owner, const AppMacroDataBlock& block, QJSEngine& engine)
    : m_owner(std::move(owner)), m_block(block), m_engine(engine)
{
}

double MacroBlock::startTime() const { return double(m_block.GetFirstTime()); }
int MacroBlock::count() const { return m_block.GetDataCount(); }

QJSValue MacroBlock::sample(int index)
{
    int64_t time = 0;
    double value = 0;
    bool valid = false;
    try {
        valid = m_block.GetData(index, time, value);
    } catch (const std::out_of_range& error) {
        m_engine.throwError(QJSValue::RangeError, QString::fromStdString(error.what()));
        return {};
    }
    QJSValue result = m_engine.newObject();
    result.setProperty(QStringLiteral("time"), double(time));
    result.setProperty(QStringLiteral("value"), valid ? QJSValue(value) : QJSValue(QJSValue::NullValue));
    result.setProperty(QStringLiteral("valid"), valid);
    return result;
}

// One script array of a field of every sample: `cell` turns a sample into its element.
template <class Cell>
QJSValue MacroBlock::Column(Cell cell)
{
    const int count = m_block.GetDataCount();
    QJSValue array = m_engine.newArray(quint32(count));
    int64_t time = 0;
    double value = 0;
    for (int i = 0; i < count; ++i) {
        const bool valid = m_block.GetData(i, time, value);
        array.setProperty(quint32(i), cell(time, value, valid));
    }
    return array;
}

QJSValue MacroBlock::times()
{
    return Column([](int64_t time, double, bool) { return QJSValue(double(time)); });
}

QJSValue MacroBlock::values()
{
    return Column([](int64_t, double value, bool valid) { return valid ? QJSValue(value) : QJSValue(QJSValue::NullValue); });
}

}  // namespace ovgApp
