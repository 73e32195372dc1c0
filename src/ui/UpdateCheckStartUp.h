#pragma once

class QWidget;

namespace ovgUi {

// The update check's start-up step, for the main window once it is shown and the files of the
// command line are open: asks the first-run question (DlgUpdateFirstRun over window, once per
// user), then, when the user wants automatic checks and none completed today, starts the check
// in the background. Returns at once after the question. With no server configured the check
// ends at once, silently (code -1). What it needs lives in an object
// owned by window; closing the window ends a running check quietly. Not for runs without a
// user (the screenshot mode): the question waits for an answer.
void StartUpdateCheckAtStartUp(QWidget* window);

// The Help menu's "起動時にアップデート情報を確認する(&U)": reads and sets AutoRecv. Setting it
// also counts as the answer to the first-run question.
bool IsUpdateCheckAtStartUpOn();
void SetUpdateCheckAtStartUp(bool on);

}  // namespace ovgUi
