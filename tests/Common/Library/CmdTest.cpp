#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Common/Library/Cmd.h"
#include "Common/Library/CmdLambda.h"
#include "Common/Library/Mcr.h"
#include "Common/Library/McrMacro.h"
#include "Common/Library/SeriousError.h"

using orvel::Cmd;

namespace {

// What the commands of one test did, in order, as one text ("a:prepare a:do a:finish").
struct Journal {
    std::string text;
    void Write(const std::string& entry) { text += text.empty() ? entry : " " + entry; }
};

// A command that writes each slot the drivers call into the journal. Without effect, its Prepare
// clears enabled, as a setter does when the new value equals the current one.
class ProbeCmd : public Cmd {
public:
    ProbeCmd(Journal& journal, std::string tag, bool effect = true, State state = kNotDone)
        : Cmd(u"ProbeCmd", state), m_journal(journal), m_tag(std::move(tag)), m_effect(effect)
    {
    }
    const std::string& Tag() const { return m_tag; }

protected:
    void Prepare() override
    {
        Write("prepare");
        if (!m_effect) SetEnabled(false);
    }
    void DoExecute() override { Write("do"); }
    void Finish() override { Write("finish"); }
    void DoUndo() override { Write("undo"); }

private:
    void Write(const char* slot) { m_journal.Write(m_tag + ":" + slot); }
    Journal& m_journal;
    std::string m_tag;
    bool m_effect;
};

// Sets an int; Prepare captures the old value, as every property setter does.
class SetIntCmd : public Cmd {
public:
    SetIntCmd(int& target, int value) : Cmd(u"SetIntCmd"), m_target(target), m_new(value) {}

protected:
    void Prepare() override
    {
        m_old = m_target;
        if (m_old == m_new) SetEnabled(false);
    }
    void DoExecute() override { m_target = m_new; }
    void DoUndo() override { m_target = m_old; }

private:
    int& m_target;
    int m_old = 0;
    int m_new;
};

// A group that notes its refreshes in the journal.
template <class Group>
class JournaledGroup : public Group {
public:
    explicit JournaledGroup(Journal& journal) : Group(u"JournaledGroup"), m_journal(journal) {}

protected:
    void Refresh() override { m_journal.Write("refresh"); }

private:
    Journal& m_journal;
};

// Runs a script of driver calls: 'x' executes, 'u' undoes.
void RunScript(Cmd& cmd, const std::string& script)
{
    for (char op : script) {
        if (op == 'x')
            orvel::ExecuteCmd(cmd);
        else
            orvel::UndoCmd(cmd);
    }
}

std::shared_ptr<orvel::CmdLambda> Step(Journal& journal, const std::string& tag)
{
    return std::make_shared<orvel::CmdLambda>(
        u"Group_Step", [&journal, tag] { journal.Write(tag + "+"); },
        [&journal, tag] { journal.Write(tag + "-"); });
}

// The source line of the SeriousError that running f raises, or 0 when it raises none.
int ErrorLine(const std::function<void()>& f)
{
    try {
        f();
    } catch (const orvel::SeriousError& error) {
        return error.Line();
    }
    return 0;
}

}  // namespace

TEST(ExecuteCmd, RunsTheOneTimeHooksOnTheFirstExecutionOnly)
{
    struct Row {
        const char* what;
        bool effect;
        const char* script;
        const char* journal;
    };
    const Row rows[] = {
        {"first execution", true, "x", "a:prepare a:do a:finish"},
        {"undo", true, "xu", "a:prepare a:do a:finish a:undo"},
        {"redo runs do alone", true, "xux", "a:prepare a:do a:finish a:undo a:do"},
        {"repeated", true, "xuxux", "a:prepare a:do a:finish a:undo a:do a:undo a:do"},
        {"no effect: do is skipped", false, "x", "a:prepare a:finish"},
        {"no effect: undo still runs", false, "xu", "a:prepare a:finish a:undo"},
        {"no effect: redo runs nothing", false, "xux", "a:prepare a:finish a:undo"},
    };
    for (const Row& row : rows) {
        Journal journal;
        ProbeCmd cmd(journal, "a", row.effect);
        RunScript(cmd, row.script);
        EXPECT_EQ(row.journal, journal.text) << row.what;
    }
}

TEST(CmdDrivers, StateChecksRaiseSeriousErrorAndChangeNothing)
{
    struct Row {
        Cmd::State before;
        char op;
        int errorLine;  // 0: no error
        Cmd::State after;
        const char* journal;
    };
    const Row rows[] = {
        {Cmd::kNotDone, 'x', 0, Cmd::kDone, "a:prepare a:do a:finish"},
        {Cmd::kNeither, 'x', 0, Cmd::kDone, "a:prepare a:do a:finish"},
        {Cmd::kDone, 'x', 84, Cmd::kDone, ""},
        {Cmd::kDone, 'u', 0, Cmd::kNotDone, "a:undo"},
        {Cmd::kNeither, 'u', 0, Cmd::kNotDone, "a:undo"},
        {Cmd::kNotDone, 'u', 117, Cmd::kNotDone, ""},
    };
    for (const Row& row : rows) {
        const std::string trace = std::string("state ") + std::to_string(row.before) + ", op " + row.op;
        Journal journal;
        ProbeCmd cmd(journal, "a", true, row.before);
        try {
            RunScript(cmd, std::string(1, row.op));
            EXPECT_EQ(0, row.errorLine) << trace;
        } catch (const orvel::SeriousError& error) {
            // Reports name the command header and a fixed line per check.
            EXPECT_EQ("serious error:src/Common/Library/Cmd.h(" + std::to_string(row.errorLine) + ")",
                      std::string(error.what()))
                << trace;
            EXPECT_FALSE(cmd.IsPrepared()) << trace;
        }
        EXPECT_EQ(row.after, cmd.GetState()) << trace;
        EXPECT_EQ(row.journal, journal.text) << trace;
    }
}

TEST(ExecuteCmd, RedoKeepsTheUndoDataOfTheFirstExecution)
{
    int value = 1;
    SetIntCmd cmd(value, 5);
    orvel::ExecuteCmd(cmd);
    orvel::UndoCmd(cmd);
    value = 3;  // changed behind the command's back: a second Prepare would capture 3
    orvel::ExecuteCmd(cmd);
    EXPECT_EQ(5, value);
    orvel::UndoCmd(cmd);
    EXPECT_EQ(1, value);
}

TEST(ExecuteCmds, RunsInOrderAndStopsAtTheFirstError)
{
    struct Row {
        const char* states;  // one letter per command: n not done, d done, 0 neither
        int errorLine;
        const char* journal;
    };
    const Row rows[] = {
        {"nnn", 0, "a:prepare a:do a:finish b:prepare b:do b:finish c:prepare c:do c:finish"},
        {"n0n", 0, "a:prepare a:do a:finish b:prepare b:do b:finish c:prepare c:do c:finish"},
        {"ndn", 84, "a:prepare a:do a:finish"},
        {"dnn", 84, ""},
        {"", 0, ""},
    };
    for (const Row& row : rows) {
        Journal journal;
        std::vector<std::shared_ptr<Cmd>> cmds;
        for (const char* s = row.states; *s; ++s) {
            const Cmd::State state = *s == 'n' ? Cmd::kNotDone : *s == 'd' ? Cmd::kDone : Cmd::kNeither;
            cmds.push_back(
                std::make_shared<ProbeCmd>(journal, std::string(1, char('a' + cmds.size())), true, state));
        }
        EXPECT_EQ(row.errorLine, ErrorLine([&] { orvel::ExecuteCmds(cmds.begin(), cmds.end()); }))
            << row.states;
        EXPECT_EQ(row.journal, journal.text) << row.states;
    }
}

TEST(CmdLambda, DoesAndUndoesThroughItsActions)
{
    struct Row {
        const char* script;
        const char* journal;
    };
    const Row rows[] = {
        {"x", "a+"},
        {"xu", "a+ a-"},
        {"xux", "a+ a- a+"},
        {"xuxu", "a+ a- a+ a-"},
    };
    for (const Row& row : rows) {
        Journal journal;
        const auto cmd = Step(journal, "a");
        RunScript(*cmd, row.script);
        EXPECT_EQ(row.journal, journal.text) << row.script;
    }
}

TEST(Cmd, MissingPartsAreRefused)
{
    struct Row {
        const char* what;
        std::function<void()> build;
    };
    const Row rows[] = {
        {"lambda without do action", [] { orvel::CmdLambda(u"X", {}, [] {}); }},
        {"lambda without undo action", [] { orvel::CmdLambda(u"X", [] {}, {}); }},
        {"group with an empty child", [] { orvel::Mcr(u"X").AddChild(nullptr); }},
    };
    for (const Row& row : rows) EXPECT_NE(0, ErrorLine(row.build)) << row.what;
}

TEST(Mcr, ExecutesAndUndoesItsChildrenInItsOwnOrder)
{
    struct Row {
        bool macro;  // McrMacro: the children already ran while the macro executed
        const char* script;
        const char* journal;
    };
    const Row rows[] = {
        {false, "x", "a+ b+ c+ refresh"},
        {false, "xu", "a+ b+ c+ refresh a- b- c- refresh"},
        {false, "xux", "a+ b+ c+ refresh a- b- c- refresh a+ b+ c+ refresh"},
        {false, "xuxu", "a+ b+ c+ refresh a- b- c- refresh a+ b+ c+ refresh a- b- c- refresh"},
        {true, "x", "refresh"},
        {true, "xu", "refresh c- b- a- refresh"},
        {true, "xux", "refresh c- b- a- refresh a+ b+ c+ refresh"},
        {true, "xuxu", "refresh c- b- a- refresh a+ b+ c+ refresh c- b- a- refresh"},
    };
    for (const Row& row : rows) {
        Journal journal;
        std::shared_ptr<orvel::Mcr> group;
        if (row.macro)
            group = std::make_shared<JournaledGroup<orvel::McrMacro>>(journal);
        else
            group = std::make_shared<JournaledGroup<orvel::Mcr>>(journal);
        for (const char* tag : {"a", "b", "c"}) {
            const auto step = Step(journal, tag);
            if (row.macro) orvel::ExecuteCmd(*step);
            group->AddChild(step);
        }
        journal.text.clear();
        RunScript(*group, row.script);
        EXPECT_EQ(row.journal, journal.text) << (row.macro ? "McrMacro " : "Mcr ") << row.script;
    }
}

TEST(Mcr, FinishKeepsOnlyTheChildrenWithAnEffect)
{
    struct Row {
        const char* effects;  // one digit per child a, b, c, ...: 1 has an effect
        const char* kept;
        bool valid;
        const char* undoJournal;
    };
    const Row rows[] = {
        {"", "", false, ""},
        {"0", "", false, ""},
        {"00", "", false, ""},
        {"1", "a", true, "a:undo"},
        {"0101", "bd", true, "b:undo d:undo"},
        {"1100", "ab", true, "a:undo b:undo"},
    };
    for (const Row& row : rows) {
        Journal journal;
        orvel::Mcr group(u"Group");
        for (const char* e = row.effects; *e; ++e)
            group.AddChild(std::make_shared<ProbeCmd>(journal, std::string(1, char('a' + (e - row.effects))),
                                                      *e == '1'));
        orvel::ExecuteCmd(group);
        std::string kept;
        for (const auto& child : group.GetChildren()) kept += static_cast<const ProbeCmd&>(*child).Tag();
        EXPECT_EQ(row.kept, kept) << row.effects;
        EXPECT_EQ(row.valid, group.IsValid()) << row.effects;
        // Only the kept children take part in undo; a dropped one would be undone here.
        journal.text.clear();
        orvel::UndoCmd(group);
        EXPECT_EQ(row.undoJournal, journal.text) << row.effects;
    }
}

TEST(Mcr, ChildrenPassTheDriverChecks)
{
    struct Row {
        const char* what;
        std::function<void(Cmd& group, Cmd& child)> act;
        int errorLine;
    };
    const Row rows[] = {
        {"executing a group whose child is already done",
         [](Cmd& group, Cmd& child) {
             orvel::ExecuteCmd(child);
             orvel::ExecuteCmd(group);
         },
         84},
        {"undoing a group whose child was undone elsewhere",
         [](Cmd& group, Cmd& child) {
             orvel::ExecuteCmd(group);
             orvel::UndoCmd(child);
             orvel::UndoCmd(group);
         },
         117},
        {"redoing a group whose child was redone elsewhere",
         [](Cmd& group, Cmd& child) {
             orvel::ExecuteCmd(group);
             orvel::UndoCmd(group);
             orvel::ExecuteCmd(child);
             orvel::ExecuteCmd(group);
         },
         84},
    };
    for (const Row& row : rows) {
        Journal journal;
        orvel::Mcr group(u"Group");
        const auto child = std::make_shared<ProbeCmd>(journal, "a");
        group.AddChild(child);
        EXPECT_EQ(row.errorLine, ErrorLine([&] { row.act(group, *child); })) << row.what;
    }
}
