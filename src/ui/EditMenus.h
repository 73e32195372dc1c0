#pragma once

#include <QObject>

class QMenu;
class QPlainTextEdit;
class QWidget;

namespace ovgUi {

// The context menus of text fields, in the window's language rather than the toolkit's default.
// "Memo" on the memo pane: cut, copy, paste, select all.
void InstallMemoMenu(QPlainTextEdit* memo);

// "SimpleEdit" on every one-line edit field of the application (dialogs included): undo, cut,
// copy, paste, delete, select all. Installed once on the application object.
class SimpleEditMenus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Shows a menu built for a widget at a point of that widget (the tests find it by its name).
void ShowMenuAt(QMenu& menu, QWidget* widget, const QPoint& point);

}  // namespace ovgUi
