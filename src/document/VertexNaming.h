#pragma once

#include <QString>
#include <array>

// The names of the 255 name numbers and the rule that produced them. A vertex keeps its
// name number for life, so names survive the renumbering that deletions cause.
class VertexNaming {
  public:
    static constexpr int MaxTitles = 255;
    enum Kind : quint8 { Numbers = 0, Letters = 1, Manual = 2 };

    QString NameOf(int n) const;
    void SetNumbers(int begin);
    void SetLetters(int beginLetter, bool capital);
    quint8 GetKind() const { return GrafTitleType; }
    void SetKind(quint8 kind) { GrafTitleType = kind; }
    int GetBeginNumber() const { return BeginNumber; }
    quint8 GetBeginLetter() const { return BeginLetter; }
    bool GetIsBig() const { return IsBig; }
    void SetManualTitle(int n, const QString& text);
    void ClearManualTitle(int n);
    void CopyFrom(const VertexNaming& other);
    bool SameAs(const VertexNaming& other) const;

    // Name of a position in the base-26 letter scheme: 0 = "A", 25 = "Z", 26 = "BA".
    static QString LetterName(int position, bool capital);

  private:
    std::array<QString, MaxTitles + 1> Titles{}; // index 0 unused
    quint8 GrafTitleType = Numbers;
    int BeginNumber = 0;
    quint8 BeginLetter = 'A';
    bool IsBig = true;
};
