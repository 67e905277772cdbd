// The keyboard reaches every menu and item: mnemonics in both languages, the standard
// shortcuts beside the program's own, F10 to the menu bar.
#include "ScriptedHost.h"
#include "TestFolders.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "ui/MainWindow.h"
#include "ui/NewGraphDialog.h"
#include "ui/ViewCommands.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace {

// The letter after a single "&" (upper case), or none; "&&" is a shown "&".
QChar MnemonicLetter(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toUpper();
        ++i;
    }
    return QChar();
}

struct Keyboard : ::testing::Test {
    QTemporaryDir folder;
    ScriptedHost host;
    std::unique_ptr<MainWindow> w;
    // Leaf items whose command was replaced by a count of its triggers.
    std::map<QAction*, int> triggered;

    void SetUp() override
    {
        ProgramPaths::SetProgramFolderOverride(folder.path());
        w = std::make_unique<MainWindow>();
        w->SetDialogHost(&host);
        w->NewGraphForm()->Exec = [](NewGraphDialog& dialog) {
            dialog.SetDirected(false);
            dialog.SetWeighted(true);
            dialog.Confirm();
            return int(QDialog::Accepted);
        };
        w->EnsureFirstGraph();
        w->resize(800, 600);
        w->show();
        // Window shortcuts, the menu bar's letters among them, work in the active window.
        w->activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), w.get());
    }
    void TearDown() override
    {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        w.reset();
        TranslateManager().UseBuiltIn();
        ProgramPaths::SetProgramFolderOverride(TestProgramFolder());
    }
    // The item's command is replaced by a count: what a key reaches is seen, nothing runs.
    void Count(QAction* item)
    {
        if (triggered.count(item))
            return;
        triggered[item] = 0;
        QObject::disconnect(item, &QAction::triggered, nullptr, nullptr);
        QObject::connect(item, &QAction::triggered, w.get(), [this, item] { ++triggered[item]; });
    }
    void Press(QWidget* target, QChar letter, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(letter.toUpper().unicode()),
                            QString(letter.toLower()), modifiers);
        QApplication::processEvents();
    }
    // Opens the menu bar's menu by Alt+letter, then each submenu of the path by its letter.
    QMenu* Open(const QList<QAction*>& path)
    {
        Press(w.get(), MnemonicLetter(path[0]->text()), Qt::AltModifier);
        for (qsizetype i = 1; i < path.size(); ++i) {
            QWidget* shown = QApplication::activePopupWidget();
            if (!shown)
                return nullptr;
            Press(shown, MnemonicLetter(path[i]->text()));
        }
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    void CloseMenus()
    {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QApplication::processEvents();
    }
    // Every enabled item under the path opens (a submenu) or triggers (a command) by its letter.
    void WalkByLetters(QList<QAction*> path, const QString& language)
    {
        QMenu* menu = path.last()->menu();
        for (QAction* item : menu->actions()) {
            if (item->isSeparator() || !item->isVisible() || !item->isEnabled())
                continue;
            const std::string where = (language + QStringLiteral(": ") + item->text()).toStdString();
            QMenu* opened = Open(path);
            ASSERT_EQ(opened, menu) << where;
            if (item->menu()) {
                Press(opened, MnemonicLetter(item->text()));
                EXPECT_EQ(QApplication::activePopupWidget(), item->menu()) << where;
                CloseMenus();
                WalkByLetters(path + QList<QAction*>{item}, language);
                continue;
            }
            Count(item);
            const int before = triggered[item];
            Press(opened, MnemonicLetter(item->text()));
            EXPECT_EQ(triggered[item], before + 1) << where;
            CloseMenus();
        }
    }
};

void CheckLetters(QMenu* menu, const QString& where, const QString& language)
{
    std::map<QChar, QString> taken;
    for (QAction* item : menu->actions()) {
        if (item->isSeparator())
            continue;
        const QString place = language + QStringLiteral(": ") + where + QStringLiteral(" > ") + item->text();
        const QChar letter = MnemonicLetter(item->text());
        EXPECT_FALSE(letter.isNull()) << place.toStdString() << " has no mnemonic";
        if (!letter.isNull()) {
            const auto [at, fresh] = taken.emplace(letter, item->text());
            EXPECT_TRUE(fresh) << place.toStdString() << " shares its letter with "
                               << at->second.toStdString();
        }
        if (item->menu())
            CheckLetters(item->menu(), where + QStringLiteral(" > ") + item->text(), language);
    }
}

} // namespace

TEST_F(Keyboard, EveryMenuItemAndPopupItemHasAMnemonicOfItsOwnInBothLanguages)
{
    w->Action(QStringLiteral("actShowMatrix"))->trigger(); // the item's other text, "hide", too
    for (const bool english : {false, true}) {
        english ? w->Views().UseEnglishLanguage() : w->Views().UseBuiltInLanguage();
        const QString language = english ? QStringLiteral("en") : QStringLiteral("ru");
        ASSERT_EQ(w->Action(QStringLiteral("FileMenuItem"))->text(), Translate(QStringLiteral("File")));
        // The menu bar's own row, its menus and the two popups of the drawing.
        QMenu bar;
        bar.addActions(w->menuBar()->actions());
        CheckLetters(&bar, QStringLiteral("menu bar"), language);
        CheckLetters(w->VertexPopup(), QStringLiteral("vertex popup"), language);
        CheckLetters(w->FreeSpacePopup(), QStringLiteral("free space popup"), language);
    }
}

TEST_F(Keyboard, AltAndTheLetterOpenEveryMenuAndTheLetterInsideOpensEveryItemInBothLanguages)
{
    for (const bool english : {false, true}) {
        english ? w->Views().UseEnglishLanguage() : w->Views().UseBuiltInLanguage();
        QApplication::processEvents();
        const QString language = english ? QStringLiteral("en") : QStringLiteral("ru");
        for (QAction* top : w->menuBar()->actions()) {
            if (!top->menu()) {
                // The two language items on the bar itself: Alt and the letter switch the language.
                Count(top);
                const int before = triggered[top];
                Press(w.get(), MnemonicLetter(top->text()), Qt::AltModifier);
                EXPECT_EQ(triggered[top], before + 1) << top->text().toStdString();
                continue;
            }
            WalkByLetters({top}, language);
        }
    }
}

TEST_F(Keyboard, StandardShortcutsReachTheirItemsBesideTheProgramsOwn)
{
    const std::pair<QKeySequence, const char*> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), "actCreate"},
        {QKeySequence(Qt::CTRL | Qt::Key_O), "actLoadGraf"},
        {QKeySequence(Qt::CTRL | Qt::Key_S), "actSaveGraf"},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "actSaveGrafAs"},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), "actUndo"},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), "actRedo"},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "actRedo"},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), "actExit"},
        {QKeySequence(Qt::Key_F1), "actHelpLocal"},
        // The program's own keys still reach theirs.
        {QKeySequence(Qt::Key_F3), "actAddGraf"},
        {QKeySequence(Qt::CTRL | Qt::Key_R), "actEditNameGraf"},
        {QKeySequence(Qt::CTRL | Qt::Key_M), "actFindMaxStream"},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_M), "actFindMinimalTree"},
    };
    for (const auto& [sequence, name] : keys) {
        QAction* item = w->Action(QLatin1String(name));
        ASSERT_NE(item, nullptr) << name;
        item->setEnabled(true); // a key reaches only an enabled item; which one is the question here
        Count(item);
        const int before = triggered[item];
        const QKeyCombination key = sequence[0];
        QTest::keyClick(w.get(), key.key(), key.keyboardModifiers());
        QApplication::processEvents();
        EXPECT_EQ(triggered[item], before + 1) << name << " by " << sequence.toString().toStdString();
    }
    // No key is claimed by two items: an ambiguous one would reach neither.
    std::map<QString, QString> owners;
    for (QAction* item : static_cast<QWidget*>(w.get())->actions())
        for (const QKeySequence& sequence : item->shortcuts()) {
            const auto [at, fresh] = owners.emplace(sequence.toString(), item->objectName());
            EXPECT_TRUE(fresh) << sequence.toString().toStdString() << ": "
                               << item->objectName().toStdString() << " and " << at->second.toStdString();
        }
}

TEST_F(Keyboard, F10TakesTheKeyboardToTheMenuBar)
{
    EXPECT_EQ(w->menuBar()->activeAction(), nullptr);
    QTest::keyClick(w.get(), Qt::Key_F10);
    QApplication::processEvents();
    EXPECT_EQ(w->menuBar()->activeAction(), w->Action(QStringLiteral("FileMenuItem")));
}

TEST_F(Keyboard, TheHamiltonSubmenuIsDisabledWithBothItsItemsForADirectedGraph)
{
    QAction* hamilton = w->Action(QStringLiteral("HamiltonMenuItem"));
    EXPECT_TRUE(hamilton->isEnabled());
    w->Document()->Directed = true;
    w->UpdateMenus();
    EXPECT_FALSE(w->Action(QStringLiteral("actHamiltonLoop"))->isEnabled());
    EXPECT_FALSE(w->Action(QStringLiteral("actHamiltonChain"))->isEnabled());
    EXPECT_FALSE(hamilton->isEnabled());
    // The Euler searches take directed graphs: their submenu stays open.
    EXPECT_TRUE(w->Action(QStringLiteral("EulerMenuItem"))->isEnabled());
    w->Document()->Directed = false;
    w->UpdateMenus();
    EXPECT_TRUE(hamilton->isEnabled());
}

TEST_F(Keyboard, ARecentFileIsNumberedForTheKeyboardAndItsAmpersandIsShown)
{
    w->Session().RecentFiles() = {QStringLiteral("/tmp/R&D.grafa"), QStringLiteral("/tmp/plain.grafa")};
    w->RefreshRecentMenu();
    QAction* first = w->RecentMenu()->actions().value(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), QStringLiteral("&1 /tmp/R&&D.grafa"));
    EXPECT_EQ(MnemonicLetter(first->text()), QLatin1Char('1'));
    EXPECT_EQ(MnemonicLetter(w->RecentMenu()->actions().value(1)->text()), QLatin1Char('2'));
}
