#include "platform/FolderTree.h"

#include <QDir>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

#include "platform/Files.h"

namespace platform {

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kLoadedRole = Qt::UserRole + 1;

// Components of `path` below `root`, or false when `path` is not inside it.
bool RelativeParts(const QString& root, const QString& path, QStringList* parts) {
    const QString r = QDir::cleanPath(root);
    const QString p = QDir::cleanPath(path);
    if (p == r) {
        parts->clear();
        return true;
    }
    const QString prefix = r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/');
    if (!p.startsWith(prefix)) return false;
    *parts = p.mid(prefix.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return true;
}
}  // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setIndentation(19);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
    setUniformRowHeights(true);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemExpanded, this, &FolderTree::Populate);
    Reload();
}

void FolderTree::Reload() {
    clear();
    const QString home = QDir::homePath();
    const QString driveC = WineDriveC();
    QStyle* s = style();
    QTreeWidgetItem* h = AddRoot(QStringLiteral("ホーム"), home, s->standardIcon(QStyle::SP_DirHomeIcon));
    QTreeWidgetItem* c = AddRoot(QStringLiteral("Ｃ：ドライブ（Wine）"), driveC, s->standardIcon(QStyle::SP_DriveHDIcon));
    AddRoot(QStringLiteral("/"), QStringLiteral("/"), s->standardIcon(QStyle::SP_ComputerIcon));
    for (QTreeWidgetItem* item : {h, c}) {
        Populate(item);
        item->setExpanded(true);
    }
}

QTreeWidgetItem* FolderTree::AddRoot(const QString& text, const QString& path, QIcon icon) {
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setToolTip(0, path);
    item->setIcon(0, icon);
    item->setData(0, kPathRole, path);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

QTreeWidgetItem* FolderTree::MakeChild(QTreeWidgetItem* parent, const QString& name) {
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, name);
    item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    item->setData(0, kPathRole, JoinPath(parent->data(0, kPathRole).toString(), name));
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void FolderTree::Populate(QTreeWidgetItem* item) {
    if (item->data(0, kLoadedRole).toBool()) return;
    item->setData(0, kLoadedRole, true);
    const QDir dir(item->data(0, kPathRole).toString());
    const QStringList names =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QString& name : names) MakeChild(item, name);
    if (names.isEmpty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void FolderTree::SetPath(const QString& path) {
    QString target = QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(path));
    while (!DirectoryExists(target) && target != QStringLiteral("/")) target = QDir::cleanPath(target + QStringLiteral("/.."));

    // The top-level node that holds the path most closely.
    QTreeWidgetItem* best = nullptr;
    QStringList bestParts;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* root = topLevelItem(i);
        QStringList parts;
        if (!RelativeParts(root->data(0, kPathRole).toString(), target, &parts)) continue;
        if (!best || parts.size() < bestParts.size()) {
            best = root;
            bestParts = parts;
        }
    }
    if (!best) return;

    QTreeWidgetItem* item = best;
    for (const QString& part : bestParts) {
        Populate(item);
        item->setExpanded(true);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount(); ++i) {
            if (item->child(i)->text(0) == part) {
                next = item->child(i);
                break;
            }
        }
        // A hidden folder is not listed; it is shown once asked for by name.
        if (!next) next = MakeChild(item, part);
        item = next;
    }
    setCurrentItem(item);
    scrollToItem(item);
}

QString FolderTree::Path() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) return {};
    return selected.front()->data(0, kPathRole).toString();
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (QTreeWidgetItem* item = itemAt(event->position().toPoint())) setCurrentItem(item);
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void FolderTree::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    emit DblClick();
}

}  // namespace platform
