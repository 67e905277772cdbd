#pragma once

class QApplication;
class QWidget;

// The program's hints: shown after 300 ms, on the amber background users know.
void ApplyHintAppearance(QApplication& application);

// Makes a dialog wide enough that the window system can show its whole title beside the title
// bar's icon and buttons; short prompts would otherwise leave it cut to "Введи... число".
void WidenForTitle(QWidget& dialog);
