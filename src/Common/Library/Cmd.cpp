#include "Common/Library/Cmd.h"

#include "Common/Library/SeriousError.h"

namespace orvel {
namespace {

// The two driver checks are reported against the command header with fixed numbers, so that a
// report names the same check whatever else moves in these files.
constexpr const char* kCmdHeader = "src/Common/Library/Cmd.h";
constexpr int kAlreadyDoneLine = 84;
constexpr int kNotDoneLine = 117;

}  // namespace

void ExecuteCmd(Cmd& cmd)
{
    if (cmd.m_state == Cmd::kDone) throw SeriousError(kCmdHeader, kAlreadyDoneLine);
    const bool first = !cmd.m_prepared;
    if (first) cmd.Prepare();
    if (cmd.IsValid()) cmd.DoExecute();
    if (first) cmd.Finish();
    cmd.m_state = Cmd::kDone;
    cmd.m_prepared = true;
}

void UndoCmd(Cmd& cmd)
{
    if (cmd.m_state == Cmd::kNotDone) throw SeriousError(kCmdHeader, kNotDoneLine);
    cmd.DoUndo();
    cmd.m_state = Cmd::kNotDone;
}

}  // namespace orvel
