#include "inputbox.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>

#include <functional>
#include <limits>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace bearing::ui {

namespace {

// A key that types its text in place of the selection, as the line edit takes it.
bool typesText(const QKeyEvent* event)
{
    const QString typed = event->text();
    return !typed.isEmpty() && typed.front().isPrint()
        && (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) == Qt::NoModifier;
}

// The line edit lays its whole text out in one line, some 40 bytes a character, and
// builds that layout anew on every change and partly again to paint it. The C library
// keeps freed memory on its heap for reuse, so after a long text has been laid out,
// replaced or taken back the process would go on holding the high-water mark; handing
// the free pages back to the system costs a few milliseconds, after a long edit only.
void giveBackFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace

InputBox::InputBox(QWidget* parent)
    : QLineEdit(parent)
{
    // The calculation reads only the number at the start, but the box keeps every
    // character it is given.
    setMaxLength(std::numeric_limits<int>::max());
}

void InputBox::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    if (!isReadOnly()) {
        if (event->matches(QKeySequence::Paste)) {
            handled = pasteFrom(QClipboard::Clipboard);
        } else if (event->matches(QKeySequence::Undo)) {
            handled = undoLongEdit();
        } else if (event->matches(QKeySequence::Cut)) {
            handled = cutLongSelection();
        } else if (event->matches(QKeySequence::DeleteEndOfLine)) {
            handled = deleteLongRange(cursorPosition(), static_cast<int>(text().size()), true);
        } else if (event->matches(QKeySequence::DeleteCompleteLine)) {
            handled = deleteLongRange(0, static_cast<int>(text().size()), true);
        } else if (event->matches(QKeySequence::DeleteStartOfWord) || event->matches(QKeySequence::DeleteEndOfWord)) {
            // The line edit marks the word and deletes the mark; marking it here first
            // lets a long word go the same way as a long selection.
            if (!hasSelectedText()) {
                event->matches(QKeySequence::DeleteStartOfWord) ? cursorWordBackward(true) : cursorWordForward(true);
            }
            handled = deleteLongSelection();
        } else if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
            handled = deleteLongSelection();
        } else if (typesText(event) && hasLongSelection()) {
            replaceSelection(event->text());
            handled = true;
        }
    }
    if (handled) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void InputBox::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (trimAfterPaint_) {
        trimAfterPaint_ = false;
        giveBackFreedMemory();
    }
}

void InputBox::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the X selection.
    if (event->button() == Qt::MiddleButton && !isReadOnly() && QGuiApplication::clipboard()->supportsSelection()) {
        const QString selection = QGuiApplication::clipboard()->text(QClipboard::Selection);
        if (selection.size() > longEditLength) {
            deselect();
            replaceSelection(selection);
            event->accept();
            return;
        }
    }
    QLineEdit::mouseReleaseEvent(event);
}

void InputBox::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu's editing entries take the same way as their keys.
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        const QString name = action->objectName();
        std::function<void()> edit;
        if (name == QLatin1String("edit-undo")) {
            action->setEnabled(!isReadOnly() && (isUndoAvailable() || canUndoLongEdit()));
            edit = [this] {
                if (!undoLongEdit()) {
                    undo();
                }
            };
        } else if (name == QLatin1String("edit-cut")) {
            edit = [this] {
                if (!cutLongSelection()) {
                    cut();
                }
            };
        } else if (name == QLatin1String("edit-paste")) {
            edit = [this] {
                if (!pasteFrom(QClipboard::Clipboard)) {
                    paste();
                }
            };
        } else if (name == QLatin1String("edit-delete")) {
            edit = [this] {
                if (!deleteLongSelection()) {
                    del();
                }
            };
        } else {
            continue;
        }
        disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, edit);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

bool InputBox::hasLongSelection() const { return selectionLength() > longEditLength; }

bool InputBox::canUndoLongEdit() const
{
    return !textAfterLongEdit_.isNull() && !isUndoAvailable() && text() == textAfterLongEdit_;
}

bool InputBox::pasteFrom(QClipboard::Mode mode)
{
    const QString pasted = QGuiApplication::clipboard()->text(mode);
    if (pasted.size() <= longEditLength && !hasLongSelection()) {
        return false;
    }
    replaceSelection(pasted);
    return true;
}

bool InputBox::cutLongSelection()
{
    if (!hasLongSelection()) {
        return false;
    }
    copy();
    replaceSelection({});
    return true;
}

bool InputBox::deleteLongSelection()
{
    if (!hasLongSelection()) {
        return false;
    }
    replaceSelection({});
    return true;
}

bool InputBox::deleteLongRange(int start, int end, bool copyFirst)
{
    if (end - start <= longEditLength) {
        return false;
    }
    setSelection(start, end - start);
    if (copyFirst) {
        copy();
    }
    replaceSelection({});
    return true;
}

bool InputBox::undoLongEdit()
{
    if (!canUndoLongEdit()) {
        return false;
    }
    const QString restored = textBeforeLongEdit_;
    const Selection before = selectionBeforeLongEdit_;
    textBeforeLongEdit_.clear();
    textAfterLongEdit_.clear();
    setText(restored);
    // The selection comes back as it was, its cursor end included.
    if (before.length == 0) {
        setCursorPosition(before.cursor);
    } else if (before.cursor == before.start) {
        setSelection(before.start + before.length, -before.length);
    } else {
        setSelection(before.start, before.length);
    }
    giveBackFreedMemory();
    trimAfterPaint_ = true;
    emit textEdited(text());
    return true;
}

void InputBox::replaceSelection(const QString& inserted)
{
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    textBeforeLongEdit_ = text();
    selectionBeforeLongEdit_ = {cursorPosition(), start, selectionLength()};
    QString edited = textBeforeLongEdit_;
    edited.replace(start, selectionLength(), inserted);
    // Setting the text whole leaves the line edit no record of the characters.
    setText(edited);
    setCursorPosition(start + static_cast<int>(inserted.size()));
    textAfterLongEdit_ = text();
    giveBackFreedMemory();
    trimAfterPaint_ = true;
    emit textEdited(textAfterLongEdit_);
}

}  // namespace bearing::ui
