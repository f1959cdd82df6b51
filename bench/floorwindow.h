// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

class QApplication;
class QGroupBox;
class QPlainTextEdit;

// The floor of the benchmarks: what Qt itself costs for the main window's screen. It is built
// from the main window's own design file with uic's setupUi and filled with plain Qt calls:
// the first sign's and topic's captions, pictures and text, from the files the catalogue is
// made of, read with Qt's own readers. No catalogue, no handlers, no toolkit layer.
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

// The program's look: Fusion with its standard palette, and the windows' default font in the
// face the program shows for the design's MS Sans Serif.
void setUpFloorLook(QApplication &app);

// Topic text 10000 + 10 x sign + topic as the program shows it: paragraphs separated by
// CR LF CR LF.
QString floorText(int number);
