#include "questionnaire/window/main_form.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include "controls/event_guard.h"
#include "controls/inspector_grid.h"
#include "controls/spin_edit.h"
#include "questionnaire/quantity.h"
#include "questionnaire/questionnaire.h"
#include "questionnaire/questionnaire_document.h"
#include "questionnaire/window/close_request_filter.h"
#include "questionnaire/window/error_box.h"
#include "questionnaire/window/file_drop.h"
#include "questionnaire/window/note_edit.h"
#include "questionnaire/window/open_dialog.h"
#include "questionnaire/window/panel.h"
#include "questionnaire/window/progress_window.h"
#include "questionnaire/window/save_dialog.h"
#include "questionnaire/window/save_picture.h"
#include "questionnaire/window/section_heading.h"
#include "questionnaire/window/single_line_edit.h"
#include "questionnaire/window/window_user_interface.h"

namespace lk63 {
namespace {

// The layout's outer size, 1000 x 896, counts the frame of the desktop it was
// drawn on: 8 pixels at the sides and the bottom, 30 at the top. Here the
// desktop adds its own frame, so the window asks for the client area.
constexpr int kClientWidth = 1000 - 2 * 8;
constexpr int kClientHeight = 896 - 30 - 8;
constexpr int kBorderWidth = 8;

constexpr int kHeadingHeight = 24;
constexpr int kPanel2Height = 85;
constexpr int kGrid1Height = 148;
constexpr int kGrid2Height = 185;
constexpr int kPanel3Height = 35;
constexpr int kMemoHeight = 70;
constexpr int kPanel1Height = 35;

constexpr int kRowHeight = 18;
constexpr int kNameColumnWidth = 480;

constexpr int kWindowFontPixels = 11;  // 8 point at 96 dpi
constexpr int kOrderCodeFontPixels = 13;

// The window's fonts are those of another desktop. Their metrics are close
// to Arial's, so they take its metric twin rather than the desktop's wider
// default, which would push the labels under the fields beside them.
void SubstituteWindowFonts() {
    static const bool done = [] {
        for (const char* family : {"MS Sans Serif", "Arial Unicode MS", "Tahoma"})
            QFont::insertSubstitutions(QString::fromLatin1(family),
                                       {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
        return true;
    }();
    (void)done;
}

QFont SansSerif(int pixels) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    return font;
}

QLabel* MakeLabel(const QString& text, QWidget* parent, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(left, top);
    return label;
}

template <class TMemo = QPlainTextEdit>
TMemo* MakeMemo(QWidget* parent, bool readOnly) {
    auto* memo = new TMemo(parent);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setTabChangesFocus(true);
    memo->setFocusPolicy(Qt::StrongFocus);
    if (readOnly) {
        memo->setReadOnly(true);
        memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        // A selection shows only while the memo has the focus, as in the
        // desktop's read-only edit fields; it is kept for when the focus returns.
        QPalette colours = memo->palette();
        colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Inactive, QPalette::Base));
        colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         colours.color(QPalette::Inactive, QPalette::Text));
        memo->setPalette(colours);
    }
    return memo;
}

void SetUpGrid(TInspectorGrid& grid) {
    grid.SetColor(clWindow);
    grid.SetGridMode(TInspectorGridMode::gmStandard);
    grid.Rows().SetHeight(kRowHeight);
    grid.SetShowCellTips(true);
    grid.SetShowHint(true);
    grid.SetNameFont({SansSerif(kWindowFontPixels), clBtnText});
    grid.SetValueFont({SansSerif(kWindowFontPixels), clNavy});
    QFont bold = SansSerif(kWindowFontPixels);
    bold.setBold(true);
    grid.SetCategoryFont({bold, clPurple});
}

// Sets a memo's text only when it changes, so its scroll position stays.
void SetMemoText(QPlainTextEdit& memo, const QString& text) {
    if (memo.toPlainText() != text) memo.setPlainText(text);
}

// Switches AlwaysEdit off, repaints and switches it on again, also when the
// repaint fails.
void RebuildEditor(TInspectorGrid& grid) {
    grid.SetAlwaysEdit(false);
    struct TOnAgain {
        TInspectorGrid& Grid;
        ~TOnAgain() { Grid.SetAlwaysEdit(true); }
    } onAgain{grid};
    grid.Invalidate();
}

}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent), fileDialog_(&RunSaveDialog), openDialog_(&RunOpenDialog), messageBox_(&ShowErrorBox) {
    SubstituteWindowFonts();
    setWindowTitle(QStringLiteral("Автоматические выключатели в литом корпусе серии ЛК63-19"));
    setFont(SansSerif(kWindowFontPixels));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, SystemColor(TSysColor::clBtnFace, colours));
    colours.setColor(QPalette::WindowText, SystemColor(TSysColor::clWindowText, colours));
    setPalette(colours);
    setAutoFillBackground(true);

    CreateControls();
    // The desktop's close request is dropped while a dialog of the save blocks the window.
    closeRequests_ = std::make_unique<TCloseRequestFilter>(*this, [this] {
        if (saving_) closePending_ = true;
    });
    WireGrids();
    SetTabOrder();
    CreateShortcuts();
    fileDrop_ = std::make_unique<TFileDrop>(*this, [this](const QString& path) { OpenFile(path); });
    // The grids get their size first: the name column's width is fitted
    // into the grid's width when it is set.
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);
    LayOut();
    FormCreate();
    if (const QScreen* s = screen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

TMainForm::~TMainForm() {
    // The grids outlive the questionnaire while the children are destroyed;
    // an editor closing on its way out must not reach it.
    for (TInspectorGrid* grid : {InspectorGrid1, InspectorGrid2}) {
        grid->OnGetCellText = nullptr;
        grid->OnGetEditText = nullptr;
        grid->OnGetEditStyle = nullptr;
        grid->OnEditCanModify = nullptr;
        grid->OnGetEditList = nullptr;
        grid->OnEditCloseUp = nullptr;
    }
}

void TMainForm::SetFileDialog(TFileDialogFunction dialog) {
    fileDialog_ = dialog ? std::move(dialog) : TFileDialogFunction(&RunSaveDialog);
}

void TMainForm::SetMessageBox(TMessageFunction message) {
    messageBox_ = message ? std::move(message) : TMessageFunction(&ShowErrorBox);
}

void TMainForm::SetOpenDialog(TOpenDialogFunction dialog) {
    openDialog_ = dialog ? std::move(dialog) : TOpenDialogFunction(&RunOpenDialog);
}

void TMainForm::CreateControls() {
    StaticText1 = new TSectionHeading(QStringLiteral(" Данные организации, заполнившей опросный лист"), this);
    Panel2 = new TPanel(true, this);
    Label1 = MakeLabel(QStringLiteral("Наименование организации"), Panel2, 8, 9);
    Label2 = MakeLabel(QStringLiteral("Адрес и номер телефона организации"), Panel2, 8, 33);
    Label3 = MakeLabel(QStringLiteral("ФИО контактного лица"), Panel2, 8, 59);
    Edit1 = new TSingleLineEdit(Panel2);
    Edit1->setGeometry(216, 5, 737, 21);
    Edit2 = new TSingleLineEdit(Panel2);
    Edit2->setGeometry(216, 30, 737, 21);
    Edit3 = new TSingleLineEdit(Panel2);
    Edit3->setGeometry(216, 55, 737, 21);

    StaticText7 = new TSectionHeading(QStringLiteral(" 1 Автоматический выключатель *"), this);
    InspectorGrid1 = new TInspectorGrid(this);
    SetUpGrid(*InspectorGrid1);
    StaticText2 = new TSectionHeading(QStringLiteral(" 2 Аксессуары *"), this);
    InspectorGrid2 = new TInspectorGrid(this);
    SetUpGrid(*InspectorGrid2);

    Panel3 = new TPanel(false, this);
    Label5 = new QLabel(QStringLiteral("* Необходимо заполнить все поля!"), Panel3);
    Label5->setWordWrap(true);
    Label5->setGeometry(0, 8, 177, Label5->heightForWidth(177));
    Label4 = MakeLabel(QStringLiteral("Количество выключателей, шт."), Panel3, 271, 8);
    Edit4 = new TSpinEdit(Panel3);
    Edit4->setGeometry(435, 5, 121, 22);
    Edit4->SetMinValue(kMinQuantity);
    Edit4->SetMaxValue(kMaxQuantity);
    Edit4->SetValue(1);
    Memo2 = MakeMemo(Panel3, true);
    Memo2->setGeometry(616, 4, 273, 23);
    Memo2->setFont(SansSerif(kOrderCodeFontPixels));
    QPalette black = Memo2->palette();
    black.setColor(QPalette::Text, Qt::black);
    Memo2->setPalette(black);
    Memo2->hide();
    TableIDLabel = new QLabel(Panel3);
    TableIDLabel->setGeometry(904, 8, 64, 13);
    TableIDLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    TableIDLabel->hide();

    StaticText6 = new TSectionHeading(QStringLiteral(" Примечание"), this);
    Memo4 = MakeMemo<TNoteEdit>(this, false);
    StaticText3 = new TSectionHeading(QStringLiteral(" Описание"), this);
    Memo1 = MakeMemo(this, true);
    StaticText5 = new TSectionHeading(QStringLiteral(" Структурный состав"), this);
    Memo3 = MakeMemo(this, true);

    Panel1 = new TPanel(false, this);
    Button1 = new QPushButton(SaveButtonIcon(), QStringLiteral("Сохранить в pdf"), Panel1);
    Button1->setIconSize(QSize(kSavePictureSize, kSavePictureSize));
    Button1->setGeometry(0, 8, 121, 25);
    Button1->setEnabled(false);
    Button3 = new QPushButton(QStringLiteral("Сбросить"), Panel1);
    Button3->setGeometry(128, 8, 75, 25);
    Button2 = new QPushButton(QStringLiteral("Закрыть"), Panel1);
    Button2->resize(75, 25);
    for (QPushButton* button : {Button1, Button3, Button2}) button->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Guarded([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { Guarded([this] { Button3Click(); }); });

    questionnaire_ = std::make_unique<TQuestionnaire>();
    userInterface_ = std::make_unique<TWindowUserInterface>([this](const std::string& caption, const std::string& text) {
        ShowMessage(QString::fromStdString(caption), QString::fromStdString(text));
    });
    progress_ = new TProgressWindow(this);
    document_ = std::make_unique<TQuestionnaireDocument>(*questionnaire_, userInterface_.get());
    document_->PdfExport().Progress = progress_;
    // The export stops after the object being written.
    progress_->OnCancel = [this] { document_->Report().StopReport(); };
}

void TMainForm::WireGrids() {
    using namespace std::placeholders;
    InspectorGrid1->OnGetCellText = std::bind(&TMainForm::InspectorGrid1GetCellText, this, _1, _2, _3);
    InspectorGrid1->OnGetEditText = InspectorGrid1->OnGetCellText;
    InspectorGrid1->OnGetEditStyle = std::bind(&TMainForm::InspectorGrid1GetEditStyle, this, _1, _2, _3);
    InspectorGrid1->OnEditCanModify = std::bind(&TMainForm::InspectorGrid1EditCanModify, this, _1, _2, _3);
    InspectorGrid1->OnGetEditList = std::bind(&TMainForm::InspectorGrid1GetEditList, this, _1, _2, _3);
    InspectorGrid1->OnEditCloseUp = std::bind(&TMainForm::InspectorGrid1EditCloseUp, this, _1, _2, _3, _4);

    InspectorGrid2->OnGetCellText = std::bind(&TMainForm::InspectorGrid2GetCellText, this, _1, _2, _3);
    InspectorGrid2->OnGetEditText = InspectorGrid2->OnGetCellText;
    InspectorGrid2->OnGetEditStyle = InspectorGrid1->OnGetEditStyle;
    InspectorGrid2->OnEditCanModify = InspectorGrid1->OnEditCanModify;
    InspectorGrid2->OnGetEditList = std::bind(&TMainForm::InspectorGrid2GetEditList, this, _1, _2, _3);
    InspectorGrid2->OnEditCloseUp = std::bind(&TMainForm::InspectorGrid2EditCloseUp, this, _1, _2, _3, _4);
}

// Keys for the commands; the layout has no menu to show them.
void TMainForm::CreateShortcuts() {
    auto* open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(open, &QShortcut::activated, this, [this] { OpenCommand(); });
    // What "Сохранить в pdf" does, and only when it can be clicked.
    auto* save = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
    connect(save, &QShortcut::activated, this, [this] {
        if (Button1->isEnabled()) Button1Click();
    });
}

// The note comes last, although it stands above the description.
std::vector<QWidget*> TMainForm::TabOrder() const {
    return {Edit1, Edit2, Edit3, InspectorGrid1, InspectorGrid2, Edit4, Memo2,
            Memo1, Memo3, Button1, Button3, Button2, Memo4};
}

void TMainForm::SetTabOrder() {
    const std::vector<QWidget*> order = TabOrder();
    for (std::size_t i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

bool TMainForm::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> order = TabOrder();
    QWidget* focus = QApplication::focusWidget();
    const auto at = std::find_if(order.begin(), order.end(),
                                 [focus](QWidget* c) { return focus && (c == focus || c->isAncestorOf(focus)); });
    if (at == order.end()) return QWidget::focusNextPrevChild(next);
    const int n = static_cast<int>(order.size());
    const int from = static_cast<int>(at - order.begin());
    for (int step = 1; step < n; ++step) {
        QWidget* candidate = order[static_cast<std::size_t>(((from + (next ? step : -step)) % n + n) % n)];
        if (candidate->isVisible() && candidate->isEnabled() && (candidate->focusPolicy() & Qt::TabFocus)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void TMainForm::FormCreate() {
    InspectorGrid1->Rows().SetCount(TQuestionnaire::RowCount(TGroup::Breaker));
    InspectorGrid1->Columns()[0].SetWidth(kNameColumnWidth);
    InspectorGrid2->Rows().SetCount(TQuestionnaire::RowCount(TGroup::Accessory));
    InspectorGrid2->Columns()[0].SetWidth(kNameColumnWidth);
    TableIDLabel->clear();
}

// Every first-level control spans the client width inside the border and
// keeps its height; whatever height is left stays empty below the buttons.
void TMainForm::LayOut() {
    const std::pair<QWidget*, int> stack[] = {
        {StaticText1, kHeadingHeight}, {Panel2, kPanel2Height},         {StaticText7, kHeadingHeight},
        {InspectorGrid1, kGrid1Height}, {StaticText2, kHeadingHeight},  {InspectorGrid2, kGrid2Height},
        {Panel3, kPanel3Height},       {StaticText6, kHeadingHeight},  {Memo4, kMemoHeight},
        {StaticText3, kHeadingHeight}, {Memo1, kMemoHeight},           {StaticText5, kHeadingHeight},
        {Memo3, kMemoHeight},          {Panel1, kPanel1Height},
    };
    const int width = std::max(0, this->width() - 2 * kBorderWidth);
    int top = kBorderWidth;
    for (const auto& [control, height] : stack) {
        control->setGeometry(kBorderWidth, top, width, height);
        top += height;
    }
    // "Закрыть" keeps its distance from the right edge.
    Button2->move(Panel1->width() - Button2->width(), 8);
}

void TMainForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    LayOut();
}

void TMainForm::closeEvent(QCloseEvent* e) {
    if (saving_) {
        closePending_ = true;
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

void TMainForm::ShowDerivedState() {
    const TDerivedTexts& texts = questionnaire_->Texts();
    SetMemoText(*Memo1, QString::fromStdString(texts.Description));
    SetMemoText(*Memo2, QString::fromStdString(texts.OrderCode));
    QStringList lines;
    for (const std::string& line : texts.Composition) lines << QString::fromStdString(line);
    SetMemoText(*Memo3, lines.join(u'\n'));
    TableIDLabel->setText(QString::fromStdString(questionnaire_->TableIDText()));
    Button1->setEnabled(questionnaire_->SaveEnabled());
}

void TMainForm::ShowQuestionnaire() {
    RebuildEditor(*InspectorGrid1);
    RebuildEditor(*InspectorGrid2);
    ShowDerivedState();
}

void TMainForm::ShowMessage(const QString& caption, const QString& text) {
    // An error of preparing arrives under the wait cursor; the message needs the arrow.
    const bool waiting = QApplication::overrideCursor() != nullptr;
    if (waiting) QApplication::setOverrideCursor(Qt::ArrowCursor);
    messageBox_(this, caption, text);
    if (waiting) QApplication::restoreOverrideCursor();
}

void TMainForm::Button2Click() { close(); }

void TMainForm::Button3Click() {
    questionnaire_->Reset();
    ShowQuestionnaire();
    Memo4->clear();
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    Edit4->SetValue(1);
    TableIDLabel->clear();
}

}  // namespace lk63
