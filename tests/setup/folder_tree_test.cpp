// The folder tree of the choosers: path set and read, folders only, hidden
// folders reachable by name, right-click selection, double-click event.
#include <QSignalSpy>
#include <QTest>

#include "platform/FolderTree.h"
#include "setup_fixture.h"

using namespace setup_test;

namespace {

class FolderTreeTest : public SetupTest {
protected:
    void SetUp() override {
        SetupTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(driveC + "/Program Files/Catchfile"));
        ASSERT_TRUE(QDir().mkpath(driveC + "/.hidden/inner"));
        ASSERT_TRUE(QDir().mkpath(driveC + "/zeta"));
        WriteFile(driveC + "/readme.txt", "a file");
    }
    QStringList ChildNames(QTreeWidgetItem* item) {
        QStringList names;
        for (int i = 0; i < item->childCount(); ++i) names << item->child(i)->text(0);
        return names;
    }
};

}  // namespace

TEST_F(FolderTreeTest, NothingSelectedAtFirst) {
    platform::FolderTree tree;
    EXPECT_EQ(tree.Path(), "");
    EXPECT_EQ(tree.indentation(), 19);
    EXPECT_FALSE(tree.rootIsDecorated());
}

TEST_F(FolderTreeTest, SetPathSelectsAndOpensTheWayToIt) {
    platform::FolderTree tree;
    const QString deep = driveC + "/Program Files/Catchfile";
    tree.SetPath(deep);
    EXPECT_EQ(tree.Path(), deep);
    QTreeWidgetItem* item = tree.currentItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(0), "Catchfile");
    EXPECT_TRUE(item->parent()->isExpanded());

    // Folders only, sorted, hidden ones left out.
    QTreeWidgetItem* drive = item->parent()->parent();
    EXPECT_EQ(ChildNames(drive), (QStringList{"Program Files", "zeta"}));

    // Same path given with a trailing separator or "..".
    tree.SetPath(driveC + "/zeta/../Program Files/");
    EXPECT_EQ(tree.Path(), driveC + "/Program Files");
}

TEST_F(FolderTreeTest, HiddenFolderIsShownWhenAskedForByName) {
    platform::FolderTree tree;
    tree.SetPath(driveC + "/.hidden/inner");
    EXPECT_EQ(tree.Path(), driveC + "/.hidden/inner");
}

TEST_F(FolderTreeTest, MissingFolderSelectsItsNearestParent) {
    platform::FolderTree tree;
    tree.SetPath(driveC + "/zeta/not/there");
    EXPECT_EQ(tree.Path(), driveC + "/zeta");
    tree.SetPath("/");
    EXPECT_EQ(tree.Path(), "/");
}

TEST_F(FolderTreeTest, RightClickSelectsAndDoubleClickIsReported) {
    platform::FolderTree tree;
    tree.resize(400, 300);
    tree.show();
    tree.SetPath(driveC + "/zeta");
    QTreeWidgetItem* zeta = tree.currentItem();
    tree.SetPath(driveC + "/Program Files");
    QApplication::processEvents();

    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, tree.visualItemRect(zeta).center());
    EXPECT_EQ(tree.Path(), driveC + "/zeta");

    QSignalSpy spy(&tree, &platform::FolderTree::DblClick);
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(zeta).center());
    EXPECT_EQ(spy.count(), 1);
}
