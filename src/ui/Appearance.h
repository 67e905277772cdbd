#pragma once

class QApplication;

// The program's hints: shown after 300 ms, on the amber background users know.
void ApplyHintAppearance(QApplication& application);
