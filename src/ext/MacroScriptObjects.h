#pragma once

#include <QJSValue>
#include <QObject>
#include <QString>
#include <memory>

class QJSEngine;

namespace ovgApp {

class AppMacroCallbacks;
class AppMacroCh;
class AppMacroDataBlock;
class MacroWatchdog;

// The objects a macro script sees. The global `app` is a MacroApp; channels and blocks are
// MacroChannel and MacroBlock objects that the script's engine owns. Times are numbers of ms since
// 1970 UTC (the logger's clock as recorded); values are as the document shows them (scale
// expressions applied, temperatures in the unit shown). docs/macros.md describes the model.
class MacroApp : public QObject {
    Q_OBJECT
public:
    MacroApp(AppMacroCallbacks& callbacks, QJSEngine& engine);
    // The run's time limit, stopped while the application works for the script (may be null).
    void SetWatchdog(MacroWatchdog* watchdog) { m_watchdog = watchdog; }

    // { appName, appVersion, language, viewTemperatureUnit }
    Q_INVOKABLE QJSValue info();
    Q_INVOKABLE int channelCount();
    // Every channel in document order.
    Q_INVOKABLE QJSValue channels();
    // The channels in the order the graph draws them.
    Q_INVOKABLE QJSValue graphChannels();
    // Channel `index` (0-based, document order), or null.
    Q_INVOKABLE QJSValue channel(int index);
    // Loads files (a path or an array of paths) as one load; returns the number of channels
    // added. Throws an Error naming every file that failed (the others stay loaded).
    Q_INVOKABLE int load(const QJSValue& paths);
    // Whether a channel object still stands for a channel of the document.
    Q_INVOKABLE bool isValid(const QJSValue& channel);
    // Replaces a channel's data: { blocks: [ { times: [...], values: [...] } |
    // { start, interval, values: [...] } ], decimalPlaces }, or one block given directly as
    // { times, values } or { start, interval, values }. null or NaN values are gaps in the
    // values (invalid samples).
    Q_INVOKABLE void replace(const QJSValue& channel, const QJSValue& data);
    // Deletes a channel or an array of channels; returns how many were deleted.
    Q_INVOKABLE int remove(const QJSValue& channels);

private:
    QJSValue Wrap(const std::shared_ptr<AppMacroCh>& channel);
    QJSValue WrapList(const std::vector<std::shared_ptr<AppMacroCh>>& list);
    // The view behind a channel object; throws a TypeError into the script and returns null for
    // anything else.
    std::shared_ptr<AppMacroCh> ViewOf(const QJSValue& value);

    AppMacroCallbacks& m_callbacks;
    QJSEngine& m_engine;
    MacroWatchdog* m_watchdog = nullptr;
};

class MacroChannel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString number READ number CONSTANT)
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QString unit READ unit CONSTANT)
    Q_PROPERTY(QString serialNo READ serialNo CONSTANT)
    Q_PROPERTY(QString model READ model CONSTANT)
    Q_PROPERTY(QString loggerName READ loggerName CONSTANT)
    Q_PROPERTY(int kind READ kind CONSTANT)
    Q_PROPERTY(int decimalPlaces READ decimalPlaces CONSTANT)
    Q_PROPERTY(double interval READ interval CONSTANT)
    Q_PROPERTY(int blockCount READ blockCount CONSTANT)
public:
    MacroChannel(std::shared_ptr<AppMacroCh> view, QJSEngine& engine);
    const std::shared_ptr<AppMacroCh>& View() const { return m_view; }

    QString number() const;
    QString name() const;
    QString unit() const;
    QString serialNo() const;
    QString model() const;
    QString loggerName() const;
    int kind() const;
    int decimalPlaces() const;
    // ms; -1 when the channel has no fixed interval.
    double interval() const;
    int blockCount() const;
    // Block `index`, or null outside 0 to blockCount - 1.
    Q_INVOKABLE QJSValue block(int index);
    Q_INVOKABLE QJSValue blocks();

private:
    std::shared_ptr<AppMacroCh> m_view;
    QJSEngine& m_engine;
};

class MacroBlock : public QObject {
    Q_OBJECT
    Q_PROPERTY(double startTime READ startTime CONSTANT)
    Q_PROPERTY(int count READ count CONSTANT)
public:
    // The channel view keeps the block alive.
    MacroBlock(std::shared_ptr<AppMacroCh> owner, const AppMacroDataBlock& block, QJSEngine& engine);

    double startTime() const;
    int count() const;
    // { time, value, valid } of sample `index`; a RangeError outside 0 to count - 1. An invalid
    // sample's value is null.
    Q_INVOKABLE QJSValue sample(int index);
    // Every time, and every value (null for an invalid sample), as arrays.
    Q_INVOKABLE QJSValue times();
    Q_INVOKABLE QJSValue values();

private:
    template <class Cell>
    QJSValue Column(Cell cell);

    std::shared_ptr<AppMacroCh> m_owner;
    const AppMacroDataBlock& m_block;
    QJSEngine& m_engine;
};

}  // namespace ovgApp
