// SPDX-License-Identifier: MIT
#include "textwords.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

TextWords::TextWords(QPlainTextEdit *box)
    : QObject(box)
{
    box->installEventFilter(this);
}

bool TextWords::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool forward
        = key->matches(QKeySequence::MoveToNextWord) || key->matches(QKeySequence::SelectNextWord);
    if (!forward && !key->matches(QKeySequence::MoveToPreviousWord)
        && !key->matches(QKeySequence::SelectPreviousWord))
        return false;
    auto *box = static_cast<QPlainTextEdit *>(watched);
    QTextCursor cursor = box->textCursor();
    const auto mode = key->modifiers().testFlag(Qt::ShiftModifier) ? QTextCursor::KeepAnchor
                                                                   : QTextCursor::MoveAnchor;
    // Qt stops at every mark as at a word, and at a paragraph's end and each empty line after
    // it: move on until the caret is at a word or an end.
    const auto atMark = [&] {
        const QChar c = box->document()->characterAt(cursor.position());
        return !cursor.atEnd() && !cursor.atStart() && !c.isLetterOrNumber()
            && (!c.isSpace() || c == QChar::ParagraphSeparator);
    };
    do
        cursor.movePosition(forward ? QTextCursor::NextWord : QTextCursor::PreviousWord, mode);
    while (atMark());
    box->setTextCursor(cursor);
    return true;
}
