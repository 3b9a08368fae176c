#include "shell/step_list_view.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

#include <memory>

namespace tavo {
namespace {

QIcon MarkIcon(std::int16_t state) {
    const QColor colour = TStepListView::MarkColour(state);
    if (!colour.isValid()) return {};
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(150));
    painter.setBrush(colour);
    painter.drawEllipse(2, 2, 11, 11);
    return QIcon(pixmap);
}

}  // namespace

TStepListView::TStepListView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("viewLog");
    setColumnCount(1);
    setHeaderLabels({QStringLiteral("Schritt")});
    header()->setStretchLastSection(true);
    setWordWrap(true);
    setRootIsDecorated(false);
    setUniformRowHeights(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTextElideMode(Qt::ElideNone);
}

TStepListView::~TStepListView() {
    if (list_) list_->SetOnChanged({});
}

QColor TStepListView::MarkColour(std::int16_t state) {
    switch (state) {
        case kStepOk:
            return QColor(0, 160, 0);
        case kStepOpen:
            return QColor(230, 190, 0);
        case kStepError:
            return QColor(210, 0, 0);
        default:
            return {};
    }
}

void TStepListView::Bind(TStepList& list) {
    if (list_) list_->SetOnChanged({});
    list_ = &list;
    list.SetOnChanged([this] { Refresh(); });
    Refresh();
}

void TStepListView::Refresh() {
    if (!list_) return;
    const auto& lines = list_->Lines();
    while (topLevelItemCount() > static_cast<int>(lines.size()))
        std::unique_ptr<QTreeWidgetItem>(takeTopLevelItem(topLevelItemCount() - 1));
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        if (!item) item = new QTreeWidgetItem(this);  // owned by the view
        item->setText(0, QString::fromStdString(lines[i].caption));
        item->setIcon(0, MarkIcon(lines[i].state));
        item->setData(0, Qt::UserRole, lines[i].state);
    }
    if (QTreeWidgetItem* last = topLevelItem(topLevelItemCount() - 1)) {
        setCurrentItem(last);
        scrollToItem(last);
    }
    repaint();
}

}  // namespace tavo
