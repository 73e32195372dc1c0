#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "App/CmdHistory.h"
#include "App/McrWndGraphCmd.h"
#include "Common/Library/Cmd.h"
#include "Common/Library/SeriousError.h"

using orvel::Cmd;
using ovgApp::CmdHistory;
using ovgApp::McrWndGraphCmd;

namespace {

struct Journal {
    std::string text;
    void Write(const std::string& entry) { text += text.empty() ? entry : " " + entry; }
};

// An engine command as the wrapper sees it: it notes "a+" on execution and "a-" on undo. Without
// effect, its Prepare clears enabled.
class EngineCmd : public Cmd {
public:
    EngineCmd(Journal& journal, std::string tag, bool effect, State state)
        : Cmd(u"EngineCmd", state), m_journal(journal), m_tag(std::move(tag)), m_effect(effect)
    {
    }

protected:
    void Prepare() override
    {
        if (!m_effect) SetEnabled(false);
    }
    void DoExecute() override { m_journal.Write(m_tag + "+"); }
    void DoUndo() override { m_journal.Write(m_tag + "-"); }

private:
    Journal& m_journal;
    std::string m_tag;
    bool m_effect;
};

// Engine commands tagged a, b, ...: one digit per command, 1 has an effect. Commands the engine
// already applied live start in state kNeither.
std::vector<std::shared_ptr<Cmd>> EngineCmds(Journal& journal, const char* effects, bool applied)
{
    std::vector<std::shared_ptr<Cmd>> cmds;
    for (const char* e = effects; *e; ++e)
        cmds.push_back(std::make_shared<EngineCmd>(journal, std::string(1, char('a' + (e - effects))),
                                                   *e == '1', applied ? Cmd::kNeither : Cmd::kNotDone));
    return cmds;
}

}  // namespace

TEST(McrWndGraphCmd, RunsTheEngineCommandsOnlyWhenAsked)
{
    struct Row {
        bool execute;
        const char* script;  // after recording: u undo, r redo
        const char* journal;
    };
    const Row rows[] = {
        {false, "", "refresh"},
        {false, "u", "refresh a- b- refresh"},
        {false, "ur", "refresh a- b- refresh a+ b+ refresh"},
        {false, "urur", "refresh a- b- refresh a+ b+ refresh a- b- refresh a+ b+ refresh"},
        {true, "", "a+ b+ refresh"},
        {true, "u", "a+ b+ refresh a- b- refresh"},
        {true, "ur", "a+ b+ refresh a- b- refresh a+ b+ refresh"},
    };
    for (const Row& row : rows) {
        const std::string trace = std::string(row.execute ? "execute, " : "applied, ") + row.script;
        Journal journal;
        CmdHistory history;
        history.Add(true,
                    std::make_shared<McrWndGraphCmd>(EngineCmds(journal, "11", !row.execute), row.execute,
                                                     [&journal] { journal.Write("refresh"); }));
        for (const char* op = row.script; *op; ++op) {
            if (*op == 'u') history.Undo();
            else history.Redo();
        }
        EXPECT_EQ(row.journal, journal.text) << trace;
    }
}

TEST(McrWndGraphCmd, IsRecordedWhileAnyEngineCommandHasAnEffect)
{
    struct Row {
        bool execute;
        const char* effects;
        bool recorded;
        const char* undoJournal;
    };
    const Row rows[] = {
        {true, "", false, ""},
        {true, "00", false, ""},
        {true, "01", true, "b-"},
        {true, "101", true, "a- c-"},
        {false, "", false, ""},
        {false, "11", true, "a- b-"},
    };
    for (const Row& row : rows) {
        const std::string trace = std::string(row.execute ? "execute, " : "applied, ") + row.effects;
        Journal journal;
        CmdHistory history;
        history.Add(true, std::make_shared<McrWndGraphCmd>(EngineCmds(journal, row.effects, !row.execute),
                                                           row.execute));
        EXPECT_EQ(row.recorded ? 1u : 0u, history.DoneCount()) << trace;
        journal.text.clear();
        history.Undo();
        EXPECT_EQ(row.undoJournal, journal.text) << trace;
    }
}

TEST(McrWndGraphCmd, EmptyEngineCommandIsRefused)
{
    EXPECT_THROW(McrWndGraphCmd({nullptr}, false), orvel::SeriousError);
}
