#include "document/VertexNaming.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(VertexNaming, LettersCountInBase26WithBAAfterZ)
{
    VertexNaming t;
    t.SetKind(VertexNaming::Letters);
    t.SetLetters('A', true);
    EXPECT_EQ(t.NameOf(1), "A");
    EXPECT_EQ(t.NameOf(26), "Z");
    EXPECT_EQ(t.NameOf(27), "BA");
    EXPECT_EQ(t.NameOf(52), "BZ");
    EXPECT_EQ(t.NameOf(53), "CA");
    EXPECT_EQ(VertexNaming::LetterName(280, true), "KU");
    QSet<QString> names;
    for (int i = 1; i <= 255; ++i)
        names.insert(t.NameOf(i));
    EXPECT_EQ(names.size(), 255);
}

TEST(VertexNaming, LettersFromZAndSmallLetters)
{
    VertexNaming t;
    t.SetLetters('Z', true);
    EXPECT_EQ(t.NameOf(1), "Z");
    EXPECT_EQ(t.NameOf(2), "BA");
    EXPECT_EQ(t.NameOf(255), VertexNaming::LetterName(279, true));

    t.SetLetters('c', false);
    EXPECT_EQ(t.NameOf(1), "c");
    EXPECT_EQ(t.NameOf(25), "ba");
    EXPECT_FALSE(t.CapitalLetters());
}

TEST(VertexNaming, LetterStartOutsideItsCaseFallsBackToFirstLetter)
{
    VertexNaming t;
    t.SetLetters(200, true);
    EXPECT_EQ(t.FirstLetter(), 'A');
    EXPECT_EQ(t.NameOf(1), "A");
    t.SetLetters('A', false); // a capital start for small letters
    EXPECT_EQ(t.NameOf(1), "a");
}

TEST(VertexNaming, NumbersFromAnyStartIncludingHugeOnes)
{
    VertexNaming t;
    t.SetNumbers(5);
    EXPECT_EQ(t.NameOf(1), "5");
    EXPECT_EQ(t.NameOf(3), "7");
    t.SetNumbers(-2);
    EXPECT_EQ(t.NameOf(1), "-2");
    EXPECT_EQ(t.NameOf(3), "0");
    t.SetNumbers(2147483647);
    EXPECT_EQ(t.NameOf(1), "2147483647");
    EXPECT_EQ(t.NameOf(2), "2147483648");
    EXPECT_EQ(t.NameOf(0), "");
    EXPECT_EQ(t.NameOf(256), "");
}

TEST(VertexNaming, ManualTitlesOnlyInManualKind)
{
    VertexNaming t;
    t.SetNumbers(1);
    t.SetManualName(2, "x");
    EXPECT_EQ(t.NameOf(2), "2");
    t.ClearManualName(2);
    EXPECT_EQ(t.NameOf(2), "2");

    t.SetKind(VertexNaming::Manual); // keeps the current names as starting names
    EXPECT_EQ(t.NameOf(2), "2");
    t.SetManualName(2, "Moscow");
    EXPECT_EQ(t.NameOf(2), "Moscow");
    t.ClearManualName(2);
    EXPECT_EQ(t.NameOf(2), "");
}

TEST(VertexNaming, CopyFromAndSameAsIgnoreTheStartValues)
{
    VertexNaming a, b;
    a.SetNumbers(3);
    b.SetNumbers(1);
    EXPECT_FALSE(a.SameAs(b));
    b.CopyFrom(a);
    EXPECT_TRUE(b.SameAs(a));
    EXPECT_EQ(b.FirstNumber(), 1);
    b.SetKind(VertexNaming::Manual);
    EXPECT_FALSE(b.SameAs(a));
}
