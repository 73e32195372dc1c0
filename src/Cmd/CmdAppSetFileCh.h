#pragma once

#include <memory>
#include <vector>

#include "Cmd/AppContext.h"
#include "Common/Library/Cmd.h"

namespace OvGraphFileLib {
class ICh;
}

namespace ovgApp {

class AppCh;

// Binds a channel of the document to new data: another file channel of the same recording (a
// trimmed, thinned or edited copy). The channel keeps its name, expression, look, axes and both
// visibilities; undo binds the previous file channel again and redo the same new one. The new data
// come from MakeFileCh at the first execution; returning null there leaves the command not valid.
// A channel that is not in the document raises SeriousError.
class CmdAppSetFileCh : public orvel::Cmd {
public:
    CmdAppSetFileCh(std::u16string name, AppContext context, std::shared_ptr<AppCh> channel,
                    std::shared_ptr<OvGraphFileLib::ICh> fileCh = nullptr);

protected:
    // The new data from the current file channel; the given channel by default.
    virtual std::shared_ptr<OvGraphFileLib::ICh> MakeFileCh(const OvGraphFileLib::ICh& current);

    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

    const std::shared_ptr<AppCh>& Channel() const { return m_channel; }

private:
    AppContext m_context;
    std::shared_ptr<AppCh> m_channel;
    std::shared_ptr<OvGraphFileLib::ICh> m_old;
    std::shared_ptr<OvGraphFileLib::ICh> m_new;
};

// Deletes the data of a channel before a time or after it (file times, ms since 1970 UTC) on a
// copy of its file channel; several cuts of one channel are one step, since each step's undo
// binds the data it found. Not valid when no record lies on a deleted side.
class CmdAppDeleteChData : public CmdAppSetFileCh {
public:
    enum Direction { kBefore, kAfter };
    struct Cut {
        int64_t time;
        Direction direction;
    };
    CmdAppDeleteChData(AppContext context, std::shared_ptr<AppCh> channel, int64_t time, Direction direction);
    CmdAppDeleteChData(AppContext context, std::shared_ptr<AppCh> channel, std::vector<Cut> cuts);

protected:
    std::shared_ptr<OvGraphFileLib::ICh> MakeFileCh(const OvGraphFileLib::ICh& current) override;

private:
    std::vector<Cut> m_cuts;
};

// Shifts a channel's sample times by an offset (ms); undo shifts them back by the negated offset.
// Data that are not editable (a calculated channel) are instead bound to a shifted editable copy,
// and undo binds the original again. An offset of 0 is not valid. Layouts that store whole seconds
// move by whole seconds.
class CmdAppSetOffsetTime : public orvel::Cmd {
public:
    CmdAppSetOffsetTime(AppContext context, std::shared_ptr<AppCh> channel, int64_t offset);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    void Shift(int64_t offset);

    AppContext m_context;
    std::shared_ptr<AppCh> m_channel;
    int64_t m_offset;
    std::shared_ptr<OvGraphFileLib::ICh> m_original, m_shifted;  // set for data that are not editable
};

}  // namespace ovgApp
