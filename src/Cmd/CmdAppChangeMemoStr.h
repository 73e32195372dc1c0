#pragma once

#include <QString>

#include "Cmd/AppContext.h"
#include "Common/Library/Cmd.h"

namespace ovgApp {

// One edit of the memo: replaces the document's memo text. Undo puts back the text from before
// the edit. Replacing the text with itself is not valid (not recorded).
class CmdAppChangeMemoStr : public orvel::Cmd {
public:
    CmdAppChangeMemoStr(AppContext context, QString memo);

protected:
    void Prepare() override;
    void DoExecute() override;
    void DoUndo() override;

private:
    AppContext m_context;
    QString m_new;
    QString m_old;
};

}  // namespace ovgApp
