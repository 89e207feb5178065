// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "list_box.h"

#include <QAccessible>
#include <QPainter>

namespace {
constexpr int FocusFrameWidth = 2;
}

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                if (!selected.isEmpty()) {
                    emit SelectedRowChanged();
                }
            });
}

int ListBox::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBox::SelectRow(int row) { setCurrentRow(row); }

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    // Ctrl with a click or Space would deselect the row; keep it.
    const auto command = QListWidget::selectionCommand(index, event);
    return command.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate
                                                           : command;
}

void ListBox::initViewItemOption(QStyleOptionViewItem* option) const {
    QListWidget::initViewItemOption(option);
    option->state |= QStyle::State_Active;
}

void ListBox::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(viewport());
        painter.setPen(QPen(palette().color(QPalette::Highlight), FocusFrameWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
    }
}

void ListBox::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    // Qt tells assistive technology that the list took the focus, but not on
    // which row, and a screen reader then names the list without its row.
    // Once the focus has settled on the list, the current row takes it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus() && currentIndex().isValid()) {
                QAccessibleEvent focus(this, QAccessible::Focus);
                focus.setChild(currentIndex().row());
                QAccessible::updateAccessibility(&focus);
            }
        },
        Qt::QueuedConnection);
}
