#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QString>

class QContextMenuEvent;
class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

namespace bearing::ui {

// An input box that takes any text, however long, and stays small in memory.
//
// The line edit keeps an undo record for every character it inserts or removes, and
// the record only grows until the text is set anew: a megabyte pasted over a megabyte
// costs some 32 MB that are never given back. This box makes an edit of more than
// `longEditLength` characters (a paste, a long selection typed over, cut or deleted)
// by setting the text whole, which keeps no record, and remembers the text before it
// so that Undo still takes that one edit back. Shorter edits keep the line edit's own
// undo history, character by character. After a long edit the memory that the old
// text's layout held goes back to the system.
class InputBox : public QLineEdit {
    Q_OBJECT

public:
    static constexpr qsizetype longEditLength = 4096;

    explicit InputBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    [[nodiscard]] bool hasLongSelection() const;
    [[nodiscard]] bool canUndoLongEdit() const;

    // Each returns false when it left the edit to the line edit itself.
    bool pasteFrom(QClipboard::Mode mode);
    bool cutLongSelection();
    bool deleteLongSelection();
    bool deleteLongRange(int start, int end, bool copyFirst);
    bool undoLongEdit();

    // Replaces the selection (or inserts at the cursor) with `inserted` as a user's
    // edit, outside the line edit's undo history.
    void replaceSelection(const QString& inserted);

    struct Selection {
        int cursor = 0;
        int start = 0;
        int length = 0;
    };

    QString textBeforeLongEdit_;
    Selection selectionBeforeLongEdit_;
    QString textAfterLongEdit_;  // shares the box's text until either changes
    bool trimAfterPaint_ = false;
};

}  // namespace bearing::ui
