#include "records/FrmCode.h"

#include "common/ApplyStoredTheme.h"
#include "common/CodeBox.h"
#include "common/Dialogs.h"
#include "common/ProgramEnd.h"
#include "common/ScreenPlacement.h"
#include "common/Skin.h"
#include "common/Text.h"
#include "common/TextRules.h"
#include "common/WindowPieces.h"
#include "data/Cursor.h"
#include "data/SubjectRows.h"
#include "data/TableModel.h"
#include "records/FrmCodeText.h"
#include "register/Register.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The grid's columns: field and caption, right to left.
struct Column
{
    const char *field;
    const char *caption;
};
const Column Columns[] = {{"Code", FrmCodeText::CodeColumn},
                          {"FName", FrmCodeText::FNameColumn},
                          {"LName", FrmCodeText::LNameColumn},
                          {"Group", FrmCodeText::GroupColumn}};

// The group letter stands in the middle of its narrow column.
class CentredDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignCenter;
    }
};

QComboBox *selector(const QString &name, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    // What is typed is a filter, never a new entry of the list.
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Sized by a number of characters, never by the list, which may hold 100,000 names.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMaxVisibleItems(16);
    if (auto *list = qobject_cast<QListView *>(combo->view()))
        list->setUniformItemSizes(true);
    return combo;
}
} // namespace

FrmCode::FrmCode(QWidget *parent)
    : QWidget(parent), Adodc1(new Cursor(QStringLiteral("Theme"), this)),
      Adodc2(new Cursor(QStringLiteral("IDE"), this)),
      Adodc3(new Cursor(QStringLiteral("IDE"), this)),
      Adodc4(new Cursor(QStringLiteral("Answer"), this)), Skin1(new Skin(this))
{
    setObjectName(QStringLiteral("FrmCode"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(FrmCodeText::Caption));
    Text1 = QStringLiteral("1");
    Cursor::OpenEach({Adodc1, Adodc3, Adodc4});
    Text1 = Adodc1->field(QStringLiteral("TH"));
    buildWidgets();

    // Opening: the stored theme, then the grid on the whole register, unfiltered, with the
    // selectors empty. The name lists follow once the window is on screen.
    ApplyStoredTheme(Skin1, this, Text1);
    // The names a box offers while typing are a window of their own: it takes the window's look.
    for (QComboBox *names : {DataCombo6, DataCombo1}) {
        QAbstractItemView *offered = names->completer()->popup();
        offered->setStyleSheet(styleSheet());
        // One height for every name: a list of thousands is not measured name by name.
        if (auto *list = qobject_cast<QListView *>(offered))
            list->setUniformItemSizes(true);
    }
    DataGrid1->setModel(Adodc2->model());
    // A view forgets hidden and moved columns whenever its rows are read anew.
    connect(Adodc2->model(), &QAbstractItemModel::modelReset, this, &FrmCode::showSubjectColumns);
    if (const Result read = Adodc2->reread(); !read)
        reportReadFailure(read);
    // Sized, with its columns and their captions, and placed.
    fitToLook();
    PlaceOnScreen(this);
}

FrmCode *FrmCode::ShowNew()
{
    auto *window = new FrmCode;
    window->show();
    window->activateWindow();
    return window;
}

void FrmCode::buildWidgets()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(12, 8, 12, 8);
    root->setSpacing(8);

    buildSelectors(root);
    buildGrid(root);
    buildBottom(root);

    // Enter presses the focused button, as Space does; in the code box it deletes.
    EnterPressesFocusedButton(this);
    QWidget::setTabOrder(Combo3, DataCombo6);
    QWidget::setTabOrder(DataCombo6, DataCombo1);
    QWidget::setTabOrder(DataCombo1, DataGrid1);
    QWidget::setTabOrder(DataGrid1, Text5);
    QWidget::setTabOrder(Text5, Command2);
    QWidget::setTabOrder(Command2, Command1);
    QWidget::setTabOrder(Command1, Command7);
    QWidget::setTabOrder(Command7, Command6);
    Combo3->setFocus();

    // A selector runs its filter when the user changes its text (typing, deleting, pasting) or
    // picks an entry of its list; a text a handler puts there runs nothing.
    connect(Combo3->lineEdit(), &QLineEdit::textEdited, this, &FrmCode::filterByGroup);
    connect(Combo3, &QComboBox::textActivated, this, &FrmCode::filterByGroup);
    connect(DataCombo6->lineEdit(), &QLineEdit::textEdited, this, &FrmCode::filterByFName);
    connect(DataCombo6, &QComboBox::textActivated, this, &FrmCode::filterByFName);
    connect(DataCombo1->lineEdit(), &QLineEdit::textEdited, this, &FrmCode::filterByLName);
    connect(DataCombo1, &QComboBox::textActivated, this, &FrmCode::filterByLName);
    connect(Command2, &QPushButton::clicked, this, &FrmCode::deleteSubject);
    connect(Text5, &QLineEdit::returnPressed, this, &FrmCode::deleteSubject);
    connect(Command1, &QPushButton::clicked, this, &FrmCode::printByGroupRequested);
    connect(Command7, &QPushButton::clicked, this, &FrmCode::groupSummaryRequested);
    connect(Command6, &QPushButton::clicked, this, &FrmCode::close);
}

void FrmCode::buildSelectors(QVBoxLayout *root)
{
    // The selectors, read from right to left: group, first name, last name.
    Combo3 = selector(QStringLiteral("Combo3"), this);
    Combo3->addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                      QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("F"),
                      QStringLiteral("G")});
    // A group is one letter, typed exactly: no completion puts another text in its place.
    Combo3->setCompleter(nullptr);
    Combo3->setMinimumContentsLength(3);
    DataCombo6 = selector(QStringLiteral("DataCombo6"), this);
    DataCombo1 = selector(QStringLiteral("DataCombo1"), this);
    // Each list belongs to its box, and goes after the completer that reads it.
    fNames = new QStringListModel(DataCombo6);
    lNames = new QStringListModel(DataCombo1);
    for (QComboBox *names : {DataCombo6, DataCombo1}) {
        names->setMinimumContentsLength(14);
        names->setModel(names == DataCombo6 ? fNames : lNames);
        // Typing offers the stored names that hold what was typed; the grid follows the text.
        QCompleter *completer = names->completer();
        completer->setCompletionMode(QCompleter::PopupCompletion);
        completer->setCaseSensitivity(Qt::CaseSensitive);
        completer->setFilterMode(Qt::MatchContains);
        completer->setMaxVisibleItems(12);
    }
    for (QComboBox *combo : {Combo3, DataCombo6, DataCombo1})
        emptySelector(combo);

    const char *const captions[] = {FrmCodeText::LNameLabel, FrmCodeText::FNameLabel,
                                    FrmCodeText::GroupLabel};
    QComboBox *const captioned[] = {DataCombo1, DataCombo6, Combo3};
    for (int i = 0; i < 3; ++i) {
        SkinLabel21[i] = new SkinLabel(QStringLiteral("SkinLabel21_%1").arg(i), this);
        SkinLabel21[i]->setText(text(captions[i]));
        SkinLabel21[i]->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter);
        SkinLabel21[i]->setBuddy(captioned[i]);
    }
    auto *selectors = new QHBoxLayout;
    selectors->setSpacing(6);
    for (int i = 2; i >= 0; --i) {
        selectors->addWidget(SkinLabel21[i]);
        selectors->addWidget(captioned[i], i == 2 ? 0 : 1);
        if (i > 0)
            selectors->addSpacing(18);
    }
    root->addLayout(selectors);
}

void FrmCode::buildGrid(QVBoxLayout *root)
{
    // The grid, under its caption.
    gridFrame = new QGroupBox(text(FrmCodeText::GridCaption), this);
    gridFrame->setObjectName(QStringLiteral("DataGrid1Caption"));
    auto *gridLayout = new QVBoxLayout(gridFrame);
    gridLayout->setContentsMargins(8, 8, 8, 8);
    DataGrid1 = new QTableView(gridFrame);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    DataGrid1->setAccessibleName(text(FrmCodeText::GridCaption));
    // Nothing is written through the grid.
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DataGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DataGrid1->setAlternatingRowColors(true);
    DataGrid1->setWordWrap(false);
    DataGrid1->setTabKeyNavigation(false);
    DataGrid1->verticalHeader()->hide();
    DataGrid1->horizontalHeader()->setHighlightSections(false);
    gridLayout->addWidget(DataGrid1);
    root->addWidget(gridFrame, 1);
}

void FrmCode::buildBottom(QVBoxLayout *root)
{
    // Below: the delete panel, and the window's own buttons.
    Frame1 = new QGroupBox(text(FrmCodeText::DeleteFrame), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    SkinLabel1 = new SkinLabel(QStringLiteral("SkinLabel1"), Frame1);
    SkinLabel1->setText(text(FrmCodeText::CodePrompt));
    Text5 = new QLineEdit(Frame1);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setAlignment(Qt::AlignCenter);
    TakeCodeDigits(Text5);
    SkinLabel1->setBuddy(Text5);
    Command2 = MakeButton(QStringLiteral("Command2"), FrmCodeText::Delete, Frame1);
    auto *deletion = new QHBoxLayout(Frame1);
    deletion->setContentsMargins(10, 8, 10, 10);
    deletion->setSpacing(8);
    deletion->addWidget(SkinLabel1);
    deletion->addWidget(Text5, 1);
    deletion->addWidget(Command2);

    Command1 = MakeButton(QStringLiteral("Command1"), FrmCodeText::PrintByGroup, this);
    Command7 = MakeButton(QStringLiteral("Command7"), FrmCodeText::GroupSummary, this);
    Command6 = MakeButton(QStringLiteral("Command6"), FrmCodeText::Exit, this);
    // The two print buttons side by side, so that the window is no taller for the second.
    auto *buttons = new QGridLayout;
    buttons->setSpacing(8);
    buttons->setRowStretch(0, 1);
    buttons->addWidget(Command1, 1, 0);
    buttons->addWidget(Command7, 1, 1);
    buttons->addWidget(Command6, 2, 0);
    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(16);
    bottom->addWidget(Frame1, 1);
    bottom->addLayout(buttons);
    root->addLayout(bottom);
}

void FrmCode::fitToLook()
{
    ensurePolished();
    // The window's own buttons share one width.
    const int width = qMax(qMax(Command1->sizeHint().width(), Command7->sizeHint().width()),
                           Command6->sizeHint().width()) +
                      8;
    for (QPushButton *button : {Command1, Command7, Command6})
        button->setMinimumWidth(width);
    Command2->setMinimumWidth(qMax(88, Command2->sizeHint().width() + 16));
    // The group column just wide enough for its caption; the others share the rest.
    QHeaderView *header = DataGrid1->horizontalHeader();
    header->setMinimumSectionSize(40);
    header->setDefaultSectionSize(
        header->fontMetrics().horizontalAdvance(text(FrmCodeText::GroupColumn)) + 40);
    // At least six rows of the grid; at first room for about twelve, as far as the screen
    // allows with a title bar and edges around the window. The user may make it larger.
    DataGrid1->setMinimumHeight(header->sizeHint().height() +
                                6 * DataGrid1->verticalHeader()->defaultSectionSize() +
                                2 * DataGrid1->frameWidth());
    setMinimumSize(minimumSizeHint());
    QSize size(780, 520);
    if (const QScreen *screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size().shrunkBy(UsualWindowFrame));
    resize(size.expandedTo(minimumSizeHint()));
}

void FrmCode::showSubjectColumns()
{
    TableModel *model = Adodc2->model();
    QHeaderView *header = DataGrid1->horizontalHeader();
    QStringList shown;
    for (const Column &column : Columns)
        shown << QLatin1String(column.field);
    // In the order above, whatever the order of the fields in the table.
    for (int i = 0; i < model->columnCount(); ++i)
        DataGrid1->setColumnHidden(i, !shown.contains(model->fields().at(i)));
    for (int place = 0; place < shown.size(); ++place) {
        const int column = model->fieldIndex(shown.at(place));
        if (column < 0)
            continue;
        model->setHeaderData(column, Qt::Horizontal, text(Columns[place].caption));
        header->moveSection(header->visualIndex(column), place);
        header->setSectionResizeMode(column,
                                     place == 3 ? QHeaderView::Fixed : QHeaderView::Stretch);
    }
    const int group = model->fieldIndex(QStringLiteral("Group"));
    if (group >= 0 && !DataGrid1->itemDelegateForColumn(group))
        DataGrid1->setItemDelegateForColumn(group, new CentredDelegate(DataGrid1));
}

void FrmCode::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_listsFilled) {
        m_listsFilled = true;
        // After the first frame: the grid is there at once, the lists a moment later.
        QTimer::singleShot(0, this, &FrmCode::fillNameLists);
    }
}

void FrmCode::fillNameLists()
{
    m_listsFilled = true;
    const struct
    {
        QComboBox *combo;
        QStringListModel *list;
        const char *field;
    } lookups[] = {{DataCombo6, fNames, "FName"}, {DataCombo1, lNames, "LName"}};
    for (const auto &lookup : lookups) {
        QStringList names;
        if (const Result read = Register::ReadNameList(QLatin1String(lookup.field), &names);
            !read) {
            reportReadFailure(read);
            return;
        }
        // A new list resets the box; it keeps the text it had, and no filter runs.
        const QString shown = lookup.combo->currentText();
        lookup.list->setStringList(names);
        emptySelector(lookup.combo);
        lookup.combo->setEditText(shown);
    }
}

QString FrmCode::groupText() const
{
    return Combo3->currentText();
}

QString FrmCode::clinicAddress() const
{
    return Adodc1->field(QStringLiteral("Adress"));
}

void FrmCode::rereadDeletionCursor()
{
    Cursor::RereadEach({Adodc3});
}

void FrmCode::emptySelector(QComboBox *selector)
{
    selector->setCurrentIndex(-1);
    selector->setEditText(QString());
}

void FrmCode::filterSubjects(const QString &field, const QString &text)
{
    // An emptied box means the empty text, never "no value at all", which would match nothing.
    if (const Result read = Adodc2->filter(field, text.isNull() ? QStringLiteral("") : text); !read)
        reportReadFailure(read);
}

void FrmCode::chooseTyped(QComboBox *selector)
{
    // A typed text that is an entry of the list is that entry: leaving the box then finds
    // nothing new to choose, and does not read the same rows again.
    const QString typed = selector->currentText();
    const int entry = selector->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (entry >= 0 && entry != selector->currentIndex()) {
        const int cursor = selector->lineEdit()->cursorPosition();
        selector->setCurrentIndex(entry);
        selector->lineEdit()->setCursorPosition(cursor);
    }
}

void FrmCode::filterByGroup(const QString &group)
{
    emptySelector(DataCombo1);
    emptySelector(DataCombo6);
    filterSubjects(QStringLiteral("Group"), group);
    chooseTyped(Combo3);
}

void FrmCode::filterByFName(const QString &name)
{
    filterSubjects(QStringLiteral("FName"), name);
    emptySelector(DataCombo1);
    emptySelector(Combo3);
    chooseTyped(DataCombo6);
}

void FrmCode::filterByLName(const QString &name)
{
    emptySelector(DataCombo6);
    emptySelector(Combo3);
    filterSubjects(QStringLiteral("LName"), name);
    chooseTyped(DataCombo1);
}

void FrmCode::reportFailure(const Result &failure)
{
    ShowMessage(this, failure.description(), text(FrmCodeText::ErrorTitle), QMessageBox::Warning);
}

void FrmCode::reportReadFailure(const Result &failure)
{
    ShowMessage(this, text(FrmCodeText::ReadFailed) + u'\n' + failure.description(),
                text(FrmCodeText::ErrorTitle), QMessageBox::Warning);
}

void FrmCode::deleteSubject()
{
    const QString code = Text5->text();
    if (code.isEmpty()) {
        ShowTimedMessage(this, text(FrmCodeText::NeedCode));
        Text5->setFocus();
        return;
    }
    // The code exactly as typed, blanks and all, or the same code as registration stored it. The
    // answers row that registration stored trimmed is this subject's only when no other subject
    // is registered under its code.
    SubjectRows rows;
    Result read = Register::FindSubject(code, &rows, Adodc3, nullptr);
    if (read && rows.hasDetails)
        read = Adodc4->filter(QStringLiteral("Code"), rows.answersFilter());
    if (!read) {
        reportReadFailure(read);
        Cursor::RereadEach({Adodc3, Adodc4});
        return;
    }
    if (!rows.hasDetails) {
        ShowTimedMessage(this, text(FrmCodeText::NoSuchCode));
        Cursor::RereadEach({Adodc3});
        Text5->setFocus();
        return;
    }

    if (!AskYesNo(this, text(FrmCodeText::SureToDelete), QString(), QMessageBox::NoIcon)) {
        Cursor::RereadEach({Adodc2, Adodc3, Adodc4});
        Text5->setFocus();
        return;
    }

    if (const Result deleted = Register::DeleteSubject(*Adodc3, *Adodc4); !deleted) {
        // Nothing was deleted; the code stays in its box for another try.
        reportFailure(deleted);
        Cursor::RereadEach({Adodc3, Adodc4});
        Text5->setFocus();
        return;
    }

    ShowTimedMessage(this, text(FrmCodeText::Deleted));
    Text5->clear();
    Text5->setFocus();
    Cursor::RereadEach({Adodc4, Adodc3});
    if (const Result read = Adodc2->reread(); !read)
        reportReadFailure(read);
    // A name may have gone with the subject.
    fillNameLists();
}

void FrmCode::closeEvent(QCloseEvent *event)
{
    ShowMainWindow();
    event->accept();
}
