#pragma once
// The contact picker: a window built in code in which the user picks phone numbers from the
// phonebook (through the phonebook neighbour only), in four forms:
// - recipient sheet: several numbers for a new message, handed to the SMS (and MMS) pages'
//   setTheSearchFieldText and posted as "SelectContactFinished" {"SendList"};
// - call sheet (ResizeWindowForCall): one number, posted as "makeCallWithPhoneNumber";
// - simplified sheet (simpliedSelectWnd): a narrow window over the SIM list, several numbers;
// - modal number choice (sourceRange 1): over entries the caller gives; showModalWindow() answers
//   1 after OK (the numbers in selectedContactNumbers()) or 0 after Cancel.
// A sheet-form picker owns itself and is deleted when its window closes; the caller owns a modal
// one. Numbers leave the picker without the label it shows after them ("(Mobile)"...).
#include "ostrel/device/picker/SelectWindowLayout.h"
#include "ostrel/framework/controller/YOVUIController.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QTableWidget>
#include <QPointer>
#include <QStringList>
#include <QVariantList>

namespace ostrel {

class SelectWindowControl : public YOVUIController {
    Q_OBJECT
public:
    enum StoreMedium { PC = 0, SIM = 1, DataCard = 2 };
    enum SourceRange { SheetRange = 0, ModalRange = 1 };

    explicit SelectWindowControl(const ControllerContext &context = ControllerContext::shared(), QObject *parent = nullptr);
    ~SelectWindowControl() override;

    // The layout size of windows created afterwards (580 x 400 until changed).
    static void setSelectWindowSize(const QSizeF &size);
    static QSizeF selectWindowSize();

    void showWindow(QWidget *hostWindow);
    int showModalWindow();
    void ResizeWindowForCall();
    void simpliedSelectWnd(const QSizeF &size);
    void allowsContactTableMultiSelection(bool allow);
    void setSourceRange(int range) { m_sourceRange = range; }
    int sourceRange() const { return m_sourceRange; }
    void setAvailableContactNumbers(const QVariantList &entries);
    QVariantList availableContactNumbers() const { return m_availableContactNumbers; }
    QStringList selectedContactNumbers() const { return m_selectedContactNumbers; }
    void setDefaultSelectMemory();
    bool hasMePosition() const;
    bool groupSending() const { return groupSending_; }

    bool loadList();
    bool loadSubList();

    // --- actions ----------------------------------------------------------------------------
    void addToSelected();
    void removeFromSelected();
    void doSelectAction();
    void cancelAction() { quitWindow(0); }
    void doubleClickTableRow(int row);
    void quitWindow(int code);
    void makeCallWithPhoneNum(int row);
    // The storage box and the group box chose an index.
    void storeMediumSelectionDidChange(int index);
    void groupSelectionDidChange(int index);

    // Rows of a table, selected (ascending).
    void selectContactRows(const QList<int> &rows);
    void selectSelectedRows(const QList<int> &rows);

    // --- the window and its state (read by tests) -------------------------------------------
    QDialog *window() const { return selectContactWin; }
    QPointer<QDialog> selectContactWin;
    QPointer<QComboBox> storeMediumComb;
    QPointer<QLabel> contactTextField;
    QPointer<QLabel> selectedTextField;
    QPointer<QAbstractButton> addToSelectedBtn;
    QPointer<QAbstractButton> removeFromSelectedBtn;
    QPointer<QAbstractButton> cancelBtn;
    QPointer<QAbstractButton> okBtn;
    QPointer<QComboBox> combPCGroup_;
    QPointer<QLabel> labelLocation_;
    QPointer<QLabel> labelGroup_;
    QPointer<QTableWidget> contactTableView;
    QPointer<QTableWidget> selectedTableView;
    QVariantList contactTableViewList;
    QVariantList selectedTableViewList;
    int currentStoreMedium = PC;
    bool allowsMultipleSel = false;
    bool hasNoSelectedTableView = false;
    int m_sourceRange = SheetRange;
    // The layout this window was built with.
    const SelectWindowLayout &layout() const { return layout_; }
    // A control's skin frame (bottom-left origin in the content view).
    QRectF skinFrameOf(const QWidget *widget) const;

private:
    void buildWindow();
    QLabel *makeLabel(const QString &english, const QRectF &frame);
    QAbstractButton *makeButton(const QString &english, const QRectF &frame, void (SelectWindowControl::*action)());
    QTableWidget *makeTable(const QRectF &frame);
    void place(QWidget *widget, const QRectF &frame);
    void placeAll();
    void resizeContent(const QSizeF &size);
    void reloadTable(QTableWidget *table, const QVariantList &entries);
    QList<int> selectedRows(QTableWidget *table) const;
    void appendPCContacts();
    bool warnNoNumberChosen();

    QSizeF layoutSize_;
    SelectWindowLayout layout_;
    bool groupSending_ = false;
    bool quitting_ = false;
    bool callForm_ = false; // a double click on a contact row chooses it
    bool ownedByWindow_ = false; // a sheet's window deletes the picker with itself
    QVariantList m_availableContactNumbers;
    QStringList m_selectedContactNumbers;
    QHash<const QWidget *, QRectF> frames_;
};

} // namespace ostrel
