#include "ui/EditMenus.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace ovgUi {

void ShowMenuAt(QMenu& menu, QWidget* widget, const QPoint& point)
{
    menu.exec(widget->mapToGlobal(point));
}

void InstallMemoMenu(QPlainTextEdit* memo)
{
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(memo, &QWidget::customContextMenuRequested, memo, [memo](const QPoint& point) {
        QMenu menu(memo);
        menu.setObjectName(QStringLiteral("Memo"));
        const bool selected = memo->textCursor().hasSelection();
        QAction* cut = menu.addAction(QCoreApplication::translate("EditMenus", "切り取り(&T)"), memo,
                                      &QPlainTextEdit::cut);
        cut->setShortcut(QKeySequence::Cut);
        cut->setEnabled(selected && !memo->isReadOnly());
        QAction* copy = menu.addAction(QCoreApplication::translate("EditMenus", "コピー(&C)"), memo,
                                       &QPlainTextEdit::copy);
        copy->setShortcut(QKeySequence::Copy);
        copy->setEnabled(selected);
        QAction* paste = menu.addAction(QCoreApplication::translate("EditMenus", "貼り付け(&P)"), memo,
                                        &QPlainTextEdit::paste);
        paste->setShortcut(QKeySequence::Paste);
        paste->setEnabled(memo->canPaste());
        menu.addSeparator();
        menu.addAction(QCoreApplication::translate("EditMenus", "すべて選択(&A)"), memo,
                       &QPlainTextEdit::selectAll)
            ->setShortcut(QKeySequence::SelectAll);
        ShowMenuAt(menu, memo->viewport(), point);
    });
}

bool SimpleEditMenus::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || event->type() != QEvent::ContextMenu) return QObject::eventFilter(watched, event);
    QMenu menu(edit);
    menu.setObjectName(QStringLiteral("SimpleEdit"));
    const bool writable = !edit->isReadOnly(), selected = edit->hasSelectedText();
    const auto add = [&](const char* text, QKeySequence::StandardKey key, bool enabled, auto slot) {
        QAction* action = menu.addAction(QCoreApplication::translate("EditMenus", text), edit, slot);
        action->setShortcut(key);
        action->setEnabled(enabled);
    };
    add(QT_TRANSLATE_NOOP("EditMenus", "元に戻す(&U)"), QKeySequence::Undo,
        writable && edit->isUndoAvailable(), &QLineEdit::undo);
    menu.addSeparator();
    add(QT_TRANSLATE_NOOP("EditMenus", "切り取り(&T)"), QKeySequence::Cut, writable && selected,
        &QLineEdit::cut);
    add(QT_TRANSLATE_NOOP("EditMenus", "コピー(&C)"), QKeySequence::Copy,
        selected && edit->echoMode() == QLineEdit::Normal, &QLineEdit::copy);
    add(QT_TRANSLATE_NOOP("EditMenus", "貼り付け(&P)"), QKeySequence::Paste, writable, &QLineEdit::paste);
    add(QT_TRANSLATE_NOOP("EditMenus", "削除(&D)"), QKeySequence::Delete, writable && selected,
        &QLineEdit::del);
    menu.addSeparator();
    add(QT_TRANSLATE_NOOP("EditMenus", "すべて選択(&A)"), QKeySequence::SelectAll, !edit->text().isEmpty(),
        &QLineEdit::selectAll);
    ShowMenuAt(menu, edit, static_cast<QContextMenuEvent*>(event)->pos());
    return true;
}

}  // namespace ovgUi
