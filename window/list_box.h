// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QListWidget>

// A single-selection list whose selected row the user can move but not clear,
// and which tells when that row changes. It shows a clear frame while it has
// the focus.
class ListBox : public QListWidget {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent);

    // The selected row, -1 for none.
    int SelectedRow() const;
    void SelectRow(int row);

signals:
    // Raised whenever another row becomes selected, by the user or by the
    // program; selecting the row that is already selected raises nothing,
    // and neither does removing the rows.
    void SelectedRowChanged();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    // A selected row looks the same whether its list has the focus or not, so
    // that the linked equation and sum rows always show together.
    void initViewItemOption(QStyleOptionViewItem* option) const override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};
