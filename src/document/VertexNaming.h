#pragma once

#include <QString>
#include <array>

// The names of the 255 name numbers and the rule that produced them. A vertex keeps its
// name number for life, so names survive the renumbering that deletions cause.
class VertexNaming {
  public:
    static constexpr int MaxNames = 255;
    enum Kind : quint8 { Numbers = 0, Letters = 1, Manual = 2 };

    QString NameOf(int n) const;
    void SetNumbers(int begin);
    void SetLetters(int beginLetter, bool capital);
    quint8 GetKind() const { return kind; }
    void SetKind(quint8 newKind) { kind = newKind; }
    int FirstNumber() const { return firstNumber; }
    quint8 FirstLetter() const { return firstLetter; }
    bool CapitalLetters() const { return capital; }
    void SetManualName(int n, const QString& text);
    void ClearManualName(int n);
    void CopyFrom(const VertexNaming& other);
    bool SameAs(const VertexNaming& other) const;

    // Name of a position in the base-26 letter scheme: 0 = "A", 25 = "Z", 26 = "BA".
    static QString LetterName(int position, bool capital);

  private:
    std::array<QString, MaxNames + 1> names{}; // index 0 unused
    quint8 kind = Numbers;
    int firstNumber = 0;
    quint8 firstLetter = 'A';
    bool capital = true;
};
