#pragma once
// The program's one window: the organisation fields, the two parameter grids,
// the quantity, the note, the derived texts and the three commands, stacked
// from top to bottom. The questionnaire rules live in TQuestionnaire and the
// report and its export in TQuestionnaireDocument; the window only answers
// the grids' events from them and shows what they derive. A saved
// questionnaire (or an ORDER.json) opens into it again: Ctrl+O, a file
// dropped on it, or the file named on the command line.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "controls/grid_cell.h"
#include "controls/grid_types.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lk63 {

class TCloseRequestFilter;
class TFileDrop;
class TCustomGridView;
class TInspectorGrid;
class TNoteEdit;
class TPanel;
class TProgressWindow;
class TQuestionnaire;
class TQuestionnaireDocument;
class TSectionHeading;
class TSingleLineEdit;
class TSpinEdit;
class TWindowUserInterface;
enum class TGroup;

class TMainForm : public QWidget {
public:
    // Asks for the file to save into, proposing `proposed`; none: cancelled.
    using TFileDialogFunction = std::function<std::optional<QString>(QWidget* parent, const QString& proposed)>;
    // Asks for a questionnaire to open, starting in `folder`; none: cancelled.
    using TOpenDialogFunction = std::function<std::optional<QString>(QWidget* parent, const QString& folder)>;
    // Shows a modal error message.
    using TMessageFunction = std::function<void(QWidget* parent, const QString& caption, const QString& text)>;

    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The platform's dialogs unless replaced (tests give a path instead).
    void SetFileDialog(TFileDialogFunction dialog);
    void SetMessageBox(TMessageFunction message);
    void SetOpenDialog(TOpenDialogFunction dialog);

    [[nodiscard]] const TQuestionnaire& Questionnaire() const { return *questionnaire_; }
    [[nodiscard]] TProgressWindow* ProgressWindow() const { return progress_; }
    // A save is running: the window takes no input and closing waits.
    [[nodiscard]] bool Saving() const { return saving_; }

    // Controls, named as the window's layout names them, top to bottom.
    TSectionHeading* StaticText1 = nullptr;    // " Данные организации, заполнившей опросный лист"
    TPanel* Panel2 = nullptr;                  // holds the three organisation fields and their labels
    QLabel* Label1 = nullptr;                  // "Наименование организации"
    QLabel* Label2 = nullptr;                  // "Адрес и номер телефона организации"
    QLabel* Label3 = nullptr;                  // "ФИО контактного лица"
    TSingleLineEdit* Edit1 = nullptr;          // the organisation's name
    TSingleLineEdit* Edit2 = nullptr;          // its address and telephone number
    TSingleLineEdit* Edit3 = nullptr;          // the contact person
    TSectionHeading* StaticText7 = nullptr;    // " 1 Автоматический выключатель *"
    TInspectorGrid* InspectorGrid1 = nullptr;  // the breaker's parameters
    TSectionHeading* StaticText2 = nullptr;    // " 2 Аксессуары *"
    TInspectorGrid* InspectorGrid2 = nullptr;  // the accessories
    TPanel* Panel3 = nullptr;                  // the row of the quantity under the grids
    QLabel* Label5 = nullptr;                  // "* Необходимо заполнить все поля!"
    QLabel* Label4 = nullptr;                  // "Количество выключателей, шт."
    TSpinEdit* Edit4 = nullptr;                // the quantity, 1 to 999999
    QPlainTextEdit* Memo2 = nullptr;           // the order code, kept hidden
    QLabel* TableIDLabel = nullptr;            // the compatibility table's id, kept hidden
    TSectionHeading* StaticText6 = nullptr;    // " Примечание"
    TNoteEdit* Memo4 = nullptr;                // the note
    TSectionHeading* StaticText3 = nullptr;    // " Описание"
    QPlainTextEdit* Memo1 = nullptr;           // the description, read-only
    TSectionHeading* StaticText5 = nullptr;    // " Структурный состав"
    QPlainTextEdit* Memo3 = nullptr;           // the structural composition, read-only
    TPanel* Panel1 = nullptr;                  // the commands at the bottom
    QPushButton* Button1 = nullptr;            // "Сохранить в pdf"
    QPushButton* Button3 = nullptr;            // "Сбросить"
    QPushButton* Button2 = nullptr;            // "Закрыть"

    // Commands.
    void Button1Click();  // "Сохранить в pdf"
    void Button2Click();  // "Закрыть"
    void Button3Click();  // "Сбросить"
    // Ctrl+O: the open dialog, then OpenFile.
    void OpenCommand();
    // Opens a saved questionnaire or an ORDER.json. Its choices go through
    // the same rules as the pick lists, into a questionnaire of its own;
    // only when the whole file was read and accepted does the window take
    // it over: rows, fields, quantity, note, and the file the next save
    // proposes. A bad file shows "Ошибка" and changes nothing. Refused,
    // like any input, while a save runs.
    void OpenFile(const QString& path);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // Tab and Backtab follow the window's own order, also from inside the
    // grids, whose editors are created after the order was set.
    bool focusNextPrevChild(bool next) override;

private:
    class TSaveRun;

    void FormCreate();
    void CreateControls();
    void WireGrids();
    void SetTabOrder();
    void CreateShortcuts();
    [[nodiscard]] std::vector<QWidget*> TabOrder() const;
    void LayOut();

    // Grid events, answered from the questionnaire.
    void InspectorGrid1GetCellText(TCustomGridView& Sender, const TGridCell& Cell, QString& Value);
    void InspectorGrid2GetCellText(TCustomGridView& Sender, const TGridCell& Cell, QString& Value);
    void InspectorGrid1GetEditStyle(TCustomGridView& Sender, const TGridCell& Cell, TGridEditStyle& Style);
    void InspectorGrid1EditCanModify(TCustomGridView& Sender, const TGridCell& Cell, bool& CanModify);
    void InspectorGrid1GetEditList(TCustomGridView& Sender, const TGridCell& Cell, QStringList& Items);
    void InspectorGrid2GetEditList(TCustomGridView& Sender, const TGridCell& Cell, QStringList& Items);
    void InspectorGrid1EditCloseUp(TCustomGridView& Sender, const TGridCell& Cell, int ItemIndex, bool& Accept);
    void InspectorGrid2EditCloseUp(TCustomGridView& Sender, const TGridCell& Cell, int ItemIndex, bool& Accept);

    void CellText(TGroup group, const TGridCell& cell, QString& value) const;
    void EditList(TGroup group, const TGridCell& cell, QStringList& items);
    void CloseUp(TGroup group, const TGridCell& cell, int itemIndex, bool accept);
    // Memos, the table id and the save command as the questionnaire now has them.
    void ShowDerivedState();
    // Every row of both grids and the derived state, after the questionnaire changed as a whole.
    void ShowQuestionnaire();
    void Open(const QString& path);
    void ShowTrimmedNote(const QString& note);
    void Save();
    void ShowMessage(const QString& caption, const QString& text);

    std::unique_ptr<TQuestionnaire> questionnaire_;
    std::unique_ptr<TWindowUserInterface> userInterface_;
    std::unique_ptr<TQuestionnaireDocument> document_;
    TProgressWindow* progress_ = nullptr;
    TFileDialogFunction fileDialog_;
    TOpenDialogFunction openDialog_;
    TMessageFunction messageBox_;
    bool saving_ = false;
    // A close asked for during a save, honoured once the save is over.
    bool closePending_ = false;
    std::unique_ptr<TCloseRequestFilter> closeRequests_;
    std::unique_ptr<TFileDrop> fileDrop_;
};

}  // namespace lk63
