#pragma once
// A tree of folders to pick from. Its top level offers the home folder, the
// Wine drive C: and the file system root; below them it lists folders only
// (hidden ones left out), read when a node is first opened and not refreshed
// by itself. No lines or expanders at the root level, indent 19 pixels, a
// right-click selects the node under the pointer.

#include <QString>
#include <QTreeWidget>

namespace platform {

class FolderTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit FolderTree(QWidget* parent = nullptr);

    // Selects and shows the folder `path`, opening the nodes above it. When
    // the folder does not exist, its nearest existing parent is selected.
    void SetPath(const QString& path);

    // The real path of the selected folder; empty when nothing is selected.
    QString Path() const;

    // Reads the top level again (the home folder or the Wine prefix may have
    // changed since the tree was made).
    void Reload();

signals:
    // A double-click anywhere in the tree.
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QTreeWidgetItem* AddRoot(const QString& text, const QString& path, QIcon icon);
    QTreeWidgetItem* MakeChild(QTreeWidgetItem* parent, const QString& name);
    void Populate(QTreeWidgetItem* item);
};

}  // namespace platform
