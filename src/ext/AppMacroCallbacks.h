#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "Cmd/AppContext.h"

namespace orvel {
class Cmd;
class McrMacro;
}

namespace ovgApp {

class AppMacroCh;

// What a macro asks of the application. Every change a run makes is executed at once and kept in
// one McrMacro group, which the end of the run records in the undo history as already executed,
// so the whole run is one undo step; a run that changed nothing records nothing.
// User-interface thread only (macros run synchronously there).
class AppMacroCallbacks {
public:
    using ChList = std::vector<std::shared_ptr<AppMacroCh>>;

    // One block of replacement data: the times (ms since 1970 UTC, not decreasing) and the values
    // (NaN for no value).
    struct Block {
        std::vector<int64_t> times;
        std::vector<double> values;
    };

    // `refresh` repaints the windows after a run that changed something (may be empty).
    AppMacroCallbacks(AppContext context, std::function<void()> refresh);
    ~AppMacroCallbacks();

    // Start of a run: a new, empty group.
    void Begin();
    // End of a run: records the group when it holds a step, refreshes, and lets the group go.
    // Returns whether something was recorded.
    bool End();

    // The channels of the document in document order.
    ChList GetChList() { return ListChannels(0, 0, 1); }
    // The channels in the order the graph draws them, with their data read.
    ChList GetGraphChList() { return ListChannels(0, 1, 3); }
    // The general form: `filter` 0 every channel, 1 those the graph shows; `order` 0 document
    // order, 1 the graph's drawing order; `fields` bit 0 texts (always given), bit 1 read the
    // data now rather than when first asked.
    ChList ListChannels(int32_t filter, int32_t order, int32_t fields);
    // "{appName:"…",appVersion:"…",language:"…",viewTemperatureUnit:"celsius",}" as a script
    // object literal.
    QString GetAppInfo() const;
    int32_t GetChCount() const;
    // The view of channel `index` in document order, or null outside the list.
    std::shared_ptr<AppMacroCh> GetCh(int32_t index) const;

    // Loads the files into the document and the graph as one load step of the run. Returns the
    // number of channels added; `errors` gets one line per file that failed ("path: message").
    int32_t LoadFiles(const QStringList& paths, QStringList& errors);
    // Whether the view's channel is still in the document.
    bool IsValidCh(const AppMacroCh& channel) const;
    // Replaces the channel's data by the blocks, keeping its name, place, axes, line, unit and
    // decimal places (`decimalPlaces` >= 0 sets them). The values are taken as the document shows
    // them. Returns an error text (nothing changed), empty on success.
    QString ReplaceCh(const AppMacroCh& channel, const std::vector<Block>& blocks, int32_t decimalPlaces = -1);
    // Deletes the channels (those no longer in the document are skipped). Returns how many went.
    int32_t DeleteCh(const ChList& channels);

private:
    // Executes the command and keeps it in the group when it had an effect.
    void Run(const std::shared_ptr<orvel::Cmd>& cmd);

    AppContext m_context;
    std::function<void()> m_refresh;
    std::shared_ptr<orvel::McrMacro> m_group;
};

}  // namespace ovgApp
