#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "App/CmdHistory.h"
#include "Common/Library/Cmd.h"
#include "Common/Library/Mcr.h"
#include "Common/Library/SeriousError.h"

using orvel::Cmd;
using ovgApp::CmdHistory;

namespace {

// Sets an int the way every property setter works: Prepare captures the old value and clears
// enabled when nothing would change. A live form starts with both values and a given state.
class SetIntCmd : public Cmd {
public:
    SetIntCmd(int& target, int value) : Cmd(u"SetIntCmd"), m_target(target), m_new(value) {}
    SetIntCmd(int& target, int oldValue, int value, State state)
        : Cmd(u"SetIntCmd", state), m_target(target), m_old(oldValue), m_new(value), m_live(true)
    {
    }

protected:
    void Prepare() override
    {
        if (m_live) return;
        m_old = m_target;
        if (m_old == m_new) SetEnabled(false);
    }
    void DoExecute() override { m_target = m_new; }
    void DoUndo() override { m_target = m_old; }

private:
    int& m_target;
    int m_old = 0;
    int m_new;
    bool m_live = false;
};

// A document value and its history; Set records "value = v" the way the document's AddCmd does.
struct Document {
    int value = 0;
    CmdHistory history;
    std::vector<std::shared_ptr<Cmd>> recorded;  // every command handed to Set, in order

    void Set(int v)
    {
        recorded.push_back(std::make_shared<SetIntCmd>(value, v));
        history.Add(true, recorded.back());
    }
    // Records the values 1 to count.
    void SetSeries(int count)
    {
        for (int v = 1; v <= count; ++v) Set(v);
    }
    bool Modified() const { return history.GetSavedPosition() != history.DoneCount(); }
    void Save() { history.SetSavedPosition(history.DoneCount()); }
    int UndoAll()
    {
        int undone = 0;
        while (history.Undo()) ++undone;
        return undone;
    }
};

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

TEST(CmdHistory, UndoAndRedoFollowTheCursor)
{
    struct Row {
        int recorded;        // the values 1 to recorded are set
        const char* script;  // u undo, r redo
        int returned;        // which recorded command the last step returned (1-based); 0: empty pointer
        int value;
        uint32_t done;
        bool canUndo;
        bool canRedo;
    };
    const Row rows[] = {
        {0, "u", 0, 0, 0, false, false},
        {0, "r", 0, 0, 0, false, false},
        {3, "r", 0, 3, 3, true, false},
        {3, "u", 3, 2, 2, true, true},
        {3, "uu", 2, 1, 1, true, true},
        {3, "uuu", 1, 0, 0, false, true},
        {3, "uuuu", 0, 0, 0, false, true},
        {3, "uuur", 1, 1, 1, true, true},
        {3, "uur", 2, 2, 2, true, true},
        {3, "uurr", 3, 3, 3, true, false},
        {3, "uurrr", 0, 3, 3, true, false},
        {3, "ururur", 3, 3, 3, true, false},
    };
    for (const Row& row : rows) {
        const std::string trace = std::to_string(row.recorded) + " recorded, " + row.script;
        Document doc;
        doc.SetSeries(row.recorded);
        std::shared_ptr<Cmd> returned;
        for (const char* op = row.script; *op; ++op)
            returned = *op == 'u' ? doc.history.Undo() : doc.history.Redo();
        EXPECT_EQ(row.returned == 0 ? nullptr : doc.recorded[size_t(row.returned - 1)], returned) << trace;
        EXPECT_EQ(row.value, doc.value) << trace;
        EXPECT_EQ(row.done, doc.history.DoneCount()) << trace;
        EXPECT_EQ(row.canUndo, doc.history.CanUndo()) << trace;
        EXPECT_EQ(row.canRedo, doc.history.CanRedo()) << trace;
    }
}

TEST(CmdHistory, CommandWithoutEffectIsDroppedAndRedoSurvives)
{
    struct Row {
        const char* what;
        // Builds the command and whether Add executes it; the document's value is 2 at that point.
        std::function<std::shared_ptr<Cmd>(int& value, bool& execute)> make;
    };
    const Row rows[] = {
        {"setter to the current value",
         [](int& value, bool& execute) {
             execute = true;
             return std::make_shared<SetIntCmd>(value, 2);
         }},
        {"group whose steps all set current values",
         [](int& value, bool& execute) {
             execute = true;
             auto group = std::make_shared<orvel::Mcr>(u"Group");
             group->AddChild(std::make_shared<SetIntCmd>(value, 2));
             group->AddChild(std::make_shared<SetIntCmd>(value, 2));
             return group;
         }},
        {"empty group",
         [](int&, bool& execute) {
             execute = true;
             return std::make_shared<orvel::Mcr>(u"Group");
         }},
        {"setter already found without effect, recorded without executing",
         [](int& value, bool& execute) {
             auto cmd = std::make_shared<SetIntCmd>(value, 2);
             orvel::ExecuteCmd(*cmd);
             orvel::UndoCmd(*cmd);
             execute = false;
             return cmd;
         }},
    };
    for (const Row& row : rows) {
        Document doc;
        doc.SetSeries(3);
        doc.history.Undo();
        doc.Save();
        bool execute = false;
        doc.history.Add(execute, row.make(doc.value, execute));
        EXPECT_EQ(2, doc.value) << row.what;
        EXPECT_EQ(2u, doc.history.DoneCount()) << row.what;
        EXPECT_EQ(2u, doc.history.GetSavedPosition()) << row.what;
        EXPECT_EQ(doc.recorded[2], doc.history.Redo()) << row.what;
        EXPECT_EQ(3, doc.value) << row.what;
        EXPECT_EQ(3, doc.UndoAll()) << row.what;
    }
}

TEST(CmdHistory, LimitRemovesTheOldestEntries)
{
    struct Row {
        int recorded;    // the values 1 to recorded are set
        int savedAfter;  // the document is saved after this many; 0: never saved
        uint32_t saved;  // savedPosition at the end
        int firstKept;   // the value that undoing everything returns to
    };
    const Row rows[] = {
        {99, 0, 0, 0},
        {100, 0, 0, 0},
        {101, 0, 0, 1},
        {150, 0, 0, 50},
        {100, 40, 40, 0},
        {103, 50, 47, 3},
        {101, 101, 100, 1},
        {103, 2, 0, 3},
        {250, 120, 0, 150},
    };
    for (const Row& row : rows) {
        const std::string trace =
            std::to_string(row.recorded) + " recorded, saved after " + std::to_string(row.savedAfter);
        Document doc;
        for (int v = 1; v <= row.recorded; ++v) {
            doc.Set(v);
            if (v == row.savedAfter) doc.Save();
        }
        const int kept = std::min(row.recorded, int(CmdHistory::kLimit));
        EXPECT_EQ(uint32_t(kept), doc.history.DoneCount()) << trace;
        EXPECT_EQ(row.saved, doc.history.GetSavedPosition()) << trace;
        EXPECT_EQ(kept, doc.UndoAll()) << trace;
        EXPECT_EQ(row.firstKept, doc.value) << trace;
    }
}

TEST(CmdHistory, NewCommandDiscardsRedoEntries)
{
    struct Row {
        int undoneBeforeSave;  // of the values 1 to 5 recorded
        int undoneAfterSave;
        uint32_t saved;  // savedPosition after the new command
        uint32_t done;
        bool modifiedAfterUndo;  // once the new command is undone again
        bool modifiedWhenAllUndone;
    };
    const Row rows[] = {
        {0, 0, 5, 6, false, true},
        {0, 2, 0, 4, true, false},  // the saved state was among the discarded entries
        {0, 5, 0, 1, false, false},
        {2, 0, 3, 4, false, true},  // the saved state is still the one before the new command
        {2, 1, 0, 3, true, false},
        {5, 0, 0, 1, false, false},
    };
    for (const Row& row : rows) {
        const std::string trace = std::to_string(row.undoneBeforeSave) + " undone, save, " +
                                  std::to_string(row.undoneAfterSave) + " undone";
        Document doc;
        doc.SetSeries(5);
        for (int i = 0; i < row.undoneBeforeSave; ++i) doc.history.Undo();
        doc.Save();
        for (int i = 0; i < row.undoneAfterSave; ++i) doc.history.Undo();
        doc.Set(100);
        EXPECT_EQ(row.saved, doc.history.GetSavedPosition()) << trace;
        EXPECT_EQ(row.done, doc.history.DoneCount()) << trace;
        EXPECT_FALSE(doc.history.CanRedo()) << trace;
        EXPECT_EQ(nullptr, doc.history.Redo()) << trace;
        EXPECT_TRUE(doc.Modified()) << trace;
        doc.history.Undo();
        EXPECT_EQ(row.modifiedAfterUndo, doc.Modified()) << trace;
        doc.UndoAll();
        EXPECT_EQ(row.modifiedWhenAllUndone, doc.Modified()) << trace;
        EXPECT_EQ(0, doc.value) << trace;
    }
}

TEST(CmdHistory, RecordsLiveChangesWithoutExecutingThem)
{
    struct Row {
        Cmd::State state;  // of the command built after the live change
        int undoError;     // the line of the undo check's SeriousError; 0: none
    };
    const Row rows[] = {
        {Cmd::kNeither, 0},
        {Cmd::kDone, 0},
        {Cmd::kNotDone, 117},
    };
    for (const Row& row : rows) {
        const std::string trace = "state " + std::to_string(row.state);
        Document doc;
        doc.value = 7;  // changed live from 1
        doc.history.Add(false, std::make_shared<SetIntCmd>(doc.value, 1, 7, row.state));
        EXPECT_EQ(7, doc.value) << trace;
        EXPECT_EQ(1u, doc.history.DoneCount()) << trace;
        EXPECT_EQ(row.undoError, ErrorLine([&] { doc.history.Undo(); })) << trace;
        if (row.undoError != 0) continue;
        EXPECT_EQ(1, doc.value) << trace;
        doc.history.Redo();
        EXPECT_EQ(7, doc.value) << trace;
    }
}

TEST(CmdHistory, DriverErrorsLeaveTheHistoryAsItWas)
{
    struct Row {
        const char* what;
        int undone;  // of the values 1 to 3 recorded, before act
        std::function<void(Document&)> act;
        int errorLine;
    };
    const Row rows[] = {
        {"undo of an entry undone elsewhere", 0,
         [](Document& doc) {
             orvel::UndoCmd(*doc.recorded[2]);
             doc.history.Undo();
         },
         117},
        {"redo of an entry redone elsewhere", 1,
         [](Document& doc) {
             orvel::ExecuteCmd(*doc.recorded[2]);
             doc.history.Redo();
         },
         84},
        {"recording a command that is already done", 1,
         [](Document& doc) {
             auto cmd = std::make_shared<SetIntCmd>(doc.value, 9);
             orvel::ExecuteCmd(*cmd);
             doc.history.Add(true, cmd);
         },
         84},
        {"recording no command", 1, [](Document& doc) { doc.history.Add(true, nullptr); }, -1},
    };
    for (const Row& row : rows) {
        Document doc;
        doc.SetSeries(3);
        for (int i = 0; i < row.undone; ++i) doc.history.Undo();
        const bool canRedo = doc.history.CanRedo();
        const int line = ErrorLine([&] { row.act(doc); });
        if (row.errorLine < 0) EXPECT_NE(0, line) << row.what;
        else EXPECT_EQ(row.errorLine, line) << row.what;
        EXPECT_EQ(uint32_t(3 - row.undone), doc.history.DoneCount()) << row.what;
        EXPECT_EQ(canRedo, doc.history.CanRedo()) << row.what;
    }
}

TEST(CmdHistory, ClearForgetsEntriesAndSavedPosition)
{
    Document doc;
    doc.SetSeries(3);
    doc.history.Undo();
    doc.Save();
    doc.history.Clear();
    EXPECT_EQ(0u, doc.history.DoneCount());
    EXPECT_EQ(0u, doc.history.GetSavedPosition());
    EXPECT_FALSE(doc.history.CanUndo());
    EXPECT_FALSE(doc.history.CanRedo());
    EXPECT_EQ(nullptr, doc.history.Undo());
    EXPECT_EQ(nullptr, doc.history.Redo());
    EXPECT_EQ(2, doc.value);
    doc.Set(4);
    EXPECT_EQ(1u, doc.history.DoneCount());
    EXPECT_TRUE(doc.Modified());
}
