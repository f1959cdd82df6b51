// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QApplication;
class QGroupBox;
class QPlainTextEdit;

// The floor of the benchmarks: what Qt itself costs for the main window's screen. A window of
// the same size with the same labels, fonts, pictures and text, built in plain code: no
// catalogue, no design file, no handlers. Its controls bear the main window's names, so the
// benchmarks can check that the two screens still match.
class FloorWindow : public QWidget
{
public:
    explicit FloorWindow(QWidget *parent = nullptr);

    QPlainTextEdit *textBox() const { return m_text; }
    QGroupBox *panel() const { return m_panel; }

private:
    QPlainTextEdit *m_text = nullptr;
    QGroupBox *m_panel = nullptr;
};

// The floor's look: the same style and palette as the program.
void setUpFloorLook(QApplication &app);

// A topic text (10000 + 10 x sign + topic) read from the floor's own copy of the text files,
// laid out as the program shows it: paragraphs separated by CR LF CR LF.
QString floorText(int number);
