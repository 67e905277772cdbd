#pragma once

class QComboBox;
class QWidget;

// The start of a naming scheme as the new-graph and ready-made-graph windows offer it: numbers
// 1..10 or any typed number, letters A..Z, nothing for names typed by hand (the box and its
// label hidden).
void ShowNamingStart(int kind, QComboBox& startBox, QWidget& startLabel);

// The three naming schemes' captions in a kind list, in the current language.
void CaptionNamingKinds(QComboBox& kinds);
