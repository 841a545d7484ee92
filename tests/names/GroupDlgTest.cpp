// The group selection dialog and the name list window on the offscreen platform: adding and
// removing persons of a printout, and the payload of a person dragged from the list (what the
// wheel window decodes). With KYR_GRAB_DIR set, the dialogs are also saved there as pictures.

#include "GroupDlg.h"
#include "SearchDlg.h"
#include "SearchTestSupport.h"
#include "SettingsFormats.h"
#include "WheelWindow.h"
#include "WinNames.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <cstdlib>

namespace kyr::test {
namespace {

class GroupDlgTest : public SearchFixture {
protected:
    GroupDlgTest() {
        AddPerson("Ann", "Lee", {"Family"});
        AddPerson("Bob", "Brown", {"Work"});
        AddPerson("Carl", "Adams", {"Family", "Work"});
        AddPerson("Mary", "Ann Smith");
        AddPerson("Mary Ann", "Smith", {"Family"});
    }
    static QStringList Texts(const QListWidget *list) {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    static void SelectRows(QListWidget *list, std::initializer_list<int> rows) {
        list->clearSelection();
        for (const int row : rows)
            list->item(row)->setSelected(true);
        if (rows.size() > 0)
            list->setCurrentRow(*rows.begin(), QItemSelectionModel::Current);
    }
};

TEST_F(GroupDlgTest, StartsWithEveryNameAndFiltersByGroup) {
    TGroupDlg dlg(Data, Language);
    EXPECT_EQ("Select Names", dlg.windowTitle());
    EXPECT_EQ((QStringList{"Ann Lee", "Bob Brown", "Carl Adams", "Mary Ann Smith",
                           "Mary Ann Smith"}),
              Texts(dlg.SourceList()));
    EXPECT_EQ(0, dlg.SourceList()->currentRow());
    EXPECT_TRUE(dlg.AddButton()->isEnabled());
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());
    EXPECT_EQ((QStringList{"(All names)", "Family", "Work"}), [&] {
        QStringList items;
        for (int i = 0; i < dlg.GroupFilter()->count(); ++i)
            items << dlg.GroupFilter()->itemText(i);
        return items;
    }());
    dlg.GroupFilter()->setCurrentIndex(2);
    emit dlg.GroupFilter()->activated(2);
    EXPECT_EQ((QStringList{"Bob Brown", "Carl Adams"}), Texts(dlg.SourceList()));
    // An empty group leaves nothing to add.
    Data.GroupsTable.AppendRecord({"Empty"});
    dlg.FillFilter();
    dlg.GroupFilter()->setCurrentIndex(1);
    dlg.FillSource();
    EXPECT_TRUE(Texts(dlg.SourceList()).isEmpty());
    EXPECT_FALSE(dlg.AddButton()->isEnabled());
}

TEST_F(GroupDlgTest, AddAndRemoveBuildThePrintoutList) {
    TGroupDlg dlg(Data, Language);
    QListWidget *source = dlg.SourceList();
    QListWidget *print = dlg.PrintList();

    // One entry: added, and the selection walks on to the next one.
    SelectRows(source, {0});
    dlg.AddClicked();
    EXPECT_EQ((QStringList{"Ann Lee"}), Texts(print));
    EXPECT_EQ(1, source->currentRow());
    dlg.AddClicked();
    EXPECT_EQ((QStringList{"Ann Lee", "Bob Brown"}), Texts(print));
    EXPECT_EQ(1, print->currentRow()) << "the added entry is selected";
    EXPECT_TRUE(dlg.RemoveButton()->isEnabled());

    // Several: those not listed yet, in source order; the two equal texts are two persons.
    SelectRows(source, {4, 0, 3, 2});
    dlg.AddClicked();
    EXPECT_EQ((QStringList{"Ann Lee", "Bob Brown", "Carl Adams", "Mary Ann Smith",
                           "Mary Ann Smith"}),
              Texts(print));
    SelectRows(source, {3});
    dlg.AddClicked();
    EXPECT_EQ(5, dlg.SelectedCount()) << "nobody twice";

    const std::vector<std::pair<QString, QString>> expected = {
        {"Ann", "Lee"}, {"Bob", "Brown"}, {"Carl", "Adams"}, {"Mary", "Ann Smith"},
        {"Mary Ann", "Smith"}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(expected[i].first, dlg.SelectedFirstName(i)) << i;
        EXPECT_EQ(expected[i].second, dlg.SelectedLastName(i)) << i;
    }
    for (const int outside : {-1, 5, 99}) {
        EXPECT_TRUE(dlg.SelectedFirstName(outside).isEmpty());
        EXPECT_TRUE(dlg.SelectedLastName(outside).isEmpty());
    }

    // Remove keeps the position, or takes the one before at the end.
    print->setCurrentRow(1);
    dlg.RemoveClicked();
    EXPECT_EQ((QStringList{"Ann Lee", "Carl Adams", "Mary Ann Smith", "Mary Ann Smith"}),
              Texts(print));
    EXPECT_EQ(1, print->currentRow());
    print->setCurrentRow(3);
    dlg.RemoveClicked();
    EXPECT_EQ(2, print->currentRow());
    EXPECT_EQ("Mary", dlg.SelectedFirstName(2));
    for (int i = 0; i < 3; ++i)
        dlg.RemoveClicked();
    EXPECT_EQ(0, dlg.SelectedCount());
    EXPECT_FALSE(dlg.RemoveButton()->isEnabled());
}

TEST_F(GroupDlgTest, ThePrintoutListOutlivesAUseAndNewGroupsShow) {
    TGroupDlg dlg(Data, Language);
    SelectRows(dlg.SourceList(), {1});
    dlg.AddClicked();
    AddPerson("Dora", "Diaz", {"Chess"});
    dlg.show();
    dlg.hide();
    EXPECT_EQ(1, dlg.SelectedCount());
    EXPECT_EQ(6, dlg.SourceList()->count());
    EXPECT_EQ("Chess", dlg.GroupFilter()->itemText(1));
}

// --- the name list window -----------------------------------------------------------------------

TEST_F(GroupDlgTest, NameListDragsAPersonAsTheWheelWindowDecodesIt) {
    AddPerson("Søren", "Kierkegaard");
    TWindowPlace place;
    auto *window = new TWinNames(Data, Language, place);
    std::vector<QString> dragged;
    window->OnDrag = [&](std::unique_ptr<QMimeData> payload) {
        ASSERT_TRUE(payload->hasFormat(NameMimeType));
        // As TWheelWin::WheelDragDrop reads it.
        dragged.push_back(QString::fromUtf8(payload->data(NameMimeType)));
    };
    QTreeWidget *tree = window->Outline();
    ASSERT_EQ(2, tree->topLevelItemCount());
    QTreeWidgetItem *names = window->NamesRoot();
    EXPECT_EQ("Names", names->text(0));
    EXPECT_EQ("Groups", window->GroupsRoot()->text(0));
    EXPECT_EQ(0, window->GroupsRoot()->childCount());
    ASSERT_EQ(6, names->childCount());

    struct TCase {
        int Child;
        QString First, Last;
    };
    const std::vector<TCase> cases = {
        {0, "Ann", "Lee"}, {3, "Mary", "Ann Smith"}, {4, "Mary Ann", "Smith"},
        {5, "Søren", "Kierkegaard"}};
    window->resize(220, 300);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.First.toStdString());
        QTreeWidgetItem *node = names->child(c.Child);
        tree->setCurrentItem(node);
        EXPECT_EQ(c.First, window->FirstNameOfNode());
        EXPECT_EQ(c.Last, window->LastNameOfNode());
        dragged.clear();
        emit tree->itemDoubleClicked(node, 0);
        ASSERT_EQ(1u, dragged.size()) << "a double click starts the drag";
        EXPECT_EQ(c.First + " " + c.Last, dragged[0]);
        // The dragged node is the selected one, so the main window can take the two parts
        // from the window; from the text alone the two "Mary Ann Smith" are one person.
        EXPECT_EQ(c.First, window->FirstNameOfNode());
        EXPECT_EQ(c.Last, window->LastNameOfNode());
        TPersonName person;
        ASSERT_TRUE(FindDroppedName(Data, dragged[0].toStdString(), person));
        if (c.Child != 4) {
            EXPECT_EQ(c.First.toStdString() + "|" + c.Last.toStdString(),
                      person.First + "|" + person.Last);
        }
        // The ordinary drag of the tree carries the same.
        const std::unique_ptr<QMimeData> payload = TWinNames::DragPayload(node);
        EXPECT_EQ(c.First + " " + c.Last, QString::fromUtf8(payload->data(NameMimeType)));
    }
    // The roots are no persons: nothing to drag.
    dragged.clear();
    for (QTreeWidgetItem *root : {names, window->GroupsRoot()}) {
        EXPECT_FALSE(window->StartDrag(root));
        EXPECT_EQ(nullptr, TWinNames::DragPayload(root));
    }
    EXPECT_TRUE(dragged.empty());

    // The popup's colour goes on the tree.
    window->OnChooseColour = [](QColor &colour) {
        colour = QColor(200, 230, 255);
        return true;
    };
    window->BackgroundColorClicked();
    EXPECT_EQ(QColor(200, 230, 255), window->Color());
    EXPECT_EQ("Background Color...", window->PopupMenu()->actions().first()->text().remove('&'));

    // Closing stores the place and frees the window.
    QPointer<TWinNames> alive(window);
    window->close();
    EXPECT_TRUE(place.Valid);
    EXPECT_EQ(220, place.Width);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

// --- pictures for a look by eye ----------------------------------------------------------------

TEST_F(GroupDlgTest, GrabsTheDialogsWhenAskedTo) {
    const char *dir = std::getenv("KYR_GRAB_DIR");
    if (!dir)
        GTEST_SKIP() << "set KYR_GRAB_DIR to save the dialogs as pictures";
    const QString out = QString::fromLocal8Bit(dir) + "/";
    AddAtlas();

    TSearchDlg search(Data, Language);
    search.SetFirstNamesFirst(true);
    search.StartMode(TSearchDlg::Names);
    search.FillNow();
    search.show();
    search.List()->setCurrentRow(2);
    EXPECT_TRUE(search.grab().save(out + "search-names.png"));
    search.StartMode(TSearchDlg::Places, "Denmark");
    search.FillNow();
    EXPECT_TRUE(search.grab().save(out + "search-places.png"));
    search.StartMode(TSearchDlg::Groups);
    search.FillNow();
    EXPECT_TRUE(search.grab().save(out + "search-groups.png"));
    search.StartMode(TSearchDlg::States);
    EXPECT_TRUE(search.grab().save(out + "search-filling.png"));
    search.hide();

    TGroupDlg group(Data, Language);
    group.show();
    group.SourceList()->item(0)->setSelected(true);
    group.AddClicked();
    group.AddClicked();
    EXPECT_TRUE(group.grab().save(out + "group.png"));

    TWindowPlace place;
    auto *list = new TWinNames(Data, Language, place);
    list->show();
    EXPECT_TRUE(list->grab().save(out + "namelist.png"));
    list->close();
}

} // namespace
} // namespace kyr::test
