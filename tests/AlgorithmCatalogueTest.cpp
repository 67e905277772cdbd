#include "algorithms/RunAlgorithm.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// Every leaf item of a menu and its submenus.
void CollectItems(QMenu* menu, QList<QAction*>& items)
{
    for (QAction* action : menu->actions()) {
        if (action->menu())
            CollectItems(action->menu(), items);
        else if (!action->isSeparator())
            items.append(action);
    }
}

QMenu* MenuNamed(MainWindow& w, const QString& name)
{
    for (QAction* action : w.menuBar()->actions())
        if (action->menu() && action->menu()->objectName() == name)
            return action->menu();
    return nullptr;
}

} // namespace

TEST(AlgorithmCatalogue, EveryRowHasARunnerACommandAndAnAliasOfItsOwn)
{
    QSet<QString> actions, names;
    static const QRegularExpression readable(QStringLiteral("^[a-z]+(-[a-z]+)*$"));
    for (const AlgorithmInfo& info : Algorithms()) {
        ASSERT_NE(info.action, nullptr) << info.name;
        ASSERT_NE(info.captionKey, nullptr) << info.name;
        EXPECT_NE(info.run, nullptr) << info.name << " has no runner";
        actions.insert(QLatin1String(info.action));
        ASSERT_NE(info.alias, nullptr) << info.name;
        EXPECT_TRUE(readable.match(QLatin1String(info.alias)).hasMatch()) << info.alias;
        names << QLatin1String(info.name) << QLatin1String(info.alias);
        // Either name finds the row; an alias never shadows another row's dispatcher name.
        EXPECT_EQ(FindAlgorithmOrAlias(QLatin1String(info.alias)), &info) << info.alias;
        EXPECT_EQ(FindAlgorithmOrAlias(QLatin1String(info.name)), &info) << info.name;
        EXPECT_EQ(FindAlgorithm(QLatin1String(info.alias)), nullptr) << info.alias;
    }
    EXPECT_EQ(actions.size(), int(Algorithms().size()));
    EXPECT_EQ(names.size(), 2 * int(Algorithms().size()));
    EXPECT_EQ(FindAlgorithmOrAlias(QStringLiteral("Dijkstra")), nullptr);
}

TEST(AlgorithmCatalogue, MenusToolbarAndPopupComeFromTheRows)
{
    MainWindow w;
    // Every item of the two algorithm menus resolves to a row, and each row has its item,
    // under the menu and with the shortcut the row names.
    QList<QAction*> items;
    CollectItems(MenuNamed(w, "AlgorithmMenu"), items);
    CollectItems(MenuNamed(w, "AdvancedMenu"), items);
    ASSERT_EQ(items.size(), 22);
    QSet<QString> seen;
    for (QAction* item : items) {
        const AlgorithmInfo* row = nullptr;
        for (const AlgorithmInfo& info : Algorithms())
            if (item->objectName() == QLatin1String(info.action))
                row = &info;
        ASSERT_NE(row, nullptr) << item->objectName().toStdString();
        seen.insert(QLatin1String(row->name));
        const QKeySequence shortcut =
            row->shortcut ? QKeySequence(QLatin1String(row->shortcut), QKeySequence::PortableText)
                          : QKeySequence();
        EXPECT_EQ(item->shortcut(), shortcut) << row->name;
        const bool special = row->menu == AlgorithmMenu::Special;
        EXPECT_EQ(MenuNamed(w, "AdvancedMenu")->actions().contains(item), special) << row->name;
    }
    EXPECT_EQ(seen.size(), 22);
    EXPECT_EQ(w.Action("actEulerLoop")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));

    // The vertex popup offers the path searches after the arc item and a separator.
    QMenu* popup = w.findChild<QMenu*>("VertexPopup");
    ASSERT_NE(popup, nullptr);
    QStringList popupNames;
    for (QAction* item : popup->actions())
        popupNames.append(item->objectName());
    EXPECT_EQ(popupNames,
              (QStringList{"actDrawDuga", "", "popupAlgoritmTerry", "popupAlgoritmVawe",
                           "popupAlgoritmFordBelman", "popupAlgoritmDejkstri", "popupAlgoritmFloid"}));

    // The toolbar's algorithm buttons, in their order.
    QStringList buttons;
    for (QAction* action : w.findChild<QToolBar*>("ToolBar")->actions())
        if (action->objectName().startsWith("act") && !action->objectName().startsWith("actHelp"))
            buttons.append(action->objectName());
    EXPECT_EQ(buttons.mid(buttons.indexOf("actDeterminHromNumber")),
              (QStringList{"actDeterminHromNumber", "actFindMinimalTree", "actMaxStream",
                           "actDeterminRadiusDiametr", "actIsGrafTree", "actFindCriticalTrace",
                           "actDeterminALoop"}));
}
