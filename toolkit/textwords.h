// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QPlainTextEdit;

// Ctrl+Right and Ctrl+Left (with Shift, selecting) in a text box move by whole words: a mark of
// punctuation after a word ("hlavou," or a dash) is passed together with the word, where Qt's
// own word moves stop before it and again after it; from a paragraph's last word the next press
// reaches the next paragraph's first. A screen reader says what the caret has passed, so a comma
// is heard with its word and never alone, and no press passes nothing but a line break.
class TextWords : public QObject
{
public:
    explicit TextWords(QPlainTextEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
