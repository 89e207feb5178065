// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_form.h"

#include "answer_box.h"
#include "design_qt.h"
#include "read_number.h"

#include <QImageReader>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

using design::Text;

QString Name(const char* array, std::size_t index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

// The text of a list's selected row, empty when none is selected.
std::string SelectedText(const ListBox* list) {
    const QListWidgetItem* item = list->item(list->SelectedRow());
    return item ? item->text().toStdString() : std::string();
}

// A fill the design fixes, with its own text colour (black, unless given) on
// it, so that it reads the same on a light or a dark desktop. Buttons take
// theirs as the Button role, which the window's style paints.
void SetFill(QWidget* widget, design::Rgb fill, QPalette::ColorRole fillRole = QPalette::Window,
             QPalette::ColorRole textRole = QPalette::WindowText,
             design::Rgb text = design::ColourText) {
    QPalette palette = widget->palette();
    palette.setColor(fillRole, design::Colour(fill));
    palette.setColor(textRole, design::Colour(text));
    widget->setPalette(palette);
    widget->setAutoFillBackground(fillRole == QPalette::Window);
}

// The label's colour and, for a screen reader, what the colour means, on the
// label and on its answer box, where the focus rests.
void ShowVerdict(QLabel* label, design::Rgb colour, const char* meaning) {
    SetFill(label, colour);
    label->setAccessibleDescription(Text(meaning));
    label->buddy()->setAccessibleDescription(Text(meaning));
}

// Whole rows only: the largest number of them that fits the given height.
int WholeRowsHeight(const ListBox* list, int height) {
    const int frame = 2 * list->frameWidth();
    const int row = list->sizeHintForRow(0);
    return row > 0 ? (height - frame) / row * row + frame : height;
}

} // namespace

MainForm::MainForm(puzzle::Uniform uniform, QWidget* parent)
    : QWidget(parent), uniform_(std::move(uniform)) {
    CreateControls();
    SetTabOrder();
    Load();
}

void MainForm::CreateControls() {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(Text(design::Caption));
    // Named as PNG, so that Qt asks no other image plugin about it.
    QImageReader icon(QStringLiteral(":/korvelata.png"), "png");
    icon.setAutoDetectImageFormat(false);
    setWindowIcon(QPixmap::fromImage(icon.read()));
    setFont(QFont(Text(design::FontFamily), design::FontPoints));
    setFixedSize(design::Place(design::Window).size());
    SetFill(this, design::ColourWindow);

    for (std::size_t k = 0; k < Label1.size(); ++k) {
        Label1[k] = new QLabel(Text(design::Label1Text[k]), this);
        Label1[k]->setObjectName(Name("Label1", k));
        Label1[k]->setGeometry(design::Place(design::Label1[k]));
        Label1[k]->setAlignment(Qt::AlignCenter);
        SetFill(Label1[k], design::ColourNeutral);
    }

    for (std::size_t x = 0; x < List1.size(); ++x) {
        List1[x] = new ListBox(this);
        List1[x]->setObjectName(Name("List1", x));
        List1[x]->setGeometry(design::Place(design::List1[x]));
        List1[x]->setAccessibleName(Text(design::List1Name[x]));
        SetFill(List1[x], design::ColourSelection, QPalette::Highlight, QPalette::HighlightedText,
                design::ColourSelectionText);
        connect(List1[x], &ListBox::SelectedRowChanged, this,
                [this, x] { List1Click(static_cast<int>(x)); });
    }
    for (const char* count : design::Counts) {
        List1[2]->addItem(Text(count));
    }
    List1[2]->setFixedHeight(WholeRowsHeight(List1[2], List1[2]->height()));

    for (std::size_t b = 0; b < Command1.size(); ++b) {
        Command1[b] = new QPushButton(Text(design::Command1Text[b]), this);
        Command1[b]->setObjectName(Name("Command1", b));
        Command1[b]->setGeometry(design::Place(design::Command1[b]));
        Command1[b]->setAutoDefault(true); // Enter and Return press it, as Space does
        SetFill(Command1[b], design::ColourCommand1[b], QPalette::Button, QPalette::ButtonText);
        connect(Command1[b], &QPushButton::clicked, this,
                [this, b] { Command1Click(static_cast<int>(b)); });
    }

    Frame1 = new QWidget(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(design::Place(design::Frame1));
    SetFill(Frame1, design::ColourWindow);
    for (std::size_t k = 0; k < Label2.size(); ++k) {
        Label2[k] = new QLabel(Text(design::Label2Text(static_cast<int>(k))), Frame1);
        Label2[k]->setObjectName(Name("Label2", k));
        Label2[k]->setGeometry(design::Place(design::Label2, static_cast<int>(k)));
        Label2[k]->setAlignment(Qt::AlignCenter);
        Label2[k]->setFrameStyle(QFrame::Box | QFrame::Plain);
        SetFill(Label2[k], design::ColourNeutral);

        Text2[k] = new AnswerBox(Frame1);
        Text2[k]->setObjectName(Name("Text2", k));
        Text2[k]->setGeometry(design::Place(design::Text2, static_cast<int>(k)));
        Text2[k]->setAlignment(Qt::AlignCenter);
        Label2[k]->setBuddy(Text2[k]);
    }

    Text1[0] = new QPlainTextEdit(this);
    Text1[0]->setObjectName(Name("Text1", 0));
    Text1[0]->setGeometry(design::Place(design::Text1));
    Text1[0]->setAccessibleName(Text(design::Text1Name));
    Text1[0]->setPlainText(Text(design::TaskText()));
    Text1[0]->setReadOnly(true);
    Text1[0]->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1[0]->setTabChangesFocus(true);
    Text1[0]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void MainForm::SetTabOrder() {
    QList<QWidget*> order{Text1[0], List1[0], List1[1], Command1[0], Command1[1], Command1[2]};
    order.append(QList<QWidget*>(Text2.begin(), Text2.end()));
    order.append(List1[2]);
    for (qsizetype k = 1; k < order.size(); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }
    Text1[0]->setFocus();
}

void MainForm::Load() {
    List1[2]->SelectRow(design::StartCountRow);
    puzzle_.SetCount(
        puzzle::ReadNumber(List1[2]->item(design::StartCountRow)->text().toStdString()));
    LayoutUnknowns();
    ClearAnswers();
    NewValues();
}

void MainForm::Command1Click(int index) {
    switch (index) {
    case 0:
        ClearAnswers();
        break;
    case 1:
        NewValues();
        break;
    case 2:
        CheckAnswers();
        break;
    default:
        break;
    }
}

void MainForm::List1Click(int index) {
    switch (index) {
    case 0:
    case 1: {
        const int row = List1[static_cast<std::size_t>(index)]->SelectedRow();
        List1[0]->SelectRow(row);
        List1[1]->SelectRow(row);
        break;
    }
    case 2:
        puzzle_.SetCount(puzzle::ReadNumber(SelectedText(List1[2])));
        LayoutUnknowns();
        break;
    default:
        break;
    }
}

void MainForm::LayoutUnknowns() {
    puzzle_.SetCount(puzzle::ReadNumber(SelectedText(List1[2])));
    List1[0]->clear();
    List1[1]->clear();
    for (std::size_t k = 0; k < Label2.size(); ++k) {
        Label2[k]->hide();
        Text2[k]->hide();
    }
    for (int i = 1; i <= puzzle_.Count(); ++i) {
        Label2.at(i - 1)->show();
        Text2.at(i - 1)->show();
        Text2.at(i - 1)->SetToolTip(Text(puzzle::Placeholder));
    }
    for (const puzzle::Pair pair : puzzle::PairRows(puzzle_.UnknownCount())) {
        List1[0]->addItem(Text(puzzle::PairLabel(pair)));
        List1[1]->addItem(Text(puzzle::Placeholder));
    }
}

void MainForm::ClearAnswers() {
    List1[1]->clear();
    for (int row = 0; row < List1[0]->count(); ++row) {
        List1[1]->addItem(Text(puzzle::Placeholder));
    }
    for (int i = 1; i <= puzzle_.Count(); ++i) {
        ShowVerdict(Label2.at(i - 1), design::ColourNeutral, "");
        Text2.at(i - 1)->clear();
    }
}

void MainForm::NewValues() {
    puzzle_.Draw(uniform_);
    for (int i = 1; i <= puzzle_.Count(); ++i) {
        Text2.at(i - 1)->SetToolTip(Text(puzzle_.ValueText(i)));
    }
    List1[1]->clear();
    for (const puzzle::Pair pair : puzzle::PairRows(puzzle_.UnknownCount())) {
        List1[1]->addItem(Text(puzzle_.PairSumText(pair)));
    }
    List1[0]->SelectRow(0);
    List1[1]->SelectRow(0);
}

void MainForm::CheckAnswers() {
    for (int i = 1; i <= puzzle_.Count(); ++i) {
        if (puzzle_.Judge(Text2.at(i - 1)->text().toStdString(), i) == puzzle::Verdict::Right) {
            ShowVerdict(Label2.at(i - 1), design::ColourRight, design::RightText);
        } else {
            ShowVerdict(Label2.at(i - 1), design::ColourWrong, design::WrongText);
        }
    }
}
